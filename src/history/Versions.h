#pragma once

#include "history/History.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace history {

// A past version of a file, built from the file as it is now and its history: every entry
// in effect newer than `kept` taken back, newest first, and `kept` itself put back in when
// it is undone now. With no entry kept, the file as it was before all the changes. A span
// that does not lie within the image (a history of another file's length) is passed over;
// nothing changes the image's length.
QByteArray versionAfter(QByteArray image, const QList<Entry>& entries,
                        std::optional<qint64> kept = std::nullopt);

} // namespace history
