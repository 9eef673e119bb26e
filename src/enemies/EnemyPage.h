#pragma once

#include <QObject>

class QFrame;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace enemies {

// The "Enemy Stats" page: the frame EnemyFRA with its list and fields.
class EnemyPage : public QObject {
    Q_OBJECT
  public:
    EnemyPage(QWidget* window, rom::RomFile& rom);

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }

    void EnemyLST_Click();
    void LoadEnemy();
    // Writes the selected enemy's records; false when nothing was written.
    bool SaveEnemy();

  private:
    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace enemies
