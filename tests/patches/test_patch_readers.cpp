// The BPS, IPS and UPS readers: patches from this editor's writers and from small encoders
// written here from the formats, applied byte for byte; every kind of hostile patch refused
// with its reason and the offset where reading failed.
#include "patches/Bps.h"
#include "patches/Ips.h"
#include "patches/PatchReaders.h"

#include <QTest>

#include <zlib.h>

namespace {

using Failure = patches::Patched::Failure;

QByteArray noise(qsizetype size, quint32 state) {
    QByteArray image(size, Qt::Uninitialized);
    for (char& byte : image)
        byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    return image;
}

QByteArray put(QByteArray image, qsizetype at, const QByteArray& bytes) {
    return image.replace(at, bytes.size(), bytes);
}

quint32 crcOf(const QByteArray& data) {
    return crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), data.size());
}

QString hex8(quint32 value) {
    return QString::number(value, 16).toUpper().rightJustified(8, '0');
}

QByteArray le32(quint32 value) {
    QByteArray out;
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char(value >> shift));
    return out;
}

// The number encoding of BPS and UPS, from the format's description.
QByteArray number(quint64 value) {
    QByteArray out;
    for (;; value = (value >> 7) - 1) {
        if (value >> 7 == 0)
            return out.append(char(0x80 | value));
        out.append(char(value & 0x7F));
    }
}

// A footer of source, target and patch CRC32s after `body`.
QByteArray withFooter(QByteArray body, const QByteArray& source, const QByteArray& target) {
    body += le32(crcOf(source)) + le32(crcOf(target));
    return body + le32(crcOf(body));
}

// UPS: each run of differing bytes as the distance skipped, the XORed bytes and a 0x00 that
// stands for the next, unchanged byte.
QByteArray makeUps(const QByteArray& source, const QByteArray& target) {
    QByteArray body = "UPS1" + number(source.size()) + number(target.size());
    for (qsizetype i = 0, position = 0; i < source.size(); ++i) {
        if (source[i] == target[i])
            continue;
        body += number(i - position);
        for (; i < source.size() && source[i] != target[i]; ++i)
            body += char(source[i] ^ target[i]);
        body += '\0';
        position = i + 1;
    }
    return withFooter(body, source, target);
}

// BPS by hand: SourceCopy from 8 back to 0 (action 2), a TargetCopy overlapping itself
// (action 3) and a TargetRead, for a 16-byte source.
QByteArray handBps(const QByteArray& source, const QByteArray& target) {
    QByteArray body = "BPS1" + number(16) + number(16) + number(0);
    body += number((4 - 1) << 2 | 2) + number(8 << 1);  // target 0..3 = source 8..11
    body += number((1 - 1) << 2 | 1) + "Z";             // target 4 = 'Z'
    body += number((11 - 1) << 2 | 3) + number(4 << 1); // target 5..15 = target 4 ..
    return withFooter(body, source, target);
}

} // namespace

class PatchReadersTest : public QObject {
    Q_OBJECT
  private slots:
    // Every reader gives the target byte for byte, whatever produced the patch.
    void appliesToTarget() {
        const QByteArray source = noise(4194304, 7);
        const QByteArray target =
            put(put(put(source, 0, "\1\2\3"), 0x200000, QByteArray(300, '\7')), 4194302, "\xFE");
        QCOMPARE(patches::applyBps(source, patches::createBps(source, target)).image, target);
        QCOMPARE(patches::applyPatch(source, patches::createIps(source, target).patch).image,
                 target);
        const QByteArray ups = makeUps(source, target);
        QCOMPARE(patches::applyPatch(source, ups).image, target);
        QCOMPARE(patches::applyUps(target, ups).image, source); // the other way round
        const QByteArray small = "0123456789ABCDEF";
        const QByteArray copied = "89ABZZZZZZZZZZZZ";
        QCOMPARE(patches::applyPatch(small, handBps(small, copied)).image, copied);
        // A run record (length 0) and a truncation to the image's own size.
        QCOMPARE(patches::applyIps(small, "PATCH" + QByteArray::fromHex("000002 0000 0003 41") +
                                              "EOF" + QByteArray::fromHex("000010"))
                     .image,
                 QByteArray("01AAA56789ABCDEF"));
    }

