// Every editable field through the real window: what it shows, which bytes a typed or
// chosen value lands on (offsets written out from the game's layout), which entries are
// refused with nothing written, and what happens when the disk fails.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "ui/TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

QByteArray imageWith(qint64 offset, const QByteArray& bytes) {
    return QByteArray(image()).replace(offset, bytes.size(), bytes);
}

// Enemy 5: stats at 0x0C4773, rewards at 0x0C5E23. Character 3 at 0x0C00F0. Weapon 5:
// 0x0C027B, gear info 0x0C06C2. Armor 90: 0x0C047E, gear info 0x0C08C0. Accessory 150:
// 0x0C0534, info 0x0C0A24. Normal items 189 and 240: 0x0C0ABF and 0x0C0B58.
enum Range { Byte, Signed, Unsigned };
const int kRanges[][2] = {{0, 255}, {-32768, 32767}, {0, 65535}};
struct TextCase {
    const char* tab;
    int row;
    const char* box;
    qint64 offset;
    const char *stored, *shown, *entry, *written, *caption; // stored and written in hex
    Range range;
};
// clang-format off
const TextCase kText[] = {
    {"enemy", 5, "EnemyLevelTXT", 0x0C4775, "0A", "10", "255", "FF", "Level:", Byte},
    {"enemy", 5, "EnemySpeedTXT", 0x0C477C, "14", "20", "12.5", "0C", "Speed:", Byte},
    {"enemy", 5, "EnemyMagicTXT", 0x0C477D, "AB", "171", "13.5", "0E", "Magic:", Byte},
    {"enemy", 5, "EnemyAttackTXT", 0x0C4781, "01", "1", " 7 ", "07", "Attack:", Byte},
    {"enemy", 5, "EnemyDefenseTXT", 0x0C4782, "02", "2", "200", "C8", "Defense:", Byte},
    {"enemy", 5, "EnemyBoltDefTXT", 0x0C4783, "03", "3", "201", "C9", "Lightning Defense:", Byte},
    {"enemy", 5, "EnemyFireDefTXT", 0x0C4784, "04", "4", "202", "CA", "Fire Defense:", Byte},
    {"enemy", 5, "EnemyWaterDefTXT", 0x0C4785, "05", "5", "203", "CB", "Water Defense:", Byte},
    {"enemy", 5, "EnemyDarkDefTXT", 0x0C4786, "06", "6", "204", "CC", "Shadow Defense:", Byte},
    {"enemy", 5, "EnemyEvadeTXT", 0x0C4787, "07", "7", "205", "CD", "Evade:", Byte},
    {"enemy", 5, "EnemyTechTXT", 0x0C5E29, "08", "8", "9", "09", "Tech Points:", Byte},
    {"enemy", 5, "EnemyHPTXT", 0x0C4773, "FFFF", "65535", "40000", "409C", "HP:", Unsigned},
    {"enemy", 5, "EnemyEXPTXT", 0x0C5E23, "0080", "32768", "12345", "3930", "Experience:", Unsigned},
    {"enemy", 5, "EnemyGilTXT", 0x0C5E25, "F401", "500", "0", "0000", "Gil:", Unsigned},
    {"char", 3, "CharHPMINTXT", 0x0C00F3, "FFFF", "-1", "-2", "FEFF", "HP (Min / Max):", Signed},
    {"char", 3, "CharHPMAXTXT", 0x0C00F5, "6400", "100", "32767", "FF7F", "HP (Min / Max):", Signed},
    {"char", 3, "CharMPMINTXT", 0x0C00F7, "0080", "-32768", "300", "2C01", "MP (Min / Max):", Signed},
    {"char", 3, "CharMPMAXTXT", 0x0C00F9, "2800", "40", "-300", "D4FE", "MP (Min / Max):", Signed},
    {"char", 3, "CharPowerTXT", 0x0C00FB, "0A", "10", "99", "63", "Power:", Byte},
    {"char", 3, "CharStaminaTXT", 0x0C00FC, "0B", "11", "98", "62", "Stamina:", Byte},
    {"char", 3, "CharSpeedTXT", 0x0C00FD, "0C", "12", "97", "61", "Speed:", Byte},
    {"char", 3, "CharMagicTXT", 0x0C00FE, "0D", "13", "96", "60", "Magic:", Byte},
    {"char", 3, "CharHitTXT", 0x0C00FF, "0E", "14", "95", "5F", "Hit:", Byte},
    {"char", 3, "CharEvadeTXT", 0x0C0100, "0F", "15", "94", "5E", "Evade:", Byte},
    {"char", 3, "CharMagicDefenseTXT", 0x0C0101, "10", "16", "93", "5D", "Magic Defense:", Byte},
    {"char", 3, "CharLevelTXT", 0x0C0102, "05", "5", "92", "5C", "Level:", Byte},
    {"char", 3, "CharEXPTXT", 0x0C0103, "409C", "40000", "65535", "FFFF", "Experience:", Unsigned},
    {"char", 3, "CharEXP2LevelTXT", 0x0C011B, "D007", "2000", "1", "0100", "Experience to Level:", Unsigned},
    {"char", 3, "CharTech2LevelTXT", 0x0C011D, "2C01", "300", "258", "0201", "Tech to Level:", Unsigned},
    {"item", 5, "ItemWeaponAttackTXT", 0x0C027B, "0A", "10", "200", "C8", "Attack:", Byte},
    {"item", 5, "ItemWeaponUnknown1TXT", 0x0C027C, "01", "1", "7", "07", "Unknown:", Byte},
    {"item", 5, "ItemWeaponCriticalTXT", 0x0C027D, "05", "5", "55", "37", "Critical %:", Byte},
    {"item", 5, "ItemPriceTXT", 0x0C06C3, "FFFF", "65535", "40000", "409C", "Price:", Unsigned},
    {"item", 90, "ItemArmorDefenseTXT", 0x0C047E, "1E", "30", "99", "63", "Defense:", Byte},
    {"item", 90, "ItemPriceTXT", 0x0C08C1, "FF7F", "32767", "65000", "E8FD", "Price:", Unsigned},
    {"item", 150, "ItemAccEffectValueTXT", 0x0C0537, "19", "25", "250", "FA", "Effect Value:", Byte},
    {"item", 189, "ItemPriceTXT", 0x0C0AC0, "E8FD", "65000", "65535", "FFFF", "Price:", Unsigned},
    {"item", 240, "ItemPriceTXT", 0x0C0B59, "0100", "1", "12.5", "0C00", "Price:", Unsigned},
    {"misc", 0, "ROMVersionTXT", 0x00FFDB, "00", "0", "12", "0C", "ROM Version:", Byte},
};
// clang-format on

