// The main window: opening ROM files (copier-header removal, failures, cancels, the name
// lists), nothing reachable before, one page per tab, row 0 reloaded on every visit; Applies,
// undos and redos in turn, and the open file changed under the window; the Help menu and the
// About window; Export Tables.
#include "rom/SafeWrite.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "tables/Csv.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kNoRomTitle =
    QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - No ROM Loaded");
const QString kHeaderMessage = QStringLiteral("This ROM has a header, so I'm removing it to make "
                                              "it compatible with my program and Tidewright");
const char* const kItemDropDowns[] = {"CharWeaponCBO",    "CharHelmetCBO",    "CharArmorCBO",
                                      "CharAccessoryCBO", "EnemyItemDropCBO", "EnemyItemCharmCBO"};

QByteArray image(std::uint32_t seed, const QString& name = QStringLiteral("VALDRIC TEST IMAGE")) {
    return synth::makeImage({seed, name});
}

QStringList visibleFrames(EditorFixture& f) {
    QStringList shown;
    for (const char* name : {"MiscFRA", "EnemyFRA", "CharFRA", "ItemFRA"})
        if (f.find<QFrame>(name)->isVisible())
            shown << name;
    return shown;
}

const QString kReplaced = QStringLiteral("The file \"%1\" was changed by another program, so "
                                         "nothing was written to it. It is opened again as it "
                                         "is now.");
const QString kMissing =
    QStringLiteral("The file \"%1\" is no longer there, so nothing was written to it.");

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void headeredImagesAreMadeHeaderless();
    void cancelAndUnopenableFiles();
    void secondOpeningReplacesNamesAndKeepsDropDownRows();
    void loadingShowsProgressAndHoldsCommands();
    void tabsShowOnePageAndReloadRowZero();
    void undoRedoAndApplyInTurn();
    void fileIdentityChangesWriteNothing();
    void helpOpensTheAddressesAndAbout();
    void exportTablesWritesTheTablesOnly();
};

