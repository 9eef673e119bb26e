// The patch encoders: IPS bytes worked out by hand from the format, and BPS applied by a
// decoder written here from the format. And Create Patch through the window.
#include "patches/Bps.h"
#include "patches/Ips.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QTest>

#include <zlib.h>

#include <optional>
#include <utility>

namespace {

QByteArray zeros(qsizetype size) {
    return QByteArray(size, '\0');
}

QByteArray put(QByteArray image, qsizetype at, const QByteArray& bytes) {
    return image.replace(at, bytes.size(), bytes);
}

// "PATCH", the records given in hex, "EOF".
QByteArray ipsPatch(const char* records) {
    return "PATCH" + QByteArray::fromHex(records) + "EOF";
}

quint32 crcOf(const QByteArray& data) {
    return crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), data.size());
}

quint32 littleEndian32(const QByteArray& data, qsizetype at) {
    return quint8(data[at]) | quint8(data[at + 1]) << 8 | quint8(data[at + 2]) << 16 |
           quint32(quint8(data[at + 3])) << 24;
}

// Applies a BPS patch as the format describes it, sharing nothing with the encoder. Only the
// two linear actions are accepted, as the encoder writes no others.
std::optional<QByteArray> applyBps(const QByteArray& source, const QByteArray& patch) {
    const qsizetype end = patch.size() - 12;
    qsizetype at = 4;
    const auto number = [&]() -> std::optional<quint64> {
        for (quint64 data = 0, shift = 1; at < end; shift <<= 7, data += shift) {
            const quint8 x = patch[at++];
            data += (x & 0x7F) * shift;
            if (x & 0x80)
                return data;
        }
        return {};
    };
    const auto sourceSize = number(), targetSize = number(), metadataSize = number();
    if (!patch.startsWith("BPS1") || sourceSize != quint64(source.size()) || !targetSize ||
        metadataSize != 0u)
        return {};
    QByteArray target;
    while (at < end) {
        const auto action = number();
        const qsizetype length = action ? (*action >> 2) + 1 : 0;
        if (action && (*action & 3) == 0 && target.size() + length <= source.size())
            target += source.mid(target.size(), length);
        else if (action && (*action & 3) == 1 && at + length <= end)
            target += patch.mid(std::exchange(at, at + length), length);
        else
            return {};
    }
    return target.size() == qsizetype(*targetSize) ? std::optional(target) : std::nullopt;
}

// A deterministic pseudo-random 4 MiB image.
QByteArray noiseImage() {
    QByteArray image(4 * 1024 * 1024, Qt::Uninitialized);
    quint32 state = 12345;
    for (char& byte : image)
        byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    return image;
}

} // namespace

