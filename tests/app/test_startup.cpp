// Start-up, the data-file check, the settings store and the three ways the program ends.
#include "app/Application.h"
#include "app/Form1.h"
#include "app/Settings.h"
#include "support/EditorFixture.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString kNoRomTitle =
    QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - No ROM Loaded");
const QString kFirstStartTitle = QStringLiteral("Valdric Editor Rodeviruz v1.0");

void clearSettings() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
    s.clear();
    s.sync();
}

QString rawSetting(const QString& key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
    return s.value(QStringLiteral("Valdric Editor Rodeviruz/") + key).toString();
}

// Child mode: start the real program in `dir`, report messages and shown windows on stdout.
int runChild(const QString& dir) {
    ui::setMessageHandler([](ui::MessageIcon icon, const QString& title, const QString& text) {
        std::printf("MESSAGE %s|%s|%s\n", icon == ui::MessageIcon::Critical ? "critical" : "other",
                    qPrintable(title), qPrintable(text));
        std::fflush(stdout);
    });
    struct ShowWatcher : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->isWindow()) {
                std::printf("SHOWN %s\n", qPrintable(watched->objectName()));
                std::fflush(stdout);
                // The event loop has not started yet: end it once it runs.
                QMetaObject::invokeMethod(
                    qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            }
            return false;
        }
    } watcher;
    qApp->installEventFilter(&watcher);
    return app::run(dir);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { clearSettings(); }

    void firstStartWritesSettingsAndKeepsDesignTitle();
    void laterStartKeepsInstallValuesAndShowsNoRomTitle();
    void exitAndCancelWriteLastVersionClosingDoesNot();
    void ctrlXInTextBoxExitsWithoutCutting();
    void dataFileDecidesWhetherTheWindowShows_data();
    void dataFileDecidesWhetherTheWindowShows();
};

// Also when "Installed" is present but empty.
void StartupTest::firstStartWritesSettingsAndKeepsDesignTitle() {
    for (const bool installedButEmpty : {false, true}) {
        clearSettings();
        if (installedButEmpty) {
            QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
            s.setValue("Valdric Editor Rodeviruz/Installed", "");
            s.setValue("Valdric Editor Rodeviruz/Installed Path", "/opt/old");
        }
        EditorFixture editor;
        editor.window().CheckInstallation();
        QCOMPARE(editor.window().windowTitle(), kFirstStartTitle);
        QCOMPARE(rawSetting("Installed"),
                 QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        QCOMPARE(rawSetting("Installed Path"), QCoreApplication::applicationDirPath());
        QCOMPARE(rawSetting("Last Version Used"), QStringLiteral("1.0b"));
    }
}

void StartupTest::laterStartKeepsInstallValuesAndShowsNoRomTitle() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
    s.setValue("Valdric Editor Rodeviruz/Installed", "1/2/05");
    s.setValue("Valdric Editor Rodeviruz/Installed Path", "/opt/elsewhere");
    s.setValue("Valdric Editor Rodeviruz/Last Version Used", "0.9b");
    s.sync();
    EditorFixture editor;
    editor.window().CheckInstallation();
    QCOMPARE(editor.window().windowTitle(), kNoRomTitle);
    QCOMPARE(rawSetting("Installed"), QStringLiteral("1/2/05"));
    QCOMPARE(rawSetting("Installed Path"), QStringLiteral("/opt/elsewhere"));
    QCOMPARE(rawSetting("Last Version Used"), QStringLiteral("0.9b"));
}

void StartupTest::exitAndCancelWriteLastVersionClosingDoesNot() {
    const std::pair<QString, QString> cases[] = {
        {"exit", "1.0b"}, {"cancel", "1.0b"}, {"close", "0.5b"}};
    for (const auto& [how, lastVersion] : cases) {
        EditorFixture editor;
        QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
        s.setValue("Valdric Editor Rodeviruz/Last Version Used", "0.5b");
        s.sync();
        if (how == "exit")
            editor.find<QAction>("mnuExit")->trigger();
        else if (how == "cancel")
            editor.click("QuitCMD");
        else
            editor.window().close();
        QCOMPARE(editor.quitStatuses, QList<int>{0});
        QCOMPARE(rawSetting("Last Version Used"), lastVersion);
    }
}

// Ctrl+X is Exit even while a text box has the focus; the box keeps its text.
void StartupTest::ctrlXInTextBoxExitsWithoutCutting() {
    EditorFixture editor;
    editor.window().activateWindow();
    auto* box = new QLineEdit("123", editor.window().centralWidget());
    box->show();
    box->setFocus();
    box->selectAll();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(editor.quitStatuses, QList<int>{0});
    QCOMPARE(box->text(), QStringLiteral("123"));
}

// The real start-up in a child process. A missing data file (or a folder of its name) ends
// the program with the critical message before any setting is touched or window shown;
// with the file present the window shows, also when the settings cannot be kept.
void StartupTest::dataFileDecidesWhetherTheWindowShows_data() {
    QTest::addColumn<QString>("dataFile");
    QTest::addColumn<bool>("storeUnusable");
    QTest::addColumn<QString>("output");
    const QString missing = "MESSAGE critical|Valdric Editor Rodeviruz|You are missing a vital "
                            "data file, you will need to reinstall the program to fix this error."
                            "  This application will now close.\n";
    QTest::newRow("no data file") << "none" << false << missing;
    QTest::newRow("a folder named valdric.tbl") << "folder" << false << missing;
    QTest::newRow("data file present") << "file" << false << "SHOWN Form1\n";
    QTest::newRow("settings folder is a file") << "file" << true << "SHOWN Form1\n";
}

void StartupTest::dataFileDecidesWhetherTheWindowShows() {
    QFETCH(QString, dataFile);
    QFETCH(bool, storeUnusable);
    QFETCH(QString, output);
    QTemporaryDir program;
    QTemporaryDir configParent;
    const QString config = storeUnusable ? configParent.filePath("file") : configParent.path();
    if (storeUnusable)
        QVERIFY(QFile(config).open(QIODevice::WriteOnly));
    if (dataFile == "folder")
        QVERIFY(QDir(program.path()).mkdir("valdric.tbl"));
    if (dataFile == "file")
        QVERIFY(QFile(program.filePath("valdric.tbl")).open(QIODevice::WriteOnly));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--child-startup", program.path()});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()), output);
    QCOMPARE(child.exitCode() == 0, dataFile == "file");
    if (dataFile != "file")
        QVERIFY2(QDir(config).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 "a setting was written");
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--child-startup")
        return runChild(QString::fromLocal8Bit(argv[2]));
    StartupTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