// A headered image is made headerless and opened; when that fails the file and the ROM
// open before stay as they were, and no temporary copy is left.
void WindowTest::headeredImagesAreMadeHeaderless() {
    EditorFixture f;
    const QByteArray headerless = image(3, "HEADERED ONE");
    const QString path = f.openImage(synth::withCopierHeader(headerless));
    QCOMPARE(f.messageTexts(), QStringList{kHeaderMessage});
    QCOMPARE(f.messages.first().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(f.messages.first().title, QStringLiteral("Valdric Editor Rodeviruz"));
    QVERIFY(synth::readFile(path) == headerless);
    const QString title = f.window().windowTitle();
    QCOMPARE(title,
             QStringLiteral("Valdric Editor Rodeviruz - Version 1.0 - HEADERED ONE         "));
    const QByteArray headered = synth::withCopierHeader(image(6));
    const QString failing = f.writeRom(headered, "headered.smc");
    rom::setReplaceFault([] { return QStringLiteral("No space left on device"); });
    f.openRom(failing);
    rom::setReplaceFault({});
    QCOMPARE(
        f.messageTexts().mid(1),
        (QStringList{kHeaderMessage, QStringLiteral("The copier header could not be removed "
                                                    "from \"%1\": No space left on device\nThe "
                                                    "file was not changed.")
                                         .arg(QDir::toNativeSeparators(failing))}));
    QVERIFY(synth::readFile(failing) == headered);
    QCOMPARE(QDir(f.folder()).entryList(QDir::Files), (QStringList{"headered.smc", "test.smc"}));
    QCOMPARE(f.window().romFile().path(), path);
    QCOMPARE(f.window().windowTitle(), title);
}

// A cancel with no ROM open shows the cancel message; otherwise the open ROM, its title
// and the visible page stay as they were.
void WindowTest::cancelAndUnopenableFiles() {
    const std::tuple<bool, QString, QString> cases[] = {
        {false, "",
         "You probably pressed cancel you moron.  -_-  Try loading it again this time "
         "press OK. ^_^"},
        {true, "", ""},
        {true, "not-there.smc", "could not be opened"},
        {true, "folder.smc", "could not be opened"}};
    for (const auto& [romOpen, chosen, message] : cases) {
        EditorFixture f;
        QVERIFY(QDir(f.folder()).mkdir("folder.smc"));
        const QString first = romOpen ? f.openImage(image(8, "STILL HERE")) : QString();
        if (romOpen)
            f.selectTab("enemy");
        const QString title = f.window().windowTitle();
        f.openRom(chosen.isEmpty() ? chosen : QDir(f.folder()).filePath(chosen));
        QCOMPARE(f.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(f.messages[0].text.contains(message), qPrintable(f.messages[0].text));
        QCOMPARE(f.window().romFile().path(), first);
        QCOMPARE(f.window().windowTitle(), romOpen ? title : kNoRomTitle);
        QCOMPARE(f.find<QFrame>("EnemyFRA")->isVisible(), romOpen);
        QCOMPARE(f.find<QTabBar>("tabs")->isEnabled(), romOpen);
        QVERIFY(!QFileInfo::exists(QDir(f.folder()).filePath("not-there.smc")));
    }
}

void WindowTest::secondOpeningReplacesNamesAndKeepsDropDownRows() {
    EditorFixture f;
    f.openImage(image(11), "one.smc");
    // Rows picked with the keys on a shown record and applied: a character's four, an
    // enemy's two, an armor's status effect.
    const auto pick = [&](const char* name, int row) {
        auto* list = f.find<QComboBox>(name);
        QTest::keyClick(list, Qt::Key_Home);
        for (int n = 0; n < row; ++n)
            QTest::keyClick(list, Qt::Key_Down);
    };
    for (std::size_t n = 0; n < std::size(kItemDropDowns); ++n) {
        if (n == 0 || n == 4)
            f.show(n == 0 ? "char" : "enemy", 1);
        pick(kItemDropDowns[n], int(10 + n));
        if (n == 3 || n == 5)
            f.apply();
    }
    f.show("item", 100); // an armor
    pick("ItemArmorAilmentCBO", 200);
    f.apply();
    f.show("item", 150); // an accessory: its stat boost is shown
    QVERIFY(f.find<QComboBox>("ItemStatBoostCBO")->currentIndex() >= 0);
    f.openImage(image(12), "two.smc");
    QCOMPARE(f.find<QComboBox>("ItemStatBoostCBO")->currentIndex(), -1);
    QCOMPARE(f.find<QComboBox>("ItemWeaponAilmentCBO")->itemText(255),
             QString("Nothing or Undocumented"));
    auto* items = f.find<QListWidget>("ItemLST");
    QCOMPARE(items->count(), 241);
    QCOMPARE(items->currentRow(), -1);
    QCOMPARE(items->item(240)->text(), synth::itemName(240, 12).leftJustified(10, ' '));
    auto* enemies = f.find<QListWidget>("EnemyLST");
    QCOMPARE(enemies->count(), 251);
    QCOMPARE(enemies->item(250)->text(), synth::enemyName(250, 12).leftJustified(11, ' '));
    for (const char* name : {"ItemStatBoostCBO", "ItemWeaponAilmentCBO"})
        QCOMPARE(f.find<QComboBox>(name)->count(), 256);
    QCOMPARE(f.find<QComboBox>("ItemArmorAilmentCBO")->currentIndex(), 200);
    for (std::size_t n = 0; n < std::size(kItemDropDowns); ++n) {
        QCOMPARE(f.find<QComboBox>(kItemDropDowns[n])->count(), 241);
        QCOMPARE(f.find<QComboBox>(kItemDropDowns[n])->currentText(),
                 synth::itemName(int(10 + n), 12).leftJustified(10, ' '));
    }
}

// While the lists fill, pending events run at times: the progress shows, Cancel is held
// during the item names, and a second Open ROM, Apply or drop started meanwhile does nothing.
void WindowTest::loadingShowsProgressAndHoldsCommands() {
    EditorFixture f;
    f.openImage(image(13), "first.smc");
    f.selectTab("enemy");
    QTest::keyClick(f.find<QListWidget>("EnemyLST"), Qt::Key_End);
    const QString second = f.writeRom(image(14), "second.smc");
    int dialogs = 0;
    QStringList captions;
    bool quitHeldDuringItems = true;
    bool editMarked = false; // the drop-downs of items are empty for a while: no edit
    QTimer sampler;
    sampler.setInterval(0);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        auto* label = f.find<QLabel>("LoadingLBL");
        if (!label->isVisible() || !f.find<QProgressBar>("pbar")->isVisible())
            return;
        if (!captions.contains(label->text()))
            captions << label->text();
        editMarked = editMarked || f.find<QLabel>("EnemyItemDropLBL")->font().bold() ||
                     f.window().windowTitle().startsWith('*');
        if (label->text() == " Loading Items..." && f.find<QPushButton>("QuitCMD")->isEnabled())
            quitHeldDuringItems = false;
        f.find<QAction>("mnuOpenROM")->trigger();
        f.apply();
        QVERIFY(!f.drop({QUrl::fromLocalFile(f.folder() + "/first.smc")}));
    });
    sampler.start();
    ui::setFileNameHandler([&] {
        ++dialogs;
        return second;
    });
    f.find<QAction>("mnuOpenROM")->trigger();
    sampler.stop();
    ui::setFileNameHandler({});

    QCOMPARE(dialogs, 1);
    QCOMPARE(captions, (QStringList{" Loading Items...", " Loading Enemies..."}));
    QVERIFY(quitHeldDuringItems);
    QVERIFY(!editMarked);
    QVERIFY(!f.find<QLabel>("LoadingLBL")->isVisible());
    const auto* bar = f.find<QProgressBar>("pbar");
    QCOMPARE(std::pair(bar->value(), bar->maximum()), std::pair(250, 251)); // one step short
    QVERIFY(f.find<QPushButton>("QuitCMD")->isEnabled());
    QCOMPARE(f.messages.size(), 0);
    // The list shown is laid out when the opening ends: its rows fill the width its scroll
    // bar leaves.
    const auto* shown = f.find<QListWidget>("EnemyLST");
    QVERIFY(shown->verticalScrollBar()->isVisible());
    QCOMPARE(std::pair(shown->currentRow(), shown->verticalScrollBar()->value()), std::pair(-1, 0));
    QCOMPARE(shown->visualItemRect(shown->item(0)).width(), shown->viewport()->width());
}

