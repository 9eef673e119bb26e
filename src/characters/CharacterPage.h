#pragma once

#include "characters/CharacterRecord.h"
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

namespace characters {

// The "Character Stats" page: the frame CharFRA with its list and fields.
class CharacterPage : public QObject, public ui::Page {
    Q_OBJECT
  public:
    CharacterPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access);
    ~CharacterPage() override;

    records::RecordKind id() const override { return records::RecordKind::Character; }
    QFrame* frame() const override { return frame_; }
    QListWidget* list() const override { return list_; }
    void loadSelected() override { CharLST_Click(); }
    bool save() override { return SaveCharacter(); }
    // The item lists the name loader fills.
    QList<QComboBox*> itemDropDowns() const;

    void CharLST_Click();
    void LoadCharacter();
    // Writes the selected character's record; false when nothing was written.
    bool SaveCharacter();

  private:
    void buildControls();
    void addPair(int row, const char* firstName, const char* secondName);
    void setEditorsEnabled(bool enabled);

    const rom::RomFile& rom_;
    ui::FileAccess& access_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
    std::unique_ptr<ui::ColumnForm> form_;
    ui::FieldBinder* fields_ = nullptr;
    ui::TextBox* name_ = nullptr;
    // The record as last read: portrait and equipment bytes that their lists cannot show
    // are written back from here unless the user chose a row.
    Character loaded_;
};

} // namespace characters
