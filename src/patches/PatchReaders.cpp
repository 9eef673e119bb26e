#include "patches/PatchReaders.h"

#include <QLocale>

#include <algorithm>

#include <zlib.h>

#include <optional>

namespace patches {
namespace {

using Failure = Patched::Failure;

QString hex8(quint32 value) {
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

Patched failed(Failure failure, const QString& reason, qint64 at = -1) {
    Patched result;
    result.failure = failure;
    result.at = at;
    result.reason =
        at < 0 ? reason
               : QStringLiteral("%1 (at byte %2 of the patch).").arg(reason, groupedNumber(at));
    return result;
}

Patched malformed(const QString& reason, qint64 at) {
    return failed(Failure::Malformed, QStringLiteral("The patch cannot be used: ") + reason, at);
}

Patched outOfRange(const QString& reason, qint64 at) {
    return failed(Failure::OutOfRange, QStringLiteral("The patch cannot be used: ") + reason, at);
}

Patched wrongSource(qint64 size, quint32 crc, const QByteArray& source) {
    return failed(Failure::WrongSource,
                  QStringLiteral("This patch is for another file: it expects %1 bytes with CRC32 "
                                 "%2; the open file has CRC32 %3.")
                      .arg(groupedNumber(size), hex8(crc), hex8(crc32Of(source))));
}

// Reads a patch front to back, never past `end`.
class Reader {
  public:
    Reader(const QByteArray& patch, qint64 at, qint64 end) : patch_(patch), at_(at), end_(end) {}

    qint64 at() const { return at_; }
    qint64 left() const { return end_ - at_; }
    bool done() const { return at_ >= end_; }

    std::optional<quint8> byte() {
        if (at_ >= end_)
            return std::nullopt;
        return static_cast<quint8>(patch_[at_++]);
    }
    std::optional<quint64> bigEndian(int bytes) {
        if (left() < bytes)
            return std::nullopt;
        quint64 value = 0;
        for (int n = 0; n < bytes; ++n)
            value = value << 8 | static_cast<quint8>(patch_[at_++]);
        return value;
    }
    // The variable-length number of BPS and UPS; at most nine bytes.
    std::optional<quint64> number() {
        quint64 value = 0;
        quint64 scale = 1;
        for (int n = 0; n < 9; ++n) {
            const std::optional<quint8> b = byte();
            if (!b)
                return std::nullopt;
            value += (*b & 0x7F) * scale;
            if (*b & 0x80)
                return value;
            scale <<= 7;
            value += scale;
        }
        return std::nullopt;
    }
    const char* take(qint64 length) {
        const char* from = patch_.constData() + at_;
        at_ += length;
        return from;
    }

  private:
    const QByteArray& patch_;
    qint64 at_;
    qint64 end_;
};

quint32 littleEndian32(const QByteArray& data, qint64 at) {
    quint32 value = 0;
    for (int n = 3; n >= 0; --n)
        value = value << 8 | static_cast<quint8>(data[at + n]);
    return value;
}

// The three CRC32s at the end of a BPS or UPS patch.
struct Footer {
    quint32 source;
    quint32 target;
};

// Checks the magic, the length and the patch's own CRC32.
std::optional<Patched> checkFrame(const QByteArray& patch, const char* magic, Footer* footer) {
    if (!patch.startsWith(magic))
        return malformed(QStringLiteral("it does not start with \"%1\"").arg(magic), 0);
    if (patch.size() < 4 + 3 + 12)
        return malformed(QStringLiteral("it ends early"), patch.size());
    const qint64 crcAt = patch.size() - 4;
    if (littleEndian32(patch, crcAt) != crc32Of(patch.first(crcAt)))
        return malformed(QStringLiteral("its own CRC32 does not match, so it is damaged"), crcAt);
    *footer = {littleEndian32(patch, patch.size() - 12), littleEndian32(patch, patch.size() - 8)};
    return std::nullopt;
}

std::optional<Patched> checkTarget(qint64 size, const QByteArray& source, qint64 at) {
    if (size != source.size() || size > kLargestTarget)
        return outOfRange(QStringLiteral("it would make the image %1 bytes long instead of %2")
                              .arg(groupedNumber(size), groupedNumber(source.size())),
                          at);
    return std::nullopt;
}

Patched checkedTarget(Patched result, quint32 expected, qint64 at) {
    if (crc32Of(result.image) != expected)
        return malformed(QStringLiteral("the patched image's CRC32 is %1, not the %2 the patch "
                                        "expects")
                             .arg(hex8(crc32Of(result.image)), hex8(expected)),
                         at);
    return result;
}

const QString kEndsEarly = QStringLiteral("it ends early");

// One BPS action into `out` at `written`; the reason it cannot be done, if any.
struct BpsState {
    qint64 written = 0;
    qint64 sourceCursor = 0;
    qint64 targetCursor = 0;
};

std::optional<Patched> bpsAction(Reader& in, const QByteArray& source, QByteArray& out,
                                 BpsState& s) {
    const qint64 started = in.at();
    const std::optional<quint64> action = in.number();
    if (!action)
        return malformed(kEndsEarly, in.at());
    const quint64 length = (*action >> 2) + 1;
    if (length > quint64(out.size() - s.written))
        return outOfRange(QStringLiteral("an action writes past the end of the image"), started);
    char* to = out.data() + s.written;
    const int kind = int(*action & 3);
    if (kind == 0) {
        std::copy_n(source.constData() + s.written, length, to); // same size, so in range
    } else if (kind == 1) {
        if (quint64(in.left()) < length)
            return malformed(kEndsEarly, in.at());
        std::copy_n(in.take(qint64(length)), length, to);
    } else {
        const std::optional<quint64> delta = in.number();
        if (!delta)
            return malformed(kEndsEarly, in.at());
        const qint64 magnitude = qint64(*delta >> 1);
        qint64& cursor = kind == 2 ? s.sourceCursor : s.targetCursor;
        cursor += (*delta & 1) ? -magnitude : magnitude;
        const qint64 limit = kind == 2 ? source.size() - qint64(length) : s.written - 1;
        if (magnitude > kLargestTarget || cursor < 0 || cursor > limit)
            return malformed(QStringLiteral("an action copies from outside the image"), started);
        // A target copy may overlap what it writes: byte by byte.
        const char* from = (kind == 2 ? source.constData() : out.constData()) + cursor;
        for (quint64 n = 0; n < length; ++n)
            to[n] = from[n];
        cursor += qint64(length);
    }
    s.written += qint64(length);
    return std::nullopt;
}

} // namespace

quint32 crc32Of(const QByteArray& data) {
    return static_cast<quint32>(
        crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), size_t(data.size())));
}

