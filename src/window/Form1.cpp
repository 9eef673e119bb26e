#include "window/Form1.h"

#include "characters/CharacterPage.h"
#include "dialogs/AboutDialog.h"
#include "enemies/EnemyPage.h"
#include "filecommands/FileCommands.h"
#include "filesession/FileSession.h"
#include "items/ItemPage.h"
#include "opening/FileDrops.h"
#include "opening/OpenChecks.h"
#include "rom/CopierHeader.h"
#include "rominfo/ImageCheck.h"
#include "rominfo/MiscPage.h"
#include "tableview/TableViews.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Page.h"
#include "ui/Program.h"
#include "ui/Settings.h"
#include "window/EditMarks.h"
#include "window/NameLists.h"
#include "window/RowGuard.h"
#include "window/WindowKeys.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTabBar>

#include <variant>

namespace app {
namespace {

const QString kCancelMessage =
    QStringLiteral("You probably pressed cancel you moron.  -_-  Try loading it again this time "
                   "press OK. ^_^");
const QString kLoadingItems = QStringLiteral(" Loading Items...");
const QString kLoadingEnemies = QStringLiteral(" Loading Enemies...");

QString titleWith(const QString& ending) {
    return ui::kProgramTitle + QStringLiteral(" - Version ") + ui::versionText() +
           QStringLiteral(" - ") + ending;
}

// Moves a list's selection without running its row handler.
void setRowQuietly(QListWidget* list, int row) {
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row);
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    // Before any page is built no ROM is open, so the marks ask no page. While the lists
    // fill, the drop-downs of items are empty for a while: that is no edit, and the marks are
    // drawn again once the lists are full.
    marks_ = new EditMarks(
        this, [this] { return rom_.isOpen() && !loadingLists_ ? visiblePage() : nullptr; });
    marks_->setTitle(ui::kProgramTitle + QStringLiteral(" v") + ui::versionText());
    setFont(ui::windowFont());
    setWindowIcon(QIcon(QStringLiteral(":/valdric-editor.png")));

    auto* client = new QWidget(this);
    client->setObjectName("Form1Client");
    client->setFixedSize(836, 632);
    setCentralWidget(client);

    session_ = std::make_unique<FileSession>(*this, rom_);
    commands_ = std::make_unique<FileCommands>(*this, rom_, *session_);
    buildMenus();
    buildTabs();
    buildPages(client);
    buildStatusStrip();

    applyButton_ =
        ui::makeButton(client, "ApplyCMD", "Apply Changes", ui::twips(9450, 9120, 1485, 285));
    applyButton_->setEnabled(false);
    quitButton_ = ui::makeButton(client, "QuitCMD", "Cancel", ui::twips(10950, 9120, 1485, 285));
    connect(applyButton_, &QPushButton::clicked, this, &Form1::ApplyCMD_Click);
    connect(quitButton_, &QPushButton::clicked, this, &Form1::QuitCMD_Click);
    // Apply from anywhere in the window.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            if (applyButton_->isEnabled())
                ApplyCMD_Click();
        });

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    keys_ = new WindowKeys(this, exitAction_, tabs_, [this] { return loadingLists_; });
    new FileDrops(*this);
}

// The keys are let go first: the application's events reach them while the window's own
// parts are taken down.
Form1::~Form1() {
    delete keys_;
}

void Form1::buildPages(QWidget* client) {
    miscPage_ = std::make_unique<rominfo::MiscPage>(client, rom_, *session_);
    enemyPage_ = std::make_unique<enemies::EnemyPage>(client, rom_, *session_);
    characterPage_ = std::make_unique<characters::CharacterPage>(client, rom_, *session_);
    itemPage_ = std::make_unique<items::ItemPage>(client, rom_, *session_);
    pages_ = {miscPage_.get(), enemyPage_.get(), characterPage_.get(), itemPage_.get()};
    itemNames_ = new QStringListModel(this); // one for every drop-down list of items
    for (QComboBox* list : characterPage_->itemDropDowns() + enemyPage_->itemDropDowns())
        list->setModel(itemNames_);
    for (ui::Page* page : pages_) {
        page->watchEdits([this] { marks_->schedule(); });
        if (QListWidget* list = page->list()) {
            connect(list, &QListWidget::currentRowChanged, this,
                    [this, page](int row) { listRowChosen(*page, row); });
            new RowGuard(
                list, [this, page] { return !loadingLists_ && page->hasPendingEdits(); },
                [this] { return confirmLeaving(); });
        }
    }
}

