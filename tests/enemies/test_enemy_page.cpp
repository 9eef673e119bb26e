// The enemy page through the real window: what it shows, and exactly which bytes an
// Apply changes (every byte of the file is compared before and after).

#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "ui/TextBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

// Enemy 5: stat record at 0x0C4700 + 5 * 23, reward record at 0x0C5E00 + 5 * 7.
constexpr qint64 kS = 0x0C4773;
constexpr qint64 kR = 0x0C5E23;
constexpr int kEnemy = 5;

const QString kTooShort =
    QStringLiteral("The open ROM file is too short to hold this record, so nothing was written.");
const QString kElementMessage =
    QStringLiteral("You need to check one of either 50% Resistance or 80% Resistance checkboxes "
                   "before you can proceed.");

// A generated image with known values in enemy 5's records, so that every new value in the
// tests differs from the stored one in every byte.
QByteArray enemyImage() {
    static const QByteArray image = [] {
        QByteArray bytes = synth::makeImage();
        synth::putInteger(bytes, kS + 0, 1000); // HP E8 03
        synth::putByte(bytes, kS + 2, 10);      // level
        const int stats[] = {9, 10, 14, 15, 16, 17, 18, 19, 20};
        for (int n = 0; n < 9; ++n)
            synth::putByte(bytes, kS + stats[n], static_cast<std::uint8_t>(20 + n));
        synth::putInteger(bytes, kR + 0, 300); // experience 2C 01
        synth::putInteger(bytes, kR + 2, 500); // gil F4 01
        synth::putByte(bytes, kR + 4, 3);      // dropped item
        synth::putByte(bytes, kR + 5, 4);      // charmed item
        synth::putByte(bytes, kR + 6, 5);      // tech points
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

QByteArray bytesAt(const QByteArray& file, qint64 offset, int length) {
    return file.mid(offset, length);
}

void openEnemy(EditorFixture& f, const QByteArray& image, int row = kEnemy) {
    f.openImage(image);
    f.selectTab("enemy");
    if (row != 0)
        f.selectRow("EnemyLST", row);
}

// Types the text like a user; text that the typing limit keeps out is put into the box
// directly (a box can hold it all the same, for instance a long loaded value edited in
// place), because the save must not rely on the limit.
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

struct TextField {
    const char* box;
    const char* caption;
    bool sixteenBit;
};
const TextField kTextFields[] = {
    {"EnemyLevelTXT", "Level:", false},
    {"EnemySpeedTXT", "Speed:", false},
    {"EnemyMagicTXT", "Magic:", false},
    {"EnemyAttackTXT", "Attack:", false},
    {"EnemyDefenseTXT", "Defense:", false},
    {"EnemyBoltDefTXT", "Lightning Defense:", false},
    {"EnemyFireDefTXT", "Fire Defense:", false},
    {"EnemyWaterDefTXT", "Water Defense:", false},
    {"EnemyDarkDefTXT", "Shadow Defense:", false},
    {"EnemyEvadeTXT", "Evade:", false},
    {"EnemyTechTXT", "Tech Points:", false},
    {"EnemyHPTXT", "HP:", true},
    {"EnemyEXPTXT", "Experience:", true},
    {"EnemyGilTXT", "Gil:", true},
};

} // namespace

class EnemyPageTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsBeforeTheFirstLoad_data();
    void controlsBeforeTheFirstLoad();
    void pageShowsTheRecords();
    void unknown3_data();
    void unknown3();
    void roundTripWritesExactlyTheFields();
    void unchangedApplyChangesNothing_data();
    void unchangedApplyChangesNothing();
    void chosenRowReplacesUnshowableItem();
    void invalidEntryWritesNothing_data();
    void invalidEntryWritesNothing();
    void sixteenBitEntries_data();
    void sixteenBitEntries();
    void rounding_data();
    void rounding();
    void elementalCheckBlocksTheSave_data();
    void elementalCheckBlocksTheSave();
    void shortFileWritesNothing_data();
    void shortFileWritesNothing();
    void noSelectedRowWritesNothing();
};

