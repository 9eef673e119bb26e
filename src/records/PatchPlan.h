#pragma once

#include "patches/PatchReaders.h"
#include "records/Comparison.h"
#include "rom/Span.h"

#include <functional>

namespace records {

// What applying a patch to the open file would do, worked out in memory. A BPS or UPS patch
// made for the file as it was before the changes made in this editor (`original`) is
// applied to that original instead, and its changes are offered on top of the file's own:
// fields the patch changes and the file does not are taken, fields both changed
// differently are conflicts and stay as the file has them.
struct PatchPlan {
    patches::Patched patched; // its failure and reason when the patch cannot be used
    bool onOriginal = false;  // made for the original, not for the file as it is
    Comparison comparison;    // base, the open file ("here") and the patched image ("there")
    QList<rom::Span> spans;   // what an Apply writes: every change only the patch makes
    int records = 0;          // the records those spans change

    bool usable() const { return patched.ok(); }
};

// `shift` moves every IPS record that many bytes earlier (512 for a copier header).
PatchPlan planPatch(const QByteArray& open, const QByteArray& original, const QByteArray& patch,
                    qint64 shift);

// The names a preview shows: a record's name by its page and row, and the item lists' rows.
struct PreviewNames {
    std::function<QString(RecordKind, int)> recordName;
    QStringList items;
};

// One line per changed record ("Enemy 5 Horn's — HP: 1200 → 1500, Level: 12 → 14", a
// conflict as "HP: 1200 → 1500 (yours: 1300, kept)"), then one per run of other bytes.
QStringList previewLines(const PatchPlan& plan, const PreviewNames& names);
// "38 records, 212 fields, 64 other bytes", with the conflicts where there are any.
QString previewTotals(const PatchPlan& plan);
// The record's label: "Enemy 5 Horn's", "Internal ROM header".
QString recordLabel(RecordKind page, int row, const PreviewNames& names);

} // namespace records
