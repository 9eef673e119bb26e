// Opening ROM files: copier-header removal, failures, cancels and the name lists.
#include "rom/CopierHeader.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kNoRomTitle =
    QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - No ROM Loaded");
const QString kHeaderMessage = QStringLiteral("This ROM has a header, so I'm removing it to make "
                                              "it compatible with my program and Tidewright");
const QString kCancelMessage = QStringLiteral(
    "You probably pressed cancel you moron.  -_-  Try loading it again this time press OK. ^_^");
const char* const kItemDropDowns[] = {"CharWeaponCBO",    "CharHelmetCBO",    "CharArmorCBO",
                                      "CharAccessoryCBO", "EnemyItemDropCBO", "EnemyItemCharmCBO"};

QString titleFor(const QString& name21) {
    return QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - ") + name21;
}

QByteArray image(std::uint32_t seed, const QString& name = QStringLiteral("VALDRIC TEST IMAGE")) {
    synth::ImageOptions options;
    options.seed = seed;
    options.internalName = name;
    return synth::makeImage(options);
}

QStringList messageTexts(const EditorFixture& editor) {
    QStringList texts;
    for (const auto& m : editor.messages)
        texts << m.text;
    return texts;
}

} // namespace

class OpenRomTest : public QObject {
    Q_OBJECT
  private slots:
    void copierHeaderIsRemovedFromExactlyHeaderedSize();
    void otherSizesAreOpenedUntouched_data();
    void otherSizesAreOpenedUntouched();
    void failedHeaderRemovalLeavesFileUnchangedAndUnopened();
    void cancelWithoutRomShowsTheCancelMessage();
    void cancelWithRomOpenChangesNothing();
    void unopenableFileKeepsThePreviousRom_data();
    void unopenableFileKeepsThePreviousRom();
    void shortFileOpensAndReadsZerosPastTheEnd();
    void namesFillEveryListByRow();
    void secondOpeningReplacesNamesAndKeepsDropDownRows();
    void loadingShowsProgressAndHoldsCommands();
};

void OpenRomTest::copierHeaderIsRemovedFromExactlyHeaderedSize() {
    EditorFixture editor;
    const QByteArray headerless = image(3, "HEADERED ONE");
    QByteArray headered = synth::withCopierHeader(headerless);
    QCOMPARE(headered.size(), 4194816);
    const QString path = editor.openImage(headered);

    QCOMPARE(messageTexts(editor), QStringList{kHeaderMessage});
    QCOMPARE(editor.messages.first().title, QStringLiteral("Valdric Editor Rodeviruz"));
    QCOMPARE(editor.messages.first().icon, ui::MessageIcon::Exclamation);
    const QByteArray onDisk = synth::readFile(path);
    QCOMPARE(onDisk.size(), 4194304);
    QCOMPARE(onDisk.at(0), headered.at(512));
    QVERIFY(onDisk == headerless);
    QCOMPARE(editor.window().windowTitle(), titleFor("HEADERED ONE         "));
    QVERIFY(editor.window().romFile().isOpen());
    // No temporary copy is left behind.
    QCOMPARE(QDir(editor.folder()).entryList(QDir::Files), QStringList{"test.smc"});
}

void OpenRomTest::otherSizesAreOpenedUntouched_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("4,194,304: headerless") << 4194304;
    QTest::newRow("4,194,815: one short of a header") << 4194815;
    QTest::newRow("4,195,328: a larger image with a header") << 4195328;
}

void OpenRomTest::otherSizesAreOpenedUntouched() {
    QFETCH(int, size);
    EditorFixture editor;
    QByteArray bytes = image(4);
    bytes = bytes.leftJustified(size, '\x33', true);
    const QString path = editor.openImage(bytes);
    QVERIFY(editor.messages.isEmpty());
    QVERIFY(synth::readFile(path) == bytes);
    QVERIFY(editor.window().romFile().isOpen());
    QCOMPARE(editor.window().windowTitle(), titleFor("VALDRIC TEST IMAGE   "));
}