void Form1::buildTabs() {
    QWidget* client = centralWidget();
    // The body of the tab strip; the page frames lie on top of it.
    QFrame* body = ui::makeFrame(client, "tabsBody", ui::twips(90, 300, 12345, 8715));
    body->setFrameShape(QFrame::StyledPanel);

    tabs_ = new QTabBar(client);
    tabs_->setObjectName("tabs");
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    // A tab's data is the kind its page edits; the "[N/A]" tabs have none.
    using records::RecordKind;
    const std::variant<const char*, RecordKind> tabs[] = {
        "Future Option [N/A]", RecordKind::Misc, RecordKind::Enemy,
        RecordKind::Character, RecordKind::Item, "Item Shops [N/A]"};
    for (const auto& tab : tabs) {
        const auto* kind = std::get_if<RecordKind>(&tab);
        const int index = tabs_->addTab(QString::fromLatin1(
            kind ? records::kindInfo(*kind).pageCaption : std::get<const char*>(tab)));
        tabs_->setTabData(index, kind ? QVariant(int(*kind)) : QVariant());
    }
    tabs_->setCurrentIndex(0);
    const QRect strip = ui::twips(90, 0, 12345, 9015);
    tabs_->setGeometry(strip.left(), strip.top(), strip.width(), tabs_->sizeHint().height());
    tabs_->setEnabled(false);
    connect(tabs_, &QTabBar::currentChanged, this, [this] { tabs_Click(); });
}

void Form1::buildStatusStrip() {
    QFrame* strip = ui::makeFrame(centralWidget(), "pbarFRA", ui::twips(270, 8610, 12075, 285));
    strip->setFrameShape(QFrame::NoFrame);
    pbar_ = new QProgressBar(strip);
    pbar_->setObjectName("pbar");
    pbar_->setGeometry(ui::twips(60, 0, 9945, 255));
    pbar_->setTextVisible(false);
    // The bar repaints once per list row while a ROM opens; the style's gradient bar costs
    // about 40 us a paint, a flat one about 2 us.
    pbar_->setStyleSheet("QProgressBar { border: 1px solid #808080; background: white; }"
                         "QProgressBar::chunk { background: #000080; }");
    pbar_->hide();
    loadingLabel_ =
        ui::makeLabel(strip, "LoadingLBL", "Loading...", ui::twips(10140, 0, 1725, 285));
    loadingLabel_->hide();
}

