#pragma once

#include <QByteArray>

namespace patches {

// A BPS patch: "BPS1", the source, target and metadata sizes (no metadata), the actions,
// then the little-endian CRC32s of the source, the target and the patch itself. The
// actions run once through the target: a SourceRead for every stretch the source already
// holds at the same offset and a TargetRead carrying every differing stretch and any bytes
// past the source's end. Any pair of sizes can be expressed, shrinking included.
QByteArray createBps(const QByteArray& source, const QByteArray& target);

} // namespace patches
