#pragma once

#include "records/Kinds.h"
#include "rom/RomFile.h"
#include "ui/EditorWindow.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStringListModel;
class QTabBar;

namespace characters {
class CharacterPage;
}
namespace enemies {
class EnemyPage;
}
namespace items {
class ItemPage;
}
namespace rominfo {
class MiscPage;
}
namespace ui {
class Page;
}

namespace app {

class EditMarks;
class FileCommands;
class FileSession;
class WindowKeys;
class TableViews;

// The main window: menu bar, tab strip, the four page frames, Apply and Cancel.
class Form1 : public QMainWindow, public EditorWindow {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The first-run test against the settings store.
    void CheckInstallation();

    // File > Open ROM: the dialog, then openRomPath with the chosen file.
    void OpenROM();
    // Everything after the dialog: header test and removal, open, title, lists, tabs. The
    // command line, a drop and the recent-files menu open files through it too.
    void openRomPath(const QString& path) override;
    void tabs_Click();
    void ApplyCMD_Click();
    void mnuExit_Click();
    void QuitCMD_Click();
    void mnuAbout_Click();

    QWidget* widget() override { return this; }
    const rom::RomFile& romFile() const override { return rom_; }
    QMetaObject::Connection
    whenFileOpened(QObject* context,
                   const std::function<void(const QString& path)>& opened) override;
    bool isLoadingLists() const override { return loadingLists_; }
    void fileReplaced() override;
    void fileMissing() override;
    void reloadVisiblePage(int row = -1) override;
    QStringList itemNames() const override;

    bool showRecord(records::RecordKind kind, int row) override;
    // Edits not applied on the visible page: asks whether to apply them first.
    bool confirmLeavingRecord() override;

  signals:
    // The program is to end with this status (Exit, Cancel, or the window closed).
    void quitRequested(int status);
    // A file was opened and its lists filled.
    void romOpened(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildTabs();
    void buildStatusStrip();
    void buildPages(QWidget* client);
    ui::Page* pageOfTab(int index) const;
    ui::Page* visiblePage() const;
    void showPage(const ui::Page* page);
    void loadRow(ui::Page& page, int row);
    void listRowChosen(ui::Page& page, int row);
    // Writes the record shown; true when it was written.
    bool applyShownRecord();
    // Asks about edits not applied; on Discard the page shows the file again. True when the
    // caller may go on.
    bool confirmLeaving();
    // openRomPath without the question about edits not applied.
    void openFile(const QString& path);
    void showNoRom();
    void failedOpen();
    void loadNameLists();
    void setRomTitle();

    rom::RomFile rom_;
    std::unique_ptr<FileSession> session_;
    std::unique_ptr<FileCommands> commands_;
    TableViews* views_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QProgressBar* pbar_ = nullptr;
    QLabel* loadingLabel_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    std::unique_ptr<items::ItemPage> itemPage_;
    QStringListModel* itemNames_ = nullptr;
    std::unique_ptr<enemies::EnemyPage> enemyPage_;
    std::unique_ptr<characters::CharacterPage> characterPage_;
    std::unique_ptr<rominfo::MiscPage> miscPage_;
    // In the order of their tabs.
    std::array<ui::Page*, 4> pages_{};
    int shownTab_ = 0;
    EditMarks* marks_ = nullptr;
    WindowKeys* keys_ = nullptr;
    bool loadingLists_ = false;
};

} // namespace app
