#include "history/Versions.h"

#include <algorithm>
#include <limits>

namespace history {
namespace {

// Whether a span's bytes could lie in any image: damage can leave any offset.
bool hasPlace(const rom::Span& span) {
    return span.offset >= 0 &&
           span.offset <= std::numeric_limits<qint64>::max() - span.before.size();
}

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

namespace history {

KeptVersions::KeptVersions(History& history, QString file)
    : history_(history), file_(std::move(file)) {}

void KeptVersions::refresh() {
    const auto mark = history_.changeMark();
    if (read_ && mark == mark_)
        return;
    covered_.clear();
    inEffect_.clear();
    for (const Entry& entry : history_.entries(file_))
        if (!entry.undone)
            add(entry);
    read_ = true;
    mark_ = mark;
}

void KeptVersions::changed(qint64 id) {
    if (!read_)
        return; // read whole at the first use
    refresh();
    remove(id);
    if (const std::optional<Entry> entry = history_.entry(id); entry && !entry->undone)
        add(*entry);
}

void KeptVersions::remove(qint64 id) {
    for (const rom::Span& span : inEffect_.take(id))
        for (qint64 offset = span.offset;
             hasPlace(span) && offset < span.offset + span.before.size(); ++offset) {
            const auto place = covered_.find(offset);
            if (place == covered_.end())
                continue;
            std::erase_if(place->second, [id](const Found& found) { return found.entry == id; });
            if (place->second.empty())
                covered_.erase(place);
        }
}

void KeptVersions::add(const Entry& entry) {
    inEffect_.insert(entry.id, entry.spans);
    for (int n = 0; n < entry.spans.size(); ++n) {
        const rom::Span& span = entry.spans[n];
        if (!hasPlace(span))
            continue;
        const qint64 end = span.offset + span.before.size();
        for (qint64 offset = span.offset; offset < end; ++offset) {
            std::vector<Found>& founds = covered_[offset];
            const Found found{entry.id, n, end, span.before[offset - span.offset]};
            founds.insert(std::upper_bound(founds.begin(), founds.end(), found,
                                           [](const Found& a, const Found& b) {
                                               return std::pair(a.entry, a.span) <
                                                      std::pair(b.entry, b.span);
                                           }),
                          found);
        }
    }
}

// Each covered byte as the oldest entry newer than `newerThan` found it.
QByteArray KeptVersions::overlaid(QByteArray image, qint64 newerThan) const {
    for (const auto& [offset, founds] : covered_) {
        if (offset >= image.size())
            break;
        auto found = std::upper_bound(
            founds.begin(), founds.end(), newerThan,
            [](qint64 id, const Found& candidate) { return id < candidate.entry; });
        while (found != founds.end() && found->spanEnd > image.size())
            ++found;
        if (found != founds.end())
            image[offset] = found->byte;
    }
    return image;
}

QByteArray KeptVersions::original(QByteArray image) {
    refresh();
    return overlaid(std::move(image), std::numeric_limits<qint64>::min());
}

QByteArray KeptVersions::after(QByteArray image, qint64 id) {
    refresh();
    const std::optional<Entry> kept = history_.entry(id);
    if (!kept)
        return overlaid(std::move(image), std::numeric_limits<qint64>::min());
    image = overlaid(std::move(image), id);
    if (kept->undone)
        for (const rom::Span& span : kept->spans)
            put(image, span.offset, span.after);
    return image;
}

} // namespace history
