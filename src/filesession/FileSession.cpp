#include "filesession/FileSession.h"

#include "history/WriteAhead.h"
#include "rom/RomFile.h"
#include "ui/Dialogs.h"

#include <QFileInfo>

#include <algorithm>

namespace app {
namespace {

const QString kConflict = QStringLiteral("%1 was changed by another program since it was shown; "
                                         "nothing was written. The page now shows the file's "
                                         "values.");
const QString kStepUnrecorded = QStringLiteral("Nothing was %1: the history of changes cannot "
                                               "be written (%2).");
const QString kPartlyWritten =
    QStringLiteral("The editor ended while it was writing a change to %1, and only part of it "
                   "reached the file. That part is kept in the history, so Undo takes it back.");

} // namespace

QString undoneWord(bool undo) {
    return undo ? QStringLiteral("undone") : QStringLiteral("redone");
}

FileSession::FileSession(EditorWindow& window, rom::RomFile& rom)
    : window_(window), rom_(rom), unrecorded_(window.widget()),
      versions_(std::make_unique<history::KeptVersions>(history_, file_)) {}

void FileSession::fileOpened() {
    file_ = QFileInfo(rom_.path()).canonicalFilePath();
    settlePending();
    versions_ = std::make_unique<history::KeptVersions>(history_, file_);
    emit historyChanged();
}

// A change the program was writing when it ended last.
void FileSession::settlePending() {
    for (const history::RecordRef& record : history_.settleAll(file_, rom_))
        ui::showWarning(dialogParent(), kPartlyWritten.arg(record.label()));
}

std::optional<history::Entry> FileSession::nextEntry(bool undo) {
    return undo ? history_.nextUndo(file_) : history_.nextRedo(file_);
}

QList<history::Entry> FileSession::entries(qint64 olderThan, int count) {
    return history_.entries(file_, olderThan, count);
}

bool FileSession::stillSameFile() {
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

ui::FileAccess::Outcome FileSession::commit(const history::RecordRef& record,
                                            const QList<rom::Span>& spans) {
    const history::Written written = history::writeApply(history_, rom_, file_, record, spans);
    if (written.id)
        versions_->changed(*written.id);
    const rom::CommitResult result = written.result;
    emit historyChanged();
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
bool FileSession::reportFailure(rom::CommitResult result, const QString& conflict) {
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

bool FileSession::takeBack(const history::Entry& entry, bool undo) {
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
    emit historyChanged();
    return written;
}

bool FileSession::revert(QList<history::Entry> entries) {
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

} // namespace app
