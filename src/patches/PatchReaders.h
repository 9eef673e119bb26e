#pragma once

#include <QByteArray>
#include <QString>

namespace patches {

// The largest image a patch may produce: the game's 4 MiB ROM.
inline constexpr qint64 kLargestTarget = 4194304;

// The image a patch turns a source into, or why it cannot: every reader checks each length
// and offset before it reads or writes, and never changes the image's size.
struct Patched {
    enum class Failure {
        None,
        WrongSource, // a BPS or UPS patch made for another file (size or CRC32)
        Malformed,   // damaged, truncated or impossible; `at` is where reading failed
        OutOfRange,  // would write past the image or change its size
    };
    QByteArray image;
    Failure failure = Failure::None;
    QString reason; // the user's text, the patch offset included where it applies
    qint64 at = -1; // the offset in the patch where reading failed
    bool ok() const { return failure == Failure::None; }
};

enum class PatchFormat { Bps, Ips, Ups, Unknown };
// By the first bytes: "BPS1", "PATCH", "UPS1".
PatchFormat formatOf(const QByteArray& patch);

// BPS: the source's size and CRC32, the patch's own CRC32 and the target's are checked.
Patched applyBps(const QByteArray& source, const QByteArray& patch);
// UPS: either way round, as its CRC32s say; the sizes of both sides must be the source's.
Patched applyUps(const QByteArray& source, const QByteArray& patch);
// IPS, with every offset `shift` bytes earlier (512 for a patch made for an image with a
// copier header). A truncation record must keep the image's size.
Patched applyIps(const QByteArray& source, const QByteArray& patch, qint64 shift = 0);
// The patch by its format; `shift` applies to IPS only.
Patched applyPatch(const QByteArray& source, const QByteArray& patch, qint64 shift = 0);

// zlib's CRC32 of `data`.
quint32 crc32Of(const QByteArray& data);
// "4,194,304".
QString groupedNumber(qint64 number);

} // namespace patches
