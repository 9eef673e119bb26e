// Safe, recorded, undoable Applies: the open file replaced or removed under the editor, a
// record changed by another program, undo and redo on every page, a history that outlives
// the window, one that cannot be kept; and what builds on it: patches and the checksum.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <sys/mount.h>

namespace {

const QByteArray& image() {
    static const QByteArray bytes = synth::makeImage();
    return bytes;
}

// Another program writing into the open file in place.
void writeInPlace(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(bytes) > 0);
}

// Runs `use` on the modal window the menu entry `name` opens, then closes it.
void withDialog(EditorFixture& f, const char* name, const std::function<void(QWidget*)>& use) {
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            use(dialog);
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
        }
    });
    f.trigger(name);
}

// Applies a classic IPS patch as patchers do: 3-byte offset, 2-byte length, until "EOF".
QByteArray applyIps(QByteArray image, const QByteArray& patch) {
    for (qint64 at = 5; patch.mid(at, 3) != "EOF";) {
        const qint64 offset =
            quint8(patch[at]) << 16 | quint8(patch[at + 1]) << 8 | quint8(patch[at + 2]);
        const qint64 length = quint8(patch[at + 3]) << 8 | quint8(patch[at + 4]);
        image.replace(offset, length, patch.mid(at + 5, length));
        at += 5 + length;
    }
    return image;
}

// Create Patch as IPS, from an original file when `original` is given, saved to `saveAs`.
void createPatch(EditorFixture& f, const QString& saveAs, const QString& original = {}) {
    ui::setFileNameHandler([saveAs] { return saveAs; });
    withDialog(f, "mnuCreatePatch", [&](QWidget* dialog) {
        dialog->findChild<QComboBox*>("PatchFormatCBO")->setCurrentIndex(1);
        if (!original.isEmpty()) {
            dialog->findChild<QLineEdit*>("PatchOriginalTXT")->setText(original);
            dialog->findChild<QAbstractButton*>("PatchFromFileOPT")->click();
        }
        dialog->findChild<QAbstractButton*>("PatchCreateCMD")->click();
    });
    ui::setFileNameHandler({});
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
  private slots:
    void fileReplacedOrRemovedBeforeApply();
    void recordChangedByAnotherProgram();
    void undoAndRedoOnEveryPage();
    void historyOutlivesTheWindowAndListsChanges();
    void unusableHistoryLetsEditingGoOn();
    void fullDiskHeaderRemovalSaysWhy();
    void patchesTurnTheOriginalIntoTheOpenFile();
    void checksumIsUpdatedAsOneUndoableChange();
};

// Nothing is written into the old file nor the new one; a new file is opened again, a
// missing one leaves the window with no ROM.
void HistoryTest::fileReplacedOrRemovedBeforeApply() {
    for (const bool removed : {false, true}) {
        EditorFixture f;
        const QByteArray other = synth::makeImage({7, "SAVED ELSEWHERE"});
        const QString path = f.writeRom(image());
        f.openAt(image(), "enemy", 5);
        QFile orphan(path);
        QVERIFY(orphan.open(QIODevice::ReadOnly) && QFile::remove(path));
        if (!removed)
            QVERIFY(QFile::rename(f.writeRom(other, "new.smc"), path));
        f.enter("EnemyLevelTXT", "99");
        f.apply();
        QVERIFY(orphan.readAll() == image());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].text.contains(removed ? "is no longer there" : "changed by another"));
        QCOMPARE(f.find<QTabBar>("tabs")->isEnabled(), !removed);
        QCOMPARE(f.find<QPushButton>("ApplyCMD")->isEnabled(), !removed);
        QVERIFY(f.window().windowTitle().endsWith(removed ? " - No ROM Loaded"
                                                          : " - SAVED ELSEWHERE      "));
        if (!removed) {
            QVERIFY(synth::readFile(path) == other);
            QCOMPARE(f.find<QLineEdit>("EnemyLevelTXT")->text(),
                     QString::number(quint8(other.at(0x0C4775))));
        }
    }
}

