#pragma once

#include "enemies/EnemyRecord.h"

#include <QObject>
#include <QString>

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace ui {
class ColumnForm;
class FieldReader;
class TextBox;
} // namespace ui

namespace enemies {

// The "Enemy Stats" page: the frame EnemyFRA with its list and fields.
class EnemyPage : public QObject {
    Q_OBJECT
  public:
    EnemyPage(QWidget* window, rom::RomFile& rom);
    ~EnemyPage() override;

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }

    void EnemyLST_Click();
    void LoadEnemy();
    // Writes the selected enemy's records; false when nothing was written.
    bool SaveEnemy();

  private:
    struct StatBox {
        ui::TextBox* EnemyPage::*box;
        std::uint8_t EnemyStatRecord::*field;
    };
    static const StatBox kStatBoxes[];

    void buildControls();
    void setEditorsEnabled(bool enabled);

    void showRecords(const EnemyStatRecord& stats, const EnemyRewardRecord& rewards);
    void LoadHP(const EnemyStatRecord& stats);
    void LoadEXP(const EnemyRewardRecord& rewards);
    void LoadGil(const EnemyRewardRecord& rewards);
    void LoadUnknown3(int index);
    bool readPage(ui::FieldReader& reader, EnemyStatRecord& stats,
                  EnemyRewardRecord& rewards) const;

    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
    std::unique_ptr<ui::ColumnForm> form_;

    ui::TextBox* name_ = nullptr;
    ui::TextBox* level_ = nullptr;
    ui::TextBox* hp_ = nullptr;
    ui::TextBox* attack_ = nullptr;
    ui::TextBox* speed_ = nullptr;
    ui::TextBox* magic_ = nullptr;
    ui::TextBox* defense_ = nullptr;
    ui::TextBox* evade_ = nullptr;
    ui::TextBox* boltDefense_ = nullptr;
    ui::TextBox* fireDefense_ = nullptr;
    ui::TextBox* waterDefense_ = nullptr;
    ui::TextBox* darkDefense_ = nullptr;
    ui::TextBox* unknown1_ = nullptr;
    ui::TextBox* unknown2_ = nullptr;
    ui::TextBox* unknown3_ = nullptr;
    ui::TextBox* experience_ = nullptr;
    ui::TextBox* gil_ = nullptr;
    ui::TextBox* techPoints_ = nullptr;
    QComboBox* dropItem_ = nullptr;
    QComboBox* charmItem_ = nullptr;
    QLabel* note_ = nullptr;

    // The item bytes as loaded, written back when their list could show no row for them.
    EnemyRewardRecord loadedRewards_;
};

} // namespace enemies
