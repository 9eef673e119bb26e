// Start-up, the data-file check, the settings store and the three ways the program ends;
// and opening from outside the window: the command line, drops and the recent files.
#include "app/Application.h"
#include "opening/RecentFiles.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "ui/Dialogs.h"
#include "ui/Settings.h"
#include "window/Form1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Quillmark");
}

void setSetting(const QString& key, const QVariant& value) {
    settings().setValue("Valdric Editor Rodeviruz/" + key, value);
}

QString rawSetting(const QString& key) {
    return settings().value("Valdric Editor Rodeviruz/" + key).toString();
}

// Child mode: start the real program in `dir`, report messages and shown windows on stdout.
int runChild(const QString& dir) {
    ui::setMessageHandler([](ui::MessageIcon icon, const QString& title, const QString& text) {
        std::printf("MESSAGE %s|%s|%s\n", icon == ui::MessageIcon::Critical ? "critical" : "other",
                    qPrintable(title), qPrintable(text));
        std::fflush(stdout);
    });
    // Once the event loop runs: the windows shown, then the end.
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                std::printf("SHOWN %s\n", qPrintable(window->objectName()));
        QCoreApplication::exit(0);
    });
    return app::run(dir);
}

QStringList recentEntries(EditorFixture& editor) {
    emit editor.find<QMenu>("mnuOpenRecent")->aboutToShow();
    QStringList shown;
    for (int n = 0; n < 8; ++n)
        if (auto* entry = editor.find<QAction>(QStringLiteral("mnuRecent%1").arg(n));
            entry->isVisible())
            shown << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
    return shown;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        settings().clear();
        app::recent::clear();
    }

    void firstStartWritesSettingsLaterStartsKeepThem();
    void exitAndCancelWriteLastVersionClosingDoesNot();
    void dataFileDecidesWhetherTheWindowShows();
    void commandLineOpensTheFirstFileNamed();
    void helpAndVersionNeedNoWindowNorDataFile();
    void dropsOpenTheFirstLocalFile();
    void recentMenuKeepsTheLastEightInItsOwnStore();
};

// A first start (also with "Installed" present but empty) writes the three settings and
// keeps the design-time title; a later start changes none and shows "No ROM Loaded".
void StartupTest::firstStartWritesSettingsLaterStartsKeepThem() {
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    const std::tuple<QVariant, QString, QString, QString> cases[] = {
        {QVariant(), "Valdric Editor Rodeviruz v1.0", today, "1.0b"},
        {QString(""), "Valdric Editor Rodeviruz v1.0", today, "1.0b"},
        {QString("1/2/05"), "Valdric Editor Rodeviruz - Version 1.0 - No ROM Loaded", "1/2/05",
         "0.9b"}};
    for (const auto& [installed, title, installedAfter, lastVersion] : cases) {
        settings().clear();
        setSetting("Last Version Used", "0.9b");
        if (installed.isValid())
            setSetting("Installed", installed);
        EditorFixture editor;
        editor.window().CheckInstallation();
        QCOMPARE(editor.window().windowTitle(), title);
        QCOMPARE(rawSetting("Installed"), installedAfter);
        QCOMPARE(rawSetting("Last Version Used"), lastVersion);
        QCOMPARE(rawSetting("Installed Path"),
                 lastVersion == "1.0b" ? QCoreApplication::applicationDirPath() : QString());
    }
}

