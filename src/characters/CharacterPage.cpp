#include "characters/CharacterPage.h"

#include "binding/FieldBinder.h"
#include "characters/DigitKeyFilter.h"
#include "ui/ColumnForm.h"
#include "ui/Controls.h"
#include "ui/FileAccess.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace characters {
namespace {

// Layout of the page in twips: the list at the left, then two columns of caption and box.
constexpr int kListLeft = 120;
constexpr int kListWidth = 1500;
constexpr int kListHeight = 2000;
constexpr int kTop = 240;
constexpr int kRowStep = 375;
const std::vector<ui::ColumnForm::Column> kColumns = {{1740, 1650, 3420, 1500},
                                                      {5100, 1650, 6780, 2640}};
// The two boxes of an HP or MP pair with " / " between them.
constexpr int kPairBoxWidth = 600;
constexpr int kSlashWidth = 300;
constexpr int kPairTypingLimit = 3;

// The single controls; the HP and MP pairs are laid out apart.
constexpr ui::ColumnForm::Place kPlaces[] = {
    {"CharPortraitCBO", 0, 1, 0},  {"CharPowerTXT", 0, 4, 2},
    {"CharStaminaTXT", 0, 5, 2},   {"CharSpeedTXT", 0, 6, 2},
    {"CharMagicTXT", 0, 7, 2},     {"CharHitTXT", 0, 8, 2},
    {"CharEvadeTXT", 0, 9, 2},     {"CharMagicDefenseTXT", 0, 10, 2},
    {"CharLevelTXT", 0, 11, 2},    {"CharEXPTXT", 1, 0, 5},
    {"CharEXP2LevelTXT", 1, 1, 5}, {"CharTech2LevelTXT", 1, 2, 5},
    {"CharWeaponCBO", 1, 3, 0},    {"CharHelmetCBO", 1, 4, 0},
    {"CharArmorCBO", 1, 5, 0},     {"CharAccessoryCBO", 1, 6, 0},
    {"CharUnknown1TXT", 1, 7, 0},  {"CharUnknown2TXT", 1, 8, 0},
    {"CharUnknown3TXT", 1, 9, 0},  {"CharUnknown4TXT", 1, 10, 0},
    {"CharUnknown5TXT", 1, 11, 0}, {"CharUnknown6TXT", 1, 12, 0},
};

} // namespace

CharacterPage::CharacterPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access)
    : rom_(rom), access_(access) {
    frame_ = ui::makeFrame(window, "CharFRA", ui::twips(330, 450, 9555, 5385));
    list_ = ui::makeList(frame_, "CharLST", ui::twips(kListLeft, kTop, kListWidth, kListHeight),
                         characterNames());
    form_ = std::make_unique<ui::ColumnForm>(frame_, kColumns, kTop, kRowStep);
    fields_ = new ui::FieldBinder(frame_);
    buildControls();
    setEditorsEnabled(false);
    frame_->hide();
}

CharacterPage::~CharacterPage() = default;

void CharacterPage::buildControls() {
    name_ = form_->addTextBox(0, 0, "CharNameTXT", "Name:", 5);
    addPair(2, "CharHPMINTXT", "CharHPMAXTXT");
    addPair(3, "CharMPMINTXT", "CharMPMAXTXT");
    form_->addFields(characterFields(), std::span(kPlaces));
    new DigitKeyFilter(frame_->findChild<ui::TextBox*>("CharPowerTXT"));
    ui::lockGrey(name_);
    for (const rom::Field<Character>& field : characterFields())
        if (!field.written)
            ui::lockGrey(frame_->findChild<ui::TextBox*>(QLatin1String(field.control)));
}

// One caption for two boxes, with " / " between them.
void CharacterPage::addPair(int row, const char* firstName, const char* secondName) {
    const QString caption =
        QLatin1String(rom::findField(characterFields(), QLatin1String(firstName))->caption);
    const ui::ColumnForm::Column& c = form_->column(0);
    const int top = form_->rowTop(row);
    constexpr int kBoxHeight = ui::ColumnForm::kBoxHeight;
    QLabel* label = form_->addCaption(0, row, firstName, caption);
    setCaption(ui::makeTextBox(frame_, firstName,
                               ui::twips(c.boxLeft, top, kPairBoxWidth, kBoxHeight),
                               kPairTypingLimit),
               label);
    QLabel* slash =
        ui::makeLabel(frame_, ui::ColumnForm::labelName(secondName).replace("MAXLBL", "SlashLBL"),
                      " / ", ui::twips(c.boxLeft + kPairBoxWidth, top, kSlashWidth, kBoxHeight));
    slash->setAlignment(Qt::AlignCenter);
    setCaption(ui::makeTextBox(frame_, secondName,
                               ui::twips(c.boxLeft + kPairBoxWidth + kSlashWidth, top,
                                         kPairBoxWidth, kBoxHeight),
                               kPairTypingLimit),
               label);
}

// The list, the name box and every field a save writes. "Tech to Level:" stays enabled
// before the first character is loaded, as it always has.
void CharacterPage::setEditorsEnabled(bool enabled) {
    list_->setEnabled(enabled);
    name_->setEnabled(enabled);
    fields_->setWrittenEnabled(characterFields(), enabled);
    frame_->findChild<QWidget*>("CharTech2LevelTXT")->setEnabled(true);
}

QList<QComboBox*> CharacterPage::itemDropDowns() const {
    return {frame_->findChild<QComboBox*>("CharWeaponCBO"),
            frame_->findChild<QComboBox*>("CharHelmetCBO"),
            frame_->findChild<QComboBox*>("CharArmorCBO"),
            frame_->findChild<QComboBox*>("CharAccessoryCBO")};
}

void CharacterPage::CharLST_Click() {
    LoadCharacter();
    if (QListWidgetItem* row = list_->currentItem())
        name_->setText(row->text());
    rememberShownValues();
}

void CharacterPage::LoadCharacter() {
    const int index = list_->currentRow();
    if (index < 0 || !access_.stillSameFile())
        return;
    loaded_ = rom::readRecord(rom_, characterFields(), index);
    setEditorsEnabled(true);
    fields_->show(characterFields(), loaded_);
}

bool CharacterPage::SaveCharacter() {
    const int index = list_->currentRow();
    if (index < 0)
        return false;
    const auto outcome = fields_->save(
        rom_, access_, {records::RecordKind::Character, index, list_->currentItem()->text()},
        characterFields(), loaded_);
    if (outcome == ui::FileAccess::Outcome::Conflict)
        LoadCharacter();
    else if (outcome == ui::FileAccess::Outcome::Written ||
             outcome == ui::FileAccess::Outcome::Failed)
        loaded_ = rom::readRecord(rom_, characterFields(), index); // the page keeps what was typed
    rememberShownValues();
    return outcome == ui::FileAccess::Outcome::Written;
}

} // namespace characters
