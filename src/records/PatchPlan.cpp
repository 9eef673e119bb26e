#include "records/PatchPlan.h"

#include <QSet>

namespace records {
namespace {

bool patchChanges(ChangeClass change) {
    return change == ChangeClass::OnlyThere || change == ChangeClass::Conflict;
}

// Keeps what the patch changes (taken or in conflict); the file's own changes and those the
// file already has are no part of the patch's preview.
Comparison patchPart(const Comparison& all) {
    Comparison part;
    QSet<std::pair<int, int>> records;
    part.fields.reserve(all.fields.size());
    for (const FieldChange& field : all.fields)
        if (patchChanges(field.change)) {
            part.fields << field;
            records.insert({int(field.page), field.row});
        }
    for (const OtherBytes& bytes : all.others)
        if (patchChanges(bytes.change)) {
            part.others << bytes;
            part.otherBytes += bytes.end - bytes.begin;
        }
    part.records = int(records.size());
    return part;
}

void takeTheirs(PatchPlan& plan, const QByteArray& open, const QByteArray& theirs) {
    QSet<std::pair<int, int>> records;
    for (const FieldChange& field : plan.comparison.fields)
        if (field.change == ChangeClass::OnlyThere) {
            plan.spans.append({field.place.offset, field.mine, field.theirs});
            records.insert({int(field.page), field.row});
        }
    for (const OtherBytes& bytes : plan.comparison.others)
        if (bytes.change == ChangeClass::OnlyThere)
            plan.spans.append({bytes.begin, open.mid(bytes.begin, bytes.end - bytes.begin),
                               theirs.mid(bytes.begin, bytes.end - bytes.begin)});
    plan.records = int(records.size());
}

} // namespace

PatchPlan planPatch(const QByteArray& open, const QByteArray& original, const QByteArray& patch,
                    qint64 shift) {
    PatchPlan plan;
    plan.patched = patches::applyPatch(open, patch, shift);
    QByteArray base = open;
    if (plan.patched.failure == patches::Patched::Failure::WrongSource && original != open) {
        patches::Patched onOriginal = patches::applyPatch(original, patch, shift);
        if (onOriginal.ok()) {
            plan.patched = std::move(onOriginal);
            plan.onOriginal = true;
            base = original;
        }
    }
    if (!plan.patched.ok())
        return plan;
    plan.comparison = patchPart(compareImages(base, open, plan.patched.image));
    takeTheirs(plan, open, plan.patched.image);
    return plan;
}

QString recordLabel(RecordKind page, int row, const PreviewNames& names) {
    return records::recordLabel(page, row,
                                names.recordName ? names.recordName(page, row) : QString());
}

QStringList previewLines(const PatchPlan& plan, const PreviewNames& names) {
    QStringList lines;
    const QList<FieldChange>& fields = plan.comparison.fields;
    for (qsizetype n = 0; n < fields.size();) {
        const FieldChange& first = fields[n];
        QStringList changes;
        for (; n < fields.size() && fields[n].page == first.page && fields[n].row == first.row;
             ++n) {
            const FieldChange& field = fields[n];
            QString words =
                withoutColon(field.place.view.caption) + QStringLiteral(": ") +
                fieldWords(field.place, plan.onOriginal ? field.base : field.mine, names.items) +
                QStringLiteral(" \u2192 ") + fieldWords(field.place, field.theirs, names.items);
            if (field.change == ChangeClass::Conflict)
                words += QStringLiteral(" (conflict: yours is %1 and stays)")
                             .arg(fieldWords(field.place, field.mine, names.items));
            changes << words;
        }
        lines << recordLabel(first.page, first.row, names) + QStringLiteral(" \u2014 ") +
                     changes.join(QStringLiteral(", "));
    }
    for (const OtherBytes& bytes : plan.comparison.others)
        lines << otherBytesText(bytes) + (bytes.change == ChangeClass::Conflict
                                              ? QStringLiteral(" (conflict: yours stay)")
                                              : QString());
    return lines;
}

QString previewTotals(const PatchPlan& plan) {
    const int conflicts = plan.comparison.count(ChangeClass::Conflict);
    return plan.comparison.totals() +
           (conflicts ? QStringLiteral("; %1 conflicts left as you have them").arg(conflicts)
                      : QString());
}

} // namespace records
