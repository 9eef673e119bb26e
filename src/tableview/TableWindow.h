#pragma once

#include "expressions/Formula.h"
#include "grid/TableModel.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace rom {
class RomFile;
}

namespace app {

class ChartPane;
class ColumnState;
class CompareMode;
class FileSession;
class EditorWindow;
class GridCommands;
class FrozenTableView;

// View > Table View: every enemy, weapon, armor, accessory, item and character in one grid
// per kind, with a filter, inline edits applied together as one recorded change, the
// changes since the original marked, and formulas over selected cells. Not modal; it follows
// the open file as it changes on disk.
class TableWindow : public QWidget {
    Q_OBJECT
  public:
    TableWindow(EditorWindow& window, rom::RomFile& rom, FileSession& session);
    ~TableWindow() override;

    bool hasEdits() const { return state_.edits.hasEdits(); }
    // Asks about edits not yet applied: true when the window may close.
    bool confirmClosing();
    // Closes without asking, when the open file is gone.
    void closeDroppingEdits();
    // The main window opened a file: the same file keeps the edits, another drops them.
    void romOpened();
    // Reads the open file again: rows without edits show it, edited rows whose bytes
    // changed underneath become conflicts.
    void reloadFromFile();
    // Compare mode (View > Compare With...); its image is there for other views to show.
    CompareMode* compareMode() const { return compare_; }

    void TableKindTabs_Click();
    void TableFilterTXT_Change();
    void TableMarkChangesCHK_Click();
    void TableFormulaCMD_Click();
    void TableApplyCMD_Click();
    void TableDiscardCMD_Click();
    void TableGRD_DblClick(const QModelIndex& index);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildControls();
    void buildCommands(); // the Edit menu, its keys and the grid's context menu
    bool ready() const;
    bool readFile();
    TableModel* model() const;
    TableFilter* filter() const;
    QList<expressions::Cell> selectedCells() const;
    QByteArray originalImage();
    void readOriginal(); // while a check box needs it
    void watchOpenFile();
    void refresh();
    void updateStatus();

    EditorWindow& window_;
    rom::RomFile& rom_;
    FileSession& session_;
    TableState state_;
    QString file_; // canonical path of the file the edits belong to
    QList<TableModel*> models_;
    QList<TableFilter*> filters_;
    QTabBar* tabs_ = nullptr;
    FrozenTableView* grid_ = nullptr;
    QLineEdit* filterText_ = nullptr;
    QCheckBox* markChanges_ = nullptr;
    QCheckBox* changedOnly_ = nullptr;
    QCheckBox* showChart_ = nullptr;
    ChartPane* chart_ = nullptr; // beside the grid while showChart_ is checked
    QLineEdit* formula_ = nullptr;
    QCheckBox* relative_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* discard_ = nullptr;
    QLabel* status_ = nullptr;
    GridCommands* commands_ = nullptr;
    ColumnState* columns_ = nullptr;
    CompareMode* compare_ = nullptr;
    QString filterProblem_;
    QFileSystemWatcher watcher_;
    QTimer reload_; // gathers a burst of change signals into one reading
    bool dropEdits_ = false;
};

} // namespace app
