#pragma once

#include <QStringList>

#include <array>
#include <cstdint>

namespace items {

// A flag byte shown as eight check rows: row r stands for the bit of value 2^r, so row 0
// is the least significant bit. Every row is an ordinary flag, none is skipped.
using CheckRows = std::array<bool, 8>;

constexpr CheckRows checkRowsOf(std::uint8_t value) {
    CheckRows rows{};
    for (int r = 0; r < 8; ++r)
        rows[r] = (value & (1u << r)) != 0;
    return rows;
}

constexpr std::uint8_t byteOfCheckRows(const CheckRows& rows) {
    unsigned value = 0;
    for (int r = 0; r < 8; ++r)
        if (rows[r])
            value += 1u << r;
    return static_cast<std::uint8_t>(value);
}

// The row texts of the four flag lists, top row (bit 0x01) first.
const QStringList& secondaryRows();
const QStringList& equipRows();
const QStringList& accEffected1Rows();
const QStringList& accEffected2Rows();

} // namespace items