// Before a ROM is open no page can be reached; then each tab shows its page, and every
// visit reloads row 0 from the file, also when it was selected already.
void WindowTest::tabsShowOnePageAndReloadRowZero() {
    EditorFixture f;
    auto* tabs = f.find<QTabBar>("tabs");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!f.find<QPushButton>("ApplyCMD")->isEnabled());
    f.openImage(synth::makeImage());
    QCOMPARE(visibleFrames(f), QStringList());
    QCOMPARE(f.applyAndDiff(), QList<qint64>()); // no page and no item row
    const std::tuple<const char*, QStringList, const char*> visits[] = {
        {"enemy", {"EnemyFRA"}, "EnemyLST"}, {"char", {"CharFRA"}, "CharLST"},
        {"item", {"ItemFRA"}, "ItemLST"},    {"shop", {}, nullptr},
        {"misc", {"MiscFRA"}, nullptr},      {"future", {}, nullptr}};
    for (const auto& [key, shown, list] : visits) {
        f.selectTab(key);
        QCOMPARE(visibleFrames(f), shown);
        if (!list)
            continue;
        f.selectRow(list, 5);
        f.selectTab("misc");
        f.selectTab(key);
        QCOMPARE(f.find<QListWidget>(list)->currentRow(), 0);
    }
    f.selectTab("enemy");
    const QString stored = f.find<QLineEdit>("EnemyHPTXT")->text();
    f.type("EnemyHPTXT", "1");
    f.selectTab("misc");
    f.find<QLineEdit>("ROMVersionTXT")->setText("77");
    f.selectTab("enemy");
    QCOMPARE(f.find<QLineEdit>("EnemyHPTXT")->text(), stored);
    f.selectTab("misc");
    QCOMPARE(f.find<QLineEdit>("ROMVersionTXT")->text(), QString("0"));
}