// A picked row of a list, toggled row of a check-list, or clicks on a check box.
struct ChoiceCase {
    const char* tab;
    int row;
    const char* control;
    qint64 offset;
    int stored, shown, pick, written; // shown: the row, the byte the check rows spell, the state
};
// clang-format off
const ChoiceCase kChoices[] = {
    {"enemy", 5, "EnemyItemDropCBO", 0x0C5E27, 250, -1, 0, 0},
    {"enemy", 5, "EnemyItemCharmCBO", 0x0C5E28, 3, 3, 240, 240},
    {"char", 3, "CharPortraitCBO", 0x0C00F0, 9, -1, 6, 6},
    {"char", 3, "CharHelmetCBO", 0x0C0117, 90, 90, 91, 91},
    {"char", 3, "CharArmorCBO", 0x0C0118, 110, 110, 111, 111},
    {"char", 3, "CharWeaponCBO", 0x0C0119, 5, 5, 0, 0},
    {"char", 3, "CharAccessoryCBO", 0x0C011A, 150, 150, 151, 151},
    {"item", 5, "ItemIconCBO", 0x0C0B95, 45, -1, 6, 37},
    {"item", 5, "ItemWeaponAilmentCBO", 0x0C027E, 200, 200, 45, 45},
    {"item", 5, "ItemStatBoostCBO", 0x0C06C6, 128, 128, 6, 6},
    {"item", 5, "ItemEquipLST", 0x0C06C5, 0x80, 0x80, 1, 0x82},
    {"item", 5, "ItemSecondaryLST", 0x0C06C2, 0x0A, 0x0A, 7, 0x8A},
    {"item", 5, "ItemWeaponDoesInflictCHK", 0x0C027F, 0, 0, 1, 2},
    {"item", 5, "ItemWeaponDoesInflictCHK", 0x0C027F, 2, 2, 1, 1},
    {"item", 90, "ItemArmorAilmentCBO", 0x0C047F, 45, 45, 0, 0},
    {"item", 90, "ItemArmorDoesInflictCHK", 0x0C0480, 3, 0, 1, 1},
    {"item", 150, "ItemAccEffected1LST", 0x0C0534, 0x41, 0x41, 5, 0x61},
    {"item", 150, "ItemAccEffected2LST", 0x0C0535, 0x90, 0x90, 6, 0xD0},
    {"item", 150, "ItemStatBoostCBO", 0x0C0536, 6, 6, 20, 20},
    {"item", 150, "ItemEquipLST", 0x0C0A27, 0x01, 0x01, 7, 0x81},
    {"item", 150, "ItemSecondaryLST", 0x0C0A24, 0xFF, 0xFF, 0, 0xFE},
    {"item", 189, "ItemSecondaryLST", 0x0C0ABF, 0x8A, 0x8A, 1, 0x88},
    {"item", 189, "ItemIconCBO", 0x0C137D, 31, 0, 1, 32},
    {"misc", 0, "ROMFormatLST", 0x00FFD9, 20, -1, 13, 13},
    {"misc", 0, "SRAMSizeLST", 0x00FFD8, 3, 3, 0, 0},
};
// clang-format on

