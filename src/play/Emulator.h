#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace app {

class EditorWindow;

// Playing the open file, or a past version of it, in an emulator the user has. The command
// line is the user's own, kept in the editor's settings store; it is split as
// QProcess::splitCommand does and started detached, never through a shell, so a file name
// with spaces or quotes stays one argument.
namespace emulator {

// An emulator found on this machine, as EmulatorCBO offers it.
struct Found {
    QString name;
    QString command;
    QString folder; // where it was found
};

inline constexpr int kKeptCopies = 5;

// Mednafen, RetroArch with a SNES core in a libretro folder, Snes9x, bsnes, ares, higan; in
// that order, each from every folder it is in: PATH, /usr/games, /usr/local/games and the
// Flatpak export folders, /var/lib/flatpak/exports/bin and
// ~/.local/share/flatpak/exports/bin ($FLATPAK_SYSTEM_DIR and $FLATPAK_USER_DIR move them).
QList<Found> detect();

// The configured command line; empty when none is.
QString command();
void setCommand(const QString& line);

// `path` as one token of a command line.
QString quoted(const QString& path);
// The arguments of `line`, program first, with %f, %d and %n in each replaced by the ROM
// file's path, its folder and its name without extension (%% is a percent sign).
QStringList expand(const QString& line, const QString& romPath);

// Starts the configured emulator on `romPath`; with none configured the settings open first.
// A command that cannot start is a warning naming it and the reason. True when started.
bool play(QWidget* parent, const QString& romPath);

// $XDG_CACHE_HOME/Quillmark/valdric-play: where past versions are written to be played.
QString copiesFolder();
// Writes `image`, the version of the file at `openPath` right after history entry `id`, as
// "<name>-<id>.<ext>" in copiesFolder(), keeps the kKeptCopies newest copies there and plays
// it. The open file is neither written nor removed.
bool playVersion(QWidget* parent, const QString& openPath, qint64 id, const QByteArray& image);

} // namespace emulator

// Adds "&Play in Emulator" (mnuPlayROM, F5) and "Emulator Settings..." (mnuEmulatorSettings)
// to `fileMenu`. Returns Play, for the window to enable while a ROM is open and no list
// loads; it checks again when triggered.
QAction* addEmulatorEntries(QMenu* fileMenu, EditorWindow& window);

} // namespace app
