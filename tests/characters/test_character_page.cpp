// The character page through the real window: what it shows, and exactly which bytes an
// Apply changes (every byte of the file is compared before and after).

#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "ui/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// Character 3, "Dunmore": record at 0x0C0000 + 3 * 80.
constexpr qint64 kC = 0x0C00F0;
constexpr int kCharacter = 3;

const QString kTooShort =
    QStringLiteral("The open ROM file is too short to hold this record, so nothing was written.");
const QString kElementMessage =
    QStringLiteral("You need to check one of either 50% Resistance or 80% Resistance checkboxes "
                   "before you can proceed.");

// A generated image with known values in Dunmore's record, so that every new value in the
// tests differs from the stored one in every byte.
QByteArray characterImage() {
    static const QByteArray image = [] {
        QByteArray bytes = synth::makeImage();
        const QByteArray record =
            QByteArray::fromHex("03"
                                "0102" // portrait, unknown 1, unknown 2
                                "6400"
                                "C800"
                                "1E00"
                                "2800"                         // HP 100 / 200, MP 30 / 40
                                "0A0B0C0D0E0F1005"             // power .. magic defense, level 5
                                "E803"                         // experience 1000
                                "A1A2"                         // not shown
                                "39FF"                         // unknown 3: -199
                                "A3A4A5A6A7A8A9AAABACADAEAFB0" // not shown
                                "5A6E0596" // helmet 90, armor 110, weapon 5, accessory 150
                                "D007"
                                "2C01"       // experience to level 2000, tech to level 300
                                "AABBCC"     // 0x2F..0x31, not shown
                                "07"         // unknown 4
                                "01028304"); // unknown 5 (0x33..0x36), unknown 6 is 0x35
        bytes.replace(kC, record.size(), record);
        return bytes;
    }();
    return image;
}

QList<qint64> offsets(std::initializer_list<std::pair<qint64, qint64>> ranges) {
    QList<qint64> list;
    for (const auto& [first, last] : ranges)
        for (qint64 o = first; o <= last; ++o)
            list << o;
    return list;
}

void openCharacter(EditorFixture& f, const QByteArray& image, int row = kCharacter) {
    f.openImage(image);
    f.selectTab("char");
    if (row != 0)
        f.selectRow("CharLST", row);
}

// Types the text like a user; text that the typing limit or the key filter keeps out is
// put into the box directly (a box can hold it all the same, for instance a long loaded
// value edited in place), because the save must not rely on the limit.
void enter(EditorFixture& f, const QString& boxName, const QString& text) {
    f.type(boxName, text);
    auto* box = f.find<QLineEdit>(boxName);
    if (box->text() != text)
        box->setText(text);
}

QString rangeMessage(const QString& caption, int minimum, int maximum) {
    return QStringLiteral("%1 enter a whole number from %2 to %3.")
        .arg(caption)
        .arg(minimum)
        .arg(maximum);
}

enum class Rule { Signed, Byte, Unsigned };
struct TextField {
    const char* box;
    const char* caption;
    Rule rule;
};
const TextField kTextFields[] = {
    {"CharHPMINTXT", "HP (Min / Max):", Rule::Signed},
    {"CharHPMAXTXT", "HP (Min / Max):", Rule::Signed},
    {"CharMPMINTXT", "MP (Min / Max):", Rule::Signed},
    {"CharMPMAXTXT", "MP (Min / Max):", Rule::Signed},
    {"CharPowerTXT", "Power:", Rule::Byte},
    {"CharStaminaTXT", "Stamina:", Rule::Byte},
    {"CharSpeedTXT", "Speed:", Rule::Byte},
    {"CharMagicTXT", "Magic:", Rule::Byte},
    {"CharHitTXT", "Hit:", Rule::Byte},
    {"CharEvadeTXT", "Evade:", Rule::Byte},
    {"CharMagicDefenseTXT", "Magic Defense:", Rule::Byte},
    {"CharLevelTXT", "Level:", Rule::Byte},
    {"CharEXPTXT", "Experience:", Rule::Unsigned},
    {"CharEXP2LevelTXT", "Experience to Level:", Rule::Unsigned},
    {"CharTech2LevelTXT", "Tech to Level:", Rule::Unsigned},
};

} // namespace

class CharacterPageTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsBeforeTheFirstLoad_data();
    void controlsBeforeTheFirstLoad();
    void fixedRowsAndDropDowns();
    void pageShowsTheRecord_data();
    void pageShowsTheRecord();
    void roundTripWritesExactlyTheFields();
    void unchangedApplyChangesNothing_data();
    void unchangedApplyChangesNothing();
    void chosenRowReplacesUnshowableByte();
    void invalidEntryWritesNothing_data();
    void invalidEntryWritesNothing();
    void sixteenBitEntries_data();
    void sixteenBitEntries();
    void elementalCheckBlocksTheSave_data();
    void elementalCheckBlocksTheSave();
    void shortFileWritesNothing_data();
    void shortFileWritesNothing();
    void noSelectedRowWritesNothing();
    void powerKeyFilter_data();
    void powerKeyFilter();
    void powerContextMenuOffersNoPaste();
};

void CharacterPageTest::controlsBeforeTheFirstLoad_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("typingLimit");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("name") << "CharNameTXT"
                          << "CharNameLBL"
                          << "Name:" << 5 << false << true;
    QTest::newRow("hp min") << "CharHPMINTXT"
                            << "CharHPMINLBL"
                            << "HP (Min / Max):" << 3 << false << false;
    QTest::newRow("hp max") << "CharHPMAXTXT"
                            << "CharHPSlashLBL"
                            << " / " << 3 << false << false;
    QTest::newRow("mp min") << "CharMPMINTXT"
                            << "CharMPMINLBL"
                            << "MP (Min / Max):" << 3 << false << false;
    QTest::newRow("mp max") << "CharMPMAXTXT"
                            << "CharMPSlashLBL"
                            << " / " << 3 << false << false;
    QTest::newRow("power") << "CharPowerTXT"
                           << "CharPowerLBL"
                           << "Power:" << 2 << false << false;
    QTest::newRow("stamina") << "CharStaminaTXT"
                             << "CharStaminaLBL"
                             << "Stamina:" << 2 << false << false;
    QTest::newRow("speed") << "CharSpeedTXT"
                           << "CharSpeedLBL"
                           << "Speed:" << 2 << false << false;
    QTest::newRow("magic") << "CharMagicTXT"
                           << "CharMagicLBL"
                           << "Magic:" << 2 << false << false;
    QTest::newRow("hit") << "CharHitTXT"
                         << "CharHitLBL"
                         << "Hit:" << 2 << false << false;
    QTest::newRow("evade") << "CharEvadeTXT"
                           << "CharEvadeLBL"
                           << "Evade:" << 2 << false << false;
    QTest::newRow("magic defense") << "CharMagicDefenseTXT"
                                   << "CharMagicDefenseLBL"
                                   << "Magic Defense:" << 2 << false << false;
    QTest::newRow("level") << "CharLevelTXT"
                           << "CharLevelLBL"
                           << "Level:" << 2 << false << false;
    QTest::newRow("exp") << "CharEXPTXT"
                         << "CharEXPLBL"
                         << "Experience:" << 5 << false << false;
    QTest::newRow("exp to level") << "CharEXP2LevelTXT"
                                  << "CharEXP2LevelLBL"
                                  << "Experience to Level:" << 5 << false << false;
    QTest::newRow("tech to level") << "CharTech2LevelTXT"
                                   << "CharTech2LevelLBL"
                                   << "Tech to Level:" << 5 << true << false;
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("unknown %d", n)
            << QString("CharUnknown%1TXT").arg(n) << QString("CharUnknown%1LBL").arg(n)
            << QString("Unknown %1:").arg(n) << 0 << true << true;
}

