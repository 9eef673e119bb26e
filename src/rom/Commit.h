#pragma once

#include "rom/Span.h"

#include <functional>

namespace rom {

class RomFile;

enum class CommitResult {
    Written,      // every changed byte written and the file synced
    FileReplaced, // the path names another file now: nothing written
    FileMissing,  // nothing at the path any more: nothing written
    Conflict,     // the file no longer holds the bytes the spans expect, or a span would
                  // change the file's length: nothing written
    Stopped,      // the checks passed but the caller chose not to go on: nothing written
    WriteFailed,  // a write was refused part way: some changed bytes may be in the file
    SyncFailed,   // written, but the disk did not confirm it
};

// The one way an edit reaches the file. Checks that the path still names the open file,
// reads every span again and compares it with the bytes the edit was made over; then asks
// `beforeWriting` (when given) whether to go on, and only then writes the bytes that change
// (each run of contiguous changed bytes in one positioned write) and syncs. The reason of
// a failed write or sync is in rom.errorString().
CommitResult commitSpans(RomFile& rom, const QList<Span>& spans,
                         const std::function<bool()>& beforeWriting = {});

// The runs of contiguous bytes the spans change, in file order.
QList<Span> changedRuns(const QList<Span>& spans);

// The same spans the other way round: what takes an edit back.
QList<Span> reversed(const QList<Span>& spans);

} // namespace rom
