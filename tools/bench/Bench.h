#pragma once

// The sections of `make bench`: each prints its medians, measured in this process.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// Median milliseconds of `runs` calls of `work`.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void opening();
void applying();
void patching();
void patchPreview();
void tabling();
void playing();
void tableView();
void chart();
void histories();
void comparing();

// `image` with every `every`-th written field of every record changed by `by` in its first byte.
QByteArray changedFields(QByteArray image, int every, int by);

// The floor of an opening of `path`: its name reads and row appends with no window shown.
double openingFloorMs(const QString& path);

} // namespace bench