void Form1::CheckInstallation() {
    if (settings::read(settings::kInstalled).isEmpty()) {
        settings::write(settings::kInstalled,
                        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        settings::write(settings::kInstalledPath, QCoreApplication::applicationDirPath());
        SaveLastVersion();
        return;
    }
    marks_->setTitle(titleWith(QStringLiteral("No ROM Loaded")));
}

ui::Page* Form1::pageOfTab(int index) const {
    const QVariant id = tabs_->tabData(index);
    for (ui::Page* page : pages_)
        if (id.isValid() && int(page->id()) == id.toInt())
            return page;
    return nullptr;
}

ui::Page* Form1::visiblePage() const {
    for (ui::Page* page : pages_)
        if (page->frame()->isVisible())
            return page;
    return nullptr;
}

void Form1::showPage(const ui::Page* shown) {
    for (ui::Page* page : pages_)
        page->frame()->setVisible(page == shown);
}

// Shows row `row` of a page, reloading it even when it is already selected.
void Form1::loadRow(ui::Page& page, int row) {
    if (QListWidget* list = page.list())
        ui::selectRowAndLoad(list, row, [&page] { page.loadSelected(); });
    else
        page.loadSelected();
}

// Choosing a tab shows its page from its first record.
void Form1::tabs_Click() {
    const int chosen = tabs_->currentIndex();
    if (chosen != shownTab_ && !confirmLeaving()) {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(shownTab_);
        return;
    }
    shownTab_ = chosen;
    if (!rom_.isOpen() || loadingLists_)
        return;
    ui::Page* page = pageOfTab(chosen);
    showPage(page);
    if (page && page->id() == records::RecordKind::Item)
        loadingLabel_->hide();
    if (page)
        loadRow(*page, 0);
    marks_->schedule();
}

// Another row of a page's list, chosen in code (the user's clicks and keys are asked about by
// the list's RowGuard before they get here): the record shown is asked about first, while the
// list still shows its row.
void Form1::listRowChosen(ui::Page& page, int row) {
    if (row < 0)
        return;
    const int shown = page.shownRow();
    if (!loadingLists_ && shown >= 0 && shown != row && page.frame()->isVisible() &&
        page.hasPendingEdits()) {
        setRowQuietly(page.list(), shown);
        if (!confirmLeaving())
            return;
        setRowQuietly(page.list(), row);
    }
    page.loadSelected();
}

void Form1::ApplyCMD_Click() {
    applyShownRecord();
}

// At most one save runs: the visible page's. Armor and accessories are written from the
// "[N/A]" tabs too, where the item page keeps what it last showed.
bool Form1::applyShownRecord() {
    if (!rom_.isOpen() || loadingLists_)
        return false;
    for (const ui::Page* page : pages_)
        if (const QString refusal = page->applyRefusal(); !refusal.isEmpty()) {
            ui::showWarning(this, refusal);
            return false;
        }
    if (!session_->stillSameFile())
        return false;
    ui::Page* page = visiblePage();
    const bool written = page ? page->save() : itemPage_->saveFromOtherTab();
    marks_->schedule();
    return written;
}

bool Form1::confirmLeavingRecord() {
    return confirmLeaving();
}

bool Form1::confirmLeaving() {
    ui::Page* page = visiblePage();
    if (!rom_.isOpen() || loadingLists_ || !page || !page->hasPendingEdits())
        return true;
    switch (askAboutEdits(this, *page)) {
    case LeaveAnswer::Apply:
        return applyShownRecord();
    case LeaveAnswer::Discard:
        // Every control and every held value goes back to the file's, the item page's
        // element held without a strength included, so nothing discarded acts later.
        page->loadSelected();
        marks_->schedule();
        return true;
    case LeaveAnswer::Cancel:
        break;
    }
    return false;
}

void Form1::mnuExit_Click() {
    if (!confirmLeaving() || !views_->confirmClosing())
        return;
    SaveLastVersion();
    emit quitRequested(0);
}

void Form1::QuitCMD_Click() {
    mnuExit_Click();
}

void Form1::mnuAbout_Click() {
    AboutDialog about(this);
    about.exec();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!confirmLeaving() || !views_->confirmClosing()) {
        event->ignore();
        return;
    }
    event->accept();
    emit quitRequested(0);
}

void Form1::failedOpen() {
    marks_->setTitle(titleWith(QStringLiteral("No ROM Loaded")));
    ui::showWarning(this, kCancelMessage);
}

void Form1::OpenROM() {
    const QString path = ui::askRomFileName(this);
    if (path.isEmpty()) {
        if (!rom_.isOpen())
            failedOpen();
        return; // a cancel keeps the open ROM as it is
    }
    openRomPath(path);
}

void Form1::openRomPath(const QString& path) {
    // Edits in the table window are of the file being left too.
    if (!loadingLists_ && confirmLeaving() && views_->confirmClosing())
        openFile(path);
}

