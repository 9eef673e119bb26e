// Median time of creating an IPS and a BPS patch for a 4 MiB image with 1, 100 and 10,000
// changed places spread evenly over it, beside the diff summary alone.
#include "Bench.h"
#include "patches/Bps.h"
#include "patches/Diff.h"
#include "patches/Ips.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 15;
constexpr qsizetype kImageSize = 4 * 1024 * 1024;

QByteArray noiseImage() {
    QByteArray image(kImageSize, Qt::Uninitialized);
    quint32 state = 2024;
    for (char& byte : image) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return image;
}

// Each place is a record-sized edit of three bytes.
QByteArray edited(const QByteArray& source, int places) {
    QByteArray target = source;
    const qsizetype step = kImageSize / places;
    for (int place = 0; place < places; ++place)
        for (qsizetype i = 0; i < 3; ++i)
            target[place * step + step / 2 + i] =
                static_cast<char>(~source[place * step + step / 2 + i]);
    return target;
}

} // namespace

void bench::patching() {
    const QByteArray source = noiseImage();
    std::printf("patches of a 4 MiB image, median of %d runs\n", kRuns);
    for (const int places : {1, 100, 10000}) {
        const QByteArray target = edited(source, places);
        qsizetype counted = 0;
        qsizetype ipsSize = 0;
        qsizetype bpsSize = 0;
        const double diff = bench::medianMs(
            kRuns, [&] { counted = qsizetype(patches::summarizeDiff(source, target).places); });
        const double ips = bench::medianMs(
            kRuns, [&] { ipsSize = patches::createIps(source, target).patch.size(); });
        const double bps =
            bench::medianMs(kRuns, [&] { bpsSize = patches::createBps(source, target).size(); });
        std::printf("%6lld places: summary %6.2f ms   IPS %6.2f ms (%lld bytes)   BPS %6.2f ms "
                    "(%lld bytes)\n",
                    static_cast<long long>(counted), diff, ips, static_cast<long long>(ipsSize),
                    bps, static_cast<long long>(bpsSize));
    }
}
