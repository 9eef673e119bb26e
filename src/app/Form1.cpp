#include "app/Form1.h"

#include "app/AboutDialog.h"
#include "app/EditActions.h"
#include "app/FileDrops.h"
#include "app/Links.h"
#include "app/NameLists.h"
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "app/TableViews.h"
#include "characters/CharacterPage.h"
#include "enemies/EnemyPage.h"
#include "items/Elemental.h"
#include "items/ElementalSelector.h"
#include "items/ItemPage.h"
#include "rom/CopierHeader.h"
#include "rominfo/MiscPage.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Program.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>

namespace app {
namespace {

const QString kCancelMessage =
    QStringLiteral("You probably pressed cancel you moron.  -_-  Try loading it again this time "
                   "press OK. ^_^");
const QString kHeaderMessage =
    QStringLiteral("This ROM has a header, so I'm removing it to make it compatible with my "
                   "program and Tidewright");
const QString kElementMessage =
    QStringLiteral("You need to check one of either 50% Resistance or 80% Resistance checkboxes "
                   "before you can proceed.");
const QString kLoadingItems = QStringLiteral(" Loading Items...");
const QString kLoadingEnemies = QStringLiteral(" Loading Enemies...");

QString titleWith(const QString& ending) {
    return ui::kProgramTitle + QStringLiteral(" - Version ") + ui::versionText() +
           QStringLiteral(" - ") + ending;
}

QAction* addEntry(QMenu* menu, const QString& name, const QString& caption,
                  const QKeySequence& shortcut, bool enabled) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(enabled);
    return action;
}

void addSeparator(QMenu* menu, const QString& name) {
    menu->addSeparator()->setObjectName(name);
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" v") + ui::versionText());
    setFont(ui::windowFont());
    setWindowIcon(QIcon(QStringLiteral(":/valdric-editor.png")));

    auto* client = new QWidget(this);
    client->setObjectName("Form1Client");
    client->setFixedSize(836, 632);
    setCentralWidget(client);

    edits_ = std::make_unique<EditActions>(*this, rom_);
    buildMenus();
    buildTabs();
    miscPage_ = std::make_unique<rominfo::MiscPage>(client, rom_, *edits_);
    enemyPage_ = std::make_unique<enemies::EnemyPage>(client, rom_, *edits_);
    characterPage_ = std::make_unique<characters::CharacterPage>(client, rom_, *edits_);
    itemPage_ = std::make_unique<items::ItemPage>(client, rom_, *edits_);
    buildStatusStrip();

    applyButton_ =
        ui::makeButton(client, "ApplyCMD", "Apply Changes", ui::twips(9450, 9120, 1485, 285));
    applyButton_->setEnabled(false);
    quitButton_ = ui::makeButton(client, "QuitCMD", "Cancel", ui::twips(10950, 9120, 1485, 285));
    connect(applyButton_, &QPushButton::clicked, this, &Form1::ApplyCMD_Click);
    connect(quitButton_, &QPushButton::clicked, this, &Form1::QuitCMD_Click);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    new FileDrops(this);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    openAction_ = addEntry(file, "mnuOpenROM", "&Open ROM", QKeySequence("Ctrl+O"), true);
    addRecentFilesMenu(file, this);
    edits_->fillFileMenu(file);
    addEntry(file, "mnuSaveROM", "&Save ROM", QKeySequence("Ctrl+S"), false);
    addSeparator(file, "mnuSeparator1");
    addEntry(file, "mnuCloseROM", "&Close ROM", QKeySequence("Ctrl+C"), false);
    addSeparator(file, "mnuSeparator2");
    exitAction_ = addEntry(file, "mnuExit", "E&xit", QKeySequence("Ctrl+X"), true);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    edits_->fillEditMenu(edit);
    views_ = new TableViews(*this, rom_, *edits_);
    views_->addMenus(menuBar(), edit);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    addEntry(help, "mnuContents", "&Contents", QKeySequence("F1"), false);
    addEntry(help, "mnuTips", "&Tips and Tricks", QKeySequence("F2"), false);
    addSeparator(help, "mnuSeparator3");
    QAction* site =
        addEntry(help, "mnuLinkSite", "Goto &" + links::kSiteName, QKeySequence("F3"), true);
    QAction* utils = addEntry(help, "mnuUtils", "Get ROM Utilities", QKeySequence("F4"), true);
    addSeparator(help, "mnuSeparator4");
    QAction* about = addEntry(help, "mnuAbout", "&About", QKeySequence("F12"), true);

    connect(openAction_, &QAction::triggered, this, [this] {
        if (!loadingLists_) // no second opening in the middle of one
            OpenROM();
    });
    connect(exitAction_, &QAction::triggered, this, &Form1::mnuExit_Click);
    connect(site, &QAction::triggered, this, [] { ui::openWebAddress(QUrl(links::kSiteHome)); });
    connect(utils, &QAction::triggered, this,
            [] { ui::openWebAddress(QUrl(links::kSiteUtilities)); });
    connect(about, &QAction::triggered, this, &Form1::mnuAbout_Click);
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
    const std::pair<const char*, const char*> tabs[] = {
        {"Future Option [N/A]", "future"}, {"Miscellaneous", "misc"}, {"Enemy Stats", "enemy"},
        {"Character Stats", "char"},       {"Item Stats", "item"},    {"Item Shops [N/A]", "shop"}};
    for (const auto& [caption, key] : tabs) {
        const int index = tabs_->addTab(QString::fromLatin1(caption));
        tabs_->setTabData(index, QString::fromLatin1(key));
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
    setWindowTitle(titleWith(QStringLiteral("No ROM Loaded")));
}