// Apply writes nothing over a change it did not see, says so and shows the file's values.
void HistoryTest::recordChangedByAnotherProgram() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    const QString name = f.find<QListWidget>("EnemyLST")->item(5)->text().trimmed();
    f.enter("EnemyLevelTXT", "99");
    writeInPlace(f.window().romFile().path(), 0x0C4773, QByteArray::fromHex("3930")); // HP 12345
    QByteArray expected = image();
    expected.replace(0x0C4773, 2, QByteArray::fromHex("3930"));
    f.apply();
    QVERIFY(f.fileBytes() == expected);
    QCOMPARE(f.messageTexts(), QStringList(QString("Enemy 5 %1 was changed by another program "
                                                   "since it was shown; nothing was written. The "
                                                   "page now shows the file's values.")
                                               .arg(name)));
    QCOMPARE(f.find<QLineEdit>("EnemyHPTXT")->text(), QString("12345"));
}

// Undo puts back the old bytes, redo the new ones; an undo over a change made since by
// another program writes nothing.
void HistoryTest::undoAndRedoOnEveryPage() {
    const std::tuple<const char*, int, const char*, const char*, qint64, const char*> cases[] = {
        {"enemy", 5, "EnemyHPTXT", "40000", 0x0C4773, "Enemy 5 "},
        {"char", 3, "CharLevelTXT", "99", 0x0C0102, "Character 3 Dunmore"},
        {"item", 90, "ItemArmorDefenseTXT", "222", 0x0C047E, "Item 90 "},
        {"misc", 0, "ROMVersionTXT", "12", 0x00FFDB, "Internal ROM header"}};
    for (const auto& [tab, row, box, entry, offset, label] : cases) {
        EditorFixture f;
        f.openAt(image(), tab, row);
        QVERIFY(!f.find<QAction>("mnuUndoApply")->isEnabled());
        f.enter(box, entry);
        f.apply();
        const QByteArray applied = f.fileBytes();
        QVERIFY(applied != image());
        QVERIFY(
            f.find<QAction>("mnuUndoApply")->text().startsWith(QString("&Undo Apply: ") + label));
        f.trigger("mnuUndoApply");
        QVERIFY(f.fileBytes() == image());
        QVERIFY(
            f.find<QAction>("mnuRedoApply")->text().startsWith(QString("&Redo Apply: ") + label));
        f.trigger("mnuRedoApply");
        QVERIFY(f.fileBytes() == applied);
        QCOMPARE(f.messageTexts(), QStringList());
        writeInPlace(f.window().romFile().path(), offset, QByteArray(1, '\x2A'));
        f.trigger("mnuUndoApply");
        QCOMPARE(f.fileBytes().at(offset), '\x2A');
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(
            f.messages[0].text.endsWith("changed since this change was made; nothing was undone."));
    }
}

// A second window on the same file undoes an Apply of the first; the History window shows
// each change in the page's words and reverts the chosen ones.
void HistoryTest::historyOutlivesTheWindowAndListsChanges() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.smc");
    QVERIFY(synth::writeFile(path, image()));
    {
        EditorFixture first;
        first.openRom(path);
        first.selectTab("item");
        first.selectRow("ItemLST", 5);
        first.enter("ItemPriceTXT", "300");
        first.toggleCheckRow("ItemEquipLST", 5); // Cassia
        first.apply();
        first.selectTab("enemy");
        first.enter("EnemyLevelTXT", "77");
        first.apply();
    }
    EditorFixture second;
    second.openRom(path);
    QStringList rows;
    withDialog(second, "mnuHistory", [&](QWidget* history) {
        auto* list = history->findChild<QListWidget*>("HistoryLST");
        for (int r = 0; r < list->count(); ++r)
            rows << list->item(r)->text();
        list->item(1)->setSelected(true); // the older entry, on the item page
        history->findChild<QPushButton*>("RevertCMD")->click();
    });
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0].contains("Enemy 0 ") && rows[0].contains("Level: "), qPrintable(rows[0]));
    QVERIFY2(rows[1].contains("Equipped by: +Cassia; Price: ") && rows[1].contains(" \u2192 300"),
             qPrintable(rows[1]));
    QByteArray expected = image();
    expected[0x0C4702] = char(77); // enemy 0's level
    QVERIFY(synth::readFile(path) == expected);
    second.trigger("mnuUndoApply");
    QVERIFY(synth::readFile(path) == image());
}

// Told once; every Apply still reaches the file.
void HistoryTest::unusableHistoryLetsEditingGoOn() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    EditorFixture f; // its data folder is a file
    QVERIFY(synth::writeFile(f.folder() + "/file", "x"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(f.folder() + "/file"));
    f.window();
    qputenv("XDG_DATA_HOME", dataHome);
    f.openAt(image(), "enemy", 5);
    for (const char* level : {"98", "99"}) {
        f.enter("EnemyLevelTXT", level);
        QCOMPARE(f.applyAndDiff(), QList<qint64>{0x0C4775});
    }
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages[0].text.startsWith("The history of changes is off"));
    QVERIFY(!f.find<QAction>("mnuUndoApply")->isEnabled());
}