// Enemy 5's level (0x0C4775) is changed twice, character 3's (0x0C0102) and the header's
// version (0x00FFDB) once. Undo takes back only the newest change in effect, redo puts back
// the one undone last, and a new Apply ends what could be redone. The page shows the file.
void WindowTest::undoRedoAndApplyInTurn() {
    const char a = 99, b = 98, c = 77, d = 12;
    using Change = QList<std::pair<qint64, char>>;
    const std::tuple<QString, Change, bool, bool> steps[] = {
        {"enemy 5 EnemyLevelTXT 99", {{0x0C4775, a}}, true, false},
        {"char 3 CharLevelTXT 77", {{0x0C4775, a}, {0x0C0102, c}}, true, false},
        {"enemy 5 EnemyLevelTXT 98", {{0x0C4775, b}, {0x0C0102, c}}, true, false},
        {"mnuUndoApply", {{0x0C4775, a}, {0x0C0102, c}}, true, true},
        {"mnuUndoApply", {{0x0C4775, a}}, true, true},
        {"mnuRedoApply", {{0x0C4775, a}, {0x0C0102, c}}, true, true},
        {"misc 0 ROMVersionTXT 12", {{0x0C4775, a}, {0x0C0102, c}, {0x00FFDB, d}}, true, false},
        {"mnuRedoApply", {{0x0C4775, a}, {0x0C0102, c}, {0x00FFDB, d}}, true, false},
        {"mnuUndoApply", {{0x0C4775, a}, {0x0C0102, c}}, true, true},
        {"enemy 5 EnemyLevelTXT 98", {{0x0C4775, b}, {0x0C0102, c}}, true, false},
        {"mnuUndoApply", {{0x0C4775, a}, {0x0C0102, c}}, true, true},
        {"mnuUndoApply", {{0x0C4775, a}}, true, true},
        {"mnuUndoApply", {}, false, true},
        {"mnuRedoApply", {{0x0C4775, a}}, true, true}};
    EditorFixture f;
    f.openImage(image(1));
    for (const auto& [step, inEffect, canUndo, canRedo] : steps) {
        const QStringList words = step.split(' ');
        if (words.size() == 1) {
            f.trigger(step);
        } else {
            f.show(words[0], words[1].toInt());
            f.enter(words[2], words[3]);
            f.apply();
        }
        QByteArray expected = image(1);
        for (const auto& [offset, value] : inEffect)
            expected[offset] = value;
        QVERIFY2(f.fileBytes() == expected, qPrintable(step));
        QVERIFY2(f.find<QAction>("mnuUndoApply")->isEnabled() == canUndo &&
                     f.find<QAction>("mnuRedoApply")->isEnabled() == canRedo,
                 qPrintable(step + ": what the Edit menu offers"));
        if (f.find<QFrame>("EnemyFRA")->isVisible())
            QCOMPARE(f.find<QLineEdit>("EnemyLevelTXT")->text(),
                     QString::number(quint8(expected[0x0C4775])));
    }
    QCOMPARE(f.messageTexts(), QStringList());
}

