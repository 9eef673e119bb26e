// Expressions and formulas over the record grids: muParser's language as the editor uses it,
// the columns' identifiers, and --formula. (Results through the entry rule: the table window's
// formula tests.)
#include "expressions/Formula.h"
#include "history/History.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// Enemy stat records are 23 bytes from 0x0C4700: HP is the word at +0, Level the byte at +2.
constexpr qint64 kEnemies = 0x0C4700;

int run(const QStringList& arguments, QString* out) {
    QProcess child;
    child.start(qEnvironmentVariable("VALDRIC_EDITOR"), arguments);
    child.waitForFinished(30000);
    *out = QString::fromLocal8Bit(child.readAllStandardOutput() + child.readAllStandardError());
    return child.exitCode();
}

} // namespace

class FormulaTest : public QObject {
    Q_OBJECT
  private slots:
    void expressionsEvaluateOrSayWhy();
    void columnsAreNamedWithoutSpacesAndSigns();
    void commandLine();
    void commandLineSettlesAnInterruptedApplyFirst();
};

void FormulaTest::expressionsEvaluateOrSayWhy() {
    const std::tuple<const char*, double, const char*> cases[] = {
        {"HP > 1000 && Level < 20", 1, ""},
        {"min(255, Attack + 10)", 255, ""},
        {"HP * 1.5 + Level / 4", 1801.5, ""},
        {"Level == 12 ? 2 : 3", 2, ""},
        {"Horn's", NAN, "Unexpected token \"Horn\" found at position 0."},
        {"HP >", NAN, "Unexpected end of expression at position 5."},
        {"Level = 3", NAN, "Unexpected token \"=\" found at position 6; compare with ==."},
        {"Level <= 12 != 0", 1, ""}};
    for (const auto& [text, value, problem] : cases) {
        expressions::Expression expression({"HP", "Level", "Attack"});
        expression.set(0, 1199);
        expression.set(1, 12);
        expression.set(2, 250);
        QCOMPARE(expression.parse(text), QString(problem));
        if (*problem)
            QVERIFY(std::isnan(expression.evaluate()));
        else
            QCOMPARE(expression.evaluate(), value);
    }
    expressions::Expression unused({"HP", "Level", "Attack"});
    QCOMPARE(unused.parse("Attack - HP"), QString());
    QCOMPARE(unused.used(), QList<int>({0, 2}));
}

void FormulaTest::columnsAreNamedWithoutSpacesAndSigns() {
    const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    for (const tables::Sheet& sheet : tables::sheets()) {
        for (const QString& identifier : sheet.identifiers())
            QVERIFY2(name.match(identifier).hasMatch(), qPrintable(identifier));
        QCOMPARE(QSet<QString>(sheet.identifiers().begin(), sheet.identifiers().end()).size(),
                 sheet.identifiers().size());
    }
    const tables::Sheet& enemies = tables::sheets()[0];
    QCOMPARE(enemies.find("LightningDefense"), enemies.find("Lightning Defense"));
    QVERIFY(enemies.find("LightningDefense") >= 0);
    QVERIFY(tables::sheets()[1].find("Critical") >= 0);
    QCOMPARE(tables::sheets()[5].identifiers().mid(1, 2), QStringList({"HPMinMax1", "HPMinMax2"}));
}

