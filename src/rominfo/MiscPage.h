#pragma once

#include <QObject>

#include <cstdint>

class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}

namespace ui {
class TextBox;
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
    void buildLabels();
    void buildFields();

    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    ui::TextBox* nameBox_ = nullptr;
    ui::TextBox* versionBox_ = nullptr;
    ui::TextBox* checksumBox_ = nullptr;
    QListWidget* regionList_ = nullptr;
    QListWidget* sramList_ = nullptr;
    // The codes as last loaded or written: what goes back when a list shows no row.
    std::uint8_t sramCode_ = 0;
    std::uint8_t regionCode_ = 0;
};

} // namespace rominfo
