// The item page: the row decides the category, the category decides which controls are
// enabled and which record Apply writes, and rows of no category are never written. The six
// elemental resistance boxes, clicked as a user clicks them, with the nested handler
// cascades, and what Apply then writes or refuses.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QStringList kWeapon = {"ItemWeaponAttackTXT", "ItemWeaponUnknown1TXT",
                             "ItemWeaponCriticalTXT", "ItemWeaponAilmentCBO",
                             "ItemWeaponDoesInflictCHK"};
const QStringList kArmor = {"ItemArmorDefenseTXT", "ItemArmorAilmentCBO",
                            "ItemArmorDoesInflictCHK"};
const QStringList kAccessory = {"ItemAccEffected1LST", "ItemAccEffected2LST",
                                "ItemAccEffectValueTXT"};
const QStringList kShared = {"ItemPriceTXT", "ItemEquipLST", "ItemSecondaryLST", "ItemIconCBO",
                             "ItemStatBoostCBO"};

// Weapon rows holding each stored element byte; row 0 holds 0 so the page starts empty.
const QMap<int, int> kRowOfStored = {{0, 10},  {21, 11},  {31, 12},  {37, 13},  {47, 14}, {69, 15},
                                     {79, 16}, {133, 17}, {143, 18}, {200, 19}, {16, 20}, {5, 21}};

qint64 elementOffset(int row) {
    return 0x0C06A4 + 6 * row + 5; // byte 5 of the weapon's GearInfoRecord
}

QByteArray selectorImage() {
    QByteArray bytes = synth::makeImage();
    synth::putByte(bytes, elementOffset(0), 0);
    for (auto it = kRowOfStored.begin(); it != kRowOfStored.end(); ++it)
        synth::putByte(bytes, elementOffset(it.value()), static_cast<std::uint8_t>(it.key()));
    return bytes;
}

const QStringList kBoxes = {"FireCHK", "WaterCHK", "ShadowCHK", "BoltCHK", "FiftyCHK", "EightyCHK"};
const QStringList kTokens = {"F", "W", "S", "B", "50", "80"}; // the boxes in the same order

// Runs "L<byte>" (select the weapon storing that byte) and box clicks; returns the last
// weapon row selected.
int runSteps(EditorFixture& f, const QString& steps) {
    int row = 0;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step.startsWith('L')) {
            row = kRowOfStored.value(step.mid(1).toInt());
            f.selectRow("ItemLST", row);
        } else {
            f.click(kBoxes.value(kTokens.indexOf(step)));
        }
    }
    return row;
}

QString states(EditorFixture& f, bool (QCheckBox::*state)() const) {
    QString flags;
    for (const QString& name : kBoxes)
        flags += (f.find<QCheckBox>(name)->*state)() ? '1' : '0';
    return flags;
}

} // namespace

class ItemPageTest : public QObject {
    Q_OBJECT
  private slots:
    void sequences_data();
    void sequences();
    void discardForgetsTheHeldElement();
    void rowDecidesControlsAndApply();
    void applyFromTheNotApplicableTabs();
};

// The controls each row enables; a typed value lands at `written`, or nowhere (-1) on a row
// of no category, whatever its box holds.
void ItemPageTest::rowDecidesControlsAndApply() {
    const QStringList weapon = kWeapon + kShared, armor = kArmor + kShared;
    const QStringList accessory = kAccessory + kShared.mid(1), none = {"ItemIconCBO"};
    const std::tuple<int, QStringList, const char*, qint64> rows[] = {
        {0, weapon, "ItemWeaponAttackTXT", 0x0C0262},
        {85, weapon, "ItemWeaponAttackTXT", 0x0C040B},
        {86, none, "ItemWeaponAttackTXT", -1},
        {87, armor, "ItemArmorDefenseTXT", 0x0C0475},
        {147, armor, "ItemArmorDefenseTXT", 0x0C0529},
        {148, none, "ItemAccEffectValueTXT", -1},
        {149, accessory, "ItemAccEffectValueTXT", 0x0C0533},
        {187, accessory, "ItemAccEffectValueTXT", 0x0C05CB},
        {188, none, "ItemPriceTXT", -1},
        {240, {"ItemPriceTXT", "ItemSecondaryLST", "ItemIconCBO"}, "ItemPriceTXT", 0x0C0B59}};
    for (const auto& [row, enabled, box, written] : rows) {
        EditorFixture f;
        f.openAt(image(), "item", row);
        for (const QString& name : kWeapon + kArmor + kAccessory + kShared) {
            QVERIFY2(f.find<QWidget>(name)->isEnabled() == enabled.contains(name),
                     qPrintable(name));
            if (name.endsWith("TXT") && !enabled.contains(name))
                QCOMPARE(f.find<QLineEdit>(name)->text(), QString("[N/A]"));
        }
        const int width = QString(box) == "ItemPriceTXT" ? 2 : 1;
        f.enter(box, width == 2 ? "65535" : "255");
        const QList<qint64> changed = f.applyAndDiff();
        QCOMPARE(f.messageTexts(), QStringList());
        QVERIFY(written >= 0 || changed.isEmpty());
        if (written >= 0)
            QCOMPARE(f.fileBytes().mid(written, width), QByteArray(width, '\xFF'));
        for (qint64 offset : changed)
            QVERIFY(offset >= written && offset < written + width);
    }
}

