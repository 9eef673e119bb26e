#pragma once

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

} // namespace items
