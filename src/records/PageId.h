#pragma once

#include <QString>

#include <optional>

namespace records {

// The pages that edit records, in the order their tabs stand.
enum class PageId { Misc, Enemy, Character, Item };

inline constexpr PageId kAllPages[] = {PageId::Misc, PageId::Enemy, PageId::Character,
                                       PageId::Item};

// "Enemy", "Character", "Item"; empty for the header, which has no rows.
QString recordWord(PageId page);

} // namespace records
