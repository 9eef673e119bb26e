#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace ui {

// Reads a text box's number: blanks trimmed, then plain decimal (an optional minus sign,
// digits, an optional fraction after a point). A fraction rounds to the nearest whole
// number, a half to the even neighbour. Anything else (empty text, letters, grouping,
// exponents, a plus sign) is no number. Values too large to matter give nullopt too.
std::optional<long long> parseWholeNumber(const QString& text);

// The 16-bit entry rule of the unsigned fields that also accept negative entries:
// -32768 to 65535 store their 16-bit pattern and 65536 to 98303 store x - 65536.
inline constexpr long long kWrappedMinimum = -32768;
inline constexpr long long kWrappedMaximum = 98303;
std::int16_t wrapToInteger(long long value);

// Unsigned display of a signed 16-bit Integer: negative values show with 65536 added.
inline QString unsignedText(std::int16_t value) {
    return QString::number(static_cast<std::uint16_t>(value));
}

} // namespace ui
