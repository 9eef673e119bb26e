#include "history/Versions.h"

#include <algorithm>

namespace history {
namespace {

void put(QByteArray& image, qint64 offset, const QByteArray& bytes) {
    if (offset >= 0 && offset <= image.size() - bytes.size())
        image.replace(offset, bytes.size(), bytes);
}

} // namespace

QByteArray versionAfter(QByteArray image, const QList<Entry>& entries, std::optional<qint64> kept) {
    QList<const Entry*> newestFirst;
    for (const Entry& entry : entries)
        newestFirst << &entry;
    std::sort(newestFirst.begin(), newestFirst.end(),
              [](const Entry* a, const Entry* b) { return a->id > b->id; });
    for (const Entry* entry : newestFirst) {
        if (kept && entry->id == *kept) {
            if (entry->undone)
                for (const rom::Span& span : entry->spans)
                    put(image, span.offset, span.after);
            break;
        }
        if (!entry->undone)
            for (auto span = entry->spans.crbegin(); span != entry->spans.crend(); ++span)
                put(image, span->offset, span->before);
    }
    return image;
}

} // namespace history
