// The Debian package: made by CPack into a temporary folder, unpacked with dpkg-deb, its
// desktop entry validated, and the unpacked program started through usr/bin on a virtual
// X display, where the test reads the window titles the way a window manager does.
#include "romimage/RomImage.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Runs a tool to its end: its output on both channels, then "status N".
QString run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    tool.waitForFinished(120000);
    return QString::fromLocal8Bit(tool.readAll()) + "status " +
           QString::number(tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1);
}
} // namespace

class PackageTest : public QObject {
    Q_OBJECT
  private slots:
    void installedProgramFindsItsDataAndOpensTheNamedImage();
};

void PackageTest::installedProgramFindsItsDataAndOpensTheNamedImage() {
    QTemporaryDir work;
    const QString root = work.filePath("root");
    const QString deb = work.filePath("valdric-editor_1.0_amd64.deb");
    const QString made = run(qEnvironmentVariable("CPACK_COMMAND"),
                             {"--config", qEnvironmentVariable("CPACK_CONFIG"), "-B", work.path()});
    QVERIFY2(made.endsWith("status 0") && QFileInfo::exists(deb), qPrintable(made));
    QCOMPARE(run("dpkg-deb", {"-x", deb, root}), QStringLiteral("status 0"));
    const QString program = root + "/usr/lib/valdric-editor/valdric-editor";
    QVERIFY(QFileInfo(root + "/usr/lib/valdric-editor/valdric.tbl").isFile());
    QCOMPARE(QFileInfo(root + "/usr/bin/valdric-editor").symLinkTarget(), program);
    for (const char* icon : {"scalable/apps/valdric-editor.svg", "256x256/apps/valdric-editor.png"})
        QVERIFY2(QFileInfo(root + "/usr/share/icons/hicolor/" + icon).isFile(), icon);
    const QString depends = run("dpkg-deb", {"--field", deb, "Depends"});
    for (const char* package : {"libqt6widgets6", "fonts-wine"})
        QVERIFY2(depends.contains(package), qPrintable(depends));
    QCOMPARE(run("dpkg-deb", {"--field", deb, "Suggests"}),
             QStringLiteral("mednafen | retroarch\nstatus 0"));
    const QString entry = root + "/usr/share/applications/valdric-editor.desktop";
    const QString report = run("desktop-file-validate", {entry});
    // Two main categories are asked for; the validator notes that only as a hint.
    QVERIFY2(report.endsWith("status 0") && !report.contains("error") &&
                 !report.contains("warning"),
             qPrintable(report));
    const QStringList lines = QString::fromUtf8(synth::readFile(entry)).split('\n');
    for (const char* line : {"Exec=valdric-editor %f", "Categories=Graphics;Development;",
                             "MimeType=application/vnd.nintendo.snes.rom;"})
        QVERIFY2(lines.contains(line), line);

    const QString image = work.filePath("image.sfc");
    QVERIFY(synth::writeFile(image, synth::makeImage()));
    QProcess display;
    display.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
    QVERIFY(display.waitForReadyRead(30000)); // the display number, once it takes clients
    const QString name = ':' + QString::fromLatin1(display.readLine()).trimmed();
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", work.filePath("config"));
    env.insert("XDG_DATA_HOME", work.filePath("data"));
    editor.setProcessEnvironment(env);
    editor.start(root + "/usr/bin/valdric-editor", {image});
    QVERIFY(editor.waitForStarted());
    const QString title = "\"Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   \"";
    QTRY_VERIFY_WITH_TIMEOUT(
        editor.state() != QProcess::Running ||
            run("xwininfo", {"-display", name, "-root", "-tree"}).contains(title),
        30000);
    QVERIFY2(editor.state() == QProcess::Running, "the program ended by itself");
    editor.kill();
    editor.waitForFinished();
    display.terminate();
    display.waitForFinished();
}

QTEST_GUILESS_MAIN(PackageTest)
#include "test_package.moc"