void Form1::showPage(QWidget* page) {
    for (QWidget* frame :
         {static_cast<QWidget*>(miscPage_->frame()), static_cast<QWidget*>(enemyPage_->frame()),
          static_cast<QWidget*>(characterPage_->frame()),
          static_cast<QWidget*>(itemPage_->frame())})
        frame->setVisible(frame == page);
}

void Form1::tabs_Click() {
    if (!rom_.isOpen() || loadingLists_)
        return;
    const QString key = tabs_->tabData(tabs_->currentIndex()).toString();
    if (key == "enemy") {
        showPage(enemyPage_->frame());
        ui::selectRowAndLoad(enemyPage_->list(), 0, loaderOf(enemyPage_->list()));
    } else if (key == "char") {
        showPage(characterPage_->frame());
        ui::selectRowAndLoad(characterPage_->list(), 0, loaderOf(characterPage_->list()));
    } else if (key == "item") {
        showPage(itemPage_->frame());
        loadingLabel_->hide();
        ui::selectRowAndLoad(itemPage_->list(), 0, loaderOf(itemPage_->list()));
    } else if (key == "misc") {
        showPage(miscPage_->frame());
        miscPage_->LoadMiscellaneous();
    } else if (key == "shop" || key == "future") {
        showPage(nullptr);
    }
}

void Form1::ApplyCMD_Click() {
    if (!rom_.isOpen() || loadingLists_)
        return;
    // The held value stays after the item page has been left, so it is checked whatever
    // page is shown.
    if (items::lacksStrength(itemPage_->elemental().heldValue())) {
        ui::showWarning(this, kElementMessage);
        return;
    }
    if (edits_->stillSameFile())
        saveVisibleRecord();
}

// At most one save runs: the visible page's, or on the item page the category's. Armor
// and accessories are written from the "[N/A]" tabs too, where the item page keeps what
// it last showed.
bool Form1::saveVisibleRecord() {
    if (characterPage_->frame()->isVisible())
        return characterPage_->SaveCharacter();
    if (miscPage_->frame()->isVisible())
        return miscPage_->SaveMiscellaneous();
    if (enemyPage_->frame()->isVisible())
        return enemyPage_->SaveEnemy();
    const bool itemsShown = itemPage_->frame()->isVisible();
    switch (items::categoryOfRow(itemPage_->selectedRow())) {
    case items::ItemCategory::Weapon:
        return itemsShown && itemPage_->SaveWeapon();
    case items::ItemCategory::Armor:
        return itemPage_->SaveArmor();
    case items::ItemCategory::Accessory:
        return itemPage_->SaveAccessory();
    case items::ItemCategory::NormalItem:
        return itemsShown && itemPage_->SaveNormalItem();
    case items::ItemCategory::None:
        break;
    }
    return false;
}

void Form1::mnuExit_Click() {
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
    event->accept();
    emit quitRequested(0);
}

void Form1::failedOpen() {
    setWindowTitle(titleWith(QStringLiteral("No ROM Loaded")));
    ui::showWarning(this, kCancelMessage);
}