void CharacterPageTest::controlsBeforeTheFirstLoad() {
    QFETCH(QString, box);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(int, typingLimit);
    QFETCH(bool, enabled);
    QFETCH(bool, readOnly);
    EditorFixture f;
    auto* textBox = f.find<ui::TextBox>(box);
    QVERIFY(textBox);
    QCOMPARE(f.find<QLabel>(label)->text(), caption);
    QCOMPARE(textBox->typingLimit(), typingLimit);
    QCOMPARE(textBox->isEnabled(), enabled);
    QCOMPARE(textBox->isReadOnly(), readOnly);
    if (readOnly) // the grey of locked boxes
        QCOMPARE(textBox->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

void CharacterPageTest::fixedRowsAndDropDowns() {
    EditorFixture f;
    const QStringList names = {"Aldo", "Brenna", "Cassia", "Dunmore", "Edrick", "Fenna", "Garrow"};
    auto* list = f.find<QListWidget>("CharLST");
    auto* portrait = f.find<QComboBox>("CharPortraitCBO");
    QCOMPARE(list->count(), 7);
    QCOMPARE(portrait->count(), 7);
    for (int r = 0; r < 7; ++r) {
        QCOMPARE(list->item(r)->text(), names[r]);
        QCOMPARE(portrait->itemText(r), names[r]);
    }
    QCOMPARE(f.find<QLabel>("CharPortraitLBL")->text(), "Character Portrait:");
    const std::pair<const char*, const char*> equipment[] = {{"CharWeaponCBO", "Weapon:"},
                                                             {"CharHelmetCBO", "Helmet:"},
                                                             {"CharArmorCBO", "Armor:"},
                                                             {"CharAccessoryCBO", "Accessory:"}};
    for (const auto& [name, caption] : equipment) {
        QVERIFY2(!f.find<QComboBox>(name)->isEnabled(), name);
        QCOMPARE(f.find<QLabel>(QString(name).replace("CBO", "LBL"))->text(), caption);
    }
    QVERIFY(!list->isEnabled());
    QVERIFY(!portrait->isEnabled());

    openCharacter(f, characterImage(), 0);
    QCOMPARE(f.find<QComboBox>("CharWeaponCBO")->count(), 241);
    QCOMPARE(f.find<QLineEdit>("CharNameTXT")->text(), "Aldo");
    for (const char* name : {"CharLST", "CharPortraitCBO", "CharLevelTXT", "CharEXPTXT",
                             "CharEXP2LevelTXT", "CharAccessoryCBO", "CharPowerTXT"})
        QVERIFY2(f.find<QWidget>(name)->isEnabled(), name);
}

void CharacterPageTest::pageShowsTheRecord_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::newRow("name") << "CharNameTXT"
                          << "Dunmore";
    QTest::newRow("hp min") << "CharHPMINTXT"
                            << "100";
    QTest::newRow("mp max") << "CharMPMAXTXT"
                            << "40";
    QTest::newRow("power") << "CharPowerTXT"
                           << "10";
    QTest::newRow("magic defense") << "CharMagicDefenseTXT"
                                   << "16";
    QTest::newRow("level") << "CharLevelTXT"
                           << "5";
    QTest::newRow("exp") << "CharEXPTXT"
                         << "1000";
    QTest::newRow("exp to level") << "CharEXP2LevelTXT"
                                  << "2000";
    QTest::newRow("tech to level is 0x2D") << "CharTech2LevelTXT"
                                           << "300";
    QTest::newRow("unknown 1") << "CharUnknown1TXT"
                               << "1";
    QTest::newRow("unknown 2") << "CharUnknown2TXT"
                               << "2";
    QTest::newRow("unknown 3 signed") << "CharUnknown3TXT"
                                      << "-199";
    QTest::newRow("unknown 4") << "CharUnknown4TXT"
                               << "7";
    QTest::newRow("unknown 5 long 0x04830201") << "CharUnknown5TXT"
                                               << "75694593";
    QTest::newRow("unknown 6 is byte 0x35") << "CharUnknown6TXT"
                                            << "131";
}

void CharacterPageTest::pageShowsTheRecord() {
    QFETCH(QString, box);
    QFETCH(QString, shown);
    EditorFixture f;
    openCharacter(f, characterImage());
    QCOMPARE(f.find<QLineEdit>(box)->text(), shown);
    QCOMPARE(f.find<QComboBox>("CharPortraitCBO")->currentIndex(), 3);
    QCOMPARE(f.find<QComboBox>("CharWeaponCBO")->currentIndex(), 5);
    QCOMPARE(f.find<QComboBox>("CharHelmetCBO")->currentIndex(), 90);
    QCOMPARE(f.find<QComboBox>("CharArmorCBO")->currentIndex(), 110);
    QCOMPARE(f.find<QComboBox>("CharAccessoryCBO")->currentText().trimmed(), synth::itemName(150));
}

void CharacterPageTest::roundTripWritesExactlyTheFields() {
    EditorFixture f;
    openCharacter(f, characterImage());
    const QByteArray before = f.fileBytes();
    f.chooseRow("CharPortraitCBO", 5);
    f.type("CharHPMINTXT", "-2");
    f.type("CharHPMAXTXT", "300");
    f.type("CharMPMINTXT", "-5");
    f.type("CharMPMAXTXT", "999");
    const char* stats[] = {"CharPowerTXT", "CharStaminaTXT", "CharSpeedTXT",        "CharMagicTXT",
                           "CharHitTXT",   "CharEvadeTXT",   "CharMagicDefenseTXT", "CharLevelTXT"};
    for (int n = 0; n < 8; ++n)
        f.type(stats[n], QString::number(20 + n));
    f.type("CharEXPTXT", "40000");
    f.chooseRow("CharHelmetCBO", 95);
    f.chooseRow("CharArmorCBO", 120);
    f.chooseRow("CharWeaponCBO", 0);
    f.chooseRow("CharAccessoryCBO", 160);
    f.type("CharEXP2LevelTXT", "65535");
    f.type("CharTech2LevelTXT", "12345");
    f.apply();

    const QByteArray after = f.fileBytes();
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(synth::changedOffsets(before, after),
             offsets({{kC, kC}, {kC + 0x03, kC + 0x14}, {kC + 0x27, kC + 0x2E}}));
    QCOMPARE(after.mid(kC, 0x50).toHex().toUpper(),
             QByteArray("05"
                        "0102"
                        "FEFF"
                        "2C01"
                        "FBFF"
                        "E703"
                        "1415161718191A1B"
                        "409C"
                        "A1A2"
                        "39FF"
                        "A3A4A5A6A7A8A9AAABACADAEAFB0"
                        "5F7800A0"
                        "FFFF"
                        "3930"
                        "AABBCC"
                        "07"
                        "01028304")
                 .append(before.mid(kC + 0x37, 0x50 - 0x37).toHex().toUpper()));
    // The page is not reloaded: it keeps what the user typed.
    QCOMPARE(f.find<QLineEdit>("CharEXP2LevelTXT")->text(), "65535");
    QCOMPARE(f.find<QLineEdit>("CharHPMINTXT")->text(), "-2");
}

void CharacterPageTest::unchangedApplyChangesNothing_data() {
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("as generated") << kC << QByteArray();
    QTest::newRow("HP FFFF shows -1") << kC + 0x03 << QByteArray::fromHex("FFFF");
    QTest::newRow("HP -1234 and 12000, longer than the limit")
        << kC + 0x03 << QByteArray::fromHex("2EFBE02E");
    QTest::newRow("MP -32768 and 32767") << kC + 0x07 << QByteArray::fromHex("0080FF7F");
    QTest::newRow("stats 200 and 255, longer than the limit")
        << kC + 0x0B << QByteArray::fromHex("C8FFC8FFC8FFC8FF");
    QTest::newRow("experience 0x9C40") << kC + 0x13 << QByteArray::fromHex("409C");
    QTest::newRow("portrait 7") << kC << QByteArray("\x07");
    QTest::newRow("portrait 255") << kC << QByteArray("\xFF");
    QTest::newRow("equipment 241, 250, 255, 244") << kC + 0x27 << QByteArray::fromHex("F1FAFFF4");
    QTest::newRow("experience and tech to level FFFF")
        << kC + 0x2B << QByteArray::fromHex("FFFFFFFF");
    QTest::newRow("whole record zero") << kC << QByteArray(0x50, '\0');
}

void CharacterPageTest::unchangedApplyChangesNothing() {
    QFETCH(qint64, offset);
    QFETCH(QByteArray, stored);
    QByteArray image = characterImage();
    image.replace(offset, stored.size(), stored);
    EditorFixture f;
    openCharacter(f, image);
    const QByteArray before = f.fileBytes();
    f.apply();
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
}

void CharacterPageTest::chosenRowReplacesUnshowableByte() {
    QByteArray image = characterImage();
    synth::putByte(image, kC, 9);          // portrait
    synth::putByte(image, kC + 0x29, 245); // weapon
    synth::putByte(image, kC + 0x2A, 241); // accessory
    EditorFixture f;
    openCharacter(f, image);
    QCOMPARE(f.find<QComboBox>("CharPortraitCBO")->currentIndex(), -1);
    QCOMPARE(f.find<QComboBox>("CharWeaponCBO")->currentIndex(), -1);
    const QByteArray before = f.fileBytes();
    f.chooseRow("CharPortraitCBO", 6);
    f.chooseRow("CharWeaponCBO", 240);
    f.apply();
    const QByteArray after = f.fileBytes();
    QCOMPARE(synth::changedOffsets(before, after), (QList<qint64>{kC, kC + 0x29}));
    QCOMPARE(after.mid(kC + 0x29, 2), QByteArray::fromHex("F0F1"));
    QCOMPARE(after.at(kC), '\x06');
}

void CharacterPageTest::invalidEntryWritesNothing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    struct Kind {
        const char* name;
        const char* signedEntry;
        const char* byteEntry;
        const char* unsignedEntry;
    };
    const Kind kinds[] = {{"empty", "", "", ""},
                          {"letters", "abc", "ab", "abc"},
                          {"too large", "32768", "256", "65536"},
                          {"too small", "-32769", "-1", "-1"},
                          {"grouping", "1,000", "1,0", "1,000"},
                          {"exponent", "1e3", "1e2", "1e3"},
                          {"two points", "1.2.3", "1.2.3", "1.2.3"}};
    for (const TextField& field : kTextFields) {
        for (const Kind& kind : kinds) {
            QString entry;
            QString message;
            switch (field.rule) {
            case Rule::Signed:
                entry = kind.signedEntry;
                message = rangeMessage(field.caption, -32768, 32767);
                break;
            case Rule::Byte:
                entry = kind.byteEntry;
                message = rangeMessage(field.caption, 0, 255);
                break;
            case Rule::Unsigned:
                entry = kind.unsignedEntry;
                message = rangeMessage(field.caption, 0, 65535);
                break;
            }
            QTest::addRow("%s %s", field.box, kind.name) << field.box << entry << message;
        }
    }
}