// The kind of control goes by the name's suffix; an item list is a check-list.
int shownChoice(EditorFixture& f, const QString& name) {
    if (name.endsWith("CHK")) {
        auto* box = f.find<QCheckBox>(name);
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked();
    }
    if (name.endsWith("CBO"))
        return f.find<QComboBox>(name)->currentIndex();
    auto* list = f.find<QListWidget>(name);
    if (!name.startsWith("Item"))
        return list->currentRow();
    int value = list->count() == 8 ? 0 : -2;
    for (int r = 0; r < list->count(); ++r)
        value |= (list->item(r)->checkState() == Qt::Checked) << r;
    return value;
}

void pick(EditorFixture& f, const QString& name, int pick) {
    for (int n = 0; name.endsWith("CHK") && n < pick; ++n)
        f.click(name);
    if (name.endsWith("CBO")) {
        auto* list = f.find<QComboBox>(name);
        QTest::keyClick(list, Qt::Key_Home);
        for (int n = 0; n < pick; ++n)
            QTest::keyClick(list, Qt::Key_Down);
    } else if (name.endsWith("LST"))
        name.startsWith("Item") ? f.toggleCheckRow(name, pick) : f.selectRow(name, pick);
}

} // namespace

class FieldsTest : public QObject {
    Q_OBJECT
  private slots:
    void textFieldsShowRefuseAndStore_data();
    void textFieldsShowRefuseAndStore();
    void choicesShowAndStore_data();
    void choicesShowAndStore();
    void unchangedApplyKeepsEveryByte();
    void shortFilesWriteNothing();
    void internalName();
    void diskFailures();
    void powerBoxTakesDigitsOnly();
    void typingLimitsLimitTypingOnly();
};

void FieldsTest::textFieldsShowRefuseAndStore_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kText)); ++i)
        QTest::addRow("%s %d %s", kText[i].tab, kText[i].row, kText[i].box) << i;
}

// Shows the stored value; refuses the numbers just past its range and one other kind of bad
// entry (taken in turn a field) with nothing written, not even a valid edit of another field
// of the page; then stores a good entry at exactly the field's bytes.
void FieldsTest::textFieldsShowRefuseAndStore() {
    QFETCH(int, index);
    const TextCase& c = kText[index];
    const int minimum = kRanges[c.range][0];
    const int maximum = kRanges[c.range][1];
    const QString bad[] = {"", "ab", "1,0", "1e2", "+5"};
    EditorFixture f;
    f.openAt(imageWith(c.offset, QByteArray::fromHex(c.stored)), c.tab, c.row);
    QCOMPARE(f.find<QLineEdit>(c.box)->text(), QString(c.shown));
    for (const TextCase& other : kText)
        if (QString(other.tab) == c.tab && other.row == c.row && QString(other.box) != c.box) {
            f.enter(other.box, other.entry);
            break;
        }
    // 70000 once wrapped into a 16-bit field as 4464, and -1 as 65535.
    for (const QString& entry : {bad[index % std::size(bad)], QString::number(maximum + 1),
                                 QString::number(minimum - 1), QStringLiteral("70000")}) {
        f.messages.clear();
        f.enter(c.box, entry);
        QCOMPARE(f.applyAndDiff(), QList<qint64>());
        QCOMPARE(f.messageTexts(),
                 QStringList(QStringLiteral("%1 enter a whole number from %2 to %3.")
                                 .arg(c.caption)
                                 .arg(minimum)
                                 .arg(maximum)));
        QCOMPARE(f.window().focusWidget(), f.find<QWidget>(c.box));
    }

    EditorFixture g;
    g.openAt(imageWith(c.offset, QByteArray::fromHex(c.stored)), c.tab, c.row);
    const QByteArray written = QByteArray::fromHex(c.written);
    g.enter(c.box, c.entry);
    const QList<qint64> changed = g.applyAndDiff();
    QCOMPARE(g.messageTexts(), QStringList());
    QCOMPARE(g.fileBytes().mid(c.offset, written.size()), written);
    for (qint64 offset : changed)
        QVERIFY(offset >= c.offset && offset < c.offset + written.size());
}

