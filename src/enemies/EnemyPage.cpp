#include "enemies/EnemyPage.h"

#include "ui/Controls.h"

#include <QComboBox>
#include <QFrame>
#include <QListWidget>

namespace enemies {

EnemyPage::EnemyPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "EnemyFRA", ui::twips(330, 450, 9555, 4755));
    list_ = ui::makeList(frame_, "EnemyLST", ui::twips(120, 240, 2000, 4300));
    ui::makeDropDown(frame_, "EnemyItemDropCBO", ui::twips(6000, 3000, 3000, 315));
    ui::makeDropDown(frame_, "EnemyItemCharmCBO", ui::twips(6000, 3360, 3000, 315));
    frame_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            EnemyLST_Click();
    });
}

void EnemyPage::EnemyLST_Click() {
    LoadEnemy();
}
void EnemyPage::LoadEnemy() {}
bool EnemyPage::SaveEnemy() {
    return false;
}

} // namespace enemies
