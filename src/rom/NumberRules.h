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

// The one entry rule of every typed number, in a page and in a table: the entry's value when
// it is a whole number from `minimum` to `maximum`, else nothing.
std::optional<long long> wholeNumberIn(const QString& text, long long minimum, long long maximum);
// What a refused entry is told: "enter a whole number from 0 to 255."
QString wholeNumberRefusal(long long minimum, long long maximum);
// What a refused text is told: "use only characters of ISO 8859-1 (Latin-1)."
QString latin1Refusal();
// Why a record is not written: "the open ROM file is too short to hold this record".
QString tooShortReason();

// The whole numbers a user may enter for a field of each encoding.
struct EntryRange {
    long long minimum;
    long long maximum;
};
EntryRange entryRange(Encoding encoding);

// The value a record holds for an entry inside its range. Every field accepts exactly the
// numbers it shows back after a reload, so the value is the entry itself.
int storedValue(Encoding encoding, long long entry);

} // namespace rom
