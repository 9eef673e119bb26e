#include "filecommands/FileCommands.h"

#include "dialogs/HistoryDialog.h"
#include "dialogs/PatchDialog.h"
#include "filesession/FileSession.h"
#include "play/Emulator.h"
#include "rom/RomFile.h"
#include "rominfo/Checksum.h"
#include "tables/Tables.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>

namespace app {
namespace {

const QString kHistoryMoved =
    QStringLiteral("The history of this file changed since the Edit menu was shown (in another "
                   "window, for instance), so nothing was %1. The Edit menu now names the "
                   "change %2 acts on.");

QAction* addAction(QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    // A focused text box takes Ctrl+Z and Ctrl+Y for its own undo before the menu sees them.
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    return action;
}

} // namespace

FileCommands::FileCommands(EditorWindow& window, rom::RomFile& rom, FileSession& session)
    : window_(window), rom_(rom), session_(session) {
    connect(&session_, &FileSession::historyChanged, this, &FileCommands::updateEditMenu);
}

void FileCommands::fillFileMenu(QMenu* menu) {
    createPatchEntry_ = addAction(menu, "mnuCreatePatch", "Create &Patch...", QKeySequence());
    exportEntry_ = addAction(menu, "mnuExportTables", "&Export Tables...", QKeySequence());
    importEntry_ = addAction(menu, "mnuImportTables", "&Import Tables...", QKeySequence());
    connect(createPatchEntry_, &QAction::triggered, this, &FileCommands::createPatch);
    connect(exportEntry_, &QAction::triggered, this, &FileCommands::exportTables);
    connect(importEntry_, &QAction::triggered, this, &FileCommands::importTables);
}

void FileCommands::fillEditMenu(QMenu* menu) {
    undoEntry_ = addAction(menu, "mnuUndoApply", "&Undo Apply", QKeySequence::Undo);
    redoEntry_ = addAction(menu, "mnuRedoApply", "&Redo Apply", QKeySequence("Ctrl+Y"));
    menu->addSeparator();
    historyEntry_ = addAction(menu, "mnuHistory", "&History...", QKeySequence());
    checksumEntry_ = addAction(menu, "mnuUpdateChecksum", "Update ROM &Checksum", QKeySequence());
    connect(checksumEntry_, &QAction::triggered, this, &FileCommands::updateChecksum);
    connect(undoEntry_, &QAction::triggered, this, &FileCommands::undoApply);
    connect(redoEntry_, &QAction::triggered, this, &FileCommands::redoApply);
    connect(historyEntry_, &QAction::triggered, this, &FileCommands::showHistory);
    connect(menu, &QMenu::aboutToShow, this, &FileCommands::updateEditMenu);
    dialogParent()->installEventFilter(this);
}

bool FileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialogParent() && event->type() == QEvent::WindowActivate)
        updateEditMenu();
    return QObject::eventFilter(watched, event);
}

// The captions name the entries the actions act on; a history that cannot be written
// offers neither.
void FileCommands::updateEditMenu() {
    const bool usable = rom_.isOpen() && !window_.isLoadingLists();
    const bool steps = usable && session_.canRecordSteps();
    const auto undo = steps ? session_.nextEntry(true) : std::nullopt;
    const auto redo = steps ? session_.nextEntry(false) : std::nullopt;
    undoEntry_->setText(undo ? "&Undo Apply: " + undo->record.label() : "&Undo Apply");
    redoEntry_->setText(redo ? "&Redo Apply: " + redo->record.label() : "&Redo Apply");
    undoEntry_->setData(undo ? QVariant(undo->id) : QVariant());
    redoEntry_->setData(redo ? QVariant(redo->id) : QVariant());
    undoEntry_->setEnabled(undo.has_value());
    redoEntry_->setEnabled(redo.has_value());
    historyEntry_->setEnabled(usable);
    checksumEntry_->setEnabled(usable);
    for (QAction* action : {createPatchEntry_, exportEntry_, importEntry_})
        action->setEnabled(usable);
    emit fileCommandsEnabled(usable);
}

