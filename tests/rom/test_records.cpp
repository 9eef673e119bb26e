// The widget-free core. The ROM file: writes land at once and never past the end, and
// copier-header removal at its exact size only. Every record kind: seeded
// random records are written into random noise through their field tables, and the whole
// file must equal an image built here from the game's layout, written out as literal
// offsets and widths; then read back. How text boxes read numbers (what they store is
// checked at the bytes by the window's field tests), the name text of every byte value, and
// the record of a field's offset, and the history's words for the kinds of change.
#include "characters/CharacterRecord.h"
#include "enemies/EnemyRecord.h"
#include "history/History.h"
#include "items/ItemRecords.h"
#include "records/Records.h"
#include "rom/Commit.h"
#include "rom/CopierHeader.h"
#include "rom/NameText.h"
#include "rom/NumberRules.h"
#include "romimage/RomImage.h"
#include "rominfo/InternalHeader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

constexpr qint64 kImageSize = 0x0C8000;

// Fields of one table whose record r lies at base + stride * (r - origin).
template <typename R> struct Table {
    struct Field {
        int R::*member;
        qint64 offset;
        int width;
        bool written = true, isSigned = false;
    };
    qint64 base, stride;
    int origin;
    QList<Field> fields;
};

using items::Accessory;
using items::Armor;
using items::NormalItem;
using items::Weapon;
using E = enemies::Enemy;
using C = characters::Character;
using H = rominfo::InternalHeader;

// clang-format off
const QList<Table<E>> kEnemy = {
    {0x0C4700, 23, 0, {{&E::hp, 0, 2}, {&E::level, 2, 1}, {&E::speed, 9, 1}, {&E::magic, 10, 1},
                       {&E::attack, 14, 1}, {&E::defense, 15, 1}, {&E::boltDefense, 16, 1},
                       {&E::fireDefense, 17, 1}, {&E::waterDefense, 18, 1},
                       {&E::darkDefense, 19, 1}, {&E::evade, 20, 1}}},
    {0x0C5E00, 7, 0, {{&E::experience, 0, 2}, {&E::gil, 2, 2}, {&E::dropItem, 4, 1},
                      {&E::charmItem, 5, 1}, {&E::techPoints, 6, 1}}},
    {0x0C5E70, 23, 0, {{&E::unknown3, 0, 2, false}}},
};
const QList<Table<C>> kCharacter = {
    {0x0C0000, 80, 0, {{&C::portrait, 0x00, 1}, {&C::unknown1, 0x01, 1, false},
                       {&C::unknown2, 0x02, 1, false}, {&C::hpMin, 0x03, 2, true, true},
                       {&C::hpMax, 0x05, 2, true, true}, {&C::mpMin, 0x07, 2, true, true},
                       {&C::mpMax, 0x09, 2, true, true}, {&C::power, 0x0B, 1},
                       {&C::stamina, 0x0C, 1}, {&C::speed, 0x0D, 1}, {&C::magic, 0x0E, 1},
                       {&C::hit, 0x0F, 1}, {&C::evade, 0x10, 1}, {&C::magicDefense, 0x11, 1},
                       {&C::level, 0x12, 1}, {&C::experience, 0x13, 2},
                       {&C::unknown3, 0x17, 2, false, true}, {&C::helmet, 0x27, 1},
                       {&C::armor, 0x28, 1}, {&C::weapon, 0x29, 1}, {&C::accessory, 0x2A, 1},
                       {&C::experienceToLevel, 0x2B, 2}, {&C::techToLevel, 0x2D, 2},
                       {&C::unknown4, 0x32, 1, false}, {&C::unknown5, 0x33, 4, false, true},
                       {&C::unknown6, 0x35, 1, false}}},
};
// The name record's byte 0 is the icon; weapons and armor share a gear info table.
template <typename R> Table<R> icon() { return {0x0C0B5E, 11, 0, {{&R::icon, 0, 1}}}; }
template <typename R> Table<R> gear() {
    return {0x0C06A4, 6, 0, {{&R::secondary, 0, 1}, {&R::price, 1, 2}, {&R::equip, 3, 1},
                             {&R::statBoost, 4, 1}, {&R::element, 5, 1}}};
}
const QList<Table<Weapon>> kWeapon = {
    icon<Weapon>(), gear<Weapon>(),
    {0x0C0262, 5, 0, {{&Weapon::attack, 0, 1}, {&Weapon::unknown1, 1, 1}, {&Weapon::critical, 2, 1},
                      {&Weapon::ailment, 3, 1}, {&Weapon::inflict, 4, 1}}},
};
// Armor counts from row 90: row 87 lies three records before 0x0C047E.
const QList<Table<Armor>> kArmor = {
    icon<Armor>(), gear<Armor>(),
    {0x0C047E, 3, 90, {{&Armor::defense, 0, 1}, {&Armor::ailment, 1, 1}, {&Armor::inflict, 2, 1}}},
};
const QList<Table<Accessory>> kAccessory = {
    icon<Accessory>(),
    {0x0C052C, 4, 148, {{&Accessory::effects1, 0, 1}, {&Accessory::effects2, 1, 1},
                        {&Accessory::statBoost, 2, 1}, {&Accessory::effectValue, 3, 1}}},
    {0x0C0A1C, 4, 148, {{&Accessory::secondary, 0, 1}, {&Accessory::equip, 3, 1}}},
};
const QList<Table<NormalItem>> kNormalItem = {
    icon<NormalItem>(),
    {0x0C0ABC, 3, 188, {{&NormalItem::secondary, 0, 1}, {&NormalItem::price, 1, 2}}},
};
const QList<Table<H>> kHeader = {
    {0x00FFC0, 0, 0, {{&H::sramCode, 0x18, 1}, {&H::regionCode, 0x19, 1}, {&H::version, 0x1B, 1},
                      {&H::complement, 0x1C, 2, false}, {&H::checksum, 0x1E, 2, false}}},
};
// clang-format on

