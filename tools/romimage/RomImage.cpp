#include "romimage/RomImage.h"

#include <QFile>

#include <random>

namespace synth {
namespace {

const char* const kSyllables[] = {"ka",  "ro",  "mir", "tel", "dun", "va",  "sho", "bel",
                                  "ith", "gar", "on",  "ul",  "sen", "dra", "fi",  "wen"};

QString inventName(std::mt19937& random, int maxLength) {
    QString name;
    const int parts = 2 + static_cast<int>(random() % 2);
    for (int p = 0; p < parts; ++p)
        name += QString::fromLatin1(kSyllables[random() % 16]);
    if (random() % 4 == 0)
        name += QStringLiteral("'s");
    name[0] = name[0].toUpper();
    return name.left(maxLength);
}

std::uint8_t pick(std::mt19937& random, std::initializer_list<int> values) {
    const auto n = static_cast<std::size_t>(random() % values.size());
    return static_cast<std::uint8_t>(*(values.begin() + n));
}

std::uint8_t between(std::mt19937& random, int low, int high) {
    return static_cast<std::uint8_t>(low + static_cast<int>(random() % (high - low + 1)));
}

const std::initializer_list<int> kElementValues = {0, 0, 0, 21, 31, 37, 47, 69, 79, 133, 143};

void writeHeader(QByteArray& image, const QString& name) {
    QByteArray field = name.toLatin1().left(21);
    field.append(QByteArray(21 - field.size(), ' '));
    image.replace(0x00FFC0, 21, field);
    putByte(image, 0x00FFD5, 0x31); // map mode: high ROM, fast
    putByte(image, 0x00FFD6, 0x02);
    putByte(image, 0x00FFD7, 0x0C);
    putByte(image, 0x00FFD8, 0x03); // 64 KBit SRAM
    putByte(image, 0x00FFD9, 0x01); // USA
    putByte(image, 0x00FFDA, 0x33);
    putByte(image, 0x00FFDB, 0x00);
    // The checksum pair as a cartridge would carry it: the sum of all bytes, counted with
    // the pair itself set to FFFF 0000.
    putInteger(image, 0x00FFDC, 0xFFFF);
    putInteger(image, 0x00FFDE, 0x0000);
    std::uint32_t sum = 0;
    for (const char byte : image)
        sum += static_cast<std::uint8_t>(byte);
    const auto checksum = static_cast<std::uint16_t>(sum & 0xFFFF);
    putInteger(image, 0x00FFDC, static_cast<std::uint16_t>(checksum ^ 0xFFFF));
    putInteger(image, 0x00FFDE, checksum);
}

void writeNames(QByteArray& image, std::uint32_t seed) {
    // Byte 0 of an item name record is the item's icon; the name follows it.
    for (int i = 0; i < 241; ++i)
        image.replace(0x0C0B5E + 11 * i + 1, 10, encodeName(itemName(i, seed), 10));
    for (int i = 0; i < 251; ++i)
        image.replace(0x0C6500 + 11 * i, 11, encodeName(enemyName(i, seed)));
}

void writeItems(QByteArray& image, std::mt19937& random) {
    for (int r = 0; r <= 86; ++r) { // weapons: icons Blade .. Scythe
        const qint64 w = 0x0C0262 + 5 * r;
        putByte(image, 0x0C0B5E + 11 * r, between(random, 32, 38));
        putByte(image, w, between(random, 5, 250));
        putByte(image, w + 1, between(random, 0, 3));
        putByte(image, w + 2, between(random, 0, 40));
        putByte(image, w + 3, between(random, 0, 56));
        putByte(image, w + 4, pick(random, {0, 0, 1, 2}));
    }
    for (int r = 87; r <= 147; ++r) { // armor: helmets and body armor
        const qint64 a = 0x0C047E + 3 * (r - 90);
        putByte(image, 0x0C0B5E + 11 * r, pick(random, {39, 40}));
        putByte(image, a, between(random, 1, 120));
        putByte(image, a + 1, between(random, 0, 56));
        putByte(image, a + 2, pick(random, {0, 0, 1}));
    }
    for (int r = 0; r <= 147; ++r) {
        const qint64 g = 0x0C06A4 + 6 * r;
        putByte(image, g, between(random, 0, 255));
        putInteger(image, g + 1, static_cast<std::uint16_t>(random() % 65536));
        putByte(image, g + 3, between(random, 0, 255));
        putByte(image, g + 4, pick(random, {0, 0, 0, 1, 2, 3, 6, 11, 20, 128}));
        putByte(image, g + 5, pick(random, kElementValues));
    }
    for (int r = 149; r <= 187; ++r) {
        const int a = r - 148;
        putByte(image, 0x0C0B5E + 11 * r, 41);
        putByte(image, 0x0C052C + 4 * a + 2, between(random, 0, 20));
        putByte(image, 0x0C052C + 4 * a + 3, between(random, 0, 100));
    }
    for (int r = 189; r <= 240; ++r) {
        const qint64 t = 0x0C0ABC + 3 * (r - 188);
        putByte(image, 0x0C0B5E + 11 * r, 31);
        putByte(image, t, pick(random, {0x02, 0x82, 0x80, 0x0C, 0x8A}));
        putInteger(image, t + 1, static_cast<std::uint16_t>(10 * between(random, 1, 250)));
    }
}

void writeEnemies(QByteArray& image, std::mt19937& random) {
    for (int i = 0; i < 251; ++i) {
        const qint64 s = 0x0C4700 + 23 * i;
        const qint64 r = 0x0C5E00 + 7 * i;
        putInteger(image, s, static_cast<std::uint16_t>(50 + random() % 30000));
        putByte(image, s + 2, between(random, 1, 80));
        for (int field : {9, 10, 14, 15, 16, 17, 18, 19, 20})
            putByte(image, s + field, between(random, 1, 200));
        putInteger(image, r, static_cast<std::uint16_t>(random() % 5000));
        putInteger(image, r + 2, static_cast<std::uint16_t>(random() % 3000));
        putByte(image, r + 4, between(random, 0, 240));
        putByte(image, r + 5, between(random, 0, 240));
        putByte(image, r + 6, between(random, 0, 9));
    }
}

void writeCharacters(QByteArray& image, std::mt19937& random) {
    for (int i = 0; i < 7; ++i) {
        const qint64 c = 0x0C0000 + 80 * i;
        putByte(image, c, static_cast<std::uint8_t>(i));
        const auto hp = static_cast<std::uint16_t>(between(random, 60, 250));
        const auto mp = static_cast<std::uint16_t>(between(random, 5, 60));
        putInteger(image, c + 0x03, hp);
        putInteger(image, c + 0x05, hp);
        putInteger(image, c + 0x07, mp);
        putInteger(image, c + 0x09, mp);
        for (int stat = 0x0B; stat <= 0x11; ++stat)
            putByte(image, c + stat, between(random, 5, 30));
        putByte(image, c + 0x12, between(random, 1, 10));
        putInteger(image, c + 0x13, static_cast<std::uint16_t>(random() % 2000));
        putByte(image, c + 0x27, between(random, 87, 100));
        putByte(image, c + 0x28, between(random, 101, 147));
        putByte(image, c + 0x29, between(random, 0, 85));
        putByte(image, c + 0x2A, between(random, 149, 187));
        putInteger(image, c + 0x2B, static_cast<std::uint16_t>(random() % 3000));
        putInteger(image, c + 0x2D, static_cast<std::uint16_t>(random() % 300));
    }
}

} // namespace

QByteArray encodeName(const QString& text, int length) {
    QByteArray field;
    for (const QChar c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            field += static_cast<char>(0xA0 + (c.unicode() - 'A'));
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            field += static_cast<char>(0xBA + (c.unicode() - 'a'));
        else if (c == QLatin1Char('\''))
            field += static_cast<char>(0xE2);
        else
            field += static_cast<char>(0xEF);
    }
    field = field.left(length);
    while (field.size() < length)
        field += static_cast<char>(0xEF);
    return field;
}

QString itemName(int index, std::uint32_t seed) {
    std::mt19937 random(seed * 7919u + static_cast<std::uint32_t>(index));
    return inventName(random, 10); // byte 0 of an item name is its icon
}

QString enemyName(int index, std::uint32_t seed) {
    std::mt19937 random(seed * 104729u + static_cast<std::uint32_t>(index));
    return inventName(random, 11);
}

QByteArray makeImage(const ImageOptions& options) {
    std::mt19937 random(options.seed);
    QByteArray image(kImageSize, '\0');
    for (char& byte : image)
        byte = static_cast<char>(random() & 0xFF);
    writeNames(image, options.seed);
    writeItems(image, random);
    writeEnemies(image, random);
    writeCharacters(image, random);
    writeHeader(image, options.internalName);
    return image;
}

QByteArray withCopierHeader(const QByteArray& image, char fill) {
    return QByteArray(512, fill) + image;
}

void putByte(QByteArray& image, qint64 offset, std::uint8_t value) {
    image[offset] = static_cast<char>(value);
}

void putInteger(QByteArray& image, qint64 offset, std::uint16_t value) {
    image[offset] = static_cast<char>(value & 0xFF);
    image[offset + 1] = static_cast<char>(value >> 8);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<qint64> changedOffsets(const QByteArray& before, const QByteArray& after) {
    QList<qint64> changed;
    const qint64 common = std::min(before.size(), after.size());
    for (qint64 i = 0; i < common; ++i)
        if (before[i] != after[i])
            changed << i;
    for (qint64 i = common; i < std::max(before.size(), after.size()); ++i)
        changed << i;
    return changed;
}

} // namespace synth
