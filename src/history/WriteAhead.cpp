#include "history/WriteAhead.h"

#include <algorithm>

namespace history {
namespace {

bool reachedFile(rom::CommitResult result) {
    return result == rom::CommitResult::Written || result == rom::CommitResult::SyncFailed ||
           result == rom::CommitResult::WriteFailed;
}

// After the write: a whole one finishes the step, a failed one is settled by the file.
bool end(History& history, const rom::RomFile& rom, qint64 id, Step step,
         rom::CommitResult result) {
    if (result == rom::CommitResult::WriteFailed) {
        history.settle(id, rom);
        return true;
    }
    return history.finish(id, step);
}

} // namespace

Written writeApply(History& history, rom::RomFile& rom, const QString& file,
                   const RecordRef& record, const QList<rom::Span>& spans) {
    const bool changes = std::any_of(spans.begin(), spans.end(),
                                     [](const rom::Span& span) { return span.changes(); });
    std::optional<qint64> id;
    const rom::CommitResult result = rom::commitSpans(rom, spans, [&] {
        if (changes)
            id = history.beginApply(file, record, spans);
        return true;
    });
    const bool recorded = id && end(history, rom, *id, Step::Apply, result);
    return {result, changes && reachedFile(result) && !recorded, id};
}

rom::CommitResult writeStep(History& history, rom::RomFile& rom, const Entry& entry, Step step) {
    bool begun = false;
    const rom::CommitResult result =
        rom::commitSpans(rom, step == Step::Undo ? rom::reversed(entry.spans) : entry.spans,
                         [&] { return begun = history.beginStep(entry.id, step); });
    if (begun)
        end(history, rom, entry.id, step, result);
    return result;
}

} // namespace history