void EnemyPageTest::controlsBeforeTheFirstLoad_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("typingLimit");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("name") << "EnemyNameTXT"
                          << "EnemyNameLBL"
                          << "Name:" << 11 << false << false;
    QTest::newRow("level") << "EnemyLevelTXT"
                           << "EnemyLevelLBL"
                           << "Level:" << 3 << false << false;
    QTest::newRow("hp") << "EnemyHPTXT"
                        << "EnemyHPLBL"
                        << "HP:" << 5 << false << false;
    QTest::newRow("attack") << "EnemyAttackTXT"
                            << "EnemyAttackLBL"
                            << "Attack:" << 3 << false << false;
    QTest::newRow("speed") << "EnemySpeedTXT"
                           << "EnemySpeedLBL"
                           << "Speed:" << 3 << false << false;
    QTest::newRow("magic") << "EnemyMagicTXT"
                           << "EnemyMagicLBL"
                           << "Magic:" << 3 << false << false;
    QTest::newRow("defense") << "EnemyDefenseTXT"
                             << "EnemyDefenseLBL"
                             << "Defense:" << 3 << false << false;
    QTest::newRow("evade") << "EnemyEvadeTXT"
                           << "EnemyEvadeLBL"
                           << "Evade:" << 3 << false << false;
    QTest::newRow("bolt") << "EnemyBoltDefTXT"
                          << "EnemyBoltDefLBL"
                          << "Lightning Defense:" << 3 << false << false;
    QTest::newRow("fire") << "EnemyFireDefTXT"
                          << "EnemyFireDefLBL"
                          << "Fire Defense:" << 3 << false << false;
    QTest::newRow("water") << "EnemyWaterDefTXT"
                           << "EnemyWaterDefLBL"
                           << "Water Defense:" << 3 << false << false;
    QTest::newRow("dark") << "EnemyDarkDefTXT"
                          << "EnemyDarkDefLBL"
                          << "Shadow Defense:" << 3 << false << false;
    QTest::newRow("unknown1") << "EnemyUnknown1TXT"
                              << "EnemyUnknown1LBL"
                              << "Unknown 1:" << 0 << true << true;
    QTest::newRow("unknown2") << "EnemyUnknown2TXT"
                              << "EnemyUnknown2LBL"
                              << "Unknown 2:" << 0 << true << true;
    QTest::newRow("unknown3") << "EnemyUnknown3TXT"
                              << "EnemyUnknown3LBL"
                              << "Unknown 3:" << 5 << true << true;
    QTest::newRow("exp") << "EnemyEXPTXT"
                         << "EnemyEXPLBL"
                         << "Experience:" << 5 << false << false;
    QTest::newRow("gil") << "EnemyGilTXT"
                         << "EnemyGilLBL"
                         << "Gil:" << 5 << false << false;
    QTest::newRow("tech") << "EnemyTechTXT"
                          << "EnemyTechLBL"
                          << "Tech Points:" << 3 << false << false;
}

void EnemyPageTest::controlsBeforeTheFirstLoad() {
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
    QCOMPARE(textBox->text(), readOnly && box != "EnemyUnknown3TXT" ? "N/A" : "");
    for (const char* name : {"EnemyLST", "EnemyItemDropCBO", "EnemyItemCharmCBO"})
        QVERIFY2(!f.find<QWidget>(name)->isEnabled(), name);
    QCOMPARE(f.find<QLabel>("EnemyItemDropLBL")->text(), "Item Dropped:");
    QCOMPARE(f.find<QLabel>("EnemyItemCharmLBL")->text(), "Item Charmed:");
    QVERIFY(f.find<QLabel>("EnemyAINoteLBL")->text().contains("AI"));
}

