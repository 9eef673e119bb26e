// Median time of previewing a BPS patch that changes every record of all six kinds (read,
// applied, compared field by field and put into the pages' words), and of classing every
// field of two full images against their base.
#include "Bench.h"
#include "patches/Bps.h"
#include "records/PatchPlan.h"
#include "romimage/RomImage.h"
#include "tables/Columns.h"

#include <cstdio>

namespace {
constexpr int kRuns = 15;
} // namespace

QByteArray bench::changedFields(QByteArray image, int every, int by) {
    int n = 0;
    for (const records::Kind& kind : records::kinds())
        for (int row = kind.first; row <= kind.last; ++row)
            for (const records::Place& place : records::placesOfRecord(kind.page, row))
                if (place.view.written && n++ % every == 0)
                    image[place.offset] = char(image[place.offset] + by);
    return image;
}

void bench::patchPreview() {
    const QByteArray base = synth::makeImage();
    const QByteArray everyRecord = bench::changedFields(base, 1, 1);
    const QByteArray patch = patches::createBps(base, everyRecord);
    std::printf("patch preview and field comparison, median of %d runs\n", kRuns);
    qsizetype lines = 0;
    const double preview = bench::medianMs(kRuns, [&] {
        const records::PatchPlan plan = records::planPatch(base, base, patch, 0);
        const tables::Names names = tables::namesIn(base);
        lines = records::previewLines(plan, {[&names](records::RecordKind page, int row) {
                                                 return names.of(page, row);
                                             },
                                             names.items})
                    .size();
    });
    std::printf("preview of a BPS changing every record (%lld lines): %7.2f ms (target < 100)\n",
                static_cast<long long>(lines), preview);
    const QByteArray mine = bench::changedFields(base, 2, 1);
    const QByteArray theirs = bench::changedFields(base, 3, 2);
    qsizetype fields = 0;
    const double classify = bench::medianMs(
        kRuns, [&] { fields = records::compareImages(base, mine, theirs).fields.size(); });
    std::printf("classing every field of two images with a base (%lld differ): %7.2f ms (target "
                "< 50)\n",
                static_cast<long long>(fields), classify);
}