class PatchesTest : public QObject {
    Q_OBJECT
  private slots:
    void dialogMakesBpsPatches();
    // An empty patch stands for a refusal.
    void ips_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("patch");
        const QByteArray eofZone = zeros(0x454F48);
        const QByteArray big = zeros(0x1000001);
        QTest::newRow("no change") << zeros(16) << zeros(16) << QByteArray("PATCHEOF");
        QTest::newRow("one byte") << zeros(32) << put(zeros(32), 0x10, "\xAB")
                                  << ipsPatch("000010 0001 AB");
        QTest::newRow("two runs, the second into a longer tail")
            << zeros(8) << QByteArray::fromHex("00010200000000070809")
            << ipsPatch("000001 0002 0102  000007 0003 070809");
        QTest::newRow("change at 0x454F46")
            << eofZone << put(eofZone, 0x454F46, "\1") << ipsPatch("454F45 0002 0001");
        QTest::newRow("70,000 bytes in two records")
            << zeros(0x20000) << put(zeros(0x20000), 0x10, QByteArray(70000, '\x11'))
            << "PATCH" + QByteArray::fromHex("000010 FFFF") + QByteArray(65535, '\x11') +
                   QByteArray::fromHex("01000F 1171") + QByteArray(4465, '\x11') + "EOF";
        QTest::newRow("last addressable offset")
            << big << put(big, 0xFFFFFF, "\1") << ipsPatch("FFFFFF 0001 01");
        QTest::newRow("past the last offset") << big << put(big, 0x1000000, "\1") << QByteArray();
        QTest::newRow("shorter target") << zeros(4) << zeros(3) << QByteArray();
    }
    void ips() {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, patch);
        const patches::IpsResult result = patches::createIps(source, target);
        QCOMPARE(result.ok(), !patch.isEmpty());
        QCOMPARE(result.patch, patch);
    }

    // Changes at the start, in the middle and at the end, then a shortened target: applied
    // by the decoder above; the three checksums are zlib's.
    void bpsApplies() {
        const QByteArray source = noiseImage();
        const qsizetype middle = source.size() / 2;
        for (const QByteArray& target :
             {put(put(put(source, 0, "\1\2\3"), middle, QByteArray(300, '\7')), source.size() - 2,
                  "\xFE\xFF"),
              put(source, 0, "\5").first(middle)}) {
            const QByteArray patch = patches::createBps(source, target);
            QVERIFY2(patch.size() >= 20, "shorter than its header and checksums");
            QCOMPARE(patch.first(8), QByteArray::fromHex("42505331 007F7E80")); // 0x400000 bytes
            QVERIFY(applyBps(source, patch) == std::optional(target));
            const qsizetype footer = patch.size() - 12;
            QCOMPARE(littleEndian32(patch, footer), crcOf(source));
            QCOMPARE(littleEndian32(patch, footer + 4), crcOf(target));
            QCOMPARE(littleEndian32(patch, footer + 8), crcOf(patch.first(footer + 8)));
        }
    }
};

// Create Patch, BPS as offered: from the file before this editor's changes (the header's
// version at 0x00FFDB), then with the checksum updated first (0x00FFDC..DF, recorded as a
// change of its own, so in the patch), then from an original chosen with Browse (a second
// Browse, cancelled, keeps it) that differs at 0x000100 too.
void PatchesTest::dialogMakesBpsPatches() {
    QByteArray zeros(4194304, '\0'); // sums to 0x34 + 0x12 + 0x0C + FF + FF = 0x0250
    zeros[0] = '\x34';
    zeros[4194303] = '\x12';
    EditorFixture f;
    f.openAt(zeros, "misc", 0);
    f.enter("ROMVersionTXT", "12");
    f.apply();
    const QByteArray other = QByteArray(zeros).replace(0x100, 1, "\x77");
    const QString original = f.writeRom(other, "o.smc");
    const QString patch = f.folder() + "/p.bps";
    // Dialog answers, buttons clicked, the header's bytes, the message.
    const std::tuple<QStringList, const char*, const char*, const char*> cases[] = {
        {{patch}, "", "0C00000000", "1 bytes in 1"},
        {{patch}, "PatchChecksumCHK", "0CAFFD5002", "5 bytes in 1"},
        {{original, "", patch}, "PatchBrowseCMD PatchBrowseCMD", "0CAFFD5002", "6 bytes in 2"}};
    for (const auto& [answers, clicks, header, changes] : cases) {
        f.messages.clear();
        f.answerFileDialogs(answers);
        QVERIFY(f.withDialog("mnuCreatePatch", [&](QWidget* dialog) {
            for (const QString& name : QString(clicks).split(' ', Qt::SkipEmptyParts))
                f.click(name, dialog);
            f.click("PatchCreateCMD", dialog);
        }));
        QCOMPARE(f.fileBytes().mid(0x00FFDB, 5), QByteArray::fromHex(header));
        QVERIFY(applyBps(answers.size() > 1 ? other : zeros, synth::readFile(patch)) ==
                f.fileBytes());
        QCOMPARE(f.messageTexts(),
                 QStringList(QString("The patch changes %1 places. It was written to \"%2\".")
                                 .arg(changes, patch)));
    }
}

QTEST_MAIN(PatchesTest)
#include "test_patches.moc"
