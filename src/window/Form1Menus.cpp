// The main window's menu bar: File, Edit and Help, each entry named as the window's code and
// tests know it.
#include "filecommands/ApplyPatch.h"
#include "filecommands/FileCommands.h"
#include "filesession/FileSession.h"
#include "opening/RecentFiles.h"
#include "play/Emulator.h"
#include "tableview/TableViews.h"
#include "ui/Dialogs.h"
#include "ui/Links.h"
#include "window/Form1.h"

#include <QAction>
#include <QMenuBar>

namespace app {
namespace {

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

void Form1::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    openAction_ = addEntry(file, "mnuOpenROM", "&Open ROM", QKeySequence("Ctrl+O"), true);
    addRecentFilesMenu(file, *this);
    commands_->fillFileMenu(file);
    QAction* applyPatch = (new ApplyPatch(*this, rom_, *session_, this))->addEntry(file);
    connect(commands_.get(), &FileCommands::fileCommandsEnabled, applyPatch, &QAction::setEnabled);
    connect(commands_.get(), &FileCommands::fileCommandsEnabled, addEmulatorEntries(file, *this),
            &QAction::setEnabled);
    addEntry(file, "mnuSaveROM", "&Save ROM", QKeySequence("Ctrl+S"), false);
    addSeparator(file, "mnuSeparator1");
    addEntry(file, "mnuCloseROM", "&Close ROM", QKeySequence("Ctrl+C"), false);
    addSeparator(file, "mnuSeparator2");
    exitAction_ = addEntry(file, "mnuExit", "E&xit", QKeySequence("Ctrl+X"), true);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    commands_->fillEditMenu(edit);
    views_ = new TableViews(*this, rom_, *session_);
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

} // namespace app