QByteArray littleEndian(int value, int width) {
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

int valueAt(const QByteArray& image, qint64 offset, int width, bool isSigned) {
    quint32 bits = 0;
    for (int i = width - 1; i >= 0; --i)
        bits = (bits << 8) | static_cast<quint8>(image[offset + i]);
    if (isSigned && width == 2)
        return static_cast<qint16>(bits);
    return static_cast<int>(bits);
}

template <typename R>
void checkRecord(rom::FieldTable<R> fields, const QList<Table<R>>& layout, int row,
                 std::uint32_t seed) {
    std::mt19937 random(seed);
    QByteArray noise(kImageSize, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    QTemporaryDir dir;
    const QString path = dir.filePath("noise.bin");
    QVERIFY(synth::writeFile(path, noise));

    rom::RomFile rom;
    QVERIFY(rom.open(path));
    const R loaded = rom::readRecord(rom, fields, row);
    R edited = loaded;
    QByteArray expected = noise;
    for (const Table<R>& table : layout) {
        for (const auto& field : table.fields) {
            const int value = static_cast<int>(random() % (1u << (8 * std::min(field.width, 2))));
            edited.*field.member = field.isSigned ? static_cast<qint16>(value) : value;
            if (field.written)
                expected.replace(table.base + table.stride * (row - table.origin) + field.offset,
                                 field.width, littleEndian(value, field.width));
        }
    }
    const QList<rom::Span> spans = rom::spansOf(fields, row, loaded, edited);
    for (const rom::Span& span : spans)
        QCOMPARE(span.before, noise.mid(span.offset, span.after.size()));
    QCOMPARE(rom::commitSpans(rom, spans), rom::CommitResult::Written);
    QVERIFY2(synth::readFile(path) == expected, "the file differs from the layout");

    const R reread = rom::readRecord(rom, fields, row);
    for (const Table<R>& table : layout) {
        for (const auto& field : table.fields) {
            const qint64 at = table.base + table.stride * (row - table.origin) + field.offset;
            const QByteArray& source = field.written ? expected : noise;
            QCOMPARE(reread.*field.member, valueAt(source, at, field.width, field.isSigned));
        }
    }
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString write(const QByteArray& bytes, const QString& name = "rom.smc") {
        synth::writeFile(dir_.filePath(name), bytes);
        return dir_.filePath(name);
    }

  private slots:
    void writesLandAtOnceAndNeverPastTheEnd();
    void headerIsRemovedOnlyAtItsExactSize();
    void everyKindWritesExactlyItsLayout();
    void wholeNumbers();
    void everyNameByteDecodes();
    void locateAgreesWithAScan();
    void storedWordsReadBack();
};

// The record of a field's first byte, as a scan of every record finds it.
static std::optional<std::pair<records::RecordKind, int>> scanFor(qint64 offset) {
    for (const records::Kind& kind : records::kinds())
        for (int row = kind.first; row <= kind.last; ++row)
            for (const records::Place& place : records::placesOfRecord(kind.page, row))
                if (place.view.written && place.offset == offset)
                    return std::pair(kind.page, row);
    return std::nullopt;
}

// Each record's first and last byte and those just outside it.
void RecordsTest::locateAgreesWithAScan() {
    int found = 0;
    for (const records::Kind& kind : records::kinds())
        for (int row = kind.first; row <= kind.last; ++row) {
            qint64 first = kImageSize;
            qint64 last = -1;
            for (const records::Place& place : records::placesOfRecord(kind.page, row)) {
                first = std::min(first, place.offset);
                last = std::max(last, place.offset + place.width - 1);
            }
            for (const qint64 offset : {first - 1, first, last, last + 1}) {
                QVERIFY2(records::locate(offset) == scanFor(offset),
                         qPrintable(QString::number(offset, 16)));
                found += scanFor(offset).has_value();
            }
        }
    QVERIFY(found > 400);
}

// The history's words as every release has written them: each reads back to what it stood
// for and is written the same again.
void RecordsTest::storedWordsReadBack() {
    const std::pair<const char*, const char*> words[] = {
        {"misc", "Internal ROM header"},
        {"enemy", "Enemy 4 Horn"},
        {"char", "Character 4 Horn"},
        {"item", "Item 4 Horn"},
        {"tables", "Import of 4 records from tables"},
        {"table-edit", "Table edit of 4 records"},
        {"formula", "Formula Horn"},
        {"patch", "Patch Horn: 4 records"}};
    for (const auto& [word, label] : words) {
        const std::optional<history::RecordRef> record = history::recordFromStored(word, 4, "Horn");
        QVERIFY2(record, word);
        QCOMPARE(record->label(), QString(label));
        QCOMPARE(history::storedPage(*record), QString(word));
    }
    QVERIFY(!history::recordFromStored("Enemy", 4, "Horn"));
}

void RecordsTest::everyKindWritesExactlyItsLayout() {
    for (int row : {0, 5, 250})
        checkRecord(enemies::enemyFields(), kEnemy, row, 100 + row);
    for (int row : {0, 3, 6})
        checkRecord(characters::characterFields(), kCharacter, row, 200 + row);
    for (int row : {0, 85})
        checkRecord(items::weaponFields(), kWeapon, row, 300 + row);
    for (int row : {87, 89, 90, 147})
        checkRecord(items::armorFields(), kArmor, row, 400 + row);
    for (int row : {149, 187})
        checkRecord(items::accessoryFields(), kAccessory, row, 500 + row);
    for (int row : {189, 240})
        checkRecord(items::normalItemFields(), kNormalItem, row, 600 + row);
    checkRecord(rominfo::headerFields(), kHeader, 0, 700);
}

void RecordsTest::wholeNumbers() {
    const std::pair<const char*, qlonglong> cases[] = {
        {"0", 0},      {"255", 255},   {"-1", -1},     {" 7 ", 7},    {"007", 7},
        {"12.5", 12},  {"13.5", 14},   {"12.51", 13},  {"-0.5", 0},   {"-1.5", -2},
        {"2.4999", 2}, {"254.5", 254}, {"255.5", 256}, {"5.", 5},     {".5", 0},
        {"", -999},    {"ab", -999},   {"1,0", -999},  {"1e2", -999}, {"+5", -999},
        {"--1", -999}, {"1 2", -999},  {"-", -999},    {"٣", -999},   {"9999999999999", -999}};
    for (const auto& [text, value] : cases) // -999: no number
        QVERIFY2(rom::parseWholeNumber(QString::fromUtf8(text)).value_or(-999) == value, text);
}

// Each write is in the file before any sync (read through a second handle); reads past
// the end or before the start give zeros for those bytes, and nothing is written past it.
void RecordsTest::writesLandAtOnceAndNeverPastTheEnd() {
    const QString path = write(QByteArray::fromHex("0102030405"));
    rom::RomFile rom;
    QVERIFY(rom.open(path) && rom.writeBytes(1, "xy"));
    QCOMPARE(synth::readFile(path), QByteArray::fromHex("0178790405"));
    QCOMPARE(rom.readBytes(3, 4), QByteArray::fromHex("04050000"));
    QCOMPARE(rom.readBytes(-2, 4), QByteArray::fromHex("00000178"));
    QVERIFY(!rom.writeBytes(4, "ab") && !rom.writeBytes(-1, "a"));
    QCOMPARE(synth::readFile(path).size(), 5);
}

// Only a file of exactly 4 MiB + 512 bytes carries a header; its removal keeps every byte
// from 512 on and leaves no temporary file behind.
void RecordsTest::headerIsRemovedOnlyAtItsExactSize() {
    for (const int size : {4194304, 4194815, 4195328, 4194816}) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        const QString path = write(bytes, "sized.smc");
        QCOMPARE(rom::hasCopierHeader(path), size == 4194816);
    }
    const QByteArray bytes = synth::readFile(dir_.filePath("sized.smc"));
    QString error;
    QVERIFY2(rom::removeCopierHeader(dir_.filePath("sized.smc"), &error), qPrintable(error));
    QVERIFY(synth::readFile(dir_.filePath("sized.smc")) == bytes.mid(512));
    QCOMPARE(QDir(dir_.path()).entryList({"sized*"}, QDir::Files | QDir::Hidden),
             QStringList{"sized.smc"});
}

// The game's name text, one character per byte value from 0x00 on; '.' stands for none.
void RecordsTest::everyNameByteDecodes() {
    const char kTable[] = "................................................................"
                          "................................................................"
                          "................................ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef"
                          "ghijklmnopqrstuvwxyz..............'............ ................";
    static_assert(sizeof(kTable) == 257);
    QStringList decoded, expected; // a difference names its byte value
    for (int byte = 0; byte < 256; ++byte) {
        decoded << rom::decodeNameText(QByteArray(1, char(byte)));
        expected << (kTable[byte] == '.' ? QString() : QString(QChar(kTable[byte])));
    }
    QCOMPARE(decoded, expected);
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
