#pragma once

#include "tables/TableEdits.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

class QAction;
class QMenu;
class QTableView;

namespace app {

class TableFilter;

// What the table window lends its grid's commands.
struct GridHooks {
    std::function<TableFilter*()> filter; // the shown kind's rows
    std::function<bool()> ready;          // the file is open and the lists are filled
    std::function<void()> refresh;        // every cell shows the edits anew
    std::function<void()> apply;
    std::function<void(const QModelIndex&)> showRecord; // in the main window
};

// The spreadsheet side of the table window: copy and paste as tab-separated text, fill,
// undo and redo of the edits not yet applied (one step per entry, paste, fill or formula),
// and the keys of the grid: Enter commits and moves down, Ctrl+Tab leaves the grid,
// Ctrl+Return applies, Escape with nothing pending closes the window.
class GridCommands : public QObject {
    Q_OBJECT
  public:
    GridCommands(QWidget* window, QTableView* grid, tables::TableEdits& edits, GridHooks hooks);

    // The window's Edit menu (mnuTableEdit) with these commands.
    QMenu* editMenu() const { return menu_; }
    QUndoStack& undoStack() { return stack_; }
    // The edits entered since the last step become one step named `caption`.
    void record(const QString& caption);
    // After Apply, Discard or another file: the steps no longer undo anything.
    void clear() { stack_.clear(); }

    void mnuTableCopy_Click();
    void mnuTablePaste_Click();
    void mnuTableFillDown_Click();
    void mnuTableSetSelected_Click();
    void mnuTableShowRecord_Click();
    void mnuTableApply_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* addAction(const char* name, const QString& caption, QList<QKeySequence> keys);
    QWidget* openEditor() const;
    void commitEditor();
    void moveDown();
    void leaveGrid(bool forward);
    template <typename Run> void step(const QString& caption, Run run);

    QWidget* window_;
    QTableView* grid_;
    tables::TableEdits& edits_;
    GridHooks hooks_;
    QUndoStack stack_;
    QMenu* menu_ = nullptr;
};

} // namespace app
