#include "rom/Commit.h"

#include "rom/RomFile.h"

#include <algorithm>

namespace rom {

CommitResult commitSpans(RomFile& rom, const QList<Span>& spans, qsizetype* written) {
    if (written)
        *written = 0;
    switch (rom.pathState()) {
    case RomFile::PathState::Replaced:
        return CommitResult::FileReplaced;
    case RomFile::PathState::Missing:
        return CommitResult::FileMissing;
    case RomFile::PathState::SameFile:
        break;
    }
    // An edit replaces bytes by as many bytes; anything else is refused with the rest.
    const bool unchanged = std::all_of(spans.begin(), spans.end(), [&rom](const Span& span) {
        return span.after.size() == span.before.size() &&
               rom.readBytes(span.offset, span.before.size()) == span.before;
    });
    if (!unchanged)
        return CommitResult::Conflict;
    const qsizetype whole = writeSpans(rom, spans);
    if (written)
        *written = whole;
    if (whole < spans.size())
        return CommitResult::WriteFailed;
    return rom.sync() ? CommitResult::Written : CommitResult::SyncFailed;
}

QList<Span> reversed(const QList<Span>& spans) {
    QList<Span> back;
    for (const Span& span : spans)
        back.append({span.offset, span.after, span.before});
    return back;
}

} // namespace rom
