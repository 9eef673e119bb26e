#pragma once

#include <QString>

class QTextStream;

namespace app {

// `--diff OTHER FILE [--base ORIGINAL] [--format text|csv|markdown]`: every field in which
// OTHER differs from FILE, in the pages' words (record, field, base, file, other, class),
// then the other bytes as ranges and the totals. With a base, each difference is classed
// (only here, only there, alike, conflict); without one, FILE is the base. Files are only
// read. Exit status 0 when the records are the same, 1 when they differ, 3 with the reason
// on `err` when a file cannot be read.
enum class DiffFormat { Text, Csv, Markdown };
struct DiffRequest {
    QString other;
    QString file;
    QString base; // empty: none
    DiffFormat format = DiffFormat::Text;
};
int runDiff(const DiffRequest& request, QTextStream& out, QTextStream& err);

// `--apply-patch PATCH FILE [--header] [--dry-run] [--force]`: prints what the patch changes
// in the pages' words; without --dry-run writes it as one recorded change, after settling
// the file's pending changes. --header reads an IPS patch as made for an image with a
// copier header. Exit status 0, or 1 with the reason on `err` and nothing written.
struct ApplyPatchRequest {
    QString patch;
    QString file;
    bool header = false;
    bool dryRun = false;
    bool force = false; // a FILE unlike an image of Valdric
};
int runApplyPatch(const ApplyPatchRequest& request, QTextStream& out, QTextStream& err);

} // namespace app
