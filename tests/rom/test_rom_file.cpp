// The ROM file layer: little-endian fields, short files, and header removal.
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class RomFileTest : public QObject {
    Q_OBJECT
  private slots:
    void readsLittleEndianSignedFields();
    void writesLandInTheFileAtOnce();
    void shortFileReadsZerosAndRefusesWritesPastTheEnd();
    void openingAnotherFileKeepsTheFirstUntilItOpens();
    void headerRemovalKeepsEverythingAfterTheHeader();
    void headerRemovalFailureLeavesTheFileAsItWas();

  private:
    QString write(const QByteArray& bytes, const QString& name = "rom.smc") {
        const QString path = dir_.filePath(name);
        if (!synth::writeFile(path, bytes))
            qFatal("cannot write");
        return path;
    }
    QTemporaryDir dir_;
};

void RomFileTest::readsLittleEndianSignedFields() {
    rom::RomFile rom;
    QVERIFY(rom.open(write(QByteArray::fromHex("FFFF409C785634127F80"))));
    QCOMPARE(rom.readByte(0), std::uint8_t(0xFF));
    QCOMPARE(rom.readInteger(0), std::int16_t(-1));
    QCOMPARE(rom.readInteger(2), std::int16_t(-25536));
    QCOMPARE(rom.readLong(4), std::int32_t(0x12345678));
    QCOMPARE(rom.readInteger(8), std::int16_t(-32641)); // 0x807F
    QCOMPARE(rom.readBytes(1, 3), QByteArray::fromHex("FF409C"));
}

void RomFileTest::writesLandInTheFileAtOnce() {
    const QString path = write(QByteArray(16, '\0'));
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    QVERIFY(rom.writeInteger(2, std::int16_t(-25536)));
    QVERIFY(rom.writeByte(5, 0xAB));
    QVERIFY(rom.writeBytes(10, "xyz"));
    // Read through a second handle, before any sync: each write is already in the file.
    QCOMPARE(synth::readFile(path),
             QByteArray::fromHex("0000409C00AB00000000") + "xyz" + QByteArray(3, '\0'));
    QVERIFY(rom.sync());
}

void RomFileTest::shortFileReadsZerosAndRefusesWritesPastTheEnd() {
    const QString path = write(QByteArray::fromHex("0102030405"));
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    QCOMPARE(rom.readInteger(4), std::int16_t(0x0005));
    QCOMPARE(rom.readLong(3), std::int32_t(0x0504));
    QCOMPARE(rom.readBytes(3, 5), QByteArray::fromHex("0405000000"));
    QCOMPARE(rom.readByte(100), std::uint8_t(0));
    QVERIFY(rom.covers(0, 5));
    QVERIFY(!rom.covers(4, 2));
    QVERIFY(!rom.writeInteger(4, 0x1111));
    QVERIFY(!rom.writeByte(5, 0x11));
    QVERIFY(!rom.writeBytes(-1, "a"));
    QCOMPARE(synth::readFile(path), QByteArray::fromHex("0102030405"));
}

void RomFileTest::openingAnotherFileKeepsTheFirstUntilItOpens() {
    const QString first = write("first", "first.smc");
    rom::RomFile rom;
    QVERIFY(rom.open(first));
    QString error;
    QVERIFY(!rom.open(dir_.filePath("missing.smc"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!rom.open(dir_.path(), &error));
    QVERIFY(!rom.open(QString(), &error));
    QCOMPARE(rom.path(), first);
    QCOMPARE(rom.readBytes(0, 5), QByteArray("first"));
    QVERIFY(!QFile::exists(dir_.filePath("missing.smc")));
}

void RomFileTest::headerRemovalKeepsEverythingAfterTheHeader() {
    const QByteArray image = synth::makeImage();
    const QString path = write(synth::withCopierHeader(image), "headered.smc");
    QVERIFY(rom::hasCopierHeader(path));
    QString error;
    QVERIFY2(rom::removeCopierHeader(path, &error), qPrintable(error));
    QVERIFY(synth::readFile(path) == image);
    QVERIFY(!rom::hasCopierHeader(path));
    QCOMPARE(QDir(dir_.path()).entryList({"headered*"}, QDir::Files | QDir::Hidden),
             QStringList{"headered.smc"});
    // A headerless 4 MiB file is left alone.
    QVERIFY(rom::removeCopierHeader(path, &error));
    QVERIFY(synth::readFile(path) == image);
}

void RomFileTest::headerRemovalFailureLeavesTheFileAsItWas() {
    const QByteArray headered = synth::withCopierHeader(synth::makeImage());
    const QString path = write(headered, "fails.smc");
    rom::setHeaderRemovalFault([] { return QStringLiteral("disk full"); });
    QString error;
    const bool removed = rom::removeCopierHeader(path, &error);
    rom::setHeaderRemovalFault({});
    QVERIFY(!removed);
    QCOMPARE(error, QStringLiteral("disk full"));
    QVERIFY(synth::readFile(path) == headered);
    QCOMPARE(QDir(dir_.path()).entryList({"fails*"}, QDir::Files | QDir::Hidden),
             QStringList{"fails.smc"});
    QVERIFY(!rom::removeCopierHeader(dir_.filePath("gone.smc"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(RomFileTest)
#include "test_rom_file.moc"
