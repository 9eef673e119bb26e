#include "items/ItemRecords.h"

#include "items/CheckListCodec.h"
#include "items/ItemRows.h"

#include <vector>

namespace items {
namespace {

using rom::Encoding;
using rom::Shown;

template <typename R> constexpr rom::Field<R> iconField() {
    return {"ItemIconCBO", "Item Icon:", kNameTable,    0, Encoding::Byte, &R::icon,
            Shown::Choice, &iconRows,    kFirstIconCode};
}

template <typename R> constexpr rom::Field<R> secondaryField(const rom::Table& table) {
    return {"ItemSecondaryLST", "Secondary Stats:", table,        0,
            Encoding::Byte,     &R::secondary,      Shown::Flags, &secondaryRows};
}

template <typename R> constexpr rom::Field<R> equipField(const rom::Table& table) {
    return {"ItemEquipLST", "Equipped by:", table,        3,
            Encoding::Byte, &R::equip,      Shown::Flags, &equipRows};
}

template <typename R> constexpr rom::Field<R> statBoostField(const rom::Table& table, int offset) {
    return {"ItemStatBoostCBO", "Stat Boosted:", table,         offset,
            Encoding::Byte,     &R::statBoost,   Shown::Choice, &statBoostRows};
}

template <typename R> constexpr rom::Field<R> priceField(const rom::Table& table) {
    return {"ItemPriceTXT", "Price:", table, 1, Encoding::Unsigned16, &R::price};
}

// The gear info bytes 0, 3, 4, 5, then the price, after the record's own fields.
template <typename R>
std::vector<rom::Field<R>> withGearInfo(std::initializer_list<rom::Field<R>> own) {
    std::vector<rom::Field<R>> fields(own);
    fields.insert(fields.end(), {secondaryField<R>(kGearInfoTable),
                                 equipField<R>(kGearInfoTable),
                                 statBoostField<R>(kGearInfoTable, 4),
                                 {"ElementalResistanceTXT", "Elemental Resistance:", kGearInfoTable,
                                  5, Encoding::Byte, &R::element, Shown::Element},
                                 priceField<R>(kGearInfoTable)});
    return fields;
}

const std::vector<rom::Field<Weapon>> kWeaponFields = withGearInfo<Weapon>({
    iconField<Weapon>(),
    {"ItemWeaponAttackTXT", "Attack:", kWeaponTable, 0, Encoding::Byte, &Weapon::attack},
    {"ItemWeaponUnknown1TXT", "Unknown:", kWeaponTable, 1, Encoding::Byte, &Weapon::unknown1},
    {"ItemWeaponCriticalTXT", "Critical %:", kWeaponTable, 2, Encoding::Byte, &Weapon::critical},
    {"ItemWeaponAilmentCBO", "Status Inflicted:", kWeaponTable, 3, Encoding::Byte, &Weapon::ailment,
     Shown::Choice, &ailmentRows},
    {"ItemWeaponDoesInflictCHK", "Does Inflict Status?:", kWeaponTable, 4, Encoding::Byte,
     &Weapon::inflict, Shown::Check},
});

const std::vector<rom::Field<Armor>> kArmorFields = withGearInfo<Armor>({
    iconField<Armor>(),
    {"ItemArmorDefenseTXT", "Defense:", kArmorTable, 0, Encoding::Byte, &Armor::defense},
    {"ItemArmorAilmentCBO", "Status Inflicted:", kArmorTable, 1, Encoding::Byte, &Armor::ailment,
     Shown::Choice, &ailmentRows},
    {"ItemArmorDoesInflictCHK", "Does Inflict Status?:", kArmorTable, 2, Encoding::Byte,
     &Armor::inflict, Shown::Check},
});

const rom::Field<Accessory> kAccessoryFields[] = {
    iconField<Accessory>(),
    equipField<Accessory>(kAccessoryInfoTable),
    {"ItemAccEffected1LST", "Item Effects:", kAccessoryTable, 0, Encoding::Byte,
     &Accessory::effects1, Shown::Flags, &accEffected1Rows},
    {"ItemAccEffected2LST", "Item Effects:", kAccessoryTable, 1, Encoding::Byte,
     &Accessory::effects2, Shown::Flags, &accEffected2Rows},
    statBoostField<Accessory>(kAccessoryTable, 2),
    {"ItemAccEffectValueTXT", "Effect Value:", kAccessoryTable, 3, Encoding::Byte,
     &Accessory::effectValue},
    secondaryField<Accessory>(kAccessoryInfoTable),
};

const rom::Field<NormalItem> kNormalItemFields[] = {
    iconField<NormalItem>(),
    secondaryField<NormalItem>(kItemInfoTable),
    priceField<NormalItem>(kItemInfoTable),
};

} // namespace

rom::FieldTable<Weapon> weaponFields() {
    return kWeaponFields;
}
rom::FieldTable<Armor> armorFields() {
    return kArmorFields;
}
rom::FieldTable<Accessory> accessoryFields() {
    return kAccessoryFields;
}
rom::FieldTable<NormalItem> normalItemFields() {
    return kNormalItemFields;
}

} // namespace items