QString groupedNumber(qint64 number) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(number);
}

PatchFormat formatOf(const QByteArray& patch) {
    if (patch.startsWith("BPS1"))
        return PatchFormat::Bps;
    if (patch.startsWith("PATCH"))
        return PatchFormat::Ips;
    if (patch.startsWith("UPS1"))
        return PatchFormat::Ups;
    return PatchFormat::Unknown;
}

Patched applyBps(const QByteArray& source, const QByteArray& patch) {
    Footer footer{};
    if (auto refused = checkFrame(patch, "BPS1", &footer))
        return *refused;
    const qint64 end = patch.size() - 12;
    Reader in(patch, 4, end);
    const auto sourceSize = in.number();
    const qint64 targetAt = in.at();
    const auto targetSize = in.number();
    const auto metadata = in.number();
    if (!sourceSize || !targetSize || !metadata)
        return malformed(kEndsEarly, in.at());
    if (*sourceSize != quint64(source.size()) || footer.source != crc32Of(source))
        return wrongSource(qint64(std::min<quint64>(*sourceSize, 1ULL << 62)), footer.source,
                           source);
    if (auto refused =
            checkTarget(qint64(std::min<quint64>(*targetSize, 1ULL << 62)), source, targetAt))
        return *refused;
    if (*metadata > quint64(in.left()))
        return malformed(kEndsEarly, in.at());
    in.take(qint64(*metadata));
    Patched result;
    // Every byte is written by an action, or the patch is refused.
    result.image = QByteArray(source.size(), Qt::Uninitialized);
    BpsState state;
    while (!in.done())
        if (auto refused = bpsAction(in, source, result.image, state))
            return *refused;
    if (state.written != result.image.size())
        return malformed(QStringLiteral("its actions end before the image does"), end);
    return checkedTarget(std::move(result), footer.target, end + 4);
}

