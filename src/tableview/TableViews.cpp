#include "tableview/TableViews.h"

#include "compare/CompareMode.h"
#include "compare/PickCompared.h"
#include "filesession/FileSession.h"
#include "tableview/FindRecord.h"
#include "tableview/TableWindow.h"
#include "ui/EditorWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace app {
namespace {

QAction* addEntry(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    return action;
}

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TableViews::TableViews(EditorWindow& window, rom::RomFile& rom, FileSession& session)
    : QObject(window.widget()), window_(window), rom_(rom), session_(session) {
    window_.whenFileOpened(this, [this](const QString&) {
        romStateChanged();
        if (table_)
            table_->romOpened();
        if (find_)
            find_->readNames();
    });
}

void TableViews::addMenus(QMenuBar* bar, QMenu* edit) {
    edit->addSeparator();
    findRecordEntry_ =
        addEntry(edit, "mnuFindRecord", QStringLiteral("&Find Record..."), QKeySequence("Ctrl+F"));
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName("mnuView");
    tableView_ =
        addEntry(view, "mnuTableView", QStringLiteral("&Table View..."), QKeySequence("Ctrl+T"));
    compareWith_ = addEntry(view, "mnuCompareWith", QStringLiteral("&Compare With..."), {});
    connect(tableView_, &QAction::triggered, this, &TableViews::mnuTableView_Click);
    connect(compareWith_, &QAction::triggered, this, &TableViews::mnuCompareWith_Click);
    connect(findRecordEntry_, &QAction::triggered, this, &TableViews::mnuFindRecord_Click);
}

TableWindow* TableViews::tableWindow() const {
    return table_;
}

bool TableViews::usable() const {
    return rom_.isOpen() && !window_.isLoadingLists();
}

void TableViews::romStateChanged() {
    tableView_->setEnabled(usable());
    compareWith_->setEnabled(usable());
    findRecordEntry_->setEnabled(usable());
    if (rom_.isOpen())
        return;
    // What is left of the file's edits cannot be written anywhere.
    if (table_)
        table_->closeDroppingEdits();
    if (find_)
        find_->close();
}

bool TableViews::confirmClosing() {
    return !table_ || table_->confirmClosing();
}

void TableViews::mnuTableView_Click() {
    if (!usable())
        return;
    if (!table_)
        table_ = new TableWindow(window_, rom_, session_);
    bringToFront(table_);
}

// The other file is only read; the table window shows it beside the open file's records.
void TableViews::mnuCompareWith_Click() {
    if (!usable())
        return;
    const QByteArray open = rom_.readBytes(0, rom_.size());
    std::optional<ComparedFile> compared =
        pickCompared(window_.widget(), open, session_.original(open));
    if (!compared || !usable())
        return;
    compared->mine = QFileInfo(rom_.path()).fileName();
    mnuTableView_Click();
    table_->compareMode()->start(std::move(*compared));
}

void TableViews::mnuFindRecord_Click() {
    if (!usable())
        return;
    if (!find_)
        find_ = new FindRecord(window_.widget(), rom_, [this](records::RecordKind page, int row) {
            return window_.showRecord(page, row);
        });
    bringToFront(find_);
}

} // namespace app