void FieldsTest::choicesShowAndStore_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kChoices)); ++i)
        QTest::addRow("%d %s %d", i, kChoices[i].control, kChoices[i].stored) << i;
}

void FieldsTest::choicesShowAndStore() {
    QFETCH(int, index);
    const ChoiceCase& c = kChoices[index];
    EditorFixture f;
    f.openAt(imageWith(c.offset, QByteArray(1, char(c.stored))), c.tab, c.row);
    QCOMPARE(shownChoice(f, c.control), c.shown);
    pick(f, c.control, c.pick);
    QCOMPARE(f.applyAndDiff(), c.stored == c.written ? QList<qint64>() : QList<qint64>{c.offset});
    QCOMPARE(f.fileBytes().mid(c.offset, 1), QByteArray(1, char(c.written)));
    QCOMPARE(f.messageTexts(), QStringList());
}

// Values the controls cannot show go back as they were.
void FieldsTest::unchangedApplyKeepsEveryByte() {
    const std::tuple<const char*, int, qint64, QByteArray> cases[] = {
        {"enemy", 5, 0x0C4773, QByteArray(23, '\xFF')},
        {"enemy", 5, 0x0C5E23, QByteArray(7, '\xFF')},
        {"char", 3, 0x0C00F0, QByteArray(80, '\xFF')},
        {"item", 5, 0x0C027B, QByteArray::fromHex("FFFFFFFF03")},
        {"item", 5, 0x0C06C2, QByteArray(6, '\xC8')}, // element 200 too
        {"item", 5, 0x0C0B95, QByteArray(1, '\x14')}, // icon 20
        {"item", 90, 0x0C047E, QByteArray::fromHex("1E2D03")},
        {"item", 150, 0x0C0534, QByteArray(4, '\xFF')},
        {"item", 189, 0x0C0ABF, QByteArray(3, '\xFF')},
        {"misc", 0, 0x00FFD8, QByteArray::fromHex("09FF")}};
    for (const auto& [tab, row, offset, bytes] : cases) {
        EditorFixture f;
        f.openAt(imageWith(offset, bytes), tab, row);
        QCOMPARE(f.applyAndDiff(), QList<qint64>());
        QCOMPARE(f.messageTexts(), QStringList());
    }
}

// A record that does not lie wholly in the file is not written at all.
void FieldsTest::shortFilesWriteNothing() {
    const std::tuple<const char*, int, const char*, qint64, qint64> cases[] = {
        {"enemy", 250, "EnemyLevelTXT", 0x0C64DC, -1}, // rewards' last byte missing
        {"enemy", 250, "EnemyLevelTXT", 0x0C64DD, 0x0C5D78},
        {"char", 6, "CharLevelTXT", 0x0C022F, -1},
        {"item", 240, "ItemPriceTXT", 0x0C15B8, -1}, // the name record's last byte missing
        {"misc", 0, "ROMVersionTXT", 0x00FFDB, -1},
        {"misc", 0, "ROMVersionTXT", 0x00FFDC, 0x00FFDB}};
    for (const auto& [tab, row, box, length, written] : cases) {
        EditorFixture f;
        f.openAt(image().left(length), tab, row);
        f.messages.clear();
        f.enter(box, "99");
        QCOMPARE(f.applyAndDiff(), written < 0 ? QList<qint64>() : QList<qint64>{written});
        QCOMPARE(f.fileBytes().size(), length);
        QCOMPARE(f.messageTexts(),
                 written < 0 ? QStringList("The open ROM file is too short to hold this record, "
                                           "so nothing was written.")
                             : QStringList());
    }
}

