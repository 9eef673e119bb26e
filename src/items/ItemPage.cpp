#include "items/ItemPage.h"

#include "ui/Controls.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

namespace items {

ItemPage::ItemPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "ItemFRA", ui::twips(330, 450, 11985, 7245));
    list_ = ui::makeList(frame_, "ItemLST", ui::twips(150, 240, 1755, 6885));
    ui::makeDropDown(frame_, "ItemWeaponAilmentCBO", ui::twips(3960, 1320, 4000, 315));
    ui::makeDropDown(frame_, "ItemArmorAilmentCBO", ui::twips(3960, 3120, 4000, 315));
    ui::makeDropDown(frame_, "ItemStatBoostCBO", ui::twips(3960, 6810, 4000, 315));
    auto* elemental = ui::makeTextBox(frame_, "ElementalResistanceTXT", QRect());
    elemental->setText("0");
    elemental->hide();
    frame_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            ItemLST_Click();
    });
}

int ItemPage::selectedRow() const {
    return list_->currentRow();
}
void ItemPage::ItemLST_Click() {}
void ItemPage::DisableAll() {}
bool ItemPage::SaveWeapon() {
    return false;
}
bool ItemPage::SaveArmor() {
    return false;
}
bool ItemPage::SaveAccessory() {
    return false;
}
bool ItemPage::SaveNormalItem() {
    return false;
}

} // namespace items
