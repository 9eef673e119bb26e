#include "rom/Commit.h"

#include "rom/RomFile.h"

#include <algorithm>
#include <map>

namespace rom {

CommitResult commitSpans(RomFile& rom, const QList<Span>& spans,
                         const std::function<bool()>& beforeWriting) {
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
    if (beforeWriting && !beforeWriting())
        return CommitResult::Stopped;
    const QList<Span> runs = changedRuns(spans);
    for (const Span& run : runs)
        if (!rom.writeBytes(run.offset, run.after))
            return CommitResult::WriteFailed;
    return runs.isEmpty() || rom.sync() ? CommitResult::Written : CommitResult::SyncFailed;
}

QList<Span> changedRuns(const QList<Span>& spans) {
    std::map<qint64, std::pair<char, char>> changed; // offset: before, after
    for (const Span& span : spans)
        for (qsizetype i = 0; i < span.after.size() && i < span.before.size(); ++i)
            if (span.before[i] != span.after[i])
                changed[span.offset + i] = {span.before[i], span.after[i]};
    QList<Span> runs;
    for (const auto& [offset, bytes] : changed) {
        if (runs.isEmpty() || runs.last().offset + runs.last().after.size() != offset)
            runs.append({offset, QByteArray(), QByteArray()});
        runs.last().before.append(bytes.first);
        runs.last().after.append(bytes.second);
    }
    return runs;
}

QList<Span> reversed(const QList<Span>& spans) {
    QList<Span> back;
    for (const Span& span : spans)
        back.append({span.offset, span.after, span.before});
    return back;
}

} // namespace rom
