#include "filecommands/EditActions.h"

#include "dialogs/HistoryDialog.h"
#include "dialogs/PatchDialog.h"
#include "history/WriteAhead.h"
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

const QString kConflict = QStringLiteral("%1 was changed by another program since it was shown; "
                                         "nothing was written. The page now shows the file's "
                                         "values.");
const QString kStepUnrecorded = QStringLiteral("Nothing was %1: the history of changes cannot "
                                               "be written (%2).");
const QString kHistoryMoved =
    QStringLiteral("The history of this file changed since the Edit menu was shown (in another "
                   "window, for instance), so nothing was %1. The Edit menu now names the "
                   "change %2 acts on.");
const QString kPartlyWritten =
    QStringLiteral("The editor ended while it was writing a change to %1, and only part of it "
                   "reached the file. That part is kept in the history, so Undo takes it back.");

QString undoneWord(bool undo) {
    return undo ? QStringLiteral("undone") : QStringLiteral("redone");
}

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

EditActions::EditActions(EditorWindow& window, rom::RomFile& rom)
    : window_(window), rom_(rom), unrecorded_(window.widget()),
      versions_(std::make_unique<history::KeptVersions>(history_, file_)) {}

void EditActions::fillFileMenu(QMenu* menu) {
    createPatch_ = addAction(menu, "mnuCreatePatch", "Create &Patch...", QKeySequence());
    exportTables_ = addAction(menu, "mnuExportTables", "&Export Tables...", QKeySequence());
    importTables_ = addAction(menu, "mnuImportTables", "&Import Tables...", QKeySequence());
    connect(createPatch_, &QAction::triggered, this, &EditActions::mnuCreatePatch_Click);
    connect(exportTables_, &QAction::triggered, this, &EditActions::mnuExportTables_Click);
    connect(importTables_, &QAction::triggered, this, &EditActions::mnuImportTables_Click);
}

void EditActions::fillEditMenu(QMenu* menu) {
    undo_ = addAction(menu, "mnuUndoApply", "&Undo Apply", QKeySequence::Undo);
    redo_ = addAction(menu, "mnuRedoApply", "&Redo Apply", QKeySequence("Ctrl+Y"));
    menu->addSeparator();
    showHistory_ = addAction(menu, "mnuHistory", "&History...", QKeySequence());
    updateChecksum_ = addAction(menu, "mnuUpdateChecksum", "Update ROM &Checksum", QKeySequence());
    connect(updateChecksum_, &QAction::triggered, this, &EditActions::mnuUpdateChecksum_Click);
    connect(undo_, &QAction::triggered, this, &EditActions::mnuUndoApply_Click);
    connect(redo_, &QAction::triggered, this, &EditActions::mnuRedoApply_Click);
    connect(showHistory_, &QAction::triggered, this, &EditActions::mnuHistory_Click);
    connect(menu, &QMenu::aboutToShow, this, &EditActions::updateEditMenu);
    dialogParent()->installEventFilter(this);
}

bool EditActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialogParent() && event->type() == QEvent::WindowActivate)
        updateEditMenu();
    return QObject::eventFilter(watched, event);
}

void EditActions::fileOpened() {
    file_ = QFileInfo(rom_.path()).canonicalFilePath();
    settlePending();
    versions_ = std::make_unique<history::KeptVersions>(history_, file_);
    updateEditMenu();
}

// A change the program was writing when it ended last.
void EditActions::settlePending() {
    for (const history::RecordRef& record : history_.settleAll(file_, rom_))
        ui::showWarning(dialogParent(), kPartlyWritten.arg(record.label()));
}

// The captions name the entries the actions act on; a history that cannot be written
// offers neither.
void EditActions::updateEditMenu() {
    const bool usable = rom_.isOpen() && !window_.isLoadingLists();
    const bool steps = usable && !history_.isReadOnly();
    const auto undo = steps ? history_.nextUndo(file_) : std::nullopt;
    const auto redo = steps ? history_.nextRedo(file_) : std::nullopt;
    undo_->setText(undo ? "&Undo Apply: " + undo->record.label() : "&Undo Apply");
    redo_->setText(redo ? "&Redo Apply: " + redo->record.label() : "&Redo Apply");
    undo_->setData(undo ? QVariant(undo->id) : QVariant());
    redo_->setData(redo ? QVariant(redo->id) : QVariant());
    undo_->setEnabled(undo.has_value());
    redo_->setEnabled(redo.has_value());
    showHistory_->setEnabled(usable);
    updateChecksum_->setEnabled(usable);
    for (QAction* action : {createPatch_, exportTables_, importTables_})
        action->setEnabled(usable);
    emit fileCommandsEnabled(usable);
}

bool EditActions::stillSameFile() {
    if (!rom_.isOpen())
        return false;
    switch (rom_.pathState()) {
    case rom::RomFile::PathState::SameFile:
        return true;
    case rom::RomFile::PathState::Replaced:
        window_.fileReplaced();
        return false;
    case rom::RomFile::PathState::Missing:
        window_.fileMissing();
        return false;
    }
    return false;
}

ui::FileAccess::Outcome EditActions::commit(const history::RecordRef& record,
                                            const QList<rom::Span>& spans) {
    const history::Written written = history::writeApply(history_, rom_, file_, record, spans);
    if (written.id)
        versions_->changed(*written.id);
    const rom::CommitResult result = written.result;
    updateEditMenu();
    if (written.unrecorded)
        unrecorded_.missed(record, history_.problem());
    else if (history_.problem().isEmpty())
        unrecorded_.recorded();
    if (!reportFailure(result, kConflict.arg(record.label())))
        return result == rom::CommitResult::Conflict      ? Outcome::Conflict
               : result == rom::CommitResult::WriteFailed ? Outcome::Failed
                                                          : Outcome::Refused;
    return Outcome::Written;
}

