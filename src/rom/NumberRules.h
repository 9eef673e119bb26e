#pragma once

#include "rom/FieldTable.h"

#include <QString>

#include <optional>

namespace rom {

// Reads a text box's number: blanks trimmed, then plain decimal (an optional minus sign,
// digits, an optional fraction after a point). A fraction rounds to the nearest whole
// number, a half to the even neighbour. Anything else (empty text, letters, grouping,
// exponents, a plus sign) is no number. Values too large to matter give nullopt too.
std::optional<long long> parseWholeNumber(const QString& text);

// The whole numbers a user may enter for a field of each encoding.
struct EntryRange {
    long long minimum;
    long long maximum;
};
EntryRange entryRange(Encoding encoding);

// The value a record holds for an entry inside its range: a Wrapped16 entry keeps its
// 16-bit pattern (-1 and 65535 both hold 65535, 70000 holds 4464), the others stay as
// entered.
int storedValue(Encoding encoding, long long entry);

} // namespace rom