// Ctrl+X is Exit even while a text box has the focus; the box keeps its text.
void StartupTest::exitAndCancelWriteLastVersionClosingDoesNot() {
    const std::pair<QString, QString> cases[] = {
        {"exit", "1.0b"}, {"ctrl+x", "1.0b"}, {"cancel", "1.0b"}, {"close", "0.5b"}};
    for (const auto& [how, lastVersion] : cases) {
        EditorFixture editor;
        setSetting("Last Version Used", "0.5b");
        if (how == "exit") {
            editor.find<QAction>("mnuExit")->trigger();
        } else if (how == "ctrl+x") {
            editor.window().activateWindow();
            auto* box = new QLineEdit("123", editor.window().centralWidget());
            box->show();
            box->setFocus();
            box->selectAll();
            QTRY_VERIFY(box->hasFocus());
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(box->text(), QStringLiteral("123"));
        } else if (how == "cancel") {
            editor.click("QuitCMD");
        } else {
            editor.window().close();
        }
        QCOMPARE(editor.quitStatuses, QList<int>{0});
        QCOMPARE(rawSetting("Last Version Used"), lastVersion);
    }
}

// The real start-up in a child process. A missing data file (or a folder of its name) ends
// the program with the critical message before any setting is touched or window shown;
// with the file present the window shows, also when the settings cannot be kept.
void StartupTest::dataFileDecidesWhetherTheWindowShows() {
    const QString missing =
        "MESSAGE critical|Valdric Editor Rodeviruz|You are missing a vital data "
        "file, you will need to reinstall the program to fix this error.  "
        "This application will now close.\n";
    const std::tuple<QString, bool, QString> cases[] = {{"none", false, missing},
                                                        {"folder", false, missing},
                                                        {"file", false, "SHOWN Form1\n"},
                                                        {"file", true, "SHOWN Form1\n"}};
    for (const auto& [dataFile, storeUnusable, output] : cases) {
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
        if (dataFile != "file") // no setting was written
            QVERIFY(QDir(config).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
}

// As File > Open ROM would: header removal, messages, title; recorded only when opened.
void StartupTest::commandLineOpensTheFirstFileNamed() {
    const std::pair<QString, QString> cases[] = {
        {"good.smc", ""},
        {"headered.smc", "This ROM has a header, so I'm removing it to make it compatible with "
                         "my program and Tidewright"},
        {"missing.smc", "The file \"%1\" could not be opened for reading and writing: No such "
                        "file or directory"}};
    for (auto [file, message] : cases) {
        app::recent::clear();
        EditorFixture editor;
        const QString good = editor.writeRom(synth::makeImage(), "good.smc");
        editor.writeRom(synth::withCopierHeader(synth::makeImage()), "headered.smc");
        const QString path = editor.folder() + '/' + file;
        const QString before = editor.window().windowTitle();
        app::startWindow(editor.window(), {path, good});
        QCoreApplication::sendPostedEvents(&editor.window(), QEvent::MetaCall);
        QCOMPARE(editor.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList(message.replace("%1", path)));
        const bool opened = file != "missing.smc";
        QCOMPARE(editor.window().romFile().path(), opened ? path : QString());
        QCOMPARE(editor.window().windowTitle(),
                 opened ? "Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   "
                        : before);
        QCOMPARE(editor.find<QTabBar>("tabs")->isEnabled(), opened);
        QCOMPARE(app::recent::files(), opened ? QStringList{path} : QStringList());
    }
}

// The program is copied away from its data file and started with no display to reach: the
// options are read before the window system is. Usage errors give status 2 and say why.
void StartupTest::helpAndVersionNeedNoWindowNorDataFile() {
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"--help"}, 0, "Usage: valdric-editor [FILE]"},
        {{"rom.smc", "--version"}, 0, "Valdric Editor Rodeviruz 1.0"},
        {{"--bogus", "rom.smc"}, 2, "Unknown option 'bogus'."},
        {{"--formula", "enemies", "HP", "rom.smc"},
         2,
         "--formula needs KIND, COLUMN, FORMULA and FILE."},
        {{"--diff", "a.smc", "--format", "xml", "rom.smc"},
         2,
         "--format is one of text, csv and markdown."},
        {{"--diff", "a.smc", "--dry-run", "rom.smc"},
         2,
         "--header and --dry-run go with --apply-patch only."},
        {{"--apply-patch", "p.ips", "--diff", "a.smc", "rom.smc"},
         2,
         "Give one of --export-tables, --import-tables, --formula, --diff and --apply-patch."},
        {{"--apply-patch", "p.ips"}, 2, "--diff and --apply-patch work on one FILE."}};
    QTemporaryDir folder;
    QVERIFY(QFile::copy(qEnvironmentVariable("VALDRIC_EDITOR"), folder.filePath("program")));
    for (const auto& [arguments, status, firstLine] : cases) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        child.setProcessEnvironment(env);
        child.start(folder.filePath("program"), arguments);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), status);
        const QByteArray out =
            status ? child.readAllStandardError() : child.readAllStandardOutput();
        QCOMPARE(QString::fromLocal8Bit(out).section('\n', 0, 0), firstLine);
    }
}

