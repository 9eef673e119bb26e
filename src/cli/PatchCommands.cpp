#include "cli/PatchCommands.h"

#include "history/History.h"
#include "history/Versions.h"
#include "history/WriteAhead.h"
#include "records/PatchPlan.h"
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "rominfo/ImageCheck.h"
#include "tables/Columns.h"
#include "tables/Csv.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace app {
namespace {

constexpr qint64 kLargestPatch = 64 * 1024 * 1024;

records::PreviewNames namesOf(const QByteArray& image) {
    const tables::Names names = tables::namesIn(image);
    return {[names](records::RecordKind page, int row) { return names.of(page, row); },
            names.items};
}

// Record, field, base, file, other, class: one row per field, then one per run of bytes.
QList<QStringList> diffRows(const records::Comparison& comparison, bool withBase,
                            const records::PreviewNames& names) {
    QList<QStringList> rows;
    for (const records::FieldChange& field : comparison.fields) {
        const auto words = [&](const QByteArray& bytes) {
            return records::fieldWords(field.place, bytes, names.items);
        };
        rows.append({records::recordLabel(field.page, field.row, names),
                     records::withoutColon(field.place.view.caption),
                     withBase ? words(field.base) : QString(), words(field.mine),
                     words(field.theirs),
                     withBase ? records::classWords(field.change) : QStringLiteral("differs")});
    }
    for (const records::OtherBytes& bytes : comparison.others)
        rows.append({QStringLiteral("Other bytes"), records::otherBytesText(bytes), QString(),
                     QString(), QString(),
                     withBase ? records::classWords(bytes.change) : QStringLiteral("differs")});
    return rows;
}

const QStringList kDiffHeader = {"Record", "Field", "Base", "File", "Other", "Class"};

void printText(const QList<QStringList>& rows, bool withBase, QTextStream& out) {
    for (const QStringList& row : rows) {
        if (row[0] == QLatin1String("Other bytes"))
            out << row[1];
        else if (withBase)
            out << QStringLiteral("%1 \u2014 %2: base %3, file %4, other %5")
                       .arg(row[0], row[1], row[2], row[3], row[4]);
        else
            out << QStringLiteral("%1 \u2014 %2: %3 \u2192 %4").arg(row[0], row[1], row[3], row[4]);
        out << (withBase ? QStringLiteral(" (%1)").arg(row[5]) : QString()) << '\n';
    }
}

void printMarkdown(const QList<QStringList>& rows, QTextStream& out) {
    const auto line = [&out](const QStringList& cells) {
        QStringList escaped;
        for (const QString& cell : cells)
            escaped << QString(cell).replace(QLatin1Char('|'), QStringLiteral("\\|"));
        out << "| " << escaped.join(QStringLiteral(" | ")) << " |\n";
    };
    line(kDiffHeader);
    line(QStringList(kDiffHeader.size(), QStringLiteral("---")));
    for (const QStringList& row : rows)
        line(row);
}

} // namespace

int runDiff(const DiffRequest& request, QTextStream& out, QTextStream& err) {
    QString why;
    const auto file = rom::readHeaderless(request.file, &why);
    const auto other = file ? rom::readHeaderless(request.other, &why) : std::nullopt;
    const auto base =
        other && !request.base.isEmpty() ? rom::readHeaderless(request.base, &why) : file;
    if (!file || !other || !base) {
        err << why << '\n';
        return 3;
    }
    const bool withBase = !request.base.isEmpty();
    const records::Comparison comparison = records::compareImages(*base, *file, *other);
    const QList<QStringList> rows = diffRows(comparison, withBase, namesOf(*file));
    const bool sizesDiffer = file->size() != other->size() || file->size() != base->size();
    switch (request.format) {
    case DiffFormat::Csv:
        out << QString::fromUtf8(tables::writeCsv(QList<QStringList>{kDiffHeader} + rows));
        break;
    case DiffFormat::Markdown:
        printMarkdown(rows, out);
        break;
    case DiffFormat::Text:
        printText(rows, withBase, out);
        if (sizesDiffer)
            out << QStringLiteral("The files differ in size.\n");
        out << comparison.totals() << '\n';
        break;
    }
    return comparison.same() && !sizesDiffer ? 0 : 1;
}

namespace {

int fail(QTextStream& err, const QString& message) {
    err << message << '\n';
    return 1;
}

// The reason the command may not change `path`; empty when it may.
QString refusal(const ApplyPatchRequest& request) {
    if (rom::hasCopierHeader(request.file))
        return QStringLiteral("\"%1\" has a 512-byte copier header; open it once in the editor "
                              "to remove it.")
            .arg(request.file);
    QString why;
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(request.file, &why);
    if (!look || look->imageSize > rom::kRomImageSize)
        return QStringLiteral("\"%1\" could not be opened: %2")
            .arg(request.file, look ? QStringLiteral("it is too large") : why);
    if (!request.force && !look->looksLikeValdric())
        return rominfo::unfamiliarImageText(request.file, *look) +
               QStringLiteral(" Give --force to use it anyway.");
    return QString();
}

} // namespace

int runApplyPatch(const ApplyPatchRequest& request, QTextStream& out, QTextStream& err) {
    if (const QString refused = refusal(request); !refused.isEmpty())
        return fail(err, refused + QStringLiteral(" Nothing was written."));
    QFile patchFile(request.patch);
    if (QFileInfo(request.patch).size() > kLargestPatch || !patchFile.open(QIODevice::ReadOnly))
        return fail(err, QStringLiteral("The patch \"%1\" could not be read: %2 Nothing was "
                                        "written.")
                             .arg(request.patch, patchFile.isOpen() ? QStringLiteral("too large.")
                                                                    : patchFile.errorString()));
    const QByteArray patch = patchFile.readAll();
    rom::RomFile rom;
    QString error;
    if (!rom.open(request.file, &error))
        return fail(err, QStringLiteral("\"%1\" could not be opened: %2").arg(request.file, error));
    const QString file = QFileInfo(request.file).canonicalFilePath();
    history::History log;
    if (!request.dryRun)
        log.settleAll(file, rom);
    const QByteArray open = rom.readBytes(0, rom.size());
    const records::PatchPlan plan =
        records::planPatch(open, history::versionAfter(open, log.entries(file)), patch,
                           request.header ? rom::kCopierHeaderSize : 0);
    if (!plan.usable())
        return fail(err, plan.patched.reason + QStringLiteral(" Nothing was written."));
    for (const QString& line : records::previewLines(plan, namesOf(open)))
        out << line << '\n';
    out << records::previewTotals(plan) << '\n';
    if (request.dryRun || plan.spans.isEmpty()) {
        out << QStringLiteral("Nothing was written.\n");
        return 0;
    }
    const QString name = QFileInfo(request.patch).fileName();
    const history::Written written = history::writeApply(
        log, rom, file, history::RecordRef::patch(name, plan.records), plan.spans);
    if (written.result != rom::CommitResult::Written)
        return fail(err, QStringLiteral("\"%1\" could not be written: %2 What reached the file is "
                                        "in the history, where Undo takes it back.")
                             .arg(request.file, rom.errorString()));
    if (written.unrecorded)
        err << QStringLiteral("The patch cannot be undone: the history of changes could not "
                              "record it (%1).\n")
                   .arg(log.problem());
    out << QStringLiteral("Applied %1 to \"%2\".\n").arg(name, request.file);
    return 0;
}

} // namespace app