void CharacterPageTest::invalidEntryWritesNothing() {
    QFETCH(QString, box);
    QFETCH(QString, entry);
    QFETCH(QString, message);
    EditorFixture f;
    openCharacter(f, characterImage());
    const QByteArray before = f.fileBytes();
    // Valid edits elsewhere must not reach the file either.
    f.type(box == "CharLevelTXT" ? "CharHitTXT" : "CharLevelTXT", "99");
    f.chooseRow("CharPortraitCBO", 0);
    enter(f, box, entry);
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].icon, ui::MessageIcon::Exclamation);
    QCOMPARE(f.messages[0].title, "Valdric Editor Rodeviruz");
    QCOMPARE(f.messages[0].text, message);
    QCOMPARE(f.window().focusWidget(), f.find<QWidget>(box));
}

void CharacterPageTest::sixteenBitEntries_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    const QByteArray refused;
    // Signed HP: -32768 to 32767.
    QTest::newRow("HP 65535") << "CharHPMAXTXT" << kC + 0x05 << "65535" << refused;
    QTest::newRow("HP -1") << "CharHPMAXTXT" << kC + 0x05 << "-1" << QByteArray::fromHex("FFFF");
    QTest::newRow("HP 40000") << "CharHPMAXTXT" << kC + 0x05 << "40000" << refused;
    QTest::newRow("HP 70000") << "CharHPMAXTXT" << kC + 0x05 << "70000" << refused;
    QTest::newRow("HP 98303") << "CharHPMAXTXT" << kC + 0x05 << "98303" << refused;
    QTest::newRow("HP 98304") << "CharHPMAXTXT" << kC + 0x05 << "98304" << refused;
    QTest::newRow("HP 32767") << "CharHPMAXTXT" << kC + 0x05 << "32767"
                              << QByteArray::fromHex("FF7F");
    QTest::newRow("HP -32768") << "CharHPMAXTXT" << kC + 0x05 << "-32768"
                               << QByteArray::fromHex("0080");
    QTest::newRow("HP 12.5") << "CharHPMAXTXT" << kC + 0x05 << "12.5"
                             << QByteArray::fromHex("0C00");
    QTest::newRow("HP 13.5") << "CharHPMAXTXT" << kC + 0x05 << "13.5"
                             << QByteArray::fromHex("0E00");
    // Unsigned experience counters: 0 to 65535.
    const std::pair<const char*, qint64> counters[] = {{"CharEXPTXT", kC + 0x13},
                                                       {"CharEXP2LevelTXT", kC + 0x2B},
                                                       {"CharTech2LevelTXT", kC + 0x2D}};
    for (const auto& [box, offset] : counters) {
        QTest::addRow("%s 65535", box) << box << offset << "65535" << QByteArray::fromHex("FFFF");
        QTest::addRow("%s -1", box) << box << offset << "-1" << refused;
        QTest::addRow("%s 40000", box) << box << offset << "40000" << QByteArray::fromHex("409C");
        QTest::addRow("%s 70000", box) << box << offset << "70000" << refused;
        QTest::addRow("%s 98303", box) << box << offset << "98303" << refused;
        QTest::addRow("%s 98304", box) << box << offset << "98304" << refused;
        QTest::addRow("%s 12.5", box) << box << offset << "12.5" << QByteArray::fromHex("0C00");
        QTest::addRow("%s 13.5", box) << box << offset << "13.5" << QByteArray::fromHex("0E00");
    }
    // Bytes.
    QTest::newRow("speed 12.5") << "CharSpeedTXT" << kC + 0x0D << "12.5" << QByteArray("\x0C");
    QTest::newRow("speed 13.5") << "CharSpeedTXT" << kC + 0x0D << "13.5" << QByteArray("\x0E");
    QTest::newRow("level 255") << "CharLevelTXT" << kC + 0x12 << "255" << QByteArray("\xFF");
}

