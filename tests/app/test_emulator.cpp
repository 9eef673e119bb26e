// Playing in an emulator: the open file through F5 and the command line's placeholders,
// the pending-edit question, a program that cannot start, the settings with what is found
// on PATH and in the Flatpak export folders, and past versions from the History window. The
// emulator is a shell script that writes its arguments, one a line, to a file of its own.
#include "play/Emulator.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

namespace {

// Emulator scripts of which each run leaves its arguments in runs/run-<pid>.
struct Fake {
    Fake() { QVERIFY(QDir(dir.path()).mkdir("runs") && install(program())); }
    bool install(const QString& path) {
        const QString runs = "'" + dir.filePath("runs") + "/";
        const QString script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                               runs + "part-'$$\nexec /bin/mv " + runs + "part-'$$ " + runs +
                               "run-'$$\n";
        return synth::writeFile(path, script.toUtf8()) &&
               QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    QString program() const { return dir.filePath("fake emu"); }
    QString command(const QString& arguments) const { return '"' + program() + "\" " + arguments; }
    QList<QStringList> runs() const {
        QList<QStringList> all;
        for (const QFileInfo& run : QDir(dir.filePath("runs")).entryInfoList({"run-*"}))
            all << QString::fromUtf8(synth::readFile(run.filePath()))
                       .split('\n', Qt::SkipEmptyParts);
        return all;
    }
    QTemporaryDir dir;
};

void pressF5(EditorFixture& f) {
    QApplication::setActiveWindow(&f.window());
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    QTest::keyClick(&f.window(), Qt::Key_F5);
}

} // namespace

class EmulatorTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path())); }
    void f5PassesTheOpenFileAsOneArgument();
    void pendingEditsAreAskedAboutFirst();
    void settingsOpenFirstAndOfferWhatIsFound();
    void pastVersionIsWrittenApartAndPlayed();

  private:
    QTemporaryDir cache;
};

// A path with a space and quotes is one argument; a program that cannot start is named.
void EmulatorTest::f5PassesTheOpenFileAsOneArgument() {
    const std::pair<QString, QStringList> cases[] = {
        {"FAKE %f", {"DIR/it's my \"rom\".smc"}},
        {"FAKE --dir=%d %n 100%%", {"--dir=DIR", "it's my \"rom\"", "100%"}},
        {"/nowhere/emulator %f", {}},
        {"no-such-emulator %f", {}}};
    for (const auto& [line, expected] : cases) {
        Fake fake;
        EditorFixture f;
        app::emulator::setCommand(QString(line).replace("FAKE", fake.command("").trimmed()));
        QVERIFY(!f.find<QAction>("mnuPlayROM")->isEnabled());
        f.openImage(synth::makeImage(), "it's my \"rom\".smc");
        QVERIFY(f.find<QAction>("mnuPlayROM")->isEnabled());
        pressF5(f);
        if (expected.isEmpty()) {
            QCOMPARE(f.messages.size(), 1);
            QCOMPARE(f.messages[0].icon, ui::MessageIcon::Exclamation);
            QVERIFY2(f.messages[0].text.contains('"' + line + '"') &&
                         f.messages[0].text.contains("No such file or directory"),
                     qPrintable(f.messages[0].text));
            continue;
        }
        QTRY_COMPARE(fake.runs().size(), 1);
        QCOMPARE(fake.runs().first(), QStringList(expected).replaceInStrings("DIR", f.folder()));
    }
}

// Cancel starts nothing (a program that cannot start would be a warning at once); Discard
// plays.
void EmulatorTest::pendingEditsAreAskedAboutFirst() {
    Fake fake;
    EditorFixture f;
    app::emulator::setCommand("/nowhere/emulator %f");
    f.openAt(synth::makeImage(), "enemy", 5);
    f.enter("EnemyLevelTXT", "99");
    f.questionAnswers = {"Cancel"};
    pressF5(f);
    QCOMPARE(f.questions.size(), 1);
    QCOMPARE(f.messageTexts(), QStringList());
    app::emulator::setCommand(fake.command("%f"));
    f.questionAnswers = {"&Discard"};
    pressF5(f);
    QCOMPARE(f.questions.size(), 2);
    QTRY_COMPARE(fake.runs().size(), 1);
}