void OpenRomTest::failedHeaderRemovalLeavesFileUnchangedAndUnopened() {
    EditorFixture editor;
    const QString first = editor.openImage(image(5, "FIRST"), "first.smc");
    const QString title = editor.window().windowTitle();
    const QByteArray headered = synth::withCopierHeader(image(6));
    const QString path = editor.writeRom(headered, "headered.smc");
    rom::setHeaderRemovalFault([] { return QStringLiteral("No space left on device"); });
    editor.openRom(path);
    rom::setHeaderRemovalFault({});

    QCOMPARE(editor.messages.size(), 2);
    QCOMPARE(editor.messages[0].text, kHeaderMessage);
    const QString failure = editor.messages[1].text;
    QVERIFY2(failure.contains(QDir::toNativeSeparators(path)), qPrintable(failure));
    QVERIFY2(failure.contains("No space left on device"), qPrintable(failure));
    QVERIFY2(failure.contains("not changed"), qPrintable(failure));
    QVERIFY(synth::readFile(path) == headered);
    QCOMPARE(editor.window().romFile().path(), first);
    QCOMPARE(editor.window().windowTitle(), title);
    QCOMPARE(QDir(editor.folder()).entryList(QDir::Files),
             (QStringList{"first.smc", "headered.smc"}));
}

void OpenRomTest::cancelWithoutRomShowsTheCancelMessage() {
    EditorFixture editor;
    editor.openRom(QString());
    QCOMPARE(messageTexts(editor), QStringList{kCancelMessage});
    QCOMPARE(editor.window().windowTitle(), kNoRomTitle);
    QVERIFY(!editor.window().romFile().isOpen());
    QVERIFY(!editor.find<QTabBar>("tabs")->isEnabled());
    QVERIFY(!editor.find<QPushButton>("ApplyCMD")->isEnabled());
}

void OpenRomTest::cancelWithRomOpenChangesNothing() {
    EditorFixture editor;
    const QString path = editor.openImage(image(7, "KEPT OPEN"));
    editor.selectTab("enemy");
    const QString title = editor.window().windowTitle();
    editor.openRom(QString());
    QVERIFY(editor.messages.isEmpty());
    QCOMPARE(editor.window().windowTitle(), title);
    QCOMPARE(editor.window().romFile().path(), path);
    QVERIFY(editor.find<QFrame>("EnemyFRA")->isVisible());
    QVERIFY(editor.find<QTabBar>("tabs")->isEnabled());
}

void OpenRomTest::unopenableFileKeepsThePreviousRom_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("a folder") << "folder";
}

void OpenRomTest::unopenableFileKeepsThePreviousRom() {
    QFETCH(QString, kind);
    EditorFixture editor;
    const QString first = editor.openImage(image(8, "STILL HERE"));
    editor.selectTab("enemy");
    const QString title = editor.window().windowTitle();
    QString bad = QDir(editor.folder()).filePath("not-there.smc");
    if (kind == "folder") {
        bad = QDir(editor.folder()).filePath("a-folder.smc");
        QVERIFY(QDir().mkdir(bad));
    }
    editor.openRom(bad);
    QCOMPARE(editor.messages.size(), 1);
    QCOMPARE(editor.messages[0].icon, ui::MessageIcon::Exclamation);
    QVERIFY2(editor.messages[0].text.contains(QDir::toNativeSeparators(bad)),
             qPrintable(editor.messages[0].text));
    QCOMPARE(editor.window().romFile().path(), first);
    QCOMPARE(editor.window().windowTitle(), title);
    QVERIFY(editor.find<QFrame>("EnemyFRA")->isVisible());
    QCOMPARE(editor.find<QListWidget>("EnemyLST")->count(), 251);
    QVERIFY(!QFileInfo::exists(QDir(editor.folder()).filePath("not-there.smc")));
}

