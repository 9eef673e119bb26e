#include "tables/TableEdits.h"

#include "rom/Commit.h"
#include "rom/NumberRules.h"

#include <cstring>

namespace tables {
namespace {

bool holds(const QByteArray& image, const records::Place& place) {
    return place.offset + place.width <= image.size();
}

bool differ(const QByteArray& a, const QByteArray& b, const records::Place& place) {
    if (!holds(a, place) || !holds(b, place))
        return holds(a, place) != holds(b, place);
    return std::memcmp(a.constData() + place.offset, b.constData() + place.offset,
                       size_t(place.width)) != 0;
}

// Copies `from` into `to`'s own buffer when it has one: the images are rewritten on every
// change of the file, and a fresh 4 MiB buffer costs a page fault for every 4 KiB written.
void overwrite(QByteArray& to, const QByteArray& from) {
    if (!to.isDetached() || to.size() != from.size()) {
        to = QByteArray(from.constData(), from.size());
        return;
    }
    std::memcpy(to.data(), from.constData(), size_t(from.size()));
}

const QList<records::Place>& placesOf(const std::pair<int, int>& record) {
    return sheets()[record.first].places(record.second);
}

} // namespace

void TableEdits::load(const QByteArray& file) {
    file_ = base_ = shown_ = file;
    touched_.clear();
    takeChanges();
    names_ = namesIn(file);
}

void TableEdits::fileChanged(const QByteArray& file) {
    // A record whose edits the file now holds (an Apply) is edited no more.
    std::set<Record> kept;
    for (const Record& record : touched_)
        if (isEdited(record) && !holdsEdits(file, record))
            kept.insert(record);
    struct Kept {
        const records::Place* place;
        QByteArray base;
        QByteArray shown;
    };
    QList<Kept> bytes;
    for (const Record& record : kept)
        for (const records::Place& place : placesOf(record))
            if (place.view.written && holds(base_, place))
                bytes.append({&place, base_.mid(place.offset, place.width),
                              shown_.mid(place.offset, place.width)});
    file_ = file;
    overwrite(base_, file);
    overwrite(shown_, file);
    for (const Kept& k : bytes)
        if (holds(base_, *k.place)) {
            base_.replace(k.place->offset, k.place->width, k.base);
            shown_.replace(k.place->offset, k.place->width, k.shown);
        }
    touched_ = kept;
    takeChanges();
    names_ = namesIn(file);
}

QString TableEdits::label(const Sheet& sheet, int row) const {
    const int record = sheet.recordRow(row);
    return history::RecordRef{sheet.kind().page, record, names_.of(sheet.kind().page, record)}
        .label();
}

bool TableEdits::isEdited(const Sheet& sheet, int row, int column) const {
    return sheet.value(shown_, row, column) != sheet.value(base_, row, column);
}

bool TableEdits::isEdited(const Record& record) const {
    for (const records::Place& place : placesOf(record))
        if (place.view.written && differ(shown_, base_, place))
            return true;
    return false;
}

bool TableEdits::holdsEdits(const QByteArray& file, const Record& record) const {
    for (const records::Place& place : placesOf(record))
        if (place.view.written && differ(shown_, file, place))
            return false;
    return true;
}

bool TableEdits::isEdited(const Sheet& sheet, int row) const {
    return touched_.count({sheet.index(), row}) && isEdited(Record{sheet.index(), row});
}

bool TableEdits::isConflict(const Sheet& sheet, int row) const {
    if (!isEdited(sheet, row))
        return false;
    for (const records::Place& place : sheet.places(row))
        if (place.view.written && differ(file_, base_, place))
            return true;
    return false;
}

bool TableEdits::hasEdits() const {
    for (const Record& record : touched_)
        if (isEdited(record))
            return true;
    return false;
}

QString TableEdits::enter(const Sheet& sheet, int row, int column, const QString& text) {
    for (const records::Place& place : sheet.places(row))
        if (place.view.written && !holds(file_, place))
            return rom::tooShortReason() + QLatin1Char('.');
    const records::Place& place = sheet.place(row, column);
    QByteArray before = shown_.mid(place.offset, place.width);
    const QString refusal = sheet.enter(shown_, row, column, text);
    if (!refusal.isEmpty())
        return refusal;
    touched_.insert({sheet.index(), row});
    QByteArray after = shown_.mid(place.offset, place.width);
    if (const auto at = changeAt_.constFind(place.offset); at != changeAt_.cend())
        changes_[*at].after = std::move(after);
    else if (before != after) {
        changeAt_.insert(place.offset, changes_.size());
        changes_.append({sheet.index(), row, place.offset, std::move(before), std::move(after)});
    }
    return QString();
}

QList<TableEdits::Change> TableEdits::takeChanges() {
    QList<Change> taken;
    for (Change& change : changes_)
        if (change.before != change.after)
            taken.append(std::move(change));
    changes_.clear();
    changeAt_.clear();
    return taken;
}

void TableEdits::restore(const QList<Change>& changes, bool before) {
    std::set<Record> records;
    for (qsizetype n = 0; n < changes.size(); ++n) {
        const Change& change = changes[before ? changes.size() - 1 - n : n];
        const QByteArray& bytes = before ? change.before : change.after;
        if (change.offset + bytes.size() <= shown_.size())
            shown_.replace(change.offset, bytes.size(), bytes);
        records.insert({change.sheet, change.row});
    }
    for (const Record& record : records) {
        touched_.insert(record);
        if (isEdited(record))
            continue;
        touched_.erase(record);
        for (const records::Place& place : placesOf(record))
            if (place.view.written && holds(file_, place) && holds(base_, place)) {
                base_.replace(place.offset, place.width, file_.constData() + place.offset,
                              place.width);
                shown_.replace(place.offset, place.width, file_.constData() + place.offset,
                               place.width);
            }
    }
}

TableEdits::Pending TableEdits::pending() const {
    Pending pending;
    for (const auto& [index, row] : touched_) {
        const Sheet& sheet = sheets()[index];
        if (!isEdited(sheet, row))
            continue;
        if (isConflict(sheet, row)) {
            pending.conflicts << label(sheet, row);
            continue;
        }
        for (const records::Place& place : sheet.places(row))
            if (place.view.written && differ(shown_, base_, place))
                pending.spans.append({place.offset, base_.mid(place.offset, place.width),
                                      shown_.mid(place.offset, place.width)});
        ++pending.records;
    }
    return pending;
}

} // namespace tables
