#pragma once

#include "history/History.h"
#include "rom/Commit.h"

namespace history {

// An Apply (or an import, or the checksum) written through the history: once the file
// layer's checks pass, its entry is recorded as pending; then the changed bytes are written
// and synced and the entry is finished. A write that fails part way leaves as the entry the
// part that reached the file. The bytes are written also when the entry cannot be recorded.
struct Written {
    rom::CommitResult result;
    bool unrecorded;          // changed bytes reached the file but no entry holds them
    std::optional<qint64> id; // the entry, when one was recorded
};
Written writeApply(History& history, rom::RomFile& rom, const QString& file,
                   const RecordRef& record, const QList<rom::Span>& spans);

// The undo or redo of `entry` in the same way; nothing is written (Stopped) when the step
// cannot be recorded.
rom::CommitResult writeStep(History& history, rom::RomFile& rom, const Entry& entry, Step step);

} // namespace history
