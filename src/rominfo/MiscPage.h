#pragma once

#include "rominfo/InternalHeader.h"
#include "ui/Page.h"

#include <QObject>

class QFrame;
class QLabel;
class QWidget;

namespace rom {
class RomFile;
}

namespace ui {
class FieldBinder;
class FileAccess;
class TextBox;
} // namespace ui

namespace rominfo {

// The "Miscellaneous" page: the frame MiscFRA showing the ROM's internal header.
class MiscPage : public QObject, public ui::Page {
    Q_OBJECT
  public:
    MiscPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access);

    records::RecordKind id() const override { return records::RecordKind::Misc; }
    QFrame* frame() const override { return frame_; }
    void loadSelected() override { LoadMiscellaneous(); }
    bool save() override { return SaveMiscellaneous(); }

    void LoadMiscellaneous();
    // Writes the header fields; false when nothing was written.
    bool SaveMiscellaneous();

  private:
    void buildLabels();
    void buildFields();
    void showChecksumState();

    const rom::RomFile& rom_;
    ui::FileAccess& access_;
    QFrame* frame_ = nullptr;
    ui::FieldBinder* fields_ = nullptr;
    ui::TextBox* checksumBox_ = nullptr;
    QLabel* checksumState_ = nullptr;
    // The header as last loaded or written: the codes a list shows no row for go back
    // from here.
    InternalHeader loaded_;
};

} // namespace rominfo
