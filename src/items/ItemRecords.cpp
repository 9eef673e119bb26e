#include "items/ItemRecords.h"

#include "rom/RomFile.h"

namespace items {

namespace {

// Stops at the first refused write; the callers have checked that every record fits.
class Writer {
  public:
    explicit Writer(rom::RomFile& rom) : rom_(rom) {}
    Writer& byte(qint64 offset, std::uint8_t value) {
        ok_ = ok_ && rom_.writeByte(offset, value);
        return *this;
    }
    Writer& integer(qint64 offset, std::int16_t value) {
        ok_ = ok_ && rom_.writeInteger(offset, value);
        return *this;
    }
    Writer& gearInfo(int row, const GearInfo& gear) {
        const qint64 g = gearInfoOffset(row);
        return byte(g, gear.secondary)
            .byte(g + 3, gear.equip)
            .byte(g + 4, gear.statBoost)
            .byte(g + 5, gear.element)
            .integer(g + 1, gear.price);
    }
    bool ok() const { return ok_; }

  private:
    rom::RomFile& rom_;
    bool ok_ = true;
};

} // namespace

GearInfo GearInfo::read(const rom::RomFile& rom, int row) {
    const qint64 g = gearInfoOffset(row);
    GearInfo gear;
    gear.secondary = rom.readByte(g);
    gear.equip = rom.readByte(g + 3);
    gear.statBoost = rom.readByte(g + 4);
    gear.element = rom.readByte(g + 5);
    gear.price = rom.readInteger(g + 1);
    return gear;
}

WeaponRecord WeaponRecord::read(const rom::RomFile& rom, int row) {
    const qint64 w = weaponRecordOffset(row);
    WeaponRecord r;
    r.icon = rom.readByte(nameRecordOffset(row));
    r.attack = rom.readByte(w);
    r.unknown1 = rom.readByte(w + 1);
    r.critical = rom.readByte(w + 2);
    r.ailment = rom.readByte(w + 3);
    r.inflict = rom.readByte(w + 4);
    r.gear = GearInfo::read(rom, row);
    return r;
}

bool WeaponRecord::write(rom::RomFile& rom, int row) const {
    const qint64 w = weaponRecordOffset(row);
    return Writer(rom)
        .byte(nameRecordOffset(row), icon)
        .byte(w, attack)
        .byte(w + 1, unknown1)
        .byte(w + 2, critical)
        .byte(w + 3, ailment)
        .byte(w + 4, inflict)
        .gearInfo(row, gear)
        .ok();
}

QList<Span> WeaponRecord::spans(int row) {
    return {{nameRecordOffset(row), kNameRecordSize},
            {weaponRecordOffset(row), kWeaponRecordSize},
            {gearInfoOffset(row), kGearInfoRecordSize}};
}

ArmorRecord ArmorRecord::read(const rom::RomFile& rom, int row) {
    const qint64 a = armorRecordOffset(row);
    ArmorRecord r;
    r.icon = rom.readByte(nameRecordOffset(row));
    r.defense = rom.readByte(a);
    r.ailment = rom.readByte(a + 1);
    r.inflict = rom.readByte(a + 2);
    r.gear = GearInfo::read(rom, row);
    return r;
}

bool ArmorRecord::write(rom::RomFile& rom, int row) const {
    const qint64 a = armorRecordOffset(row);
    return Writer(rom)
        .byte(nameRecordOffset(row), icon)
        .byte(a, defense)
        .byte(a + 1, ailment)
        .byte(a + 2, inflict)
        .gearInfo(row, gear)
        .ok();
}

QList<Span> ArmorRecord::spans(int row) {
    return {{nameRecordOffset(row), kNameRecordSize},
            {armorRecordOffset(row), kArmorRecordSize},
            {gearInfoOffset(row), kGearInfoRecordSize}};
}

AccessoryRecord AccessoryRecord::read(const rom::RomFile& rom, int row) {
    const qint64 a = accessoryRecordOffset(row);
    const qint64 i = accessoryInfoOffset(row);
    AccessoryRecord r;
    r.icon = rom.readByte(nameRecordOffset(row));
    r.equip = rom.readByte(i + 3);
    r.effects1 = rom.readByte(a);
    r.effects2 = rom.readByte(a + 1);
    r.statBoost = rom.readByte(a + 2);
    r.effectValue = rom.readByte(a + 3);
    r.secondary = rom.readByte(i);
    return r;
}

bool AccessoryRecord::write(rom::RomFile& rom, int row) const {
    const qint64 a = accessoryRecordOffset(row);
    const qint64 i = accessoryInfoOffset(row);
    return Writer(rom)
        .byte(nameRecordOffset(row), icon)
        .byte(i + 3, equip)
        .byte(a, effects1)
        .byte(a + 1, effects2)
        .byte(a + 2, statBoost)
        .byte(a + 3, effectValue)
        .byte(i, secondary)
        .ok();
}

QList<Span> AccessoryRecord::spans(int row) {
    return {{nameRecordOffset(row), kNameRecordSize},
            {accessoryRecordOffset(row), kAccessoryRecordSize},
            {accessoryInfoOffset(row), kAccessoryInfoRecordSize}};
}

NormalItemRecord NormalItemRecord::read(const rom::RomFile& rom, int row) {
    const qint64 t = itemInfoOffset(row);
    NormalItemRecord r;
    r.icon = rom.readByte(nameRecordOffset(row));
    r.secondary = rom.readByte(t);
    r.price = rom.readInteger(t + 1);
    return r;
}

bool NormalItemRecord::write(rom::RomFile& rom, int row) const {
    const qint64 t = itemInfoOffset(row);
    return Writer(rom)
        .byte(nameRecordOffset(row), icon)
        .byte(t, secondary)
        .integer(t + 1, price)
        .ok();
}

QList<Span> NormalItemRecord::spans(int row) {
    return {{nameRecordOffset(row), kNameRecordSize}, {itemInfoOffset(row), kItemInfoRecordSize}};
}

} // namespace items
