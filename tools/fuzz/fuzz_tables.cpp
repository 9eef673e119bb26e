// The CSV reader and the whole table import. The first byte says which of the seven table
// files are given (bit k: the table of records::kinds()[k]) and, in its top bit, whether the
// image is a short file rather than a whole one; the texts of the files given follow in that
// order, split at each 0xFF byte (which UTF-8 text never holds).
#include "Fuzz.h"

#include "records/Records.h"
#include "rom/RomFile.h"
#include "tables/Csv.h"
#include "tables/Tables.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <bit>

namespace {

constexpr qint64 kShortImage = 0x10000; // the internal header's bank only

// Whatever the reader makes of a text, writing its rows gives the same rows back.
void checkCsv(const QByteArray& text) {
    const tables::CsvTable table = tables::readCsv(text);
    if (!table.ok()) {
        fuzz::require(table.rows.isEmpty() && table.errorLine >= 1, "a refusal has no rows");
        return;
    }
    fuzz::require(table.lineOfRow.size() == table.rows.size(), "every row has its line");
    for (qsizetype r = 1; r < table.rows.size(); ++r)
        fuzz::require(table.lineOfRow[r] > table.lineOfRow[r - 1], "rows are in line order");
    const tables::CsvTable again = tables::readCsv(tables::writeCsv(table.rows));
    fuzz::require(again.ok() && again.rows == table.rows, "written rows read back the same");
}

// Whether `span` is exactly the written place of a record of kind `k` (of records::kinds()).
bool isPlaceOf(qsizetype k, const rom::Span& span) {
    using Place = std::pair<qint64, qsizetype>; // offset and width
    static const QList<QSet<Place>> placesOfKind = [] {
        QList<QSet<Place>> all;
        for (const records::Kind& kind : records::kinds()) {
            all.append(QSet<Place>());
            for (int row = kind.first; row <= kind.last; ++row)
                for (const records::Place& place : records::placesOfRecord(kind.page, row))
                    if (place.view.written)
                        all.back().insert({place.offset, place.width});
        }
        return all;
    }();
    return placesOfKind[k].contains({span.offset, span.after.size()});
}

void checkImport(const tables::Import& import, const QByteArray& image, quint8 given) {
    for (const QString& problem : import.problems)
        fuzz::require(!problem.isEmpty(), "every problem is told");
    if (!import.problems.isEmpty()) {
        fuzz::require(import.spans.isEmpty(), "a refused import writes nothing");
        return;
    }
    fuzz::require((import.records == 0) == import.spans.isEmpty(), "records counted");
    for (const rom::Span& span : import.spans) {
        fuzz::require(span.changes() && span.before.size() == span.after.size(), "a real change");
        fuzz::require(span.offset >= 0 && span.offset + span.after.size() <= image.size(),
                      "an import writes inside the file");
        fuzz::require(span.before == image.mid(span.offset, span.before.size()),
                      "a span starts from the file's bytes");
        bool inGivenKind = false;
        for (qsizetype k = 0; k < records::kinds().size(); ++k)
            inGivenKind = inGivenKind || ((given >> k & 1) && isPlaceOf(k, span));
        fuzz::require(inGivenKind, "an import writes only fields of the tables given");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const quint8 choice = input.byte();
    const QList<QByteArray> texts = input.rest().split('\xff');
    static const QString folder = fuzz::scratchFolder();
    static const QByteArray wholeImage = fuzz::image();
    static const QByteArray shortImage = wholeImage.left(kShortImage);
    static fuzz::MemoryFile wholeFile(wholeImage, wholeImage.size());
    static fuzz::MemoryFile shortFile(shortImage, shortImage.size());
    const bool isShort = choice & 0x80;
    quint8 given = 0;
    for (qsizetype k = 0; k < records::kinds().size(); ++k) {
        QFile file(QDir(folder).filePath(QLatin1String(records::kinds()[k].fileName)));
        file.remove();
        if (!(choice >> k & 1))
            continue;
        const QByteArray text = texts.value(std::popcount(given));
        given |= quint8(1 << k);
        checkCsv(text);
        fuzz::require(file.open(QIODevice::WriteOnly) && file.write(text) == text.size(),
                      "a table file can be written");
    }
    rom::RomFile rom;
    fuzz::require(rom.open(isShort ? shortFile.path() : wholeFile.path()), "the image opens");
    const tables::Import import = tables::readTables(rom, folder);
    fuzz::require(import.files == std::popcount(given), "every table given is read");
    checkImport(import, isShort ? shortImage : wholeImage, given);
    return 0;
}
