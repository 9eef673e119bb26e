// Opening from outside the window: the command line, drops and the recent-files menu.
#include "app/Application.h"
#include "app/RecentFiles.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kTitle =
    QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   ");

QStringList recentEntries(EditorFixture& editor) {
    emit editor.find<QMenu>("mnuOpenRecent")->aboutToShow();
    QStringList shown;
    for (int n = 0; n < 8; ++n)
        if (auto* entry = editor.find<QAction>(QStringLiteral("mnuRecent%1").arg(n));
            entry->isVisible())
            shown << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
    return shown;
}

// Drags `urls` onto `target` and drops them; true when the drag and the drop are taken.
bool dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    enter.ignore();
    drop.ignore();
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::sendPostedEvents(target->window(), QEvent::MetaCall);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { app::recent::clear(); }
    void commandLineOpensTheFirstFileNamed();
    void helpAndVersionNeedNoWindowNorDataFile();
    void dropsOpenTheFirstLocalFile();
    void recentMenuKeepsTheLastEightInItsOwnStore();
};

// As File > Open ROM would: header removal, messages, title; recorded only when opened.
void DesktopTest::commandLineOpensTheFirstFileNamed() {
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
        app::startWindow(editor.window(), {"valdric-editor", path, good});
        QCoreApplication::sendPostedEvents(&editor.window(), QEvent::MetaCall);
        QCOMPARE(editor.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList(message.replace("%1", path)));
        const bool opened = file != "missing.smc";
        QCOMPARE(editor.window().romFile().path(), opened ? path : QString());
        QCOMPARE(editor.window().windowTitle(), opened ? kTitle : before);
        QCOMPARE(editor.find<QTabBar>("tabs")->isEnabled(), opened);
        QCOMPARE(app::recent::files(), opened ? QStringList{path} : QStringList());
    }
}

// The program is copied away from its data file and started with no display to reach.
void DesktopTest::helpAndVersionNeedNoWindowNorDataFile() {
    const std::pair<QStringList, QString> cases[] = {
        {{"--help"}, "Usage: valdric-editor [FILE]"},
        {{"rom.smc", "--version"}, "Valdric Editor Rodeviruz 1.0"}};
    QTemporaryDir folder;
    QVERIFY(QFile::copy(qEnvironmentVariable("VALDRIC_EDITOR"), folder.filePath("program")));
    for (const auto& [arguments, firstLine] : cases) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        child.setProcessEnvironment(env);
        child.start(folder.filePath("program"), arguments);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()).section('\n', 0, 0),
                 firstLine);
    }
}

// Of several files the first opens; addresses and folders are refused, and so is every
// drop while the name lists load.
void DesktopTest::dropsOpenTheFirstLocalFile() {
    const std::pair<QStringList, QString> cases[] = {{{"a.smc"}, "a.smc"},
                                                     {{"b.smc", "a.smc"}, "b.smc"},
                                                     {{"https://example.org/a.smc"}, ""},
                                                     {{"folder.smc"}, ""}};
    for (const auto& [dropped, opened] : cases) {
        EditorFixture editor;
        editor.writeRom(synth::makeImage(), "a.smc");
        editor.writeRom(synth::makeImage(), "b.smc");
        QVERIFY(QDir(editor.folder()).mkdir("folder.smc"));
        QList<QUrl> urls;
        for (const QString& name : dropped)
            urls << (name.contains(':') ? QUrl(name)
                                        : QUrl::fromLocalFile(editor.folder() + '/' + name));
        QCOMPARE(dropOn(&editor.window(), urls), !opened.isEmpty());
        QCOMPARE(editor.window().romFile().path(),
                 opened.isEmpty() ? QString() : editor.folder() + '/' + opened);
    }
    EditorFixture editor;
    const QString first = editor.writeRom(synth::makeImage(), "first.smc");
    const QString second = editor.writeRom(synth::makeImage(), "second.smc");
    QList<bool> takenWhileLoading;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (editor.window().isLoadingLists() && takenWhileLoading.isEmpty())
            takenWhileLoading << dropOn(&editor.window(), {QUrl::fromLocalFile(second)});
    });
    sampler.start(0);
    editor.window().openRomPath(first);
    sampler.stop();
    QCOMPARE(takenWhileLoading, QList<bool>{false});
    QCOMPARE(editor.window().romFile().path(), first);
}

void DesktopTest::recentMenuKeepsTheLastEightInItsOwnStore() {
    const QString settingsStore =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Quillmark").fileName();
    QVERIFY(synth::writeFile(settingsStore, "[Valdric%20Editor%20Rodeviruz]\nInstalled=1/2/05\n"));
    EditorFixture editor;
    QStringList paths;
    for (int n = 1; n <= 9; ++n)
        paths << editor.writeRom(QByteArray(64, 'x'), QStringLiteral("rom%1 & co.smc").arg(n));
    for (const QString& path : paths + QStringList{paths[3], editor.folder() + "/missing.smc"})
        editor.window().openRomPath(path);
    QVERIFY(QFile::remove(paths[5]));
    QCOMPARE(recentEntries(editor),
             (QStringList{"&1 rom4 && co.smc", "&2 rom9 && co.smc", "&3 rom8 && co.smc",
                          "&4 rom7 && co.smc", "&5 rom6 && co.smc (disabled)", "&6 rom5 && co.smc",
                          "&7 rom3 && co.smc", "&8 rom2 && co.smc"}));
    editor.find<QAction>("mnuRecent6")->trigger();
    QCOMPARE(editor.window().romFile().path(), paths[2]);
    editor.find<QAction>("mnuClearRecent")->trigger();
    QCOMPARE(recentEntries(editor), QStringList());
    QCOMPARE(app::recent::storePath(),
             qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quillmark/valdric-editor.ini");
    QCOMPARE(synth::readFile(settingsStore),
             QByteArray("[Valdric%20Editor%20Rodeviruz]\nInstalled=1/2/05\n"));
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
