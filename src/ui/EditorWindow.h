#pragma once

#include "records/Kinds.h"

#include <QMetaObject>
#include <QStringList>

#include <functional>

class QObject;
class QWidget;

namespace rom {
class RomFile;
}

namespace app {

// What the window's helpers (file session and commands, table views, play-testing, recent
// files, drops) need of the main window, and nothing more.
class EditorWindow {
  public:
    // The parent of messages and dialogs.
    virtual QWidget* widget() = 0;
    // The open file; closed while none is.
    virtual const rom::RomFile& romFile() const = 0;
    // While the name lists fill, no command runs.
    virtual bool isLoadingLists() const = 0;
    // Opens `path` as File > Open ROM opens a chosen file, asking first about edits not
    // applied.
    virtual void openRomPath(const QString& path) = 0;
    // `opened` runs with the file's path each time a file has opened and its lists are
    // filled, for as long as `context` lives.
    virtual QMetaObject::Connection
    whenFileOpened(QObject* context, const std::function<void(const QString& path)>& opened) = 0;
    // Shows record `row` of `kind`: its tab chosen and its row selected. False when no ROM
    // is open, the lists are loading or the user kept the record shown now.
    virtual bool showRecord(records::RecordKind kind, int row) = 0;
    // Shows again, from the file, the record the visible page shows (or row `row`).
    virtual void reloadVisiblePage(int row = -1) = 0;
    // Another program saved a new file over the open one: it is opened again as it is now.
    virtual void fileReplaced() = 0;
    // Nothing is at the open file's path any more: back to the "No ROM Loaded" state.
    virtual void fileMissing() = 0;
    // The rows of the item lists, as the name loader filled them.
    virtual QStringList itemNames() const = 0;
    // Before a command changes or leaves what the page shows: asks about edits not yet
    // applied. True when the command may go on.
    virtual bool confirmLeavingRecord() = 0;

  protected:
    ~EditorWindow() = default;
};

} // namespace app