void EnemyPageTest::pageShowsTheRecords() {
    QByteArray image = enemyImage();
    synth::putInteger(image, kS, 0xFFFF);
    EditorFixture f;
    openEnemy(f, image);
    QCOMPARE(f.find<QLineEdit>("EnemyHPTXT")->text(), "65535");
    QCOMPARE(f.find<QLineEdit>("EnemyLevelTXT")->text(), "10");
    QCOMPARE(f.find<QLineEdit>("EnemySpeedTXT")->text(), "20");
    QCOMPARE(f.find<QLineEdit>("EnemyEvadeTXT")->text(), "28");
    QCOMPARE(f.find<QLineEdit>("EnemyEXPTXT")->text(), "300");
    QCOMPARE(f.find<QLineEdit>("EnemyGilTXT")->text(), "500");
    QCOMPARE(f.find<QLineEdit>("EnemyTechTXT")->text(), "5");
    QCOMPARE(f.find<QComboBox>("EnemyItemDropCBO")->count(), 241);
    QCOMPARE(f.find<QComboBox>("EnemyItemDropCBO")->currentIndex(), 3);
    QCOMPARE(f.find<QComboBox>("EnemyItemCharmCBO")->currentText().trimmed(), synth::itemName(4));
    QCOMPARE(f.find<QLineEdit>("EnemyNameTXT")->text().trimmed(), synth::enemyName(kEnemy));
    for (const char* name : {"EnemyLST", "EnemyHPTXT", "EnemyItemDropCBO", "EnemyLevelTXT"})
        QVERIFY2(f.find<QWidget>(name)->isEnabled(), name);
}

void EnemyPageTest::unknown3_data() {
    QTest::addColumn<int>("enemy");
    QTest::addColumn<qint64>("offset");
    QTest::newRow("enemy 0") << 0 << qint64(0x0C5E70);
    QTest::newRow("enemy 1") << 1 << qint64(0x0C5E87);
    QTest::newRow("enemy 250") << 250 << qint64(0x0C74E6);
}

void EnemyPageTest::unknown3() {
    QFETCH(int, enemy);
    QFETCH(qint64, offset);
    QByteArray image = enemyImage();
    synth::putInteger(image, offset, 0xBEEF);
    EditorFixture f;
    openEnemy(f, image, enemy);
    QCOMPARE(f.find<QLineEdit>("EnemyUnknown3TXT")->text(), "48879");
}

void EnemyPageTest::roundTripWritesExactlyTheFields() {
    EditorFixture f;
    openEnemy(f, enemyImage());
    const QByteArray before = f.fileBytes();
    f.type("EnemyNameTXT", "Zed");
    f.type("EnemyHPTXT", "2000");
    f.type("EnemyLevelTXT", "77");
    const char* stats[] = {"EnemySpeedTXT",    "EnemyMagicTXT",   "EnemyAttackTXT",
                           "EnemyDefenseTXT",  "EnemyBoltDefTXT", "EnemyFireDefTXT",
                           "EnemyWaterDefTXT", "EnemyDarkDefTXT", "EnemyEvadeTXT"};
    for (int n = 0; n < 9; ++n)
        f.type(stats[n], QString::number(200 + n));
    f.type("EnemyEXPTXT", "40000");
    f.type("EnemyGilTXT", "70000");
    f.chooseRow("EnemyItemDropCBO", 200);
    f.chooseRow("EnemyItemCharmCBO", 100);
    f.type("EnemyTechTXT", "9");
    f.apply();

    const QByteArray after = f.fileBytes();
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(synth::changedOffsets(before, after),
             offsets({{kS + 0, kS + 2}, {kS + 9, kS + 10}, {kS + 14, kS + 20}, {kR, kR + 6}}));
    QCOMPARE(bytesAt(after, kS, 3), QByteArray::fromHex("D0074D"));
    QCOMPARE(bytesAt(after, kS + 9, 2), QByteArray::fromHex("C8C9"));
    QCOMPARE(bytesAt(after, kS + 14, 7), QByteArray::fromHex("CACBCCCDCECFD0"));
    QCOMPARE(bytesAt(after, kR, 7), QByteArray::fromHex("409C7011C86409"));
    // The page reloads: the gold shows what 70000 stored; the name keeps what was typed.
    QCOMPARE(f.find<QLineEdit>("EnemyGilTXT")->text(), "4464");
    QCOMPARE(f.find<QLineEdit>("EnemyEXPTXT")->text(), "40000");
    QCOMPARE(f.find<QLineEdit>("EnemyNameTXT")->text(), "Zed");
}

