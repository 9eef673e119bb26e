// File > Apply Patch through the real window: the preview in the pages' words, one recorded
// change that one Undo takes back, the copier-header shift, a patch for the file before this
// editor's changes, refusals that write nothing; and the headless --diff and --apply-patch.
#include "cli/PatchCommands.h"
#include "patches/Bps.h"
#include "patches/Ips.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTextStream>

namespace {

// Enemy 5: HP at 0x0C4773 and Level at 0x0C4775; item 190: Price at 0x0C0AC3.
constexpr qint64 kHp = 0x0C4773, kLevel = 0x0C4775, kPrice = 0x0C0AC3, kOther = 0x1A2B00;

int wordAt(const QByteArray& image, qint64 at) {
    return quint8(image[at]) | quint8(image[at + 1]) << 8;
}

QByteArray put(QByteArray image, qint64 at, const QByteArray& bytes) {
    return image.replace(at, bytes.size(), bytes);
}

// HP 1500, Level 14, Price 250 and 64 bytes outside the records inverted.
QByteArray hacked(const QByteArray& image) {
    QByteArray other = image.mid(kOther, 64);
    for (char& byte : other)
        byte = char(~byte);
    return put(
        put(put(put(image, kHp, "\xDC\x05"), kLevel, "\x0E"), kPrice, QByteArray("\xFA\0", 2)),
        kOther, other);
}

QString enemy5() {
    return "Enemy 5 " + synth::enemyName(5).trimmed();
}

// Picks `patch` in File > Apply Patch, runs `use` on the preview, and returns its rows.
QStringList preview(EditorFixture& f, const QString& patch,
                    const std::function<void(QWidget*)>& use = {}) {
    QStringList rows;
    f.answerFileDialogs({patch});
    f.withDialog("mnuApplyPatch", [&](QWidget* dialog) {
        if (use)
            use(dialog);
        rows = EditorFixture::rowsOf(dialog, "PatchPreviewLST");
        f.click("PatchApplyCMD", dialog);
    });
    return rows;
}

// --diff OTHER FILE [BASE] and --apply-patch PATCH FILE [--dry-run], their output in `out`.
int diff(QString* out, const QStringList& files, app::DiffFormat format = app::DiffFormat::Text) {
    app::DiffRequest request;
    request.other = files[0];
    request.file = files[1];
    request.base = files.value(2);
    request.format = format;
    QString err;
    QTextStream outStream(out), errStream(&err);
    return app::runDiff(request, outStream, errStream);
}

int applyPatch(QString* out, const QString& patch, const QString& file, bool dryRun) {
    app::ApplyPatchRequest request;
    request.patch = patch;
    request.file = file;
    request.dryRun = dryRun;
    QString err;
    QTextStream outStream(out), errStream(&err);
    return app::runApplyPatch(request, outStream, errStream);
}

} // namespace

class ApplyPatchTest : public QObject {
    Q_OBJECT
  private slots:
    void previewApplyAndUndo() {
        EditorFixture f;
        f.openAt(image(), "enemy", 0);
        const QString patch = f.folder() + "/friend-hack.bps";
        synth::writeFile(patch, patches::createBps(image(), hacked(image())));
        QCOMPARE(preview(f, patch),
                 QStringList({QString("%1 \u2014 Level: %2 \u2192 14, HP: %3 \u2192 1500")
                                  .arg(enemy5())
                                  .arg(quint8(image()[kLevel]))
                                  .arg(wordAt(image(), kHp)),
                              QString("Item 190 %1 \u2014 Price: %2 \u2192 250")
                                  .arg(synth::itemName(190).trimmed())
                                  .arg(wordAt(image(), kPrice)),
                              "0x1A2B00\u20130x1A2B3F: 64 bytes outside the editor's records"}));
        QCOMPARE(f.fileBytes(), hacked(image()));
        QCOMPARE(f.find<QAction>("mnuUndoApply")->text(),
                 QString("&Undo Apply: Patch friend-hack.bps: 2 records"));
        f.trigger("mnuUndoApply");
        QCOMPARE(f.fileBytes(), image());
    }

    // The same IPS record at 0x0C4973: 2 other bytes as it is, enemy 5's HP 512 bytes earlier.
    void headerShiftsIps() {
        EditorFixture f;
        f.openImage(image());
        const QString patch = f.folder() + "/headered.ips";
        synth::writeFile(patch, "PATCH" + QByteArray::fromHex("0C4973 0002 DC05") + "EOF");
        QStringList unshifted;
        QCOMPARE(
            preview(f, patch,
                    [&](QWidget* dialog) {
                        unshifted = EditorFixture::rowsOf(dialog, "PatchPreviewLST");
                        f.click("PatchHeaderCHK", dialog);
                    }),
            QStringList(
                QString("%1 \u2014 HP: %2 \u2192 1500").arg(enemy5()).arg(wordAt(image(), kHp))));
        QCOMPARE(unshifted, QStringList("0x0C4973\u20130x0C4974: 2 bytes outside the editor's "
                                        "records"));
        QCOMPARE(f.fileBytes(), put(image(), kHp, "\xDC\x05"));
    }

