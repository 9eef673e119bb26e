#pragma once

#include <QObject>

class QFrame;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace characters {

// The "Character Stats" page: the frame CharFRA with its list and fields.
class CharacterPage : public QObject {
    Q_OBJECT
  public:
    CharacterPage(QWidget* window, rom::RomFile& rom);

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }

    void CharLST_Click();
    void LoadCharacter();
    // Writes the selected character's record; false when nothing was written.
    bool SaveCharacter();

  private:
    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace characters