void CharacterPageTest::sixteenBitEntries() {
    QFETCH(QString, box);
    QFETCH(qint64, offset);
    QFETCH(QString, entry);
    QFETCH(QByteArray, stored);
    EditorFixture f;
    openCharacter(f, characterImage());
    const QByteArray before = f.fileBytes();
    enter(f, box, entry);
    f.apply();
    const QByteArray after = f.fileBytes();
    if (stored.isEmpty()) {
        QCOMPARE(synth::changedOffsets(before, after), QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        return;
    }
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(after.mid(offset, stored.size()), stored);
    QList<qint64> expected;
    for (qint64 o = offset; o < offset + stored.size(); ++o)
        if (before[o] != stored[o - offset])
            expected << o;
    QCOMPARE(synth::changedOffsets(before, after), expected);
}

void CharacterPageTest::elementalCheckBlocksTheSave_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("16") << "16" << true;
    QTest::newRow("32") << "32" << true;
    QTest::newRow("64") << "64" << true;
    QTest::newRow("128") << "128" << true;
    QTest::newRow("lightning at 80%") << "143" << false;
}

void CharacterPageTest::elementalCheckBlocksTheSave() {
    QFETCH(QString, held);
    QFETCH(bool, blocked);
    EditorFixture f;
    openCharacter(f, characterImage());
    // The value stays in the hidden box after the item page has been left.
    f.find<QLineEdit>("ElementalResistanceTXT")->setText(held);
    const QByteArray before = f.fileBytes();
    f.type("CharLevelTXT", "99");
    f.apply();
    const QList<qint64> changed = synth::changedOffsets(before, f.fileBytes());
    if (blocked) {
        QCOMPARE(changed, QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, kElementMessage);
    } else {
        QCOMPARE(changed, QList<qint64>{kC + 0x12});
        QVERIFY(f.messages.isEmpty());
    }
}

