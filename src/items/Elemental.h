#pragma once

#include <QString>

#include <cstdint>

namespace items {

// The elemental resistance byte: one element bit plus a strength code in the low bits.
inline constexpr int kFire = 16;
inline constexpr int kWater = 32;
inline constexpr int kShadow = 64;
inline constexpr int kBolt = 128;
inline constexpr int kFifty = 5;
inline constexpr int kEighty = 15;

// The nine values the selector can show: none, or one element with one strength.
constexpr bool isShowableElement(int value) {
    for (int element : {kFire, kWater, kShadow, kBolt})
        if (value == element + kFifty || value == element + kEighty)
            return true;
    return value == 0;
}

// An element chosen without a strength, which Apply refuses to write.
constexpr bool lacksStrength(long long value) {
    return value == kFire || value == kWater || value == kShadow || value == kBolt;
}

// "Fire 80%" for the values the selector shows, "None" for 0; empty for any other byte.
inline QString elementName(int value) {
    if (value == 0)
        return QStringLiteral("None");
    if (!isShowableElement(value))
        return QString();
    const char* const names[] = {"Fire", "Water", "Shadow", "Lightning"};
    int element = 0;
    while (((value >> 4) >> element) != 1)
        ++element;
    return QStringLiteral("%1 %2%")
        .arg(QLatin1String(names[element]))
        .arg((value & 0x0F) == kFifty ? 50 : 80);
}

} // namespace items
