// Create Patch through the window, and the internal checksum kept right by the user.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

// Applies a classic IPS patch, as patchers do: records of a 3-byte offset and a 2-byte
// length until "EOF".
QByteArray applyIps(QByteArray image, const QByteArray& patch) {
    qint64 at = 5;
    const auto number = [&](int width) {
        qint64 value = 0;
        for (int i = 0; i < width; ++i)
            value = value << 8 | quint8(patch[at++]);
        return value;
    };
    while (patch.mid(at, 3) != "EOF") {
        const qint64 offset = number(3);
        const qint64 length = number(2);
        image.replace(offset, length, patch.mid(at, length));
        at += length;
    }
    return image;
}

// Opens Create Patch, fills it with `fill`, presses Create and saves to `saveAs`.
void createPatch(EditorFixture& f, const QString& saveAs,
                 const std::function<void(QWidget*)>& fill) {
    ui::setFileNameHandler([saveAs] { return saveAs; });
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QCOMPARE(dialog->objectName(), QString("PatchDialog"));
        dialog->findChild<QComboBox*>("PatchFormatCBO")->setCurrentIndex(1); // IPS
        fill(dialog);
        dialog->findChild<QAbstractButton*>("PatchCreateCMD")->click();
        if (dialog->isVisible())
            dialog->close();
    });
    f.find<QAction>("mnuCreatePatch")->trigger();
    ui::setFileNameHandler({});
}

} // namespace

class PatchTest : public QObject {
    Q_OBJECT
  private slots:
    void patchesTurnTheOriginalIntoTheOpenFile();
    void checksumIsUpdatedAsOneUndoableChange();
};

// From the file before this editor's changes (several Applies, an undo, a restart), from
// a headered original, and the failures: no change, a save that cannot be written.
void PatchTest::patchesTurnTheOriginalIntoTheOpenFile() {
    const QByteArray original = synth::makeImage();
    QTemporaryDir dir;
    const QString rom = dir.filePath("edited.smc");
    QVERIFY(synth::writeFile(rom, original));
    {
        EditorFixture first;
        first.openRom(rom);
        first.selectTab("enemy");
        first.enter("EnemyLevelTXT", "99");
        first.apply();
        first.selectTab("item");
        first.selectRow("ItemLST", 90);
        first.enter("ItemArmorDefenseTXT", "222");
        first.apply();
        first.find<QAction>("mnuUndoApply")->trigger();
        first.enter("ItemArmorDefenseTXT", "111");
        first.apply();
    }
    EditorFixture f;
    f.openRom(rom);
    createPatch(f, dir.filePath("history.ips"), [](QWidget*) {});
    QVERIFY(applyIps(original, synth::readFile(dir.filePath("history.ips"))) ==
            synth::readFile(rom));
    QCOMPARE(f.messageTexts().last(),
             QString("The patch changes 2 bytes in 2 places. It was written to \"%1\".")
                 .arg(dir.filePath("history.ips")));

    QVERIFY(synth::writeFile(dir.filePath("original.smc"), synth::withCopierHeader(original)));
    createPatch(f, dir.filePath("file.ips"), [&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("PatchOriginalTXT")->setText(dir.filePath("original.smc"));
        dialog->findChild<QAbstractButton*>("PatchFromFileOPT")->click();
    });
    QVERIFY(applyIps(original, synth::readFile(dir.filePath("file.ips"))) == synth::readFile(rom));

    f.messages.clear();
    createPatch(f, dir.filePath("none.ips"), [&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("PatchOriginalTXT")->setText(rom);
        dialog->findChild<QAbstractButton*>("PatchFromFileOPT")->click();
    });
    createPatch(f, rom + "/cannot.ips", [](QWidget*) {});
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages[0].text.contains("no change"));
    QVERIFY2(f.messages[1].text.endsWith(". No patch file was made."),
             qPrintable(f.messages[1].text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{"edited.smc", "file.ips", "history.ips", "original.smc"}));
}

// An image of zeros but for two bytes sums to 0x34 + 0x12 + FF + FF = 0x0244.
void PatchTest::checksumIsUpdatedAsOneUndoableChange() {
    QByteArray image(4194304, '\0');
    image[0] = '\x34';
    image[4194303] = '\x12';
    EditorFixture f;
    f.openAt(image, "misc", 0);
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("out of date"));
    f.find<QAction>("mnuUpdateChecksum")->trigger();
    QCOMPARE(f.fileBytes().mid(0x00FFDC, 4), QByteArray::fromHex("BBFD4402"));
    QCOMPARE(synth::changedOffsets(image, f.fileBytes()),
             (QList<qint64>{0xFFDC, 0xFFDD, 0xFFDE, 0xFFDF}));
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("matches"));
    f.find<QAction>("mnuUndoApply")->trigger();
    QVERIFY(f.fileBytes() == image);

    EditorFixture shortFile;
    shortFile.openAt(image.left(0x10000), "misc", 0);
    shortFile.find<QAction>("mnuUpdateChecksum")->trigger();
    QCOMPARE(shortFile.messageTexts(), QStringList("The checksum covers a 4 MiB image; this file "
                                                   "holds 65536 bytes, so nothing was written."));
}

QTEST_MAIN(PatchTest)
#include "test_patch.moc"