void CharacterPageTest::shortFileWritesNothing_data() {
    QTest::addColumn<int>("character");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("written");
    // Garrow's record is 0x0C01E0..0x0C022F.
    QTest::newRow("last byte missing") << 6 << qint64(0x0C022F) << false;
    QTest::newRow("cut after the fields that are written") << 6 << qint64(0x0C0210) << false;
    QTest::newRow("cut in the middle") << 6 << qint64(0x0C0200) << false;
    QTest::newRow("whole record inside") << 6 << qint64(0x0C0230) << true;
}

void CharacterPageTest::shortFileWritesNothing() {
    QFETCH(int, character);
    QFETCH(qint64, length);
    QFETCH(bool, written);
    EditorFixture f;
    openCharacter(f, characterImage().left(length), character);
    const QByteArray before = f.fileBytes();
    QCOMPARE(before.size(), length);
    f.type("CharLevelTXT", "99");
    f.apply();
    const QList<qint64> changed = synth::changedOffsets(before, f.fileBytes());
    if (written) {
        QCOMPARE(changed, QList<qint64>{0x0C01E0 + 0x12});
        QVERIFY(f.messages.isEmpty());
    } else {
        QCOMPARE(changed, QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, kTooShort);
    }
}

// The character list has fixed rows, so the user cannot leave it without a selection;
// the save must still refuse when it has none.
void CharacterPageTest::noSelectedRowWritesNothing() {
    EditorFixture f;
    openCharacter(f, characterImage());
    f.type("CharLevelTXT", "99");
    f.find<QListWidget>("CharLST")->setCurrentRow(-1);
    const QByteArray before = f.fileBytes();
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
    QVERIFY(f.messages.isEmpty());
}