void Form1::openFile(const QString& path) {
    if (loadingLists_) // no second opening in the middle of one
        return;
    if (!prepareToOpen(this, path, rom_))
        return;
    QString error;
    if (!rom_.open(path, &error)) {
        ui::showWarning(this, QStringLiteral("The file \"%1\" could not be opened for reading and "
                                             "writing: %2")
                                  .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    setRomTitle();
    loadNameLists();
    miscPage_->LoadMiscellaneous();
    tabs_->setEnabled(true);
    session_->fileOpened();
    emit romOpened(rom_.path());
}

void Form1::fileReplaced() {
    const QString path = rom_.path();
    const ui::Page* page = visiblePage();
    const int row = page && page->list() ? page->list()->currentRow() : -1;
    ui::showWarning(this, QStringLiteral("The file \"%1\" was changed by another program, so "
                                         "nothing was written to it. It is opened again as it is "
                                         "now.")
                              .arg(QDir::toNativeSeparators(path)));
    openFile(path); // what was typed cannot go into the old file any more
    if (rom_.pathState() != rom::RomFile::PathState::SameFile)
        showNoRom(); // what is there now cannot be opened: the old file must not be edited
    else
        reloadVisiblePage(row);
}

void Form1::fileMissing() {
    ui::showWarning(this, QStringLiteral("The file \"%1\" is no longer there, so nothing was "
                                         "written to it.")
                              .arg(QDir::toNativeSeparators(rom_.path())));
    showNoRom();
}

void Form1::showNoRom() {
    rom_.close();
    marks_->setTitle(titleWith(QStringLiteral("No ROM Loaded")));
    showPage(nullptr);
    tabs_->setCurrentIndex(0);
    tabs_->setEnabled(false);
    applyButton_->setEnabled(false);
    commands_->updateEditMenu();
    views_->romStateChanged();
}

void Form1::reloadVisiblePage(int row) {
    if (ui::Page* page = visiblePage())
        loadRow(*page, row < 0 && page->list() ? page->list()->currentRow() : row);
}

bool Form1::showRecord(records::RecordKind id, int row) {
    if (!rom_.isOpen() || loadingLists_ || !confirmLeaving())
        return false;
    for (int index = 0; index < tabs_->count(); ++index)
        if (ui::Page* page = pageOfTab(index); page && page->id() == id) {
            tabs_->setCurrentIndex(index); // shows the first record when the tab changes
            loadRow(*page, row);
        }
    return true;
}

QMetaObject::Connection
Form1::whenFileOpened(QObject* context, const std::function<void(const QString& path)>& opened) {
    return connect(this, &Form1::romOpened, context, opened);
}

QStringList Form1::itemNames() const {
    return itemNames_->stringList();
}

void Form1::setRomTitle() {
    const QByteArray name = rom_.readBytes(rominfo::kHeaderTable.base, rominfo::kNameLength);
    marks_->setTitle(titleWith(rom::textOfBytes(name)));
}

void Form1::loadNameLists() {
    NameListControls controls;
    controls.itemList = itemPage_->list();
    controls.itemNames = itemNames_;
    controls.itemDropDowns = characterPage_->itemDropDowns() + enemyPage_->itemDropDowns();
    controls.statBoost = itemPage_->statBoostList();
    controls.ailmentLists = itemPage_->ailmentLists();
    controls.enemyList = enemyPage_->list();
    controls.progress = pbar_;
    controls.loadingLabel = loadingLabel_;
    controls.apply = applyButton_;
    controls.quit = quitButton_;

    loadingLists_ = true;
    views_->romStateChanged();
    LoadItems(rom_, controls, kLoadingItems);
    LoadEnemyNames(rom_, controls, kLoadingEnemies);
    // The refilled lists and drop-downs show the new file: edits are counted from here.
    for (ui::Page* page : pages_)
        page->rememberShownValues();
    marks_->schedule();
    loadingLists_ = false;
}

} // namespace app