// Mednafen and RetroArch with a SNES core on PATH, Snes9x and ares as Flatpaks of the system
// and of the user: offered in that order with where each was found, Mednafen as the default;
// Browse makes a custom command; an empty one is refused; OK plays.
void EmulatorTest::settingsOpenFirstAndOfferWhatIsFound() {
    Fake fake;
    const QString bin = fake.dir.filePath("bin"), system = fake.dir.filePath("system/exports/bin"),
                  user = fake.dir.filePath("user/exports/bin");
    const QString cores = qEnvironmentVariable("XDG_CONFIG_HOME") + "/retroarch/cores";
    for (const QString& folder : {bin, system, user, cores})
        QVERIFY(QDir().mkpath(folder));
    QVERIFY(fake.install(bin + "/mednafen") && fake.install(bin + "/retroarch") &&
            fake.install(system + "/com.snes9x.Snes9x") && fake.install(user + "/dev.ares.ares") &&
            synth::writeFile(cores + "/snes9x_libretro.so", "core"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin));
    qputenv("FLATPAK_SYSTEM_DIR", QFile::encodeName(fake.dir.filePath("system")));
    qputenv("FLATPAK_USER_DIR", QFile::encodeName(fake.dir.filePath("user")));
    app::emulator::setCommand(QString());
    EditorFixture f;
    f.openImage(synth::makeImage());
    QVERIFY(f.withDialog("mnuPlayROM", [&](QWidget* dialog) {
        auto* choice = dialog->findChild<QComboBox*>("EmulatorCBO");
        auto* command = dialog->findChild<QLineEdit*>("EmulatorCommandTXT");
        QVERIFY(choice && command && dialog->objectName() == "EmulatorDialog");
        QStringList offered;
        for (int i = 0; i < choice->count(); ++i)
            offered << choice->itemText(i);
        QCOMPARE(offered, QStringList({"Mednafen in " + bin, "RetroArch (snes9x) in " + bin,
                                       "Snes9x in " + system, "ares in " + user, "Custom"}));
        QCOMPARE(command->text(), bin + "/mednafen %f");
        QTest::keyClick(choice, Qt::Key_Down); // as a user picks with the keys
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(command->text(), system + "/com.snes9x.Snes9x %f");
        QTest::keyClick(choice, Qt::Key_Up);
        QCOMPARE(command->text(), bin + "/retroarch -L " + cores + "/snes9x_libretro.so %f");
        f.answerFileDialogs({"/opt/my emu/run"});
        f.click("EmulatorBrowseCMD", dialog);
        QCOMPARE(command->text(), QString("\"/opt/my emu/run\" %f"));
        QCOMPARE(choice->currentText(), QString("Custom"));
        command->clear();
        f.click("EmulatorOKCMD", dialog);
        QCOMPARE(f.messages.size(), 1);
        QTest::keyClick(choice, Qt::Key_Home);
        f.click("EmulatorOKCMD", dialog);
    }));
    qputenv("PATH", path);
    QTRY_COMPARE(fake.runs().size(), 1);
    QCOMPARE(fake.runs().first(), QStringList(f.folder() + "/test.smc"));
}

// Enemy 5: level 11, then HP 12345, then level 99. The version after the HP entry, and after
// the level 99 entry once it is undone; the open file stays as it is, five copies are kept.
void EmulatorTest::pastVersionIsWrittenApartAndPlayed() {
    const QString copies = cache.path() + "/Quillmark/valdric-play";
    QVERIFY(QDir().mkpath(copies));
    for (int age = 1; age <= 5; ++age) {
        QFile old(copies + QString("/old-%1.smc").arg(age));
        QVERIFY(old.open(QIODevice::WriteOnly) &&
                old.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * age),
                                QFileDevice::FileModificationTime));
    }
    EditorFixture f;
    const QByteArray image = synth::makeImage();
    f.openAt(image, "enemy", 5);
    for (const auto& [box, value] :
         {std::pair{"EnemyLevelTXT", "11"}, {"EnemyHPTXT", "12345"}, {"EnemyLevelTXT", "99"}}) {
        f.enter(box, value);
        f.apply();
    }
    const QByteArray hp = QByteArray::fromHex("3930");
    const QStringList old = {"old-1.smc", "old-2.smc", "old-3.smc", "old-4.smc"};
    const std::tuple<int, bool, QByteArray, QStringList> cases[] = {
        {1, false, QByteArray(image).replace(0x0C4773, 3, hp + "\x0B"), old},
        {0, true, QByteArray(image).replace(0x0C4773, 3, hp + "\x63"), old.mid(0, 3)}};
    QStringList made;
    for (const auto& [row, undoFirst, expected, oldKept] : cases) {
        Fake fake;
        app::emulator::setCommand(fake.command("%f"));
        if (undoFirst)
            f.trigger("mnuUndoApply");
        const QByteArray before = f.fileBytes();
        QVERIFY(f.withDialog("mnuHistory", [&](QWidget* history) {
            QCOMPARE(EditorFixture::rowsOf(history, "HistoryLST").size(), 3);
            f.selectRow("HistoryLST", row, history);
            f.click("PlayVersionCMD", history);
        }));
        QTRY_COMPARE(fake.runs().size(), 1);
        QVERIFY(f.fileBytes() == before);
        QCOMPARE(fake.runs().first().size(), 1);
        const QFileInfo copy(fake.runs().first().first()); // the copy played
        QCOMPARE(copy.absolutePath(), copies);
        QVERIFY(QRegularExpression("^test-\\d+\\.smc$").match(copy.fileName()).hasMatch());
        QVERIFY(synth::readFile(copy.filePath()) == expected);
        made << copy.fileName();
        QStringList kept = oldKept + made;
        kept.sort();
        QCOMPARE(QDir(copies).entryList(QDir::Files, QDir::Name), kept);
    }
}

QTEST_MAIN(EmulatorTest)
#include "test_emulator.moc"