Patched applyUps(const QByteArray& source, const QByteArray& patch) {
    Footer footer{};
    if (auto refused = checkFrame(patch, "UPS1", &footer))
        return *refused;
    Reader in(patch, 4, patch.size() - 12);
    const auto sizeA = in.number();
    const auto sizeB = in.number();
    if (!sizeA || !sizeB)
        return malformed(kEndsEarly, in.at());
    const quint32 have = crc32Of(source);
    // The same patch goes either way: the side the source matches is where it starts.
    const bool forward = *sizeA == quint64(source.size()) && footer.source == have;
    const bool backward = *sizeB == quint64(source.size()) && footer.target == have;
    if (!forward && !backward)
        return wrongSource(qint64(std::min<quint64>(*sizeA, 1ULL << 62)), footer.source, source);
    if (auto refused = checkTarget(qint64(std::min<quint64>(forward ? *sizeB : *sizeA, 1ULL << 62)),
                                   source, 4))
        return *refused;
    Patched result;
    result.image = source;
    qint64 position = 0;
    while (!in.done()) {
        const std::optional<quint64> skip = in.number();
        if (!skip || *skip > quint64(kLargestTarget))
            return malformed(skip ? QStringLiteral("it skips past the image") : kEndsEarly,
                             in.at());
        position += qint64(*skip);
        for (;;) {
            const qint64 at = in.at();
            const std::optional<quint8> b = in.byte();
            if (!b)
                return malformed(kEndsEarly, at);
            if (*b == 0)
                break;
            if (position >= result.image.size())
                return outOfRange(QStringLiteral("it changes a byte past the end of the image"),
                                  at);
            result.image[position++] ^= char(*b);
        }
        ++position;
    }
    return checkedTarget(std::move(result), forward ? footer.target : footer.source,
                         patch.size() - 12);
}

Patched applyIps(const QByteArray& source, const QByteArray& patch, qint64 shift) {
    if (!patch.startsWith("PATCH"))
        return malformed(QStringLiteral("it does not start with \"PATCH\""), 0);
    Reader in(patch, 5, patch.size());
    Patched result;
    result.image = source;
    const qint64 size = std::min<qint64>(source.size(), kLargestTarget);
    for (;;) {
        const qint64 recordAt = in.at();
        const std::optional<quint64> offset = in.bigEndian(3);
        if (!offset)
            return malformed(QStringLiteral("it ends before \"EOF\""), recordAt);
        if (*offset == 0x454F46)
            break;
        const std::optional<quint64> length = in.bigEndian(2);
        if (!length)
            return malformed(kEndsEarly, in.at());
        const bool run = *length == 0;
        const std::optional<quint64> count = run ? in.bigEndian(2) : length;
        const std::optional<quint8> fill = run ? in.byte() : std::optional<quint8>(0);
        if (!count || !fill || (!run && quint64(in.left()) < *length))
            return malformed(kEndsEarly, in.at());
        const qint64 begin = qint64(*offset) - shift;
        if (begin < 0)
            return outOfRange(QStringLiteral("a record writes into the copier header"), recordAt);
        if (begin + qint64(*count) > size)
            return outOfRange(QStringLiteral("a record writes past the end of the image"),
                              recordAt);
        if (run)
            std::fill_n(result.image.data() + begin, *count, char(*fill));
        else
            std::copy_n(in.take(qint64(*count)), *count, result.image.data() + begin);
    }
    if (in.left() == 3) {
        const qint64 at = in.at();
        if (const auto truncate = in.bigEndian(3); qint64(*truncate) != source.size())
            return outOfRange(QStringLiteral("it would cut the image to %1 bytes")
                                  .arg(groupedNumber(qint64(*truncate))),
                              at);
    } else if (!in.done()) {
        return malformed(QStringLiteral("bytes follow \"EOF\""), in.at());
    }
    return result;
}

Patched applyPatch(const QByteArray& source, const QByteArray& patch, qint64 shift) {
    switch (formatOf(patch)) {
    case PatchFormat::Bps:
        return applyBps(source, patch);
    case PatchFormat::Ups:
        return applyUps(source, patch);
    case PatchFormat::Ips:
        return applyIps(source, patch, shift);
    case PatchFormat::Unknown:
        break;
    }
    return malformed(QStringLiteral("it is no BPS, IPS or UPS patch"), 0);
}

} // namespace patches
