// The Debian package made by CPack: lintian and the validators pass it, its manual page and
// completion know every option, and its program shows its window on a virtual X display.
#include "romimage/RomImage.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kId = QStringLiteral("example.quillmark.ValdricEditor");

// Runs a tool to its end: its output on both channels, then "status N".
QString run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    tool.waitForFinished(-1); // the test's own time limit applies
    return QString::fromLocal8Bit(tool.readAll()) + "status " +
           QString::number(tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1);
}

// What the completion under `root` offers for `word`, sorted, then "status N".
QStringList complete(const QString& root, const QString& word) {
    return run("bash", {"-c",
                        "source \"$0\"; COMP_WORDS=(valdric-editor \"$1\"); COMP_CWORD=1; "
                        "_valdric_editor; printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort",
                        root + "/usr/share/bash-completion/completions/valdric-editor", word})
        .split('\n');
}
} // namespace

class PackageTest : public QObject {
    Q_OBJECT
    QTemporaryDir work_;
    const QString deb_ = work_.filePath("valdric-editor_1.0_amd64.deb");
    const QString root_ = work_.filePath("root");
    const QString manual_ = root_ + "/usr/share/man/man1/valdric-editor.1";
  private slots:
    void initTestCase();
    void lintianAndTheValidatorsPassIt();
    void manualPageAndCompletionKnowEveryOption();
    void installedProgramFindsItsDataAndOpensTheNamedImage();
};

void PackageTest::initTestCase() {
    const QString made =
        run(qEnvironmentVariable("CPACK_COMMAND"),
            {"--config", qEnvironmentVariable("CPACK_CONFIG"), "-B", work_.path()});
    QVERIFY2(made.endsWith("status 0") && QFileInfo::exists(deb_), qPrintable(made));
    QCOMPARE(run("dpkg-deb", {"-x", deb_, root_}), QStringLiteral("status 0"));
    QCOMPARE(run("gzip", {"-dk", manual_ + ".gz"}), QStringLiteral("status 0"));
}

// No lintian error, warning or hardening note; valid metainfo; groff has no warning.
void PackageTest::lintianAndTheValidatorsPassIt() {
    const QString lint = run("lintian", {"--fail-on", "error,warning", "--display-info", deb_});
    QVERIFY2(lint.endsWith("status 0"), qPrintable(lint));
    for (const char* note :
         {"hardening-no-fortify-functions", "hardening-no-bindnow", "binary-has-unneeded-section"})
        QVERIFY2(!lint.contains(note), qPrintable(lint));
    const QString valid =
        run("appstreamcli",
            {"validate", "--no-net", root_ + "/usr/share/metainfo/" + kId + ".metainfo.xml"});
    QVERIFY2(valid.endsWith("status 0"), qPrintable(valid));
    QCOMPARE(run("groff", {"-man", "-ww", "-z", manual_}), QStringLiteral("status 0"));
}

// Every long option --help prints is in the manual page and completes; "--fo" completes to
// exactly the options that begin so.
void PackageTest::manualPageAndCompletionKnowEveryOption() {
    const QString help = run(root_ + "/usr/bin/valdric-editor", {"--help"});
    QStringList options;
    for (const QRegularExpressionMatch& match : QRegularExpression("--[a-z-]+").globalMatch(help))
        options << match.captured();
    options.removeDuplicates();
    QVERIFY2(options.size() >= 7, qPrintable(help));
    const QString page = QString::fromUtf8(synth::readFile(manual_)).replace("\\-", "-");
    for (const QString& option : options) {
        QVERIFY2(page.contains(QRegularExpression(option + "(?![a-z-])")), qPrintable(option));
        QVERIFY2(complete(root_, option).contains(option), qPrintable(option));
    }
    QStringList fo = options.filter(QRegularExpression("^--fo"));
    fo.sort();
    QCOMPARE(complete(root_, "--fo"), fo << "status 0");
}

void PackageTest::installedProgramFindsItsDataAndOpensTheNamedImage() {
    QVERIFY(QFileInfo(root_ + "/usr/lib/valdric-editor/valdric.tbl").isFile());
    QCOMPARE(QFileInfo(root_ + "/usr/bin/valdric-editor").symLinkTarget(),
             root_ + "/usr/lib/valdric-editor/valdric-editor");
    for (const QString& icon :
         QStringList{"scalable/apps/" + kId + ".svg", "256x256/apps/" + kId + ".png"})
        QVERIFY2(QFileInfo(root_ + "/usr/share/icons/hicolor/" + icon).isFile(), qPrintable(icon));
    const QString depends = run("dpkg-deb", {"--field", deb_, "Depends"});
    for (const char* package : {"libqt6widgets6", "libqt6charts6", "fonts-wine"})
        QVERIFY2(depends.contains(package), qPrintable(depends));
    QCOMPARE(run("dpkg-deb", {"--field", deb_, "Suggests"}),
             QStringLiteral("mednafen | retroarch\nstatus 0"));
    const QString entry = root_ + "/usr/share/applications/" + kId + ".desktop";
    const QString report = run("desktop-file-validate", {entry});
    // Two main categories are asked for; the validator notes that only as a hint.
    QVERIFY2(report.endsWith("status 0") && !report.contains("error") &&
                 !report.contains("warning"),
             qPrintable(report));
    const QStringList lines = QString::fromUtf8(synth::readFile(entry)).split('\n');
    for (const QString& line :
         QStringList{"Exec=valdric-editor %f", "Categories=Graphics;Development;",
                     "MimeType=application/vnd.nintendo.snes.rom;", "Icon=" + kId})
        QVERIFY2(lines.contains(line), qPrintable(line));
    const QString image = work_.filePath("image.sfc");
    QVERIFY(synth::writeFile(image, synth::makeImage()));
    QProcess display;
    display.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
    QVERIFY(display.waitForReadyRead(30000)); // the display number, once it takes clients
    const QString name = ':' + QString::fromLatin1(display.readLine()).trimmed();
    QProcess editor; // env runs the program in its own place, and the destructors end both
    editor.start("env", {"DISPLAY=" + name, "QT_QPA_PLATFORM=xcb",
                         "XDG_CONFIG_HOME=" + work_.filePath("config"),
                         "XDG_DATA_HOME=" + work_.filePath("data"),
                         root_ + "/usr/bin/valdric-editor", image});
    QVERIFY(editor.waitForStarted());
    const QString title = "\"Valdric Editor Rodeviruz - Version 1.0 - VALDRIC TEST IMAGE   \"";
    QTRY_VERIFY_WITH_TIMEOUT(
        editor.state() != QProcess::Running ||
            run("xwininfo", {"-display", name, "-root", "-tree"}).contains(title),
        30000);
    QVERIFY2(editor.state() == QProcess::Running, "the program ended by itself");
}

QTEST_GUILESS_MAIN(PackageTest)
#include "test_package.moc"
