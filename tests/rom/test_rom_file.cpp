// The ROM file layer: writes land at once, short files, the disk-fault seam, and copier
// header removal.
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class RomFileTest : public QObject {
    Q_OBJECT
  private slots:
    void writesLandAtOnceAndNeverPastTheEnd();
    void diskFaultCutsWritesAndSyncs();
    void headerIsRemovedOnlyAtItsExactSize();

  private:
    QString write(const QByteArray& bytes, const QString& name = "rom.smc") {
        const QString path = dir_.filePath(name);
        if (!synth::writeFile(path, bytes))
            qFatal("cannot write");
        return path;
    }
    QTemporaryDir dir_;
};

void RomFileTest::writesLandAtOnceAndNeverPastTheEnd() {
    const QString path = write(QByteArray::fromHex("0102030405"));
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    QVERIFY(rom.writeBytes(1, "xy"));
    // Read through a second handle, before any sync: the write is already in the file.
    QCOMPARE(synth::readFile(path), QByteArray::fromHex("017879") + QByteArray::fromHex("0405"));
    QCOMPARE(rom.readBytes(3, 4), QByteArray::fromHex("04050000")); // zeros past the end
    QVERIFY(rom.covers(0, 5));
    QVERIFY(!rom.covers(4, 2));
    QVERIFY(!rom.writeBytes(4, "ab"));
    QVERIFY(!rom.writeBytes(-1, "a"));
    QCOMPARE(synth::readFile(path).size(), 5);
    QVERIFY(rom.sync());
}

void RomFileTest::diskFaultCutsWritesAndSyncs() {
    const QString path = write(QByteArray(8, '\0'));
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    rom::setDiskFault(rom::DiskFault{3, false, "disk gone"});
    QVERIFY(rom.writeBytes(0, "ab"));
    QVERIFY(!rom.writeBytes(4, "cde")); // one byte reaches the file
    QCOMPARE(rom.errorString(), QStringLiteral("disk gone"));
    rom::setDiskFault(rom::DiskFault{-1, true, "sync refused"});
    QVERIFY(!rom.sync());
    QCOMPARE(rom.errorString(), QStringLiteral("sync refused"));
    rom::setDiskFault(std::nullopt);
    QCOMPARE(synth::readFile(path), QByteArray("ab\0\0c\0\0\0", 8));
    QVERIFY(rom.sync());
}

// Only a file of exactly 4 MiB + 512 bytes carries a header; its removal keeps every byte
// from 512 on and leaves no temporary file behind.
void RomFileTest::headerIsRemovedOnlyAtItsExactSize() {
    for (const int size : {4194304, 4194815, 4195328, 4194816}) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        const QString path = write(bytes, "sized.smc");
        QCOMPARE(rom::hasCopierHeader(path), size == 4194816);
    }
    const QByteArray bytes = synth::readFile(dir_.filePath("sized.smc"));
    QString error;
    QVERIFY2(rom::removeCopierHeader(dir_.filePath("sized.smc"), &error), qPrintable(error));
    QVERIFY(synth::readFile(dir_.filePath("sized.smc")) == bytes.mid(512));
    QCOMPARE(QDir(dir_.path()).entryList({"sized*"}, QDir::Files | QDir::Hidden),
             QStringList{"sized.smc"});
}

QTEST_GUILESS_MAIN(RomFileTest)
#include "test_rom_file.moc"