void OpenRomTest::shortFileOpensAndReadsZerosPastTheEnd() {
    EditorFixture editor;
    // Ends in the middle of item 1's name: the rest reads as 0x00, which is no character.
    const QByteArray full = image(9);
    const QByteArray cut = full.left(0x0C0B5E + 11 + 4);
    const QString path = editor.openImage(cut);
    QVERIFY(editor.messages.isEmpty());
    QVERIFY(editor.window().romFile().isOpen());
    auto* items = editor.find<QListWidget>("ItemLST");
    QCOMPARE(items->count(), 241);
    QCOMPARE(items->item(0)->text(), synth::itemName(0, 9).leftJustified(10, ' '));
    QCOMPARE(items->item(1)->text(), synth::itemName(1, 9).leftJustified(10, ' ').left(3));
    QCOMPARE(items->item(2)->text(), QString());
    QCOMPARE(editor.find<QListWidget>("EnemyLST")->item(0)->text(), QString());
    QCOMPARE(synth::readFile(path).size(), cut.size());

    // A file too short for the internal name: the missing places show nothing.
    EditorFixture tiny;
    tiny.openImage(QByteArray(0x00FFC0 + 5, 'A'));
    QCOMPARE(tiny.window().windowTitle(), titleFor(QString("AAAAA") + QString(16, QChar(0))));
}

void OpenRomTest::namesFillEveryListByRow() {
    EditorFixture editor;
    editor.openImage(image(10));
    auto* items = editor.find<QListWidget>("ItemLST");
    QCOMPARE(items->count(), 241);
    QCOMPARE(items->currentRow(), -1);
    for (int i : {0, 1, 120, 240})
        QCOMPARE(items->item(i)->text(), synth::itemName(i, 10).leftJustified(10, ' '));
    for (const char* name : kItemDropDowns) {
        auto* list = editor.find<QComboBox>(name);
        QCOMPARE(list->count(), 241);
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->itemText(0), synth::itemName(0, 10).leftJustified(10, ' '));
        QCOMPARE(list->itemText(240), synth::itemName(240, 10).leftJustified(10, ' '));
    }
    auto* enemies = editor.find<QListWidget>("EnemyLST");
    QCOMPARE(enemies->count(), 251);
    QCOMPARE(enemies->currentRow(), -1);
    QCOMPARE(enemies->item(0)->text(), synth::enemyName(0, 10).leftJustified(11, ' '));
    QCOMPARE(enemies->item(250)->text(), synth::enemyName(250, 10).leftJustified(11, ' '));

    auto* boost = editor.find<QComboBox>("ItemStatBoostCBO");
    QCOMPARE(boost->count(), 256);
    QCOMPARE(boost->currentIndex(), -1);
    QCOMPARE(boost->itemText(0), QStringLiteral("Nothing"));
    QCOMPARE(boost->itemText(14), QStringLiteral("Unknown"));
    QCOMPARE(boost->itemText(20), QStringLiteral("Magic Defense +5"));
    QCOMPARE(boost->itemText(21), QStringLiteral("Undocumented / Unknown"));
    QCOMPARE(boost->itemText(127), QStringLiteral("Undocumented / Unknown"));
    QCOMPARE(boost->itemText(128), QStringLiteral("Always Evade"));
    QCOMPARE(boost->itemText(129), QStringLiteral("Undocumented / Unknown"));
    QCOMPARE(boost->itemText(255), QStringLiteral("Undocumented / Unknown"));
    for (const char* name : {"ItemWeaponAilmentCBO", "ItemArmorAilmentCBO"}) {
        auto* list = editor.find<QComboBox>(name);
        QCOMPARE(list->count(), 256);
        QCOMPARE(list->itemText(0), QStringLiteral("no ailiment"));
        QCOMPARE(list->itemText(56), QStringLiteral("9999 damage on critical attack - weapon"));
        QCOMPARE(list->itemText(57), QStringLiteral("Nothing or Undocumented"));
        QCOMPARE(list->itemText(255), QStringLiteral("Nothing or Undocumented"));
    }
}

