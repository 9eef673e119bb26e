#pragma once

#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace rom {

class RomFile;

inline constexpr qint64 kItemNameTable = 0x0C0B5E;
inline constexpr qint64 kEnemyNameTable = 0x0C6500;
inline constexpr int kNameLength = 11;
inline constexpr int kItemCount = 241;
inline constexpr int kEnemyCount = 251;
// The ailment lists have 57 fixed rows; the rest up to 256 are filled in on every opening.
inline constexpr int kFixedAilmentRows = 57;

// The controls the name-list loaders fill, found by the main window.
struct NameListControls {
    QListWidget* itemList = nullptr;
    // CharWeaponCBO, CharHelmetCBO, CharArmorCBO, CharAccessoryCBO, EnemyItemDropCBO,
    // EnemyItemCharmCBO: row r is item r.
    std::array<QComboBox*, 6> itemDropDowns{};
    QComboBox* statBoost = nullptr;
    QComboBox* weaponAilment = nullptr;
    QComboBox* armorAilment = nullptr;
    QListWidget* enemyList = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* loadingLabel = nullptr;
    QPushButton* apply = nullptr;
    QPushButton* quit = nullptr;
};

// The 256 rows of ItemStatBoostCBO; row r stands for stat-boost byte r.
const QStringList& statBoostRows();

// Fill the lists from the ROM's name tables, letting pending events run once per row.
void LoadItems(const RomFile& rom, const NameListControls& controls);
void LoadEnemyNames(const RomFile& rom, const NameListControls& controls);

} // namespace rom