// Padded with spaces, never past its 21 bytes; characters without a byte are refused.
void FieldsTest::internalName() {
    const std::pair<QString, QByteArray> cases[] = {
        {"Tales", QByteArray("Tales").leftJustified(21, ' ')},
        {"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRSTU"},
        {QString::fromUtf8("\u00c4rger"), QByteArray("\xC4rger").leftJustified(21, ' ')},
        {QString::fromUtf8("\u03a9mega"), QByteArray()}};
    for (const auto& [typed, written] : cases) {
        EditorFixture f;
        f.openAt(image(), "misc", 0);
        const QByteArray before = f.fileBytes().mid(0x00FFC0, 22);
        f.find<QLineEdit>("ROMNameTXT")->setText(typed); // as pasted
        f.apply();
        QCOMPARE(f.fileBytes().mid(0x00FFC0, 22),
                 written.isEmpty() ? before : written + before[21]);
        QCOMPARE(f.messageTexts().size(), written.isEmpty() ? 1 : 0);
    }
}

// A disk that fails part way, or refuses the sync, is reported, never passed as success;
// what reached the file is recorded and can be undone.
void FieldsTest::diskFailures() {
    const std::pair<rom::DiskFault, const char*> cases[] = {
        {{2, false},
         "The record could not be written completely, so it may be only partly "
         "changed in the file: No space left on device"},
        {{-1, true},
         "The changes were written but could not be saved to the disk: No space "
         "left on device"}};
    for (const auto& [fault, message] : cases) {
        EditorFixture f;
        f.openAt(imageWith(0x0C477D, QByteArray::fromHex("AB")), "enemy", 5);
        for (const char* box : {"EnemyLevelTXT", "EnemySpeedTXT", "EnemyMagicTXT"})
            f.enter(box, "99");
        rom::setDiskFault(fault);
        f.apply();
        rom::setDiskFault(std::nullopt);
        QCOMPARE(f.messageTexts(), QStringList(message));
        const QByteArray file = f.fileBytes(); // level, speed, then magic are written
        QCOMPARE(file.mid(0x0C4775, 1) + file.mid(0x0C477C, 2),
                 QByteArray::fromHex(fault.syncFails ? "636363" : "6363AB"));
        f.trigger("mnuUndoApply"); // what reached the file can be taken back
        QVERIFY(f.fileBytes() == imageWith(0x0C477D, QByteArray::fromHex("AB")));
    }
}

// Only digits and Backspace reach the Power box; letters, signs and pasting do not.
void FieldsTest::powerBoxTakesDigitsOnly() {
    const std::tuple<Qt::Key, Qt::KeyboardModifier, const char*, const char*> keys[] = {
        {Qt::Key_A, Qt::NoModifier, "a", "1"},
        {Qt::Key_Minus, Qt::NoModifier, "-", "1"},
        {Qt::Key_V, Qt::ControlModifier, "\x16", "1"},
        {Qt::Key_Insert, Qt::ShiftModifier, "", "1"},
        {Qt::Key_0, Qt::NoModifier, "0", "10"},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", ""}};
    EditorFixture f;
    f.openAt(image(), "char", 3);
    QApplication::clipboard()->setText("5"); // "15" would fit the typing limit
    for (const auto& [key, modifier, text, expected] : keys) {
        f.type("CharPowerTXT", "1");
        QKeyEvent press(QEvent::KeyPress, key, modifier, text);
        QApplication::sendEvent(f.find<QLineEdit>("CharPowerTXT"), &press);
        QCOMPARE(f.find<QLineEdit>("CharPowerTXT")->text(), QString(expected));
    }
}

// A typing limit limits typing only: text set by the program shows in full and can always
// be shortened, but no edit may make it longer than the limit, nor move the cursor.
void FieldsTest::typingLimitsLimitTypingOnly() {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"", 0, "abcdef", "abc"},
        {"abc", 1, "X", "abc"},
        {"12345", 5, "\b", "1234"},
        {"1234", 4, "5", "1234"}};
    for (const auto& [start, cursor, typed, result] : cases) {
        ui::TextBox box;
        box.setTypingLimit(3);
        box.show();
        box.setText(start);
        box.setCursorPosition(cursor);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), QString(result));
        if (QString(result) == start)
            QCOMPARE(box.cursorPosition(), cursor);
    }
}

QTEST_MAIN(FieldsTest)
#include "test_fields.moc"