void OpenRomTest::secondOpeningReplacesNamesAndKeepsDropDownRows() {
    EditorFixture editor;
    editor.openImage(image(11), "one.smc");
    for (std::size_t n = 0; n < std::size(kItemDropDowns); ++n)
        editor.find<QComboBox>(kItemDropDowns[n])->setCurrentIndex(static_cast<int>(10 + n));
    editor.find<QComboBox>("ItemWeaponAilmentCBO")->setCurrentIndex(45);
    editor.find<QComboBox>("ItemArmorAilmentCBO")->setCurrentIndex(200);
    editor.openImage(image(12), "two.smc");

    QCOMPARE(editor.find<QListWidget>("ItemLST")->count(), 241);
    QCOMPARE(editor.find<QListWidget>("EnemyLST")->count(), 251);
    QCOMPARE(editor.find<QComboBox>("ItemStatBoostCBO")->count(), 256);
    QCOMPARE(editor.find<QListWidget>("ItemLST")->item(7)->text(),
             synth::itemName(7, 12).leftJustified(10, ' '));
    QCOMPARE(editor.find<QListWidget>("EnemyLST")->item(9)->text(),
             synth::enemyName(9, 12).leftJustified(11, ' '));
    for (std::size_t n = 0; n < std::size(kItemDropDowns); ++n) {
        auto* list = editor.find<QComboBox>(kItemDropDowns[n]);
        QCOMPARE(list->count(), 241);
        QCOMPARE(list->currentIndex(), static_cast<int>(10 + n));
        QCOMPARE(list->currentText(), synth::itemName(10 + int(n), 12).leftJustified(10, ' '));
    }
    QCOMPARE(editor.find<QComboBox>("ItemWeaponAilmentCBO")->count(), 256);
    QCOMPARE(editor.find<QComboBox>("ItemWeaponAilmentCBO")->currentIndex(), 45);
    QCOMPARE(editor.find<QComboBox>("ItemArmorAilmentCBO")->currentIndex(), 200);
    QCOMPARE(editor.window().windowTitle(), titleFor("VALDRIC TEST IMAGE   "));
}

// While the lists fill, pending events run once per row: the progress shows, Cancel is held
// during the item names, and a second Open ROM or Apply started meanwhile does nothing.
void OpenRomTest::loadingShowsProgressAndHoldsCommands() {
    EditorFixture editor;
    editor.openImage(image(13), "first.smc");
    const QString second = editor.writeRom(image(14), "second.smc");

    int dialogs = 0;
    QStringList captions;
    bool quitHeldDuringItems = true;
    bool sawEnemies = false;
    int nestedOpens = 0;
    QTimer sampler;
    sampler.setInterval(0);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        auto* label = editor.find<QLabel>("LoadingLBL");
        auto* bar = editor.find<QProgressBar>("pbar");
        if (!label->isVisible() || !bar->isVisible())
            return;
        if (!captions.contains(label->text()))
            captions << label->text();
        if (label->text() == " Loading Items..." &&
            editor.find<QPushButton>("QuitCMD")->isEnabled())
            quitHeldDuringItems = false;
        if (label->text() == " Loading Enemies...")
            sawEnemies = true;
        if (nestedOpens == 0) {
            ++nestedOpens;
            editor.find<QAction>("mnuOpenROM")->trigger();
            editor.apply();
        }
    });
    sampler.start();
    ui::setFileNameHandler([&] {
        ++dialogs;
        return second;
    });
    editor.find<QAction>("mnuOpenROM")->trigger();
    sampler.stop();
    ui::setFileNameHandler({});

    QCOMPARE(dialogs, 1);
    QCOMPARE(captions, (QStringList{" Loading Items...", " Loading Enemies..."}));
    QVERIFY(quitHeldDuringItems);
    QVERIFY(sawEnemies);
    QVERIFY(!editor.find<QLabel>("LoadingLBL")->isVisible());
    QVERIFY(!editor.find<QProgressBar>("pbar")->isVisible());
    QVERIFY(editor.find<QPushButton>("QuitCMD")->isEnabled());
    QCOMPARE(editor.find<QProgressBar>("pbar")->maximum(), 251);
    QCOMPARE(editor.find<QProgressBar>("pbar")->value(), 250);
    QVERIFY(editor.messages.isEmpty());
}

QTEST_MAIN(OpenRomTest)
#include "test_open_rom.moc"
