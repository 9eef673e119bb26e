// Opening from outside the window (command line, drops, the recent-files menu) and the icon.
#include "app/Application.h"
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "support/EditorFixture.h"
#include "support/RomImage.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kTitle =
    QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   ");

// The recent entries as the menu shows them when it opens.
QStringList recentEntries(EditorFixture& editor) {
    emit editor.find<QMenu>("mnuOpenRecent")->aboutToShow();
    QStringList shown;
    for (int n = 0; n < 8; ++n) {
        auto* entry = editor.find<QAction>(QStringLiteral("mnuRecent%1").arg(n));
        if (entry->isVisible())
            shown << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
    }
    return shown;
}

// Drags `urls` onto `target` and drops them; true when both the drag and the drop are taken.
bool dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    enter.ignore();
    drop.ignore();
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { app::recent::clear(); }
    void commandLineOpensTheFirstFileNamed_data();
    void commandLineOpensTheFirstFileNamed();
    void helpAndVersionNeedNoWindowNorDataFile_data();
    void helpAndVersionNeedNoWindowNorDataFile();
    void dropsOpenTheFirstLocalFile_data();
    void dropsOpenTheFirstLocalFile();
    void nothingIsTakenWhileTheListsLoad();
    void recentMenuKeepsTheLastEightInItsOwnStore();
};

void DesktopTest::commandLineOpensTheFirstFileNamed_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << ""
                          << "";
    QTest::newRow("a good file") << "good.smc"
                                 << "";
    QTest::newRow("a headered file") << "headered.smc"
                                     << "This ROM has a header, so I'm removing "
                                        "it to make it compatible with my "
                                        "program and Tidewright";
    QTest::newRow("a missing file") << "missing.smc"
                                    << "The file \"%1\" could not be opened for reading and "
                                       "writing: No such file or directory";
}

void DesktopTest::commandLineOpensTheFirstFileNamed() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    EditorFixture editor;
    const QString good = editor.writeRom(testrom::makeImage(), "good.smc");
    editor.writeRom(testrom::withCopierHeader(testrom::makeImage()), "headered.smc");
    const QString path = editor.folder() + '/' + file;
    const QString before = editor.window().windowTitle();
    app::startWindow(editor.window(), file.isEmpty() ? QStringList{"valdric-editor"}
                                                     : QStringList{"valdric-editor", path, good});
    QVERIFY(!editor.window().romFile().isOpen()); // not before the event loop runs
    QCoreApplication::sendPostedEvents(&editor.window(), QEvent::MetaCall);

    QCOMPARE(editor.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(editor.messages[0].text, message.replace("%1", path));
    const bool opened = file == "good.smc" || file == "headered.smc";
    QCOMPARE(editor.window().romFile().path(), opened ? path : QString());
    QCOMPARE(editor.window().windowTitle(), opened ? kTitle : before);
    QCOMPARE(editor.find<QTabBar>("tabs")->isEnabled(), opened);
    QCOMPARE(app::recent::files(), opened ? QStringList{path} : QStringList());
    QCOMPARE(QFileInfo(editor.folder() + "/headered.smc").size(),
             testrom::kImageSize + (file == "headered.smc" ? 0 : 512));
    QCOMPARE(editor.window().windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});
}

void DesktopTest::helpAndVersionNeedNoWindowNorDataFile_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: valdric-editor [FILE]";
    QTest::newRow("-h") << QStringList{"-h"} << "Usage: valdric-editor [FILE]";
    QTest::newRow("--version after a file")
        << QStringList{"rom.smc", "--version"} << "Valdric Editor Rodeviruz 1.0";
}

// The program is copied away from its data file and started with no display to reach.
void DesktopTest::helpAndVersionNeedNoWindowNorDataFile() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, firstLine);
    QTemporaryDir folder;
    QVERIFY(QFile::copy(qEnvironmentVariable("VALDRIC_EDITOR"), folder.filePath("program")));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    child.setProcessEnvironment(env);
    child.start(folder.filePath("program"), arguments);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.readAllStandardError(), QByteArray());
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()).section('\n', 0, 0), firstLine);
}

