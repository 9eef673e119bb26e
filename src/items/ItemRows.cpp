#include "items/ItemRows.h"

namespace items {

// The texts are the game notes as collected, misspellings included.
const QStringList& ailmentRows() {
    static const QStringList fixed = {
        "no ailiment",
        "slightly more damage to dinosaurs",
        "varying damage",
        "Unknown",
        "Unknown",
        "Unknown",
        "slightly more than normal damage",
        "slightly less than normal damgae",
        "slightly less than normal damage",
        "Unknown",
        "Unknown",
        "Unknown",
        "150% damage vs magical (half again) - weapon",
        "200% damage vs magical (double) - weapon",
        "% damage (high) can't do a critical blow - weapon",
        "slightly lower than normal damage",
        "really low damage (same as below?)",
        "really low damage (higher than previous?)",
        "really low damage (higher than previous?)",
        "really low damgae (higher than previous?)",
        "really low damage",
        "Unknown",
        "raises attack power when allies are dead - weapon",
        "freezes game--do not use!",
        "varying damage",
        "damage based on 1's digit in HP - weapon",
        "absorb 50% damage vs lightning - armor",
        "absorb 50% damage vs shadow - armor",
        "absorb 50% damage vs water - armor",
        "absorb 50% damage vs fire - armor",
        "varying damage - weapon",
        "absorb lightning - armor",
        "absorb shadow - armor",
        "absorb water - armor",
        "absorb fire - armor",
        "kamakazi attack - weapon",
        "always miss, 0 damage - weapon",
        "instant death - weapon",
        "\"Stop\" - weapon",
        "\"Slow\" - weapon",
        "\"Stop\" on machines - weapon",
        "\"Chaos\" - weapon",
        "prevents \"Chaos\" - armor",
        "prevents \"Lock\" - armor",
        "prevents \"Slow\" and \"Stop\" - armor",
        "protect from all status ailments - armor",
        "\"Chaos\" - weapon",
        "4x damage on critical hit - weapon",
        "Unknown - weapon/armor",
        "\"Shell\" - armor",
        "\"Chaos\" - armor",
        "\"Haste\" - armor",
        "more damage vs Unknown race - weapon",
        "Unknown - weapon/armor",
        "\"Poison\" - weapon",
        "\"Sleep\" - weapon",
        "9999 damage on critical attack - weapon",
    };
    static const QStringList rows = [] {
        QStringList all = fixed;
        while (all.size() < 256)
            all << QStringLiteral("Nothing or Undocumented");
        return all;
    }();
    return rows;
}

const QStringList& statBoostRows() {
    static const QStringList rows = [] {
        const QString undocumented = QStringLiteral("Undocumented / Unknown");
        QStringList r = {"Nothing",
                         "Speed +1",
                         "Hit +2",
                         "Strength +2",
                         "Stamina +2",
                         "Magic +2",
                         "Protect against all ailments",
                         "Speed +3",
                         "Hit +10",
                         "Strength +6",
                         "Magic +6",
                         "Magic Defense +10",
                         "Strength +4",
                         "Speed +2",
                         "Unknown",
                         "Stamina +6",
                         "Magic +4",
                         "Magic Defense +12",
                         "Magic +5, Magic Defense +5",
                         "Strength +10, Stamina +10",
                         "Magic Defense +5"};
        while (r.size() < 128)
            r << undocumented;
        r << QStringLiteral("Always Evade");
        while (r.size() < 256)
            r << undocumented;
        return r;
    }();
    return rows;
}

const QStringList& iconRows() {
    static const QStringList rows = {"Nothing", "Blade",  "Bow",    "Gun",   "Arm",      "Sword",
                                     "Fist",    "Scythe", "Helmet", "Armor", "Accessory"};
    return rows;
}

} // namespace items