// Tells the user what went wrong; true when the bytes are in the file.
bool EditActions::reportFailure(rom::CommitResult result, const QString& conflict) {
    switch (result) {
    case rom::CommitResult::Written:
        return true;
    case rom::CommitResult::SyncFailed:
        ui::showWarning(dialogParent(), QStringLiteral("The changes were written but could not be "
                                                       "saved to the disk: %1")
                                            .arg(rom_.errorString()));
        return true;
    case rom::CommitResult::WriteFailed:
        ui::showWarning(dialogParent(),
                        QStringLiteral("The record could not be written completely, so "
                                       "it may be only partly changed in the file: %1")
                            .arg(rom_.errorString()));
        return false;
    case rom::CommitResult::Conflict:
        ui::showWarning(dialogParent(), conflict);
        return false;
    case rom::CommitResult::FileReplaced:
        window_.fileReplaced();
        return false;
    case rom::CommitResult::FileMissing:
        window_.fileMissing();
        return false;
    case rom::CommitResult::Stopped:
        return false;
    }
    return false;
}

// Undo writes an entry's old bytes, redo its new ones, each only over what the other left.
bool EditActions::takeBack(const history::Entry& entry, bool undo) {
    const QString conflict =
        QStringLiteral("%1 was changed since this change was made; nothing was %2.")
            .arg(entry.record.label(), undoneWord(undo));
    const rom::CommitResult result =
        history::writeStep(history_, rom_, entry, undo ? history::Step::Undo : history::Step::Redo);
    versions_->changed(entry.id);
    if (result == rom::CommitResult::Stopped)
        ui::showWarning(dialogParent(), kStepUnrecorded.arg(undoneWord(undo), history_.problem()));
    const bool written = reportFailure(result, conflict);
    if (result != rom::CommitResult::FileReplaced && result != rom::CommitResult::FileMissing)
        window_.reloadVisiblePage();
    updateEditMenu();
    return written;
}

// The entry `named` (the id an action's caption names), while it is still the one to act on.
std::optional<history::Entry> EditActions::namedEntry(bool undo, const QVariant& named) {
    const auto entry = undo ? history_.nextUndo(file_) : history_.nextRedo(file_);
    if (entry && named == QVariant(entry->id))
        return entry;
    updateEditMenu();
    ui::showInformation(dialogParent(),
                        kHistoryMoved.arg(undoneWord(undo), undo ? QStringLiteral("Undo Apply")
                                                                 : QStringLiteral("Redo Apply")));
    return std::nullopt;
}

void EditActions::step(bool undo) {
    const QVariant named = (undo ? undo_ : redo_)->data();
    if (!ready() || !namedEntry(undo, named) || !window_.confirmLeavingRecord())
        return;
    // Answering the question may have applied the page's edits: a newer entry.
    if (const auto entry = namedEntry(undo, named))
        takeBack(*entry, undo);
}

void EditActions::mnuUndoApply_Click() {
    step(true);
}

void EditActions::mnuRedoApply_Click() {
    step(false);
}

// Commands wait for the name lists, and act only on the file at the open file's path.
bool EditActions::ready() {
    return !window_.isLoadingLists() && stillSameFile();
}

bool EditActions::revert(QList<history::Entry> entries) {
    if (!window_.confirmLeavingRecord())
        return false;
    std::sort(entries.begin(), entries.end(),
              [](const history::Entry& a, const history::Entry& b) { return a.id > b.id; });
    for (const history::Entry& entry : entries) {
        if (entry.undone)
            continue;
        if (!stillSameFile() || !takeBack(entry, true))
            return false;
    }
    return true;
}

void EditActions::mnuHistory_Click() {
    if (!ready())
        return;
    HistoryDialog dialog(
        dialogParent(),
        {QFileInfo(rom_.path()).fileName(),
         [this](qint64 olderThan, int count) { return history_.entries(file_, olderThan, count); },
         [this](const QList<history::Entry>& chosen) { revert(chosen); }, window_.itemNames(),
         [this](const history::Entry& chosen) { playVersion(chosen); }});
    dialog.exec();
}

// Built in memory from the open file, which is only read.
void EditActions::playVersion(const history::Entry& chosen) {
    if (!ready())
        return;
    emulator::playVersion(dialogParent(), rom_.path(), chosen.id,
                          versions_->after(rom_.readBytes(0, rom_.size()), chosen.id));
}

void EditActions::mnuUpdateChecksum_Click() {
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
    commit({records::RecordKind::Misc, 0, QString()}, *spans);
    window_.reloadVisiblePage();
}

void EditActions::mnuCreatePatch_Click() {
    if (!ready())
        return;
    const auto openFile = [this] { return rom_.readBytes(0, rom_.size()); };
    PatchDialog dialog(dialogParent(),
                       {rom_.path(), openFile,
                        [this, openFile] { return versions_->original(openFile()); },
                        [this] { mnuUpdateChecksum_Click(); }});
    dialog.exec();
}

void EditActions::mnuExportTables_Click() {
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

void EditActions::mnuImportTables_Click() {
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
    if (commit(history::RecordRef::tableImport(import.records), import.spans) == Outcome::Written)
        window_.reloadVisiblePage();
}

} // namespace app