    // Made for the file before an Apply of Level 20 and HP 1500: the patch's Price and other
    // bytes are taken, its Level 14 is a conflict that stays 20, its HP 1500 is alike.
    void patchForTheOriginal() {
        EditorFixture f;
        f.openAt(image(), "enemy", 5);
        f.enter("EnemyLevelTXT", "20");
        f.enter("EnemyHPTXT", "1500");
        f.apply();
        const QString patch = f.folder() + "/for-original.bps";
        synth::writeFile(patch, patches::createBps(image(), hacked(image())));
        QString summary;
        const QStringList rows = preview(f, patch, [&](QWidget* dialog) {
            summary = f.find<QLabel>("PatchSummaryLBL", dialog)->text();
        });
        QCOMPARE(rows.first(), QString("%1 \u2014 Level: %2 \u2192 14 (conflict: yours is 20 and "
                                       "stays)")
                                   .arg(enemy5())
                                   .arg(quint8(image()[kLevel])));
        QVERIFY(summary.contains("2 records, 2 fields, 64 other bytes; 1 conflicts left as you "
                                 "have them. It was made for this file as it was before"));
        QCOMPARE(f.fileBytes(), put(hacked(image()), kLevel, "\x14"));
    }

    // Each refused with its reason; nothing written, no preview.
    void refusals() {
        EditorFixture f;
        f.openImage(image());
        const QByteArray bps = patches::createBps(image(), hacked(image()));
        const QByteArray other = put(image(), 0x100, "\x01");
        const std::pair<QByteArray, const char*> cases[] = {
            {patches::createBps(other, hacked(other)), "This patch is for another file: it "
                                                       "expects 4,194,304 bytes with CRC32 "},
            {bps.chopped(3), "The patch cannot be used: its own CRC32 does not match"},
            {"BPS2", "The patch cannot be used: it is no BPS, IPS or UPS patch (at byte 0"}};
        for (const auto& [patch, reason] : cases) {
            f.messages.clear();
            synth::writeFile(f.folder() + "/bad.bps", patch);
            f.answerFileDialogs({f.folder() + "/bad.bps"});
            QVERIFY(!f.withDialog("mnuApplyPatch", [](QWidget*) {}));
            QVERIFY2(f.messageTexts().value(0).startsWith(reason),
                     qPrintable(f.messageTexts().value(0)));
            QCOMPARE(f.fileBytes(), image());
        }
    }

    // --diff: the same, different, unreadable; three-way classes in CSV; --apply-patch
    // --dry-run writes nothing, without it one change is written.
    void headless() {
        QTemporaryDir dir;
        const QString original = dir.filePath("o.smc"), mine = dir.filePath("m.smc"),
                      theirs = dir.filePath("t.smc"), patch = dir.filePath("p.bps");
        // Here: Level 20 and HP 1500 (alike); there: Level 14 (a conflict), HP 1500, Price 250
        // and the other bytes.
        synth::writeFile(original, image());
        synth::writeFile(mine, put(put(image(), kLevel, "\x14"), kHp, "\xDC\x05"));
        synth::writeFile(theirs, hacked(image()));
        synth::writeFile(patch, patches::createBps(image(), hacked(image())));
        QString out;
        QCOMPARE(diff(&out, {original, original}), 0);
        QCOMPARE(diff(&out, {theirs, original}), 1);
        QCOMPARE(diff(&out, {dir.filePath("none"), original}), 3);
        out.clear();
        QCOMPARE(diff(&out, {theirs, mine, original}, app::DiffFormat::Csv), 1);
        const QStringList lines = out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QString("Record,Field,Base,File,Other,Class"));
        QStringList classes;
        for (const QString& line : lines.mid(1))
            classes << line.section(',', -1);
        QCOMPARE(classes, QStringList({"conflict", "alike", "only there", "only there"}));
        out.clear();
        QCOMPARE(applyPatch(&out, patch, original, true), 0);
        QVERIFY(out.endsWith("2 records, 3 fields, 64 other bytes\nNothing was written.\n"));
        QCOMPARE(synth::readFile(original), image());
        QCOMPARE(applyPatch(&out, patch, original, false), 0);
        QCOMPARE(synth::readFile(original), hacked(image()));
    }
};

QTEST_MAIN(ApplyPatchTest)
#include "test_apply_patch.moc"
