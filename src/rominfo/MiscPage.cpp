#include "rominfo/MiscPage.h"

#include "ui/Controls.h"

#include <QFrame>

namespace rominfo {

MiscPage::MiscPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "MiscFRA", ui::twips(330, 450, 9555, 5655));
    frame_->hide();
}

void MiscPage::LoadMiscellaneous() {}
bool MiscPage::SaveMiscellaneous() {
    return false;
}

} // namespace rominfo