void FormulaTest::commandLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath("rom.smc");
    // Only enemies 0 and 1 are of level 255; their HP is 1000 and 2001.
    QByteArray image = synth::makeImage();
    QByteArray unfamiliar = image;
    unfamiliar[0x00FFDE] = char(unfamiliar[0x00FFDE] + 1); // the checksum pair no longer adds up
    QVERIFY(synth::writeFile(dir.filePath("odd.smc"), unfamiliar));
    for (int enemy = 0; enemy < 251; ++enemy)
        if (enemy < 2 || quint8(image[kEnemies + 23 * enemy + 2]) == 255)
            synth::putByte(image, kEnemies + 23 * enemy + 2, enemy < 2 ? 255 : 1);
    synth::putInteger(image, kEnemies, 1000);
    synth::putInteger(image, kEnemies + 23, 2001);
    QVERIFY(synth::writeFile(path, image));
    QString out;
    // Twice from the original gives 1.5 times the original: 1500 and 3001.5, a half to even.
    for (int n = 0; n < 2; ++n)
        QCOMPARE(run({"--formula", "enemies", "HP", "x * 1.5", "--where", "Level == 255",
                      "--relative", path},
                     &out),
                 0);
    QCOMPARE(out.trimmed(),
             QString("Set \"HP\" of 2 of 251 enemies in \"%1\": 0 records changed.").arg(path));
    QCOMPARE(synth::changedOffsets(image, synth::readFile(path)),
             (QList<qint64>{0x0C4700, 0x0C4701, 0x0C4717, 0x0C4718}));
    QCOMPARE(synth::readFile(path).mid(0x0C4700, 2) + synth::readFile(path).mid(0x0C4717, 2),
             QByteArray::fromHex("DC05BA0B"));
    history::History log;
    const auto undo = log.nextUndo(QFileInfo(path).canonicalFilePath());
    QVERIFY(undo);
    QCOMPARE(undo->record.label(), QString("Formula HP = x * 1.5 on 2 enemies where Level == 255"));
    const QByteArray before = synth::readFile(path);
    const std::pair<QStringList, const char*> refused[] = {
        {{"--formula", "enemies", "Level", "x * 10", path}, "cells cannot hold the formula's"},
        {{"--formula", "monsters", "Level", "x", path}, "There is no kind \"monsters\""},
        {{"--formula", "enemies", "Lvl", "x", path}, "have no column \"Lvl\""},
        {{"--formula", "enemies", "Level", "x +", path}, "The formula cannot be used"},
        {{"--formula", "enemies", "Level", "x", "--where", "HP >", path}, "condition"},
        {{"--formula", "enemies", "HP", "1", dir.filePath("none.smc")}, "could not be opened"},
        {{"--formula", "enemies", "HP", "1", dir.filePath("odd.smc")}, "Give --force to use it"}};
    for (const auto& [arguments, reason] : refused) {
        QCOMPARE(run(arguments, &out), 1);
        QVERIFY2(out.contains(QLatin1String(reason)), qPrintable(out));
    }
    QVERIFY(synth::readFile(path) == before);
    QVERIFY(synth::readFile(dir.filePath("odd.smc")) == unfamiliar);
    QCOMPARE(run({"--formula", "enemies", "HP", "1", "--force", dir.filePath("odd.smc")}, &out), 0);
    QCOMPARE(synth::readFile(dir.filePath("odd.smc")).mid(0x0C4700, 2),
             QByteArray::fromHex("0100"));
}

// An Apply of enemy 5's HP (0x1234 to 0x5678) ended after its first byte, its entry pending.
// The formula works on what the file holds once that part is an entry of its own, so undoing
// everything gives the original back.
void FormulaTest::commandLineSettlesAnInterruptedApplyFirst() {
    EditorFixture f;
    QByteArray image = synth::makeImage();
    for (int enemy = 0; enemy < 251; ++enemy)
        if (quint8(image[kEnemies + 23 * enemy + 2]) == 254)
            synth::putByte(image, kEnemies + 23 * enemy + 2, 1);
    synth::putByte(image, 0x0C4775, 254); // enemy 5's Level
    synth::putInteger(image, 0x0C4773, 0x1234);
    const QString path = f.writeRom(image);
    history::History log;
    QVERIFY(log.beginApply(QFileInfo(path).canonicalFilePath(),
                           {records::RecordKind::Enemy, 5, "Tonic"},
                           {{0x0C4773, QByteArray::fromHex("3412"), QByteArray::fromHex("7856")}}));
    QByteArray cut = image;
    cut[0x0C4773] = char(0x78);
    QVERIFY(synth::writeFile(path, cut));
    QString out;
    QCOMPARE(run({"--formula", "enemies", "HP", "x + 1", "--where", "Level == 254", path}, &out),
             0);
    QVERIFY2(out.contains("A change to Enemy 5 Tonic was cut short") &&
                 out.contains("1 record changed."),
             qPrintable(out));
    QCOMPARE(synth::changedOffsets(image, synth::readFile(path)), QList<qint64>{0x0C4773});
    QCOMPARE(synth::readFile(path).mid(0x0C4773, 2), QByteArray::fromHex("7912"));
    QCOMPARE(log.nextUndo(QFileInfo(path).canonicalFilePath())->record.label(),
             QString("Formula HP = x + 1 on 1 of the enemies where Level == 254"));
    f.openRom(path);
    for (int n = 0; n < 3 && f.find<QAction>("mnuUndoApply")->isEnabled(); ++n)
        f.trigger("mnuUndoApply");
    QVERIFY(f.fileBytes() == image);
}

QTEST_MAIN(FormulaTest)
#include "test_formula.moc"
