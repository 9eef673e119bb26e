#pragma once

#include <QStringList>

class QWidget;

namespace app {

// What the edit actions need of the main window, and nothing more.
class EditorWindow {
  public:
    // The parent of messages and dialogs.
    virtual QWidget* widget() = 0;
    // While the name lists fill, no command runs.
    virtual bool isLoadingLists() const = 0;
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