void CharacterPageTest::powerKeyFilter_data() {
    QTest::addColumn<QString>("start"); // typed first
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("keyText"); // the character the key types, if any
    QTest::addColumn<QString>("expected");
    const int none = Qt::NoModifier;
    QTest::newRow("letter") << "1" << int(Qt::Key_A) << none << "a"
                            << "1";
    QTest::newRow("capital letter") << "1" << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A"
                                    << "1";
    QTest::newRow("minus") << "1" << int(Qt::Key_Minus) << none << "-"
                           << "1";
    QTest::newRow("point") << "1" << int(Qt::Key_Period) << none << "."
                           << "1";
    QTest::newRow("space") << "1" << int(Qt::Key_Space) << none << " "
                           << "1";
    QTest::newRow("Ctrl+V") << "1" << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16"
                            << "1";
    QTest::newRow("Shift+Insert") << "1" << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << ""
                                  << "1";
    QTest::newRow("zero") << "1" << int(Qt::Key_0) << none << "0"
                          << "10";
    QTest::newRow("nine") << "1" << int(Qt::Key_9) << none << "9"
                          << "19";
    QTest::newRow("Backspace") << "12" << int(Qt::Key_Backspace) << none << "\b"
                               << "1";
    QTest::newRow("arrow key passes") << "1" << int(Qt::Key_Left) << none << ""
                                      << "1";
}

void CharacterPageTest::powerKeyFilter() {
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, keyText);
    QFETCH(QString, expected);
    EditorFixture f;
    openCharacter(f, characterImage());
    QApplication::clipboard()->setText("5"); // "15" would fit the typing limit
    f.type("CharPowerTXT", start);
    auto* box = f.find<QLineEdit>("CharPowerTXT");
    QCOMPARE(box->text(), start);
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), keyText);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), keyText);
    QApplication::sendEvent(box, &release);
    QCOMPARE(box->text(), expected);
}

void CharacterPageTest::powerContextMenuOffersNoPaste() {
    EditorFixture f;
    openCharacter(f, characterImage());
    QApplication::clipboard()->setText("5"); // "15" would fit the typing limit
    f.type("CharPowerTXT", "1");
    auto* box = f.find<QLineEdit>("CharPowerTXT");
    bool pasteSeen = false;
    bool pasteEnabled = true;
    QMenu* menu = nullptr;
    QContextMenuEvent request(QContextMenuEvent::Mouse, box->rect().center(),
                              box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &request);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Paste")) {
            pasteSeen = true;
            pasteEnabled = action->isEnabled();
            action->trigger(); // a disabled action does nothing
        }
    }
    menu->close();
    QVERIFY(pasteSeen);
    QVERIFY(!pasteEnabled);
    QCOMPARE(box->text(), "1");

    // Typing 0 works, so 10 can be entered and applied.
    const QByteArray before = f.fileBytes();
    QTest::keyClick(box, Qt::Key_0);
    QCOMPARE(box->text(), "10");
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
    f.type("CharPowerTXT", "20");
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>{kC + 0x0B});
    QCOMPARE(f.fileBytes().at(kC + 0x0B), '\x14');
}

QTEST_MAIN(CharacterPageTest)
#include "test_character_page.moc"
