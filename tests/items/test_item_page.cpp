// The item page: the row decides the category, the category decides which controls are
// enabled and which record Apply writes; rows of no category are never written.
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

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
const QStringList kTextBoxes = {"ItemWeaponAttackTXT",   "ItemWeaponUnknown1TXT",
                                "ItemWeaponCriticalTXT", "ItemArmorDefenseTXT",
                                "ItemAccEffectValueTXT", "ItemPriceTXT"};

const QByteArray& image() {
    static const QByteArray bytes = synth::makeImage();
    return bytes;
}

} // namespace

class ItemPageTest : public QObject {
    Q_OBJECT
  private slots:
    void rowDecidesControlsAndApply_data();
    void rowDecidesControlsAndApply();
    void applyFromTheNotApplicableTabs();
};

// `written` is the offset a typed value lands on, or -1 where the row is never written.
void ItemPageTest::rowDecidesControlsAndApply_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QString>("box");
    QTest::addColumn<qint64>("written");
    const QStringList weapon = kWeapon + kShared;
    const QStringList armor = kArmor + kShared;
    const QStringList accessory = kAccessory + kShared.mid(1);
    const QStringList normal = {"ItemPriceTXT", "ItemSecondaryLST", "ItemIconCBO"};
    const QStringList none = {"ItemIconCBO"}; // once an item was shown it stays enabled
    QTest::newRow("0") << 0 << weapon << "ItemWeaponAttackTXT" << qint64(0x0C0262);
    QTest::newRow("85") << 85 << weapon << "ItemWeaponAttackTXT" << qint64(0x0C040B);
    QTest::newRow("86") << 86 << none << "ItemWeaponAttackTXT" << qint64(-1);
    QTest::newRow("87") << 87 << armor << "ItemArmorDefenseTXT" << qint64(0x0C0475);
    QTest::newRow("147") << 147 << armor << "ItemArmorDefenseTXT" << qint64(0x0C0529);
    QTest::newRow("148") << 148 << none << "ItemAccEffectValueTXT" << qint64(-1);
    QTest::newRow("149") << 149 << accessory << "ItemAccEffectValueTXT" << qint64(0x0C0533);
    QTest::newRow("187") << 187 << accessory << "ItemAccEffectValueTXT" << qint64(0x0C05CB);
    QTest::newRow("188") << 188 << none << "ItemPriceTXT" << qint64(-1);
    QTest::newRow("240") << 240 << normal << "ItemPriceTXT" << qint64(0x0C0B59);
}

void ItemPageTest::rowDecidesControlsAndApply() {
    QFETCH(int, row);
    QFETCH(QStringList, enabled);
    QFETCH(QString, box);
    QFETCH(qint64, written);
    EditorFixture f;
    f.openAt(image(), "item", row);
    for (const QString& name : kWeapon + kArmor + kAccessory + kShared)
        QVERIFY2(f.find<QWidget>(name)->isEnabled() == enabled.contains(name), qPrintable(name));
    for (const QString& name : kTextBoxes)
        if (!enabled.contains(name))
            QCOMPARE(f.find<QLineEdit>(name)->text(), QString("[N/A]"));
    f.enter(box, box == "ItemPriceTXT" ? "65535" : "255");
    const QList<qint64> changed = f.applyAndDiff();
    QCOMPARE(f.messageTexts(), QStringList());
    if (written < 0) {
        QCOMPARE(changed, QList<qint64>());
        return;
    }
    const int width = box == "ItemPriceTXT" ? 2 : 1;
    QCOMPARE(f.fileBytes().mid(written, width), QByteArray(width, '\xFF'));
    for (qint64 offset : changed)
        QVERIFY(offset >= written && offset < written + width);
}

// With no page shown, Apply writes an armor or accessory row still selected on the item
// page, from what its controls last showed, but never a weapon or normal item.
void ItemPageTest::applyFromTheNotApplicableTabs() {
    const std::tuple<const char*, int, const char*, QList<qint64>> cases[] = {
        {"shop", 90, "ItemArmorDefenseTXT", {0x0C047E}},
        {"future", 150, "ItemAccEffectValueTXT", {0x0C0537}},
        {"shop", 5, "ItemWeaponAttackTXT", {}},
        {"future", 189, "ItemPriceTXT", {}}};
    for (const auto& [tab, row, box, written] : cases) {
        EditorFixture f;
        f.openAt(image(), "item", row);
        f.enter(box, "255");
        f.selectTab(tab);
        QCOMPARE(f.applyAndDiff(), written);
    }
}

QTEST_MAIN(ItemPageTest)
#include "test_item_page.moc"
