#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

class QMenu;

namespace app {

class EditorWindow;

// The files opened last, most recent first, as absolute paths. They are kept in a store of
// their own (organisation "Quillmark", application "valdric-editor": an INI file under
// $XDG_CONFIG_HOME/Quillmark), so the program's three settings never share a file with them.
namespace recent {

inline constexpr int kLimit = 8;

QStringList files();
// Puts `path` first, drops an older entry for the same file and keeps at most kLimit.
void add(const QString& path);
void clear();
QString storePath();

} // namespace recent

// Adds the submenu "Open &Recent" (mnuOpenRecent) to `fileMenu`: entries mnuRecent0 to
// mnuRecent7 for the recent files (an entry whose file is gone is disabled), a separator and
// "Clear Menu" (mnuClearRecent). Every successful open in `window` is recorded, and an entry
// opens its file as File > Open ROM opens a chosen one.
QMenu* addRecentFilesMenu(QMenu* fileMenu, EditorWindow& window);

} // namespace app
