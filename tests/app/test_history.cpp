// Safe, recorded, undoable Applies: the open file replaced or removed under the editor, a
// record changed by another program, undo and redo on every page, a history that outlives
// the window, and one that cannot be kept.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
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
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(offset) &&
            file.write(bytes) == bytes.size());
}

QAction* action(EditorFixture& f, const char* name) {
    return f.find<QAction>(name);
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
    void textBoxKeepsItsOwnUndo();
    void fullDiskHeaderRemovalSaysWhy();
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
        QVERIFY(orphan.open(QIODevice::ReadOnly));
        QVERIFY(QFile::remove(path));
        if (!removed)
            QVERIFY(QFile::rename(f.writeRom(other, "new.smc"), path));
        f.enter("EnemyLevelTXT", "99");
        f.apply();
        QVERIFY(orphan.readAll() == image());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].text.contains(removed ? "is no longer there" : "changed by another"),
                 qPrintable(f.messages[0].text));
        QCOMPARE(f.find<QTabBar>("tabs")->isEnabled(), !removed);
        if (removed) {
            QVERIFY(f.window().windowTitle().endsWith(" - No ROM Loaded"));
            QVERIFY(!f.find<QPushButton>("ApplyCMD")->isEnabled());
            continue;
        }
        QVERIFY(synth::readFile(path) == other);
        QVERIFY(f.window().windowTitle().endsWith(" - SAVED ELSEWHERE      "));
        QCOMPARE(f.find<QLineEdit>("EnemyLevelTXT")->text(),
                 QString::number(quint8(other.at(0x0C4775))));
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
    QCOMPARE(f.messageTexts(),
             QStringList(QStringLiteral("Enemy 5 %1 was changed by another program since it was "
                                        "shown; nothing was written. The page now shows the "
                                        "file's values.")
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
        QVERIFY(!action(f, "mnuUndoApply")->isEnabled());
        f.enter(box, entry);
        f.apply();
        const QByteArray applied = f.fileBytes();
        QVERIFY(applied != image());
        QVERIFY(action(f, "mnuUndoApply")->text().startsWith(QString("&Undo Apply: ") + label));
        action(f, "mnuUndoApply")->trigger();
        QVERIFY(f.fileBytes() == image());
        QVERIFY(action(f, "mnuRedoApply")->text().startsWith(QString("&Redo Apply: ") + label));
        action(f, "mnuRedoApply")->trigger();
        QVERIFY(f.fileBytes() == applied);
        QCOMPARE(f.messageTexts(), QStringList());

        writeInPlace(f.window().romFile().path(), offset, QByteArray(1, '\x2A'));
        action(f, "mnuUndoApply")->trigger();
        QCOMPARE(f.fileBytes().at(offset), '\x2A');
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].text.endsWith("was changed since this change was made; nothing was "
                                            "undone."));
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
    QTimer::singleShot(0, [&] {
        auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>("HistoryLST");
        for (int r = 0; r < list->count(); ++r)
            rows << list->item(r)->text();
        list->item(1)->setSelected(true); // the older entry, on the item page
        QApplication::activeModalWidget()->findChild<QPushButton*>("RevertCMD")->click();
        static_cast<QDialog*>(QApplication::activeModalWidget())->accept();
    });
    action(second, "mnuHistory")->trigger();
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0].contains("Enemy 0 ") && rows[0].contains("Level: "), qPrintable(rows[0]));
    QVERIFY2(rows[1].contains(" \u2192 300") && rows[1].contains("Equipped by: "),
             qPrintable(rows[1]));
    QByteArray expected = image();
    expected[0x0C4702] = char(77); // enemy 0's level
    QVERIFY(synth::readFile(path) == expected);
    action(second, "mnuUndoApply")->trigger();
    QVERIFY(synth::readFile(path) == image());
}

// Told once; every Apply still reaches the file.
void HistoryTest::unusableHistoryLetsEditingGoOn() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    QTemporaryDir dir;
    QVERIFY(synth::writeFile(dir.filePath("not-a-folder"), "x"));
    qputenv("XDG_DATA_HOME", dir.filePath("not-a-folder").toLocal8Bit());
    EditorFixture f;
    f.window();
    qputenv("XDG_DATA_HOME", dataHome);
    f.openAt(image(), "enemy", 5);
    for (const char* level : {"98", "99"}) {
        f.enter("EnemyLevelTXT", level);
        QCOMPARE(f.applyAndDiff(), QList<qint64>{0x0C4775});
    }
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages[0].text.startsWith("The history of changes is off"));
    QVERIFY(!action(f, "mnuUndoApply")->isEnabled());
}

// Ctrl+Z in a focused text box undoes the typing; elsewhere it undoes the last Apply.
void HistoryTest::textBoxKeepsItsOwnUndo() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    f.enter("EnemyLevelTXT", "99");
    f.apply();
    const QByteArray applied = f.fileBytes();
    auto* box = f.find<QLineEdit>("EnemySpeedTXT");
    const QString speed = box->text();
    f.window().activateWindow();
    f.type("EnemySpeedTXT", "7");
    QTest::keySequence(box, QKeySequence::Undo);
    QTest::keySequence(box, QKeySequence::Undo);
    QCOMPARE(box->text(), speed);
    QVERIFY(f.fileBytes() == applied);
    f.find<QListWidget>("EnemyLST")->setFocus();
    QTest::keySequence(f.find<QListWidget>("EnemyLST"), QKeySequence::Undo);
    QVERIFY(f.fileBytes() == image());
}

// On a disk too small for the headerless copy the message gives the system's reason.
void HistoryTest::fullDiskHeaderRemovalSaysWhy() {
    QTemporaryDir dir;
    if (::mount("tmpfs", dir.path().toLocal8Bit(), "tmpfs", 0, "size=6m") != 0)
        QSKIP("a small tmpfs cannot be mounted here");
    const QByteArray headered = synth::withCopierHeader(image());
    {
        EditorFixture f;
        const QString path = dir.filePath("full.smc");
        QVERIFY(synth::writeFile(path, headered));
        f.openRom(path);
        QCOMPARE(f.messages.size(), 2);
        QVERIFY2(f.messages[1].text.contains("No space left on device"),
                 qPrintable(f.messages[1].text));
        QVERIFY(synth::readFile(path) == headered);
    }
    ::umount(dir.path().toLocal8Bit());
}

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
