#pragma once

#include <QObject>

class QFrame;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace items {

// The "Item Stats" page: the frame ItemFRA with the item list and every category's fields.
class ItemPage : public QObject {
    Q_OBJECT
  public:
    ItemPage(QWidget* window, rom::RomFile& rom);

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }
    int selectedRow() const;

    void ItemLST_Click();
    void DisableAll();
    // Each writes the selected item's records; false when nothing was written.
    bool SaveWeapon();
    bool SaveArmor();
    bool SaveAccessory();
    bool SaveNormalItem();

  private:
    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace items
