#pragma once

#include <QString>

namespace app {

// The per-user settings: plain strings under application "Quillmark", section
// "Valdric Editor Rodeviruz", kept in an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME, by default ~/.config). A store that cannot be read reads as empty;
// one that cannot be written is left as it is. Neither stops the program.
namespace settings {

inline const QString kInstalled = QStringLiteral("Installed");
inline const QString kInstalledPath = QStringLiteral("Installed Path");
inline const QString kLastVersionUsed = QStringLiteral("Last Version Used");

QString read(const QString& key);
void write(const QString& key, const QString& value);

} // namespace settings

// True when an ordinary file (not a folder) exists at `path`.
bool dataFileExists(const QString& path);

// Writes "Last Version Used" as the version text followed by "b".
void SaveLastVersion();

} // namespace app
