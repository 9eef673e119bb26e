#pragma once

#include "characters/CharacterRecord.h"

#include <QObject>
#include <QString>

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
class FieldReader;
class TextBox;
} // namespace ui

namespace characters {

// The "Character Stats" page: the frame CharFRA with its list and fields.
class CharacterPage : public QObject {
    Q_OBJECT
  public:
    CharacterPage(QWidget* window, rom::RomFile& rom);
    ~CharacterPage() override;

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }

    void CharLST_Click();
    void LoadCharacter();
    // Writes the selected character's record; false when nothing was written.
    bool SaveCharacter();

  private:
    template <typename Field> struct Binding {
        ui::TextBox* CharacterPage::*box;
        Field CharacterRecord::*field;
    };
    template <typename Field> struct ListBinding {
        QComboBox* CharacterPage::*list;
        Field CharacterRecord::*field;
    };
    static const Binding<std::int16_t> kSignedBoxes[];
    static const Binding<std::uint8_t> kStatBoxes[];
    static const ListBinding<std::uint8_t> kEquipmentLists[];

    void buildControls();
    void buildLeftColumn();
    void buildRightColumn();
    void addPair(int row, const QString& caption, const QString& firstName,
                 const QString& secondName, ui::TextBox*& first, ui::TextBox*& second);
    void setInitialStates();

    void showRecord(const CharacterRecord& record);
    void showUnknowns(const CharacterRecord& record);
    void LoadCharEXP(const CharacterRecord& record);
    void LoadCharEXP2Level(const CharacterRecord& record);
    void LoadCharTech2Level(const CharacterRecord& record);
    CharacterRecord readPage(ui::FieldReader& reader) const;

    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
    std::unique_ptr<ui::ColumnForm> form_;

    ui::TextBox* name_ = nullptr;
    QComboBox* portrait_ = nullptr;
    ui::TextBox* hpMin_ = nullptr;
    ui::TextBox* hpMax_ = nullptr;
    ui::TextBox* mpMin_ = nullptr;
    ui::TextBox* mpMax_ = nullptr;
    ui::TextBox* power_ = nullptr;
    ui::TextBox* stamina_ = nullptr;
    ui::TextBox* speed_ = nullptr;
    ui::TextBox* magic_ = nullptr;
    ui::TextBox* hit_ = nullptr;
    ui::TextBox* evade_ = nullptr;
    ui::TextBox* magicDefense_ = nullptr;
    ui::TextBox* level_ = nullptr;
    ui::TextBox* experience_ = nullptr;
    ui::TextBox* experienceToLevel_ = nullptr;
    ui::TextBox* techToLevel_ = nullptr;
    QComboBox* weapon_ = nullptr;
    QComboBox* helmet_ = nullptr;
    QComboBox* armor_ = nullptr;
    QComboBox* accessory_ = nullptr;
    ui::TextBox* unknown1_ = nullptr;
    ui::TextBox* unknown2_ = nullptr;
    ui::TextBox* unknown3_ = nullptr;
    ui::TextBox* unknown4_ = nullptr;
    ui::TextBox* unknown5_ = nullptr;
    ui::TextBox* unknown6_ = nullptr;

    // The record as loaded: portrait and equipment bytes that their lists cannot show are
    // written back from here unless the user chose a row.
    CharacterRecord loaded_;
};

} // namespace characters