void DesktopTest::dropsOpenTheFirstLocalFile_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("opened");
    QTest::newRow("one file") << "Form1" << QStringList{"a.smc"} << "a.smc";
    QTest::newRow("two files") << "Form1" << QStringList{"b.smc", "a.smc"} << "b.smc";
    QTest::newRow("onto a text box") << "EnemyHPTXT" << QStringList{"a.smc"} << "a.smc";
    QTest::newRow("a web address") << "Form1" << QStringList{"https://example.org/a.smc"} << "";
    QTest::newRow("a folder") << "Form1" << QStringList{"folder.smc"} << "";
}

void DesktopTest::dropsOpenTheFirstLocalFile() {
    QFETCH(QString, target);
    QFETCH(QStringList, dropped);
    QFETCH(QString, opened);
    EditorFixture editor;
    editor.writeRom(testrom::makeImage(), "a.smc");
    editor.writeRom(testrom::makeImage(), "b.smc");
    QVERIFY(QDir(editor.folder()).mkdir("folder.smc"));
    QList<QUrl> urls;
    for (const QString& name : dropped)
        urls << (name.contains(':') ? QUrl(name)
                                    : QUrl::fromLocalFile(editor.folder() + '/' + name));
    auto* widget = editor.window().findChild<QWidget*>(target);
    auto* box = qobject_cast<QLineEdit*>(widget ? widget : &editor.window());
    QCOMPARE(dropOn(widget ? widget : &editor.window(), urls), !opened.isEmpty());
    QCoreApplication::sendPostedEvents(&editor.window(), QEvent::MetaCall);
    QCOMPARE(editor.window().romFile().path(),
             opened.isEmpty() ? QString() : editor.folder() + '/' + opened);
    QCOMPARE(editor.window().windowTitle() == kTitle, !opened.isEmpty());
    if (box)
        QVERIFY(box->text().isEmpty()); // the text box did not take the address as text
}

void DesktopTest::nothingIsTakenWhileTheListsLoad() {
    EditorFixture editor;
    const QString first = editor.writeRom(testrom::makeImage(), "first.smc");
    const QString second = editor.writeRom(testrom::makeImage(), "second.smc");
    QList<bool> takenWhileLoading;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (editor.window().isLoadingLists() && takenWhileLoading.isEmpty())
            takenWhileLoading << dropOn(&editor.window(), {QUrl::fromLocalFile(second)});
    });
    sampler.start(0);
    editor.window().openRomPath(first);
    sampler.stop();
    QCoreApplication::sendPostedEvents(&editor.window(), QEvent::MetaCall);
    QCOMPARE(takenWhileLoading, QList<bool>{false});
    QCOMPARE(editor.window().romFile().path(), first);
}

void DesktopTest::recentMenuKeepsTheLastEightInItsOwnStore() {
    app::settings::write(app::settings::kInstalled, "1/2/05");
    const QByteArray originalStore = testrom::readFile(app::settings::storePath());
    EditorFixture editor;
    const QList<QAction*> file = editor.find<QMenu>("mnuFile")->actions();
    auto* submenu = editor.find<QMenu>("mnuOpenRecent");
    QCOMPARE(file.indexOf(submenu->menuAction()) - 1,
             file.indexOf(editor.find<QAction>("mnuOpenROM")));
    QCOMPARE(submenu->title(), QStringLiteral("Open &Recent"));

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
    QCOMPARE(editor.find<QAction>("mnuRecent2")->toolTip(), paths[7]);
    editor.find<QAction>("mnuRecent6")->trigger();
    QCOMPARE(editor.window().romFile().path(), paths[2]);
    QCOMPARE(app::recent::files().first(), paths[2]);

    auto* clear = editor.find<QAction>("mnuClearRecent");
    QCOMPARE(clear->text(), QStringLiteral("Clear Menu"));
    QVERIFY(submenu->actions().last() == clear && submenu->actions()[8]->isSeparator());
    clear->trigger();
    QCOMPARE(recentEntries(editor), QStringList());
    QVERIFY(!clear->isEnabled());
    QCOMPARE(app::recent::storePath(),
             qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quillmark/valdric-editor.ini");
    QCOMPARE(testrom::readFile(app::settings::storePath()), originalStore);
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
