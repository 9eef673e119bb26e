#include "app/EditHistory.h"

#include "app/Form1.h"
#include "app/HistoryDialog.h"
#include "app/PatchDialog.h"
#include "rom/RomFile.h"
#include "rominfo/Checksum.h"
#include "tables/Tables.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace app {
namespace {

const QString kConflict = QStringLiteral("%1 was changed by another program since it was shown; "
                                         "nothing was written. The page now shows the file's "
                                         "values.");

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

EditHistory::EditHistory(Form1& window, rom::RomFile& rom) : window_(window), rom_(rom) {}

void EditHistory::fillEditMenu(QMenu* menu) {
    undo_ = addAction(menu, "mnuUndoApply", "&Undo Apply", QKeySequence::Undo);
    redo_ = addAction(menu, "mnuRedoApply", "&Redo Apply", QKeySequence("Ctrl+Y"));
    menu->addSeparator();
    showHistory_ = addAction(menu, "mnuHistory", "&History...", QKeySequence());
    updateChecksum_ = addAction(menu, "mnuUpdateChecksum", "Update ROM &Checksum", QKeySequence());
    connect(updateChecksum_, &QAction::triggered, this, &EditHistory::mnuUpdateChecksum_Click);
    connect(undo_, &QAction::triggered, this, &EditHistory::mnuUndoApply_Click);
    connect(redo_, &QAction::triggered, this, &EditHistory::mnuRedoApply_Click);
    connect(showHistory_, &QAction::triggered, this, &EditHistory::mnuHistory_Click);
}

void EditHistory::fileOpened() {
    file_ = QFileInfo(rom_.path()).canonicalFilePath();
    updateEditMenu();
}

void EditHistory::updateEditMenu() {
    const bool usable = rom_.isOpen() && !window_.isLoadingLists();
    const auto undo = usable ? history_.nextUndo(file_) : std::nullopt;
    const auto redo = usable ? history_.nextRedo(file_) : std::nullopt;
    undo_->setText(undo ? "&Undo Apply: " + undo->record.label() : "&Undo Apply");
    redo_->setText(redo ? "&Redo Apply: " + redo->record.label() : "&Redo Apply");
    undo_->setEnabled(undo.has_value());
    redo_->setEnabled(redo.has_value());
    showHistory_->setEnabled(usable);
    updateChecksum_->setEnabled(usable);
    for (const char* name : {"mnuCreatePatch", "mnuExportTables", "mnuImportTables"})
        window_.findChild<QAction*>(name)->setEnabled(usable);
    tellIfHistoryIsOff();
}

bool EditHistory::stillSameFile() {
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

ui::FileAccess::Outcome EditHistory::commit(const history::RecordRef& record,
                                            const QList<rom::Span>& spans) {
    qsizetype written = 0;
    const rom::CommitResult result = rom::commitSpans(rom_, spans, &written);
    // What reached the file is recorded, also the part of a write that failed part way, so
    // that it can be taken back.
    if (written > 0) {
        history_.record(file_, record, spans.first(written));
        updateEditMenu();
    }
    if (!reportFailure(result, kConflict.arg(record.label())))
        return result == rom::CommitResult::Conflict      ? Outcome::Conflict
               : result == rom::CommitResult::WriteFailed ? Outcome::Failed
                                                          : Outcome::Refused;
    return Outcome::Written;
}

// Tells the user what went wrong; true when the bytes are in the file.
bool EditHistory::reportFailure(rom::CommitResult result, const QString& conflict) {
    switch (result) {
    case rom::CommitResult::Written:
        return true;
    case rom::CommitResult::SyncFailed:
        ui::showWarning(&window_, QStringLiteral("The changes were written but could not be "
                                                 "saved to the disk: %1")
                                      .arg(rom_.errorString()));
        return true;
    case rom::CommitResult::WriteFailed:
        ui::showWarning(&window_, QStringLiteral("The record could not be written completely, so "
                                                 "it may be only partly changed in the file: %1")
                                      .arg(rom_.errorString()));
        return false;
    case rom::CommitResult::Conflict:
        ui::showWarning(&window_, conflict);
        return false;
    case rom::CommitResult::FileReplaced:
        window_.fileReplaced();
        return false;
    case rom::CommitResult::FileMissing:
        window_.fileMissing();
        return false;
    }
    return false;
}

// Undo writes an entry's old bytes, redo its new ones, each only over what the other left.
bool EditHistory::takeBack(const history::Entry& entry, bool undo) {
    const QString conflict =
        QStringLiteral("%1 was changed since this change was made; nothing was %2.")
            .arg(entry.record.label(), undo ? QStringLiteral("undone") : QStringLiteral("redone"));
    const rom::CommitResult result =
        rom::commitSpans(rom_, undo ? rom::reversed(entry.spans) : entry.spans);
    const bool written = reportFailure(result, conflict);
    if (written)
        history_.setUndone(entry.id, undo);
    if (result != rom::CommitResult::FileReplaced && result != rom::CommitResult::FileMissing)
        window_.reloadVisiblePage();
    updateEditMenu();
    return written;
}

void EditHistory::mnuUndoApply_Click() {
    if (const auto entry = history_.nextUndo(file_); entry && ready())
        takeBack(*entry, true);
}

void EditHistory::mnuRedoApply_Click() {
    if (const auto entry = history_.nextRedo(file_); entry && ready())
        takeBack(*entry, false);
}

// Commands wait for the name lists, and act only on the file at the open file's path.
bool EditHistory::ready() {
    return !window_.isLoadingLists() && stillSameFile();
}

bool EditHistory::revert(QList<history::Entry> entries) {
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

void EditHistory::mnuHistory_Click() {
    if (!ready())
        return;
    HistoryDialog dialog(
        &window_, [this] { return history_.entries(file_); },
        [this](const QList<history::Entry>& chosen) { revert(chosen); }, window_.itemNames());
    dialog.exec();
}

void EditHistory::mnuUpdateChecksum_Click() {
    if (!ready())
        return;
    const std::optional<QList<rom::Span>> spans = rominfo::checksumSpans(rom_);
    if (!spans) {
        ui::showWarning(&window_, QStringLiteral("The checksum covers a 4 MiB image; this file "
                                                 "holds %1 bytes, so nothing was written.")
                                      .arg(rom_.size()));
        return;
    }
    commit({"misc", 0, QString()}, *spans);
    window_.reloadVisiblePage();
}

void EditHistory::mnuCreatePatch_Click() {
    if (!ready())
        return;
    const auto openFile = [this] { return rom_.readBytes(0, rom_.size()); };
    PatchDialog dialog(&window_,
                       {openFile,
                        [this, openFile] {
                            QByteArray image = openFile();
                            for (const history::Entry& entry : history_.entries(file_))
                                if (!entry.undone)
                                    for (const rom::Span& span : rom::reversed(entry.spans))
                                        image.replace(span.offset, span.after.size(), span.after);
                            return image;
                        },
                        [this] { mnuUpdateChecksum_Click(); }});
    dialog.exec();
}

void EditHistory::mnuExportTables_Click() {
    if (!ready())
        return;
    const QString folder = ui::askFolder(&window_, QStringLiteral("Export Tables"));
    if (folder.isEmpty())
        return;
    const QString failure = tables::writeTables(rom_, folder);
    ui::showWarning(&window_,
                    failure.isEmpty()
                        ? QStringLiteral("The tables were written to \"%1\".")
                              .arg(QDir::toNativeSeparators(folder))
                        : failure + QStringLiteral(" The tables before it were written."));
}

void EditHistory::mnuImportTables_Click() {
    if (!ready())
        return;
    const QString folder = ui::askFolder(&window_, QStringLiteral("Import Tables"));
    if (folder.isEmpty())
        return;
    const tables::Import import = tables::readTables(rom_, folder);
    if (!import.problems.isEmpty()) {
        ui::showWarning(&window_, QStringLiteral("The tables were not imported; nothing was "
                                                 "written.\n") +
                                      import.problems.mid(0, 10).join(QLatin1Char('\n')));
        return;
    }
    if (import.files == 0 || import.spans.isEmpty()) {
        ui::showWarning(&window_, import.files == 0
                                      ? QStringLiteral("The folder holds none of the tables.")
                                      : QStringLiteral("The tables change nothing in the file."));
        return;
    }
    if (commit({QLatin1String(tables::kImportPage), import.records, QString()}, import.spans) ==
        Outcome::Written)
        window_.reloadVisiblePage();
}

void EditHistory::tellIfHistoryIsOff() {
    if (toldHistoryOff_ || history_.problem().isEmpty())
        return;
    toldHistoryOff_ = true;
    ui::showWarning(&window_, QStringLiteral("The history of changes is off, so changes cannot be "
                                             "undone: %1. Changes are still written to the file.")
                                  .arg(history_.problem()));
}

} // namespace app