// The entry `named` (the id an action's caption names), while it is still the one to act on.
std::optional<history::Entry> FileCommands::namedEntry(bool undo, const QVariant& named) {
    const auto entry = session_.nextEntry(undo);
    if (entry && named == QVariant(entry->id))
        return entry;
    updateEditMenu();
    ui::showInformation(dialogParent(),
                        kHistoryMoved.arg(undoneWord(undo), undo ? QStringLiteral("Undo Apply")
                                                                 : QStringLiteral("Redo Apply")));
    return std::nullopt;
}

void FileCommands::step(bool undo) {
    const QVariant named = (undo ? undoEntry_ : redoEntry_)->data();
    if (!ready() || !namedEntry(undo, named) || !window_.confirmLeavingRecord())
        return;
    // Answering the question may have applied the page's edits: a newer entry.
    if (const auto entry = namedEntry(undo, named))
        session_.takeBack(*entry, undo);
}

void FileCommands::undoApply() {
    step(true);
}

void FileCommands::redoApply() {
    step(false);
}

// Commands wait for the name lists, and act only on the file at the open file's path.
bool FileCommands::ready() {
    return !window_.isLoadingLists() && session_.stillSameFile();
}

void FileCommands::showHistory() {
    if (!ready())
        return;
    HistoryDialog dialog(
        dialogParent(),
        {QFileInfo(rom_.path()).fileName(),
         [this](qint64 olderThan, int count) { return session_.entries(olderThan, count); },
         [this](const QList<history::Entry>& chosen) { session_.revert(chosen); },
         window_.itemNames(), [this](const history::Entry& chosen) { playVersion(chosen); }});
    dialog.exec();
}

// Built in memory from the open file, which is only read.
void FileCommands::playVersion(const history::Entry& chosen) {
    if (!ready())
        return;
    emulator::playVersion(dialogParent(), rom_.path(), chosen.id,
                          session_.versionAfter(rom_.readBytes(0, rom_.size()), chosen.id));
}

void FileCommands::updateChecksum() {
    if (!ready())
        return;
    const std::optional<QList<rom::Span>> spans = rominfo::checksumSpans(rom_);
    if (!spans) {
        ui::showWarning(dialogParent(),
                        QStringLiteral("The checksum covers a 4 MiB image; this file "
                                       "holds %1 bytes, so nothing was written.")
                            .arg(rom_.size()));
        return;
    }
    session_.commit({records::RecordKind::Misc, 0, QString()}, *spans);
    window_.reloadVisiblePage();
}

void FileCommands::createPatch() {
    if (!ready())
        return;
    const auto openFile = [this] { return rom_.readBytes(0, rom_.size()); };
    PatchDialog dialog(dialogParent(), {rom_.path(), openFile,
                                        [this, openFile] { return session_.original(openFile()); },
                                        [this] { updateChecksum(); }});
    dialog.exec();
}

void FileCommands::exportTables() {
    if (!ready())
        return;
    const QString folder = ui::askFolder(dialogParent(), QStringLiteral("Export Tables"));
    if (folder.isEmpty())
        return;
    const QString failure = tables::writeTables(rom_.readBytes(0, rom_.size()), folder);
    if (failure.isEmpty())
        ui::showInformation(dialogParent(), QStringLiteral("The tables were written to \"%1\".")
                                                .arg(QDir::toNativeSeparators(folder)));
    else
        ui::showWarning(dialogParent(),
                        failure + QStringLiteral(" The tables before it were written."));
}

void FileCommands::importTables() {
    if (!ready() || !window_.confirmLeavingRecord())
        return;
    const QString folder = ui::askFolder(dialogParent(), QStringLiteral("Import Tables"));
    if (folder.isEmpty())
        return;
    const tables::Import import = tables::readTables(rom_, folder);
    if (!import.problems.isEmpty()) {
        ui::showWarning(dialogParent(), QStringLiteral("The tables were not imported; nothing was "
                                                       "written.\n") +
                                            import.problems.mid(0, 10).join(QLatin1Char('\n')));
        return;
    }
    if (import.files == 0) {
        ui::showWarning(dialogParent(), QStringLiteral("The folder holds none of the tables."));
        return;
    }
    if (import.spans.isEmpty()) {
        ui::showInformation(dialogParent(),
                            QStringLiteral("The tables change nothing in the file."));
        return;
    }
    if (session_.commit(history::RecordRef::tableImport(import.records), import.spans) ==
        ui::FileAccess::Outcome::Written)
        window_.reloadVisiblePage();
}

} // namespace app
