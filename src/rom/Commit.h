#pragma once

#include "rom/Span.h"

namespace rom {

class RomFile;

enum class CommitResult {
    Written,      // every span written and the file synced
    FileReplaced, // the path names another file now: nothing written
    FileMissing,  // nothing at the path any more: nothing written
    Conflict,     // the file no longer holds the bytes the spans expect, or a span would
                  // change the file's length: nothing written
    WriteFailed,  // a write was refused part way: the earlier spans are in the file
    SyncFailed,   // written, but the disk did not confirm it
};

// The one way an edit reaches the file. Checks that the path still names the open file,
// reads every span again and compares it with the bytes the edit was made over, and only
// then writes the spans in order and syncs. The reason of a failed write or sync is in
// rom.errorString().
// With `written`, how many spans are in the file whole (all but on a failed write).
CommitResult commitSpans(RomFile& rom, const QList<Span>& spans, qsizetype* written = nullptr);

// The same spans the other way round: what takes an edit back.
QList<Span> reversed(const QList<Span>& spans);

} // namespace rom