// Apply on a "[N/A]" tab writes the armor or accessory the item page shows; leaving the page
// for the tab asks, and Discard forgets what was typed, so that Apply writes nothing.
void ItemPageTest::applyFromTheNotApplicableTabs() {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"shop", 90, "ItemArmorDefenseTXT"}, {"future", 150, "ItemAccEffectValueTXT"}};
    for (const auto& [tab, row, box] : cases) {
        EditorFixture f;
        f.openAt(image(), "item", row);
        f.enter(box, "255");
        f.selectTab(tab);
        QCOMPARE(f.questions.size(), 1);
        QCOMPARE(f.applyAndDiff(), QList<qint64>());
    }
}

// Box states are written Fire, Water, Shadow, Lightning, 50%, 80%. `written` is the
// element byte Apply then stores, or -1 when Apply refuses an element without strength.
void ItemPageTest::sequences_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("held");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<int>("written");
    const auto row = [](const char* steps, int held, const char* checked, const char* enabled,
                        int written) {
        QTest::newRow(steps) << QString(steps) << held << QString(checked) << QString(enabled)
                             << written;
    };
    row("L0", 0, "000000", "111100", 0);
    row("L0 W", 32, "010000", "010011", -1);
    row("L0 F", 21, "100010", "100010", 21);
    row("L0 F 50", 16, "100000", "100011", -1);
    row("L0 F 50 80", 31, "100001", "100001", 31);
    row("L0 F 80", 21, "100010", "100010", 21); // 80% is disabled: the click does nothing
    row("L0 W 50", 37, "010010", "010010", 37);
    row("L0 W 50 W", 5, "000010", "111100", 5);
    row("L0 W 50 W S", 69, "001010", "001011", 69);
    row("L0 W 50 W S 80", 64, "001000", "001001", -1);
    row("L0 W 50 W S 80 80", 79, "001001", "001001", 79);
    row("L0 S 80 S", 15, "000001", "111100", 15);
    row("L0 B B", 0, "000000", "111100", 0);
    row("L21", 21, "100010", "100010", 21);
    row("L31", 31, "100001", "100001", 31);
    row("L37", 37, "010010", "010010", 37);
    row("L47", 47, "010001", "010001", 47);
    row("L69", 69, "001010", "001010", 69);
    row("L79", 79, "001001", "001001", 79);
    row("L133", 133, "000110", "000110", 133);
    row("L143", 143, "000101", "000101", 143);
    row("L143 L0", 0, "000000", "111100", 0);
    row("L143 L21", 21, "100010", "100010", 21);
    row("L31 L0", 0, "000000", "111100", 0);
    row("L37 F", 37, "010010", "010010", 37); // the other elements are disabled
    row("L37 50", 32, "010000", "010011", -1);
    row("L37 W", 5, "000010", "111100", 5);
    // Bytes the boxes cannot show: one reset only, so a 50% box freed by it stays enabled,
    // and the stored byte is written back until a box is touched.
    row("L0 L200", 0, "000000", "111100", 200);
    row("L31 L200", 0, "000000", "111110", 200);
    row("L31 L200 50", 5, "000010", "111110", 5);
    row("L0 L16", 0, "000000", "111100", 16);
    row("L0 L16 S", 64, "001000", "001011", -1);
    row("L0 L5", 0, "000000", "111100", 5);
}

void ItemPageTest::sequences() {
    QFETCH(QString, steps);
    QFETCH(int, held);
    QFETCH(QString, checked);
    QFETCH(QString, enabled);
    QFETCH(int, written);
    EditorFixture f;
    f.openAt(selectorImage(), "item", 0);
    const int row = runSteps(f, steps);
    QCOMPARE(f.find<QLineEdit>("ElementalResistanceTXT")->text(), QString::number(held));
    QCOMPARE(states(f, &QCheckBox::isChecked), checked);
    QCOMPARE(states(f, &QCheckBox::isEnabled), enabled);

    const QList<qint64> changed = f.applyAndDiff();
    if (written < 0) {
        QVERIFY(changed.isEmpty());
        QCOMPARE(f.messageTexts(),
                 QStringList("You need to check one of either 50% Resistance or "
                             "80% Resistance checkboxes before you can proceed."));
        return;
    }
    QCOMPARE(f.messageTexts(), QStringList());
    QCOMPARE(f.fileBytes().mid(elementOffset(row), 1), QByteArray(1, char(written)));
    for (qint64 offset : changed)
        QCOMPARE(offset, elementOffset(row));
}

// Discard forgets an element held without a strength on the armor left, whether another row
// or another tab leaves it: Apply there writes what was typed, with no warning.
void ItemPageTest::discardForgetsTheHeldElement() {
    QByteArray bytes = image();
    synth::putByte(bytes, 0x0C08C5, 0); // armor 90 stores no element
    const std::tuple<const char*, int, const char*, qint64> cases[] = {
        {"item", 150, "ItemAccEffectValueTXT", 0x0C0537}, {"enemy", 0, "EnemyLevelTXT", 0x0C4702}};
    for (const auto& [tab, row, box, written] : cases) {
        EditorFixture f;
        f.openAt(bytes, "item", 90);
        f.click("WaterCHK");
        f.questionAnswers = {"&Discard"};
        f.show(tab, row);
        QCOMPARE(f.questions.size(), 1);
        QCOMPARE(f.find<QLineEdit>("ElementalResistanceTXT")->text(), QString("0"));
        f.enter(box, "99");
        QCOMPARE(f.applyAndDiff(), QList<qint64>{written});
        QCOMPARE(f.fileBytes().at(written), char(99));
        QCOMPARE(f.messageTexts(), QStringList());
    }
}

QTEST_MAIN(ItemPageTest)
#include "test_item_page.moc"
