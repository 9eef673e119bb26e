#include "items/CheckListCodec.h"

namespace items {

const QStringList& secondaryRows() {
    static const QStringList rows = {"Unknown 5", "Usable in Menu",  "Can't be Sold",
                                     "Key Item",  "Anti NewGame +",  "Unknown 6",
                                     "Unknown 7", "Usable in Battle"};
    return rows;
}

// The playable characters in reverse order: the first of them is the top bit.
const QStringList& equipRows() {
    static const QStringList rows = {"Ignored", "Garrow", "Fenna",  "Edrick",
                                     "Dunmore", "Cassia", "Brenna", "Aldo"};
    return rows;
}

const QStringList& accEffected1Rows() {
    static const QStringList rows = {
        "Turns EXP into Gil", "Unknown",          "Unknown", "Unknown", "Unknown",
        "Effects MP",         "Counter Attack %", "Unknown"};
    return rows;
}

const QStringList& accEffected2Rows() {
    static const QStringList rows = {"Unknown",    "Unknown", "Unknown",       "Unknown",
                                     "Effects HP", "Unknown", "Effects Stats", "Effects in Battle"};
    return rows;
}

} // namespace items