// A headered image is made headerless on disk before it is opened; if that fails the
// file is left as it was and not opened, so nothing is ever edited at the wrong offsets.
bool Form1::prepareHeaderlessFile(const QString& path) {
    if (!rom::hasCopierHeader(path))
        return true;
    ui::showWarning(this, kHeaderMessage);
    QString error;
    if (!rom::removeCopierHeader(path, &error)) {
        ui::showWarning(this, QStringLiteral("The copier header could not be removed from "
                                             "\"%1\": %2\nThe file was not changed.")
                                  .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    // The open ROM may be this very file: its handle now points at the replaced copy.
    if (rom_.isOpen() &&
        QFileInfo(rom_.path()).canonicalFilePath() == QFileInfo(path).canonicalFilePath())
        rom_.close();
    return true;
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
    if (loadingLists_) // no second opening in the middle of one
        return;
    if (!prepareHeaderlessFile(path))
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
    edits_->fileOpened();
    emit romOpened(rom_.path());
}

void Form1::fileReplaced() {
    const QString path = rom_.path();
    QListWidget* list = visibleList();
    const int row = list ? list->currentRow() : -1;
    ui::showWarning(this, QStringLiteral("The file \"%1\" was changed by another program, so "
                                         "nothing was written to it. It is opened again as it is "
                                         "now.")
                              .arg(QDir::toNativeSeparators(path)));
    openRomPath(path);
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
    setWindowTitle(titleWith(QStringLiteral("No ROM Loaded")));
    showPage(nullptr);
    tabs_->setCurrentIndex(0);
    tabs_->setEnabled(false);
    applyButton_->setEnabled(false);
    edits_->updateEditMenu();
    views_->romStateChanged();
}

QListWidget* Form1::visibleList() const {
    if (enemyPage_->frame()->isVisible())
        return enemyPage_->list();
    if (characterPage_->frame()->isVisible())
        return characterPage_->list();
    if (itemPage_->frame()->isVisible())
        return itemPage_->list();
    return nullptr;
}

void Form1::reloadVisiblePage(int row) {
    if (miscPage_->frame()->isVisible())
        miscPage_->LoadMiscellaneous();
    if (QListWidget* list = visibleList())
        ui::selectRowAndLoad(list, row < 0 ? list->currentRow() : row, loaderOf(list));
}

// The selection handler of a page's list.
std::function<void()> Form1::loaderOf(QListWidget* list) {
    if (list == enemyPage_->list())
        return [this] { enemyPage_->EnemyLST_Click(); };
    if (list == characterPage_->list())
        return [this] { characterPage_->CharLST_Click(); };
    return [this] { itemPage_->ItemLST_Click(); };
}

bool Form1::confirmLeavingRecord() {
    return true;
}

bool Form1::showRecord(records::PageId page, int row) {
    if (!rom_.isOpen() || loadingLists_ || !confirmLeavingRecord())
        return false;
    const char* key = page == records::PageId::Enemy       ? "enemy"
                      : page == records::PageId::Character ? "char"
                      : page == records::PageId::Item      ? "item"
                                                           : "misc";
    for (int index = 0; index < tabs_->count(); ++index)
        if (tabs_->tabData(index).toString() == QLatin1String(key))
            tabs_->setCurrentIndex(index);
    if (QListWidget* list = visibleList())
        ui::selectRowAndLoad(list, row, loaderOf(list));
    return true;
}

QStringList Form1::itemNames() const {
    QStringList names;
    for (int row = 0; row < itemPage_->list()->count(); ++row)
        names << itemPage_->list()->item(row)->text();
    return names;
}

void Form1::setRomTitle() {
    const QByteArray name = rom_.readBytes(rominfo::kHeaderTable.base, rominfo::kNameLength);
    setWindowTitle(titleWith(rom::textOfBytes(name)));
}

void Form1::loadNameLists() {
    NameListControls controls;
    controls.itemList = itemPage_->list();
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
    loadingLists_ = false;
}

bool Form1::isCtrlXForThisWindow(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->keyCombination() != QKeyCombination(Qt::ControlModifier, Qt::Key_X))
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == this && !QApplication::activeModalWidget();
}

// Ctrl+X is Exit everywhere in the window: a text box must not take it as Cut. While the
// name lists load, the tab strip takes no input, so no page can be reached half filled.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (isCtrlXForThisWindow(watched, event)) {
        event->accept();
        if (event->type() == QEvent::ShortcutOverride)
            exitAction_->trigger();
        return true;
    }
    if (loadingLists_ && watched == tabs_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace app
