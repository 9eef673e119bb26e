#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QMenuBar;

namespace rom {
class RomFile;
}

namespace app {

class FileSession;
class EditorWindow;
class FindRecord;
class TableWindow;

// The windows that look at many records at once: View > Table View (mnuTableView, Ctrl+T),
// View > Compare With... (mnuCompareWith, the table view in compare mode) and Edit > Find
// Record (mnuFindRecord, Ctrl+F). Their entries are enabled while a ROM is open and its
// lists are not loading; the windows follow the open file.
class TableViews : public QObject {
    Q_OBJECT
  public:
    TableViews(EditorWindow& window, rom::RomFile& rom, FileSession& session);

    // Adds Find Record to the end of `edit`, and the View menu to `bar`.
    void addMenus(QMenuBar* bar, QMenu* edit);
    // The main window calls it whenever a ROM opens or closes and when its lists start
    // loading; with no ROM the windows close.
    void romStateChanged();
    // Before the program ends: edits in the table window are asked about. False to stay.
    bool confirmClosing();

    void mnuTableView_Click();
    void mnuCompareWith_Click();
    void mnuFindRecord_Click();
    TableWindow* tableWindow() const;

  private:
    bool usable() const;

    EditorWindow& window_;
    rom::RomFile& rom_;
    FileSession& session_;
    QAction* tableView_ = nullptr;
    QAction* compareWith_ = nullptr;
    QAction* findRecordEntry_ = nullptr;
    QPointer<TableWindow> table_;
    QPointer<FindRecord> find_;
};

} // namespace app
