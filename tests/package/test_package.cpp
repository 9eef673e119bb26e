// The Debian package: made by CPack into a temporary folder, unpacked with dpkg-deb, its
// desktop entry validated, and the unpacked program started through usr/bin on a virtual
// X display, where the test reads the window titles the way a window manager does.
#include "romimage/RomImage.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Runs a tool to its end; its output on both channels, then its exit status on a line of its own.
QString run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    tool.waitForFinished(120000);
    const bool ended =
        tool.state() == QProcess::NotRunning && tool.exitStatus() == QProcess::NormalExit;
    return QString::fromLocal8Bit(tool.readAll()) + "status " +
           QString::number(ended ? tool.exitCode() : -1);
}
} // namespace

class PackageTest : public QObject {
    Q_OBJECT
  private slots:
    void packageHoldsProgramDataLinkEntryAndIcons();
    void linkedProgramFindsItsDataAndOpensTheNamedImage();

  private:
    QTemporaryDir work_;
    const QString root_ = work_.filePath("root");
};

void PackageTest::packageHoldsProgramDataLinkEntryAndIcons() {
    const QString deb = work_.filePath("valdric-editor_1.0_amd64.deb");
    const QString made =
        run(qEnvironmentVariable("CPACK_COMMAND"),
            {"--config", qEnvironmentVariable("CPACK_CONFIG"), "-B", work_.path()});
    QVERIFY2(made.endsWith("status 0") && QFileInfo::exists(deb), qPrintable(made));
    QCOMPARE(run("dpkg-deb", {"-x", deb, root_}), QStringLiteral("status 0"));

    const QFileInfo program(root_ + "/usr/lib/valdric-editor/valdric-editor");
    QVERIFY(program.isFile() && program.isExecutable());
    QVERIFY(QFileInfo(root_ + "/usr/lib/valdric-editor/valdric.tbl").isFile());
    const QFileInfo link(root_ + "/usr/bin/valdric-editor");
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(), program.filePath()); // relative: resolves inside the tree
    const QString icons = root_ + "/usr/share/icons/hicolor/";
    QVERIFY(QFileInfo(icons + "scalable/apps/valdric-editor.svg").isFile());
    QCOMPARE(QImage(icons + "256x256/apps/valdric-editor.png").size(), QSize(256, 256));
    const QString depends = run("dpkg-deb", {"--field", deb, "Depends"});
    for (const char* package : {"libqt6widgets6", "libqt6gui6", "libqt6core6", "fonts-wine"})
        QVERIFY2(depends.contains(package), qPrintable(depends));

    const QString entry = root_ + "/usr/share/applications/valdric-editor.desktop";
    const QString report = run("desktop-file-validate", {entry});
    // Two main categories are asked for; the validator notes that only as a hint.
    QVERIFY2(report.endsWith("status 0") && !report.contains("error") &&
                 !report.contains("warning"),
             qPrintable(report));
    const QStringList lines = QString::fromUtf8(synth::readFile(entry)).split('\n');
    for (const char* line :
         {"Exec=valdric-editor %f", "Icon=valdric-editor", "Categories=Graphics;Development;",
          "MimeType=application/vnd.nintendo.snes.rom;"})
        QVERIFY2(lines.contains(line), line);
}

void PackageTest::linkedProgramFindsItsDataAndOpensTheNamedImage() {
    QVERIFY(QFileInfo::exists(root_ + "/usr/bin/valdric-editor"));
    const QString image = work_.filePath("image.sfc");
    QVERIFY(synth::writeFile(image, synth::makeImage()));
    QProcess display;
    display.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
    QVERIFY(display.waitForReadyRead(30000)); // the display number, once it takes clients
    const QString name = ':' + QString::fromLatin1(display.readLine()).trimmed();

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", work_.filePath("config"));
    editor.setProcessEnvironment(env);
    editor.setProcessChannelMode(QProcess::ForwardedChannels);
    editor.start(root_ + "/usr/bin/valdric-editor", {image});
    QVERIFY(editor.waitForStarted());
    const QString title = "\"Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   \"";
    const auto windowTitles = [&] { return run("xwininfo", {"-display", name, "-root", "-tree"}); };
    QTRY_VERIFY_WITH_TIMEOUT(editor.state() != QProcess::Running || windowTitles().contains(title),
                             30000);
    QVERIFY2(editor.state() == QProcess::Running, "the program ended by itself");
    editor.kill();
    editor.waitForFinished();
    display.terminate();
    display.waitForFinished();
}

QTEST_GUILESS_MAIN(PackageTest)
#include "test_package.moc"