// On a disk too small for the headerless copy the message gives the system's reason.
void HistoryTest::fullDiskHeaderRemovalSaysWhy() {
    QTemporaryDir dir;
    if (::mount("tmpfs", dir.path().toLocal8Bit(), "tmpfs", 0, "size=6m") != 0)
        QSKIP("a small tmpfs cannot be mounted here");
    const QByteArray headered = synth::withCopierHeader(image());
    {
        EditorFixture f;
        QVERIFY(synth::writeFile(dir.filePath("full.smc"), headered));
        f.openRom(dir.filePath("full.smc"));
        QCOMPARE(f.messages.size(), 2);
        QVERIFY2(f.messages[1].text.contains("No space left on device"),
                 qPrintable(f.messages[1].text));
        QVERIFY(synth::readFile(dir.filePath("full.smc")) == headered);
    }
    ::umount(dir.path().toLocal8Bit());
}

// From the file before this editor's changes (several Applies, an undo, a restart), from
// a headered original, and the failures: no change, a save that cannot be written.
void HistoryTest::patchesTurnTheOriginalIntoTheOpenFile() {
    QTemporaryDir dir;
    const QString rom = dir.filePath("edited.smc");
    QVERIFY(synth::writeFile(rom, image()));
    {
        EditorFixture first;
        first.openRom(rom);
        first.selectTab("item");
        first.selectRow("ItemLST", 90);
        for (const char* defense : {"222", "111"}) {
            first.enter("ItemArmorDefenseTXT", defense);
            first.apply();
        }
        first.trigger("mnuUndoApply");
        first.selectTab("enemy");
        first.enter("EnemyLevelTXT", "99");
        first.apply();
    }
    EditorFixture f;
    f.openRom(rom);
    createPatch(f, dir.filePath("history.ips"));
    QVERIFY(applyIps(image(), synth::readFile(dir.filePath("history.ips"))) ==
            synth::readFile(rom));
    QCOMPARE(f.messageTexts(), QStringList(QString("The patch changes 2 bytes in 2 places. It was "
                                                   "written to \"%1\".")
                                               .arg(dir.filePath("history.ips"))));
    QVERIFY(synth::writeFile(dir.filePath("original.smc"), synth::withCopierHeader(image())));
    createPatch(f, dir.filePath("file.ips"), dir.filePath("original.smc"));
    QVERIFY(applyIps(image(), synth::readFile(dir.filePath("file.ips"))) == synth::readFile(rom));
    f.messages.clear();
    createPatch(f, dir.filePath("none.ips"), rom);
    createPatch(f, rom + "/cannot.ips");
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages[0].text.contains("no change"));
    QVERIFY2(f.messages[1].text.endsWith(". No patch file was made."),
             qPrintable(f.messages[1].text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{"edited.smc", "file.ips", "history.ips", "original.smc"}));
}

// An image of zeros but for two bytes sums to 0x34 + 0x12 + FF + FF = 0x0244.
void HistoryTest::checksumIsUpdatedAsOneUndoableChange() {
    QByteArray zeros(4194304, '\0');
    zeros[0] = '\x34';
    zeros[4194303] = '\x12';
    EditorFixture f;
    f.openAt(zeros, "misc", 0);
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("out of date"));
    f.trigger("mnuUpdateChecksum");
    QCOMPARE(synth::changedOffsets(zeros, f.fileBytes()),
             (QList<qint64>{0xFFDC, 0xFFDD, 0xFFDE, 0xFFDF}));
    QCOMPARE(f.fileBytes().mid(0x00FFDC, 4), QByteArray::fromHex("BBFD4402"));
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("matches"));
    f.trigger("mnuUndoApply");
    QVERIFY(f.fileBytes() == zeros);
    EditorFixture shortFile;
    shortFile.openAt(zeros.left(0x10000), "misc", 0);
    shortFile.trigger("mnuUpdateChecksum");
    QCOMPARE(shortFile.messageTexts(), QStringList("The checksum covers a 4 MiB image; this file "
                                                   "holds 65536 bytes, so nothing was written."));
}

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