void EnemyPageTest::unchangedApplyChangesNothing_data() {
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("generated values") << kS << QByteArray();
    QTest::newRow("HP FFFF") << kS << QByteArray::fromHex("FFFF");
    QTest::newRow("HP 8000") << kS << QByteArray::fromHex("0080");
    QTest::newRow("experience and gold FFFF") << kR << QByteArray::fromHex("FFFFFFFF");
    QTest::newRow("drop byte 241") << kR + 4 << QByteArray::fromHex("F1");
    QTest::newRow("drop and charm byte 255") << kR + 4 << QByteArray::fromHex("FFFF");
    QTest::newRow("level and stats 255") << kS + 14 << QByteArray(7, '\xFF');
    QTest::newRow("zeros") << kS << QByteArray(23, '\0');
}

void EnemyPageTest::unchangedApplyChangesNothing() {
    QFETCH(qint64, offset);
    QFETCH(QByteArray, stored);
    QByteArray image = enemyImage();
    image.replace(offset, stored.size(), stored);
    EditorFixture f;
    openEnemy(f, image);
    const QByteArray before = f.fileBytes();
    f.apply();
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
}

void EnemyPageTest::chosenRowReplacesUnshowableItem() {
    QByteArray image = enemyImage();
    synth::putByte(image, kR + 4, 250);
    synth::putByte(image, kR + 5, 241);
    EditorFixture f;
    openEnemy(f, image);
    QCOMPARE(f.find<QComboBox>("EnemyItemDropCBO")->currentIndex(), -1);
    QCOMPARE(f.find<QComboBox>("EnemyItemCharmCBO")->currentIndex(), -1);
    const QByteArray before = f.fileBytes();
    f.chooseRow("EnemyItemDropCBO", 0);
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>{kR + 4});
    QCOMPARE(bytesAt(f.fileBytes(), kR + 4, 2), QByteArray::fromHex("00F1"));
}

void EnemyPageTest::invalidEntryWritesNothing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    struct Kind {
        const char* name;
        const char* byteEntry;
        const char* wordEntry;
    };
    const Kind kinds[] = {{"empty", "", ""},
                          {"letters", "ab", "abc"},
                          {"too large", "256", "98304"},
                          {"too small", "-1", "-32769"},
                          {"grouping", "1,0", "1,000"},
                          {"exponent", "1e2", "1e3"},
                          {"plus sign", "+5", "+5"}};
    for (const TextField& field : kTextFields) {
        const QString message = field.sixteenBit ? rangeMessage(field.caption, -32768, 98303)
                                                 : rangeMessage(field.caption, 0, 255);
        for (const Kind& kind : kinds)
            QTest::addRow("%s %s", field.box, kind.name)
                << field.box << (field.sixteenBit ? kind.wordEntry : kind.byteEntry) << message;
    }
}

void EnemyPageTest::invalidEntryWritesNothing() {
    QFETCH(QString, box);
    QFETCH(QString, entry);
    QFETCH(QString, message);
    EditorFixture f;
    openEnemy(f, enemyImage());
    const QByteArray before = f.fileBytes();
    // Valid edits elsewhere must not reach the file either.
    f.type(box == "EnemyLevelTXT" ? "EnemyEvadeTXT" : "EnemyLevelTXT", "99");
    f.chooseRow("EnemyItemDropCBO", 7);
    enter(f, box, entry);
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].icon, ui::MessageIcon::Exclamation);
    QCOMPARE(f.messages[0].title, "Valdric Editor Rodeviruz");
    QCOMPARE(f.messages[0].text, message);
    QCOMPARE(f.window().focusWidget(), f.find<QWidget>(box));
}