    // With the header shift every record lands 512 bytes earlier: 0x000210 becomes 0x000010.
    void ipsHeaderShift() {
        const QByteArray source(0x1000, '\0');
        const QByteArray patch = "PATCH" + QByteArray::fromHex("000210 0002 ABCD") + "EOF";
        const QByteArray shifted = patches::applyIps(source, patch, 512).image;
        QCOMPARE(shifted.mid(0x10, 2), QByteArray::fromHex("ABCD"));
        QCOMPARE(patches::applyIps(source, patch).image.mid(0x210, 2), QByteArray::fromHex("ABCD"));
        QCOMPARE(shifted.count('\0'), 0x1000 - 2);
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("reason");
        const QByteArray image = noise(4194304, 3);
        const QByteArray other = put(image, 5, "\x01");
        const QByteArray small = "0123456789ABCDEF";
        const QByteArray bps = patches::createBps(image, put(image, 9, "\x44"));
        const QString expects = QString("This patch is for another file: it expects 4,194,304 "
                                        "bytes with CRC32 %1; the open file has CRC32 %2.")
                                    .arg(hex8(crcOf(image)), hex8(crcOf(other)));
        const auto bad = [](const char* what) {
            return "The patch cannot be used: " + QString(what);
        };
        QTest::newRow("BPS for another file")
            << other << bps << int(Failure::WrongSource) << expects;
        QTest::newRow("UPS for another file") << other << makeUps(image, put(image, 9, "\x44"))
                                              << int(Failure::WrongSource) << expects;
        QTest::newRow("BPS cut short")
            << image << bps.chopped(1) << int(Failure::Malformed)
            << bad("its own CRC32 does not match, so it is damaged (at byte %1 of the patch).")
                   .arg(QLocale(QLocale::English).toString(bps.size() - 5));
        QTest::newRow("BPS actions end early")
            << small
            << withFooter("BPS1" + number(16) + number(16) + number(0) + number(3 << 2), small,
                          small)
            << int(Failure::Malformed)
            << bad("its actions end before the image does (at byte 8 of the patch).");
        QTest::newRow("BPS longer target")
            << small << withFooter("BPS1" + number(16) + number(17) + number(0), small, small)
            << int(Failure::OutOfRange)
            << bad("it would make the image 17 bytes long instead of 16 (at byte 5 of the "
                   "patch).");
        QTest::newRow("BPS action past the end")
            << small
            << withFooter("BPS1" + number(16) + number(16) + number(0) + number(16 << 2), small,
                          small)
            << int(Failure::OutOfRange)
            << bad("an action writes past the end of the image (at byte 7 of the patch).");
        QTest::newRow("BPS copy before the start")
            << small
            << withFooter("BPS1" + number(16) + number(16) + number(0) + number(2) + number(3),
                          small, small)
            << int(Failure::Malformed)
            << bad("an action copies from outside the image (at byte 7 of the patch).");
        QTest::newRow("BPS wrong target CRC")
            << small << handBps(small, "89ABZZZZZZZZZZZY") << int(Failure::Malformed)
            << bad("the patched image's CRC32 is %1, not the %2 the patch expects (at byte %3 "
                   "of the patch).")
                   .arg(hex8(crcOf("89ABZZZZZZZZZZZZ")), hex8(crcOf("89ABZZZZZZZZZZZY")))
                   .arg(handBps(small, small).size() - 8);
        QTest::newRow("IPS past the end")
            << small << "PATCH" + QByteArray::fromHex("00020F 0002 4142") + "EOF"
            << int(Failure::OutOfRange)
            << bad("a record writes past the end of the image (at byte 5 of the patch).");
        QTest::newRow("IPS into the copier header")
            << small << "PATCH" + QByteArray::fromHex("0001FF 0001 41") + "EOF"
            << int(Failure::OutOfRange)
            << bad("a record writes into the copier header (at byte 5 of the patch).");
        QTest::newRow("IPS truncated record")
            << small << "PATCH" + QByteArray::fromHex("000201 0004 4142") << int(Failure::Malformed)
            << bad("it ends early (at byte 10 of the patch).");
        QTest::newRow("IPS without EOF")
            << small << "PATCH" + QByteArray::fromHex("000201 0001 41") << int(Failure::Malformed)
            << bad("it ends before \"EOF\" (at byte 11 of the patch).");
        QTest::newRow("IPS cutting the image")
            << small << "PATCHEOF" + QByteArray::fromHex("00000F") << int(Failure::OutOfRange)
            << bad("it would cut the image to 15 bytes (at byte 8 of the patch).");
        QTest::newRow("UPS past the end")
            << small
            << withFooter("UPS1" + number(16) + number(16) + number(16) + "\x01", small, small)
            << int(Failure::OutOfRange)
            << bad("it changes a byte past the end of the image (at byte 7 of the patch).");
        QTest::newRow("no patch")
            << small << QByteArray("PAT") << int(Failure::Malformed)
            << bad("it is no BPS, IPS or UPS patch (at byte 0 of the patch).");
    }
    void refusals() {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, patch);
        QFETCH(int, failure);
        QFETCH(QString, reason);
        const patches::Patched result =
            patches::applyPatch(source, patch, patch.startsWith("PATCH") ? 512 : 0);
        QCOMPARE(result.reason, reason);
        QCOMPARE(int(result.failure), failure);
        QVERIFY(result.image.isEmpty());
    }
};

QTEST_MAIN(PatchReadersTest)
#include "test_patch_readers.moc"
