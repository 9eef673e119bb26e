#include "characters/CharacterPage.h"

#include "ui/Controls.h"

#include <QComboBox>
#include <QFrame>
#include <QListWidget>

namespace characters {

CharacterPage::CharacterPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "CharFRA", ui::twips(330, 450, 9555, 5385));
    list_ = ui::makeList(frame_, "CharLST", ui::twips(120, 240, 1500, 2000),
                         {"Aldo", "Brenna", "Cassia", "Dunmore", "Edrick", "Fenna", "Garrow"});
    ui::makeDropDown(frame_, "CharWeaponCBO", ui::twips(6000, 240, 3000, 315));
    ui::makeDropDown(frame_, "CharHelmetCBO", ui::twips(6000, 600, 3000, 315));
    ui::makeDropDown(frame_, "CharArmorCBO", ui::twips(6000, 960, 3000, 315));
    ui::makeDropDown(frame_, "CharAccessoryCBO", ui::twips(6000, 1320, 3000, 315));
    frame_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            CharLST_Click();
    });
}

void CharacterPage::CharLST_Click() {
    LoadCharacter();
}
void CharacterPage::LoadCharacter() {}
bool CharacterPage::SaveCharacter() {
    return false;
}

} // namespace characters
