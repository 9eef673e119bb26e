#pragma once

#include <QStringList>

namespace items {

// The fixed rows of both status effect drop-downs, row v standing for code v. The name
// list loader appends the rows up to code 255 on every opening.
const QStringList& ailmentRows();

// The icon drop-down: row r is icon code r + 31.
const QStringList& iconRows();

} // namespace items