void EnemyPageTest::sixteenBitEntries_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    QTest::addColumn<QString>("shownAfter");
    const std::pair<const char*, qint64> fields[] = {
        {"EnemyHPTXT", kS}, {"EnemyEXPTXT", kR}, {"EnemyGilTXT", kR + 2}};
    for (const auto& [box, offset] : fields) {
        QTest::addRow("%s 65535", box)
            << box << offset << "65535" << QByteArray::fromHex("FFFF") << "65535";
        QTest::addRow("%s -1", box)
            << box << offset << "-1" << QByteArray::fromHex("FFFF") << "65535";
        QTest::addRow("%s 40000", box)
            << box << offset << "40000" << QByteArray::fromHex("409C") << "40000";
        QTest::addRow("%s 70000", box)
            << box << offset << "70000" << QByteArray::fromHex("7011") << "4464";
        QTest::addRow("%s 98303", box)
            << box << offset << "98303" << QByteArray::fromHex("FF7F") << "32767";
        QTest::addRow("%s 98304", box) << box << offset << "98304" << QByteArray() << "98304";
        QTest::addRow("%s -32768", box)
            << box << offset << "-32768" << QByteArray::fromHex("0080") << "32768";
        QTest::addRow("%s 0", box) << box << offset << "0" << QByteArray::fromHex("0000") << "0";
    }
}

void EnemyPageTest::sixteenBitEntries() {
    QFETCH(QString, box);
    QFETCH(qint64, offset);
    QFETCH(QString, entry);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shownAfter);
    EditorFixture f;
    openEnemy(f, enemyImage());
    const QByteArray before = f.fileBytes();
    enter(f, box, entry);
    f.apply();
    const QByteArray after = f.fileBytes();
    if (stored.isEmpty()) {
        QCOMPARE(synth::changedOffsets(before, after), QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
    } else {
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(bytesAt(after, offset, 2), stored);
        const QList<qint64> changed = synth::changedOffsets(before, after);
        for (qint64 o : changed)
            QVERIFY2(o == offset || o == offset + 1, qPrintable(QString::number(o, 16)));
    }
    QCOMPARE(f.find<QLineEdit>(box)->text(), shownAfter);
}

void EnemyPageTest::rounding_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    QTest::newRow("speed 12.5") << "EnemySpeedTXT" << kS + 9 << "12.5" << QByteArray("\x0C");
    QTest::newRow("speed 13.5") << "EnemySpeedTXT" << kS + 9 << "13.5" << QByteArray("\x0E");
    QTest::newRow("speed 12.51") << "EnemySpeedTXT" << kS + 9 << "12.51" << QByteArray("\x0D");
    QTest::newRow("speed blanks around")
        << "EnemySpeedTXT" << kS + 9 << " 7 " << QByteArray("\x07");
    QTest::newRow("speed 254.5") << "EnemySpeedTXT" << kS + 9 << "254.5" << QByteArray("\xFE");
    QTest::newRow("speed 255.5") << "EnemySpeedTXT" << kS + 9 << "255.5" << QByteArray();
    QTest::newRow("speed -0.5") << "EnemySpeedTXT" << kS + 9 << "-0.5" << QByteArray(1, '\0');
    QTest::newRow("experience 12.5")
        << "EnemyEXPTXT" << kR << "12.5" << QByteArray::fromHex("0C00");
    QTest::newRow("experience 13.5")
        << "EnemyEXPTXT" << kR << "13.5" << QByteArray::fromHex("0E00");
    QTest::newRow("level 255") << "EnemyLevelTXT" << kS + 2 << "255" << QByteArray("\xFF");
}