// Another program saves a new file over the open one (another inode, the same size),
// lengthens or shortens it in place, or removes it, before an Apply, Undo or Redo: neither
// the old file nor what is at the path now gets a byte, and the user is told.
void WindowTest::fileIdentityChangesWriteNothing() {
    for (const QString change : {"replaced", "grown", "shrunk", "removed"}) {
        for (const QString command : {"ApplyCMD", "mnuUndoApply", "mnuRedoApply"}) {
            EditorFixture f;
            const QString path = f.openImage(image(1)), what = change + " before " + command;
            f.show("enemy", 5);
            f.enter("EnemyLevelTXT", "99");
            if (command != "ApplyCMD")
                f.apply();
            if (command == "mnuRedoApply")
                f.trigger("mnuUndoApply");
            const QByteArray before = f.fileBytes();
            QFile old(path);
            QVERIFY(old.open(QIODevice::ReadOnly));
            const QByteArray now = change == "replaced" ? image(7, "SAVED ELSEWHERE")
                                   : change == "grown"  ? before + 'x'
                                   : change == "shrunk" ? before.chopped(1)
                                                        : QByteArray();
            if (change == "replaced" || change == "removed")
                QVERIFY(QFile::remove(path));
            if (change != "removed") // in place, or into a new inode
                QVERIFY(synth::writeFile(path, now));
            command == "ApplyCMD" ? f.apply() : f.trigger(command);
            const bool inPlace = change == "grown" || change == "shrunk";
            QVERIFY2(old.seek(0) && old.readAll() == (inPlace ? now : before), qPrintable(what));
            QVERIFY2(synth::readFile(path) == now, qPrintable(what));
            QCOMPARE(f.messageTexts(),
                     QStringList((change == "removed" ? kMissing : kReplaced).arg(path)));
            if (inPlace)
                continue;
            const bool open = change == "replaced"; // opened again, as it is now
            QCOMPARE(f.find<QTabBar>("tabs")->isEnabled(), open);
            QCOMPARE(f.find<QPushButton>("ApplyCMD")->isEnabled(), open);
            QVERIFY2(f.window().windowTitle().endsWith(open ? " - SAVED ELSEWHERE      "
                                                            : " - No ROM Loaded"),
                     qPrintable(what));
            if (open)
                QCOMPARE(f.find<QLineEdit>("EnemyLevelTXT")->text(),
                         QString::number(quint8(now[0x0C4775])));
        }
    }
}

// Help's two site entries and the About window's link open their addresses in the browser;
// About shows the program's information and closes with its button.
void WindowTest::helpOpensTheAddressesAndAbout() {
    EditorFixture f;
    QCOMPARE(f.find<QAction>("mnuLinkSite")->text(), QString("Goto &Cartridge Forge"));
    f.trigger("mnuLinkSite");
    f.trigger("mnuUtils");
    QVERIFY(f.withDialog("mnuAbout", [&f](QWidget* about) {
        QCOMPARE(about->windowTitle(), QString("About this Program..."));
        const QString info = f.find<QLabel>("ProgramInfoLBL", about)->text();
        QVERIFY(info.startsWith("Valdric Editor Rodeviruz (VEC) - Released: 02/01/2005\r\n"
                                "Version: 1.0"));
        QVERIFY(info.endsWith("\r\n\r\nLicense: GNU General Public License, version 3 or any "
                              "later version (GPL-3.0-or-later). This program comes with "
                              "ABSOLUTELY NO WARRANTY."));
        auto* link = f.find<QLabel>("URLLBL", about);
        QCOMPARE(link->text(), QString("https://quillmark.example/"));
        QTest::mouseClick(link, Qt::LeftButton);
        f.click("CloseCMD", about);
        QVERIFY(!about->isVisible());
    }));
    QCOMPARE(f.webAddresses, (QList<QUrl>{QUrl("https://cartridgeforge.example/"),
                                          QUrl("https://cartridgeforge.example/utilities/"
                                               "snesaud.html"),
                                          QUrl("https://quillmark.example/")}));
}

// File > Export Tables writes the seven tables, enemy 5's HP (0x0C4773) as shown on its page,
// and no byte of the ROM.
void WindowTest::exportTablesWritesTheTablesOnly() {
    QByteArray bytes = image(21);
    bytes.replace(0x0C4773, 2, QByteArray::fromHex("3930"));
    EditorFixture f;
    f.openImage(bytes);
    const QString folder = f.folder() + "/tables";
    QVERIFY(QDir().mkdir(folder));
    for (const QString& chosen : {QString(), folder}) { // cancelled first
        f.answerFileDialogs({chosen});
        f.trigger("mnuExportTables");
    }
    QCOMPARE(f.messageTexts(),
             QStringList(QString("The tables were written to \"%1\".").arg(folder)));
    QCOMPARE(f.messages[0].icon, ui::MessageIcon::Information);
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{"accessories.csv", "armor.csv", "characters.csv", "enemies.csv",
                          "header.csv", "items.csv", "weapons.csv"}));
    const QList<QStringList> rows = tables::readCsv(synth::readFile(folder + "/enemies.csv")).rows;
    QCOMPARE(rows.size(), 252);
    QCOMPARE(rows[6].value(rows[0].indexOf("HP")), QString("12345"));
    QVERIFY(f.fileBytes() == bytes);
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
