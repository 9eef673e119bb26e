// Edits not applied are never dropped without a word, an unfamiliar file is opened only when
// the user says so, and a patch's file name is completed.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

constexpr qint64 kEnemy5HP = 0x0C4773;
constexpr qint64 kEnemy5Level = 0x0C4775;

QByteArray imageWith(qint64 offset, const QByteArray& bytes) {
    return QByteArray(image()).replace(offset, bytes.size(), bytes);
}

QString question(EditorFixture& f, int enemyRow) {
    return QStringLiteral("The changes to Enemy %1 %2 are not applied. Apply them now?")
        .arg(enemyRow)
        .arg(f.find<QListWidget>("EnemyLST")->item(enemyRow)->text().trimmed());
}

} // namespace

class PendingTest : public QObject {
    Q_OBJECT
  private slots:
    void leavingARecordAsksApplyDiscardOrCancel();
    void openingAnotherFileLeavesNothingToAsk();
    void exitAsksOnlyWithEditsNotApplied();
    void editsAreMarkedAndCtrlReturnApplies();
    void unfamiliarImagesOpenOnlyWhenTheUserSaysSo();
    void patchNameIsProposedAndCompleted();
};

// By a click on another row and by Down alike: after Cancel the list's current and selected
// row are the record shown, which keeps what was typed.
void PendingTest::leavingARecordAsksApplyDiscardOrCancel() {
    // The answer, the row and HP box afterwards (nullptr: the file's value for that row), and
    // enemy 5's HP in the file afterwards.
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"&Discard", 6, nullptr, "0A00"},
        {"Cancel", 5, "99", "0A00"},
        {"&Apply", 6, nullptr, "6300"},
        {"Escape", 5, "99", "0A00"}}; // pressed on the real question box
    for (const bool byKey : {false, true})
        for (const auto& [answer, rowAfter, boxAfter, hp] : cases) {
            EditorFixture f;
            f.openAt(imageWith(kEnemy5HP, QByteArray::fromHex("0A00")), "enemy", 6);
            const QString hp6 = f.find<QLineEdit>("EnemyHPTXT")->text();
            auto* list = f.find<QListWidget>("EnemyLST");
            f.selectRow("EnemyLST", 5);
            QVERIFY(f.questions.isEmpty()); // nothing typed: nothing asked
            f.enter("EnemyHPTXT", "99");
            f.questionAnswers = {answer};
            if (QString(answer) == "Escape") {
                ui::setQuestionHandler({});
                QTimer::singleShot(0, [&f] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        f.questions << box->text();
                        QTest::keyClick(box, Qt::Key_Escape);
                    }
                });
            }
            if (byKey)
                QTest::keyClick(list, Qt::Key_Down);
            else
                f.selectRow("EnemyLST", 6);
            QCOMPARE(f.questions, QStringList(question(f, 5)));
            QCOMPARE(list->currentRow(), rowAfter);
            QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(rowAfter)});
            QCOMPARE(f.find<QLineEdit>("EnemyHPTXT")->text(), boxAfter ? boxAfter : hp6);
            QCOMPARE(
                synth::changedOffsets(imageWith(kEnemy5HP, QByteArray::fromHex(hp)), f.fileBytes()),
                QList<qint64>());
        }
}

// The lists refilled by opening another file are what that file holds: no mark, no question.
void PendingTest::openingAnotherFileLeavesNothingToAsk() {
    EditorFixture f;
    f.openAt(image(), "item", 90);
    f.openRom(f.writeRom(image(), "other.smc"));
    QCoreApplication::processEvents(); // the marks are drawn from the event loop
    QVERIFY2(!f.window().windowTitle().startsWith('*'), qPrintable(f.window().windowTitle()));
    f.selectRow("ItemLST", 150);
    f.selectTab("enemy");
    QCOMPARE(f.questions, QStringList());
}

// Exit, the Cancel button and closing the window all ask; Cancel keeps the window.
void PendingTest::exitAsksOnlyWithEditsNotApplied() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    f.trigger("mnuExit");
    QCOMPARE(f.quitStatuses, QList<int>{0});
    QVERIFY(f.questions.isEmpty());
    f.enter("EnemyLevelTXT", "99");
    f.questionAnswers = {"Cancel", "Cancel"};
    f.trigger("mnuExit");
    f.click("QuitCMD");
    QCOMPARE(f.questions, QStringList({question(f, 5), question(f, 5)}));
    QCOMPARE(f.quitStatuses, QList<int>{0});
    f.questionAnswers = {"&Discard"};
    QVERIFY(f.window().close());
    QCOMPARE(f.quitStatuses, QList<int>({0, 0}));
    QVERIFY(f.fileBytes() == image());
}

