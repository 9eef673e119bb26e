// Filter and formula text over the columns of every kind, evaluated on the
// synthetic image (muParser underneath). The first byte picks the kind, the
// second a filter or a formula (bit 0) over the whole image or a short file's
// (bit 1), the third the formula's column; the rest is the text, as UTF-8.
#include "Fuzz.h"

#include "expressions/Formula.h"
#include "tables/Sheet.h"
#include "tables/TableEdits.h"

#include <algorithm>
#include <map>

namespace {

constexpr qsizetype kShortImage = 0x10000; // the internal header's bank only

void checkFilter(const tables::Sheet& sheet, const QString& text, const QByteArray& image) {
    expressions::RowCondition condition(sheet);
    if (!condition.parse(text).isEmpty())
        return;
    for (int row = 0; row < sheet.rowCount(); ++row)
        condition.holds(image, row);
}

// A formula sets only its column's field in the rows it is given, or says why
// not.
void checkFormula(tables::TableEdits& edits, const tables::Sheet& sheet, int column,
                  const QString& text, const QByteArray& image) {
    QList<expressions::Cell> cells;
    for (int row = 0; row < sheet.rowCount(); ++row)
        cells.append({row, column});
    const expressions::FormulaResult result =
        expressions::applyFormula(edits, sheet, cells, text, image);
    if (!result.error.isEmpty()) {
        fuzz::require(result.set == 0 && result.refused.isEmpty() && !edits.hasEdits(),
                      "a refused formula sets nothing");
        return;
    }
    fuzz::require(result.set + result.refused.size() == cells.size(), "every cell is answered");
    for (const QString& refusal : result.refused)
        fuzz::require(!refusal.isEmpty(), "a refused cell is told");
    const tables::TableEdits::Pending pending = edits.pending();
    fuzz::require(pending.conflicts.isEmpty() && pending.records <= result.set, "records counted");
    for (const rom::Span& span : pending.spans) {
        bool inColumn = false;
        for (int row = 0; row < sheet.rowCount() && !inColumn; ++row)
            inColumn = sheet.place(row, column).offset == span.offset &&
                       sheet.place(row, column).width == span.after.size();
        fuzz::require(inColumn, "a formula writes only its column");
        fuzz::require(span.before.size() == span.after.size() &&
                          span.offset + span.after.size() <= image.size(),
                      "a formula writes inside the file");
        fuzz::require(span.before == image.mid(span.offset, span.before.size()),
                      "a change starts from the file's bytes");
    }
}

// The edits over one image, kept for the whole run: loading reads every name of
// the image and the first edit copies all 4 MiB, so each input's changes are
// taken back instead, as undo does, after which the image shown must be the
// file again.
tables::TableEdits& editsOver(const QByteArray& image) {
    static std::map<const char*, tables::TableEdits> all;
    tables::TableEdits& edits = all[image.constData()];
    if (edits.file().isNull())
        edits.load(image);
    return edits;
}

// Whether the image shown is the file: the bytes of every record a change was made in (the
// only ones restore writes) and a few on each side of the change, and all 4 MiB at every
// 256th call as a guard.
bool showsFile(const tables::TableEdits& edits, const QList<tables::TableEdits::Change>& changes,
               const QByteArray& image) {
    static unsigned calls = 0;
    const QByteArray& shown = edits.shown();
    if (shown.size() != image.size())
        return false;
    if (++calls % 256 == 0)
        return shown == image;
    const auto same = [&](qint64 from, qint64 to) {
        from = std::clamp<qint64>(from, 0, image.size());
        to = std::clamp<qint64>(to, from, image.size());
        return std::equal(shown.begin() + from, shown.begin() + to, image.begin() + from);
    };
    constexpr qint64 kMargin = 16;
    for (const tables::TableEdits::Change& change : changes) {
        if (!same(change.offset - kMargin, change.offset + change.before.size() + kMargin))
            return false;
        for (const records::Place& place : tables::sheets()[change.sheet].places(change.row))
            if (!same(place.offset, place.offset + place.width))
                return false;
    }
    return true;
}

void takeBack(tables::TableEdits& edits, const QByteArray& image) {
    const QList<tables::TableEdits::Change> changes = edits.takeChanges();
    edits.restore(changes, true);
    fuzz::require(!edits.hasEdits() && showsFile(edits, changes, image),
                  "taking the changes back shows the file again");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const tables::Sheet& sheet = tables::sheets()[input.byte() % tables::sheets().size()];
    const quint8 choice = input.byte();
    const int column = input.byte() % sheet.columnCount();
    const QString text = QString::fromUtf8(input.rest());
    static const QByteArray shortImage = fuzz::image().left(kShortImage);
    const QByteArray& image = choice & 2 ? shortImage : fuzz::image();
    if (choice & 1) {
        tables::TableEdits& edits = editsOver(image);
        checkFormula(edits, sheet, column, text, image);
        takeBack(edits, image);
    } else
        checkFilter(sheet, text, image);
    return 0;
}
