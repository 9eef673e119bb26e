#pragma once

#include "enemies/EnemyRecord.h"
#include "ui/Page.h"

#include <QList>
#include <QObject>

#include <memory>

class QComboBox;
class QFrame;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace ui {
class ColumnForm;
class FieldBinder;
class FileAccess;
class TextBox;
} // namespace ui

namespace enemies {

// The "Enemy Stats" page: the frame EnemyFRA with its list and fields.
class EnemyPage : public QObject, public ui::Page {
    Q_OBJECT
  public:
    EnemyPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access);
    ~EnemyPage() override;

    records::RecordKind id() const override { return records::RecordKind::Enemy; }
    QFrame* frame() const override { return frame_; }
    QListWidget* list() const override { return list_; }
    void loadSelected() override { EnemyLST_Click(); }
    bool save() override { return SaveEnemy(); }
    // The item lists the name loader fills.
    QList<QComboBox*> itemDropDowns() const;

    void EnemyLST_Click();
    void LoadEnemy();
    // Writes the selected enemy's records; false when nothing was written.
    bool SaveEnemy();

  private:
    void buildControls();
    void setEditorsEnabled(bool enabled);

    const rom::RomFile& rom_;
    ui::FileAccess& access_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
    std::unique_ptr<ui::ColumnForm> form_;
    ui::FieldBinder* fields_ = nullptr;
    ui::TextBox* name_ = nullptr;
    // The enemy as last read from the file.
    Enemy loaded_;
};

} // namespace enemies
