#include "compare/CompareSession.h"

namespace app {
namespace {

// The sheet and grid row of record `row` of `page`; none for the header.
std::optional<std::pair<const tables::Sheet*, int>> gridRowOf(records::RecordKind page, int row) {
    for (const tables::Sheet& sheet : tables::sheets())
        if (sheet.kind().page == page && row >= sheet.kind().first && row <= sheet.kind().last)
            return std::pair{&sheet, row - sheet.kind().first};
    return std::nullopt;
}

} // namespace

CompareSession::CompareSession(ComparedFile file, const tables::TableEdits& edits)
    : file_(std::move(file)), edits_(edits) {
    fileChanged();
}

void CompareSession::setBase(const QByteArray& base, const QString& name) {
    file_.base = base;
    file_.baseName = name;
    fileChanged();
}

void CompareSession::fileChanged() {
    comparison_ = records::compareImages(file_.base, edits_.file(), file_.theirs);
    changedFields_.clear();
    differing_.clear();
    for (const records::FieldChange& field : std::as_const(comparison_.fields)) {
        changedFields_.insert(field.place.offset);
        const auto at = gridRowOf(field.page, field.row);
        if (at && field.change != records::ChangeClass::Alike)
            differing_.insert({at->first->index(), at->second});
    }
}

std::optional<ComparedCell> CompareSession::cell(const tables::Sheet& sheet, int row,
                                                 int column) const {
    if (!changedFields_.contains(sheet.place(row, column).offset) &&
        !edits_.isEdited(sheet, row, column))
        return std::nullopt;
    const int base = sheet.value(file_.base, row, column);
    const int mine = edits_.value(sheet, row, column);
    const int theirs = sheet.value(file_.theirs, row, column);
    const auto change = records::changeClass(mine != base, theirs != base, mine == theirs);
    if (!change)
        return std::nullopt;
    return ComparedCell{*change, theirs, base};
}

bool CompareSession::shows(const tables::Sheet& sheet, int row) const {
    return !onlyDifferences_ || differing_.contains({sheet.index(), row});
}

QList<CompareSession::Cell> CompareSession::cellsOf(records::ChangeClass change) const {
    QList<Cell> cells;
    for (const records::FieldChange& field : comparison_.fields) {
        const auto at = gridRowOf(field.page, field.row);
        if (!at)
            continue;
        const auto& [sheet, row] = *at;
        for (int column = 0; column < sheet->columnCount(); ++column) {
            if (sheet->place(row, column).offset != field.place.offset)
                continue;
            const std::optional<ComparedCell> compared = cell(*sheet, row, column);
            if (compared && compared->change == change)
                cells.append({sheet, row, column});
        }
    }
    return cells;
}

} // namespace app
