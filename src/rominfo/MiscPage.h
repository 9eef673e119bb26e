#pragma once

#include <QObject>

class QFrame;
class QWidget;

namespace rom {
class RomFile;
}

namespace rominfo {

// The "Miscellaneous" page: the frame MiscFRA showing the ROM's internal header.
class MiscPage : public QObject {
    Q_OBJECT
  public:
    MiscPage(QWidget* window, rom::RomFile& rom);

    QFrame* frame() const { return frame_; }

    void LoadMiscellaneous();
    // Writes the header fields; false when nothing was written.
    bool SaveMiscellaneous();

  private:
    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
};

} // namespace rominfo
