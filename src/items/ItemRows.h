#pragma once

#include <QStringList>

namespace items {

// Both status effect lists: row v stands for code v, 256 rows. The first 57 are fixed
// with the page; the name list loader appends the rest on the first opening.
inline constexpr int kFixedAilmentRows = 57;
const QStringList& ailmentRows();

// The stat boost list: row v stands for code v, 256 rows.
const QStringList& statBoostRows();

// The icon list: row r is icon code r + 31.
const QStringList& iconRows();

} // namespace items