void PendingTest::editsAreMarkedAndCtrlReturnApplies() {
    EditorFixture f;
    f.openAt(imageWith(kEnemy5Level, QByteArray::fromHex("0A")), "enemy", 5);
    auto* caption = f.find<QLabel>("EnemyLevelLBL");
    QVERIFY(caption);
    QTRY_VERIFY(!f.window().windowTitle().startsWith('*'));
    f.type("EnemyNameTXT", "Renamed"); // names are not written: no edit
    QCoreApplication::processEvents(); // the marks are drawn from the event loop
    QVERIFY(!f.window().windowTitle().startsWith('*'));
    f.type("EnemyLevelTXT", "12");
    QTRY_VERIFY(f.window().windowTitle().startsWith('*'));
    QVERIFY(caption->font().bold());
    QVERIFY(!f.find<QLabel>("EnemyHPLBL")->font().bold());
    QTest::keyClick(f.find<QLineEdit>("EnemyLevelTXT"), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(f.fileBytes().mid(kEnemy5Level, 1), QByteArray::fromHex("0C"));
    QTRY_VERIFY(!f.window().windowTitle().startsWith('*'));
    QVERIFY(!caption->font().bold());
    QVERIFY(f.questions.isEmpty());
}

// A 1 MiB file and a 4 MiB one whose checksum pair does not add up are asked about; Cancel
// leaves the file as it was and the open ROM open. A headered image of this game is not.
void PendingTest::unfamiliarImagesOpenOnlyWhenTheUserSaysSo() {
    EditorFixture f;
    const QString open = f.openImage(image());
    QByteArray badPair = image();
    badPair[0x00FFDC] = char(badPair[0x00FFDC] ^ 0x01);
    const std::pair<QByteArray, QString> strangers[] = {{image().left(0x100000), "1,048,576"},
                                                        {badPair, "4,194,304"}};
    for (const auto& [bytes, size] : strangers) {
        f.openRom(open);
        const QString path = f.writeRom(bytes, "other.smc");
        f.questions.clear();
        f.questionAnswers = {"Cancel"};
        f.openRom(path);
        QCOMPARE(f.questions,
                 QStringList(QStringLiteral("\"other.smc\" does not look like a ROM image of "
                                            "Valdric (%1 bytes; internal name \"VALDRIC TEST "
                                            "IMAGE\"). Open it anyway?")
                                 .arg(size)));
        QVERIFY(synth::readFile(path) == bytes);
        QCOMPARE(f.window().romFile().path(), open);
        f.questionAnswers = {"&Open Anyway"};
        f.openRom(path);
        QCOMPARE(f.window().romFile().path(), path);
    }
    f.questions.clear();
    f.openRom(f.writeRom(synth::withCopierHeader(image()), "headered.smc"));
    QVERIFY(f.questions.isEmpty());
    QVERIFY(f.window().romFile().path().endsWith("headered.smc"));
}

// Enter creates the patch; the save dialog's name without an extension gets the format's; the
// success is a notice.
void PendingTest::patchNameIsProposedAndCompleted() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    f.enter("EnemyLevelTXT", "99");
    f.apply();
    const QString chosen = f.folder() + "/mypatch";
    f.answerFileDialogs({chosen});
    f.messages.clear();
    QVERIFY(f.withDialog("mnuCreatePatch", [&](QWidget* dialog) {
        QCOMPARE(f.find<QLabel>("PatchSourceLBL", dialog)->text(),
                 "The patch will turn this file into the open file, \"test.smc\":");
        QTest::keyClick(f.find<QLineEdit>("PatchOriginalTXT", dialog), Qt::Key_Return);
    }));
    QVERIFY(synth::readFile(chosen + ".bps").startsWith("BPS1"));
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].icon, ui::MessageIcon::Information);
}

QTEST_MAIN(PendingTest)
#include "test_pending.moc"