void EnemyPageTest::rounding() {
    QFETCH(QString, box);
    QFETCH(qint64, offset);
    QFETCH(QString, entry);
    QFETCH(QByteArray, stored);
    EditorFixture f;
    openEnemy(f, enemyImage());
    const QByteArray before = f.fileBytes();
    enter(f, box, entry);
    f.apply();
    const QByteArray after = f.fileBytes();
    if (stored.isEmpty()) {
        QCOMPARE(synth::changedOffsets(before, after), QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        return;
    }
    QCOMPARE(bytesAt(after, offset, static_cast<int>(stored.size())), stored);
    QList<qint64> expected;
    for (qint64 o = offset; o < offset + stored.size(); ++o)
        if (before[o] != stored[o - offset])
            expected << o;
    QCOMPARE(synth::changedOffsets(before, after), expected);
}

void EnemyPageTest::elementalCheckBlocksTheSave_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("16") << "16" << true;
    QTest::newRow("32") << "32" << true;
    QTest::newRow("64") << "64" << true;
    QTest::newRow("128") << "128" << true;
    QTest::newRow("fire at 50%") << "21" << false;
    QTest::newRow("nothing") << "0" << false;
}

void EnemyPageTest::elementalCheckBlocksTheSave() {
    QFETCH(QString, held);
    QFETCH(bool, blocked);
    EditorFixture f;
    openEnemy(f, enemyImage());
    // The value stays in the hidden box after the item page has been left.
    f.find<QLineEdit>("ElementalResistanceTXT")->setText(held);
    const QByteArray before = f.fileBytes();
    f.type("EnemyLevelTXT", "99");
    f.apply();
    const QList<qint64> changed = synth::changedOffsets(before, f.fileBytes());
    if (blocked) {
        QCOMPARE(changed, QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, kElementMessage);
    } else {
        QCOMPARE(changed, QList<qint64>{kS + 2});
        QVERIFY(f.messages.isEmpty());
    }
}

void EnemyPageTest::shortFileWritesNothing_data() {
    QTest::addColumn<int>("enemy");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("written");
    // Enemy 250: stat record 0x0C5D76..0x0C5D8C, reward record 0x0C64D6..0x0C64DC.
    QTest::newRow("reward record's last byte missing") << 250 << qint64(0x0C64DC) << false;
    QTest::newRow("reward record cut in the middle") << 250 << qint64(0x0C64D9) << false;
    QTest::newRow("stat record cut") << 5 << qint64(kS + 10) << false;
    QTest::newRow("stat record's last byte missing") << 5 << qint64(kS + 22) << false;
    QTest::newRow("both records inside") << 250 << qint64(0x0C64DD) << true;
}

void EnemyPageTest::shortFileWritesNothing() {
    QFETCH(int, enemy);
    QFETCH(qint64, length);
    QFETCH(bool, written);
    EditorFixture f;
    openEnemy(f, enemyImage().left(length), enemy);
    const QByteArray before = f.fileBytes();
    QCOMPARE(before.size(), length);
    f.type("EnemyLevelTXT", "99");
    f.apply();
    const QList<qint64> changed = synth::changedOffsets(before, f.fileBytes());
    if (written) {
        QCOMPARE(changed, QList<qint64>{0x0C5D76 + 2});
        QVERIFY(f.messages.isEmpty());
    } else {
        QCOMPARE(changed, QList<qint64>());
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, kTooShort);
    }
}

// A second opening refills the enemy list, which leaves no row selected while the page
// stays visible.
void EnemyPageTest::noSelectedRowWritesNothing() {
    EditorFixture f;
    const QString path = f.writeRom(enemyImage());
    f.openRom(path);
    f.selectTab("enemy");
    f.selectRow("EnemyLST", kEnemy);
    f.type("EnemyLevelTXT", "99");
    f.openRom(path);
    QCOMPARE(f.find<QListWidget>("EnemyLST")->currentRow(), -1);
    QVERIFY(f.find<QWidget>("EnemyFRA")->isVisible());
    const QByteArray before = f.fileBytes();
    f.apply();
    QCOMPARE(synth::changedOffsets(before, f.fileBytes()), QList<qint64>());
    QVERIFY(f.messages.isEmpty());
}

QTEST_MAIN(EnemyPageTest)
#include "test_enemy_page.moc"