// Of several files the first opens; addresses and folders are refused; a drag only passing
// over the window is taken but opens nothing. (While the name lists load nothing is taken:
// see the window's loading test.)
void StartupTest::dropsOpenTheFirstLocalFile() {
    const std::tuple<QStringList, bool, QString> cases[] = {
        {{"a.smc"}, true, "a.smc"},
        {{"b.smc", "a.smc"}, true, "b.smc"},
        {{"https://example.org/a.smc"}, true, ""},
        {{"folder.smc"}, true, ""},
        {{"a.smc"}, false, ""}};
    for (const auto& [dropped, release, opened] : cases) {
        EditorFixture editor;
        editor.writeRom(synth::makeImage(), "a.smc");
        editor.writeRom(synth::makeImage(), "b.smc");
        QVERIFY(QDir(editor.folder()).mkdir("folder.smc"));
        QList<QUrl> urls;
        for (const QString& name : dropped)
            urls << (name.contains(':') ? QUrl(name)
                                        : QUrl::fromLocalFile(editor.folder() + '/' + name));
        QCOMPARE(editor.drop(urls, release), !opened.isEmpty() || !release);
        QCOMPARE(editor.window().romFile().path(),
                 opened.isEmpty() ? QString() : editor.folder() + '/' + opened);
    }
}

// The store of recent files itself, not only its menu, keeps the last eight opened.
void StartupTest::recentMenuKeepsTheLastEightInItsOwnStore() {
    const QString settingsStore = settings().fileName();
    QVERIFY(synth::writeFile(settingsStore, "[Valdric%20Editor%20Rodeviruz]\nInstalled=1/2/05\n"));
    EditorFixture editor;
    QStringList paths;
    for (int n = 1; n <= 9; ++n)
        paths << editor.writeRom(QByteArray(64, 'x'), QStringLiteral("rom%1 & co.smc").arg(n));
    for (const QString& path : paths + QStringList{paths[3], editor.folder() + "/missing.smc"})
        editor.openRom(path);
    QVERIFY(QFile::remove(paths[5]));
    QCOMPARE(recentEntries(editor),
             (QStringList{"&1 rom4 && co.smc", "&2 rom9 && co.smc", "&3 rom8 && co.smc",
                          "&4 rom7 && co.smc", "&5 rom6 && co.smc (disabled)", "&6 rom5 && co.smc",
                          "&7 rom3 && co.smc", "&8 rom2 && co.smc"}));
    QCOMPARE(app::recent::storePath(),
             qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quillmark/valdric-editor.ini");
    QCOMPARE(QSettings(app::recent::storePath(), QSettings::IniFormat)
                 .value("Recent Files")
                 .toStringList(),
             (QStringList{paths[3], paths[8], paths[7], paths[6], paths[5], paths[4], paths[2],
                          paths[1]}));
    editor.find<QAction>("mnuRecent6")->trigger();
    QCOMPARE(editor.window().romFile().path(), paths[2]);
    editor.find<QAction>("mnuClearRecent")->trigger();
    QCOMPARE(recentEntries(editor), QStringList());
    QCOMPARE(synth::readFile(settingsStore),
             QByteArray("[Valdric%20Editor%20Rodeviruz]\nInstalled=1/2/05\n"));
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
