#include "characters/CharacterPage.h"

#include "characters/DigitKeyFilter.h"
#include "rom/RomFile.h"
#include "ui/ColumnForm.h"
#include "ui/Controls.h"
#include "ui/FieldReader.h"
#include "ui/NumberText.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace characters {
namespace {

const QStringList kCharacterNames = {"Aldo",   "Brenna", "Cassia", "Dunmore",
                                     "Edrick", "Fenna",  "Garrow"};

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

} // namespace

const CharacterPage::Binding<std::int16_t> CharacterPage::kSignedBoxes[] = {
    {&CharacterPage::hpMin_, &CharacterRecord::hpMin},
    {&CharacterPage::hpMax_, &CharacterRecord::hpMax},
    {&CharacterPage::mpMin_, &CharacterRecord::mpMin},
    {&CharacterPage::mpMax_, &CharacterRecord::mpMax},
};

const CharacterPage::Binding<std::uint8_t> CharacterPage::kStatBoxes[] = {
    {&CharacterPage::power_, &CharacterRecord::power},
    {&CharacterPage::stamina_, &CharacterRecord::stamina},
    {&CharacterPage::speed_, &CharacterRecord::speed},
    {&CharacterPage::magic_, &CharacterRecord::magic},
    {&CharacterPage::hit_, &CharacterRecord::hit},
    {&CharacterPage::evade_, &CharacterRecord::evade},
    {&CharacterPage::magicDefense_, &CharacterRecord::magicDefense},
    {&CharacterPage::level_, &CharacterRecord::level},
};

const CharacterPage::ListBinding<std::uint8_t> CharacterPage::kEquipmentLists[] = {
    {&CharacterPage::helmet_, &CharacterRecord::helmet},
    {&CharacterPage::armor_, &CharacterRecord::armor},
    {&CharacterPage::weapon_, &CharacterRecord::weapon},
    {&CharacterPage::accessory_, &CharacterRecord::accessory},
};

CharacterPage::CharacterPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "CharFRA", ui::twips(330, 450, 9555, 5385));
    list_ = ui::makeList(frame_, "CharLST", ui::twips(kListLeft, kTop, kListWidth, kListHeight),
                         kCharacterNames);
    form_ = std::make_unique<ui::ColumnForm>(frame_, kColumns, kTop, kRowStep);
    buildControls();
    setInitialStates();
    frame_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            CharLST_Click();
    });
}

void CharacterPage::buildControls() {
    buildLeftColumn();
    buildRightColumn();
    new DigitKeyFilter(power_);
    ui::lockGrey(name_);
    for (ui::TextBox* box : {unknown1_, unknown2_, unknown3_, unknown4_, unknown5_, unknown6_})
        ui::lockGrey(box);
}

CharacterPage::~CharacterPage() = default;

// The page's captions and typing limits, column by column from the top.
void CharacterPage::buildLeftColumn() {
    name_ = form_->addTextBox(0, 0, "CharNameTXT", "Name:", 5);
    portrait_ =
        form_->addDropDown(0, 1, "CharPortraitCBO", "Character Portrait:", 0, kCharacterNames);
    addPair(2, "HP (Min / Max):", "CharHPMINTXT", "CharHPMAXTXT", hpMin_, hpMax_);
    addPair(3, "MP (Min / Max):", "CharMPMINTXT", "CharMPMAXTXT", mpMin_, mpMax_);
    power_ = form_->addTextBox(0, 4, "CharPowerTXT", "Power:", 2);
    stamina_ = form_->addTextBox(0, 5, "CharStaminaTXT", "Stamina:", 2);
    speed_ = form_->addTextBox(0, 6, "CharSpeedTXT", "Speed:", 2);
    magic_ = form_->addTextBox(0, 7, "CharMagicTXT", "Magic:", 2);
    hit_ = form_->addTextBox(0, 8, "CharHitTXT", "Hit:", 2);
    evade_ = form_->addTextBox(0, 9, "CharEvadeTXT", "Evade:", 2);
    magicDefense_ = form_->addTextBox(0, 10, "CharMagicDefenseTXT", "Magic Defense:", 2);
    level_ = form_->addTextBox(0, 11, "CharLevelTXT", "Level:", 2);
}

void CharacterPage::buildRightColumn() {
    experience_ = form_->addTextBox(1, 0, "CharEXPTXT", "Experience:", 5);
    experienceToLevel_ = form_->addTextBox(1, 1, "CharEXP2LevelTXT", "Experience to Level:", 5);
    techToLevel_ = form_->addTextBox(1, 2, "CharTech2LevelTXT", "Tech to Level:", 5);
    weapon_ = form_->addDropDown(1, 3, "CharWeaponCBO", "Weapon:");
    helmet_ = form_->addDropDown(1, 4, "CharHelmetCBO", "Helmet:");
    armor_ = form_->addDropDown(1, 5, "CharArmorCBO", "Armor:");
    accessory_ = form_->addDropDown(1, 6, "CharAccessoryCBO", "Accessory:");
    unknown1_ = form_->addTextBox(1, 7, "CharUnknown1TXT", "Unknown 1:", 0);
    unknown2_ = form_->addTextBox(1, 8, "CharUnknown2TXT", "Unknown 2:", 0);
    unknown3_ = form_->addTextBox(1, 9, "CharUnknown3TXT", "Unknown 3:", 0);
    unknown4_ = form_->addTextBox(1, 10, "CharUnknown4TXT", "Unknown 4:", 0);
    unknown5_ = form_->addTextBox(1, 11, "CharUnknown5TXT", "Unknown 5:", 0);
    unknown6_ = form_->addTextBox(1, 12, "CharUnknown6TXT", "Unknown 6:", 0);
}

// One caption for two boxes: both name the pair's caption in messages.
void CharacterPage::addPair(int row, const QString& caption, const QString& firstName,
                            const QString& secondName, ui::TextBox*& first, ui::TextBox*& second) {
    constexpr int kPairTypingLimit = 3;
    const ui::ColumnForm::Column& c = form_->column(0);
    const int top = form_->rowTop(row);
    constexpr int kBoxHeight = ui::ColumnForm::kBoxHeight;
    form_->addCaption(0, row, firstName, caption);
    first = ui::makeTextBox(frame_, firstName, ui::twips(c.boxLeft, top, kPairBoxWidth, kBoxHeight),
                            kPairTypingLimit);
    QLabel* slash =
        ui::makeLabel(frame_, ui::ColumnForm::labelName(secondName).replace("MAXLBL", "SlashLBL"),
                      " / ", ui::twips(c.boxLeft + kPairBoxWidth, top, kSlashWidth, kBoxHeight));
    slash->setAlignment(Qt::AlignCenter);
    second = ui::makeTextBox(
        frame_, secondName,
        ui::twips(c.boxLeft + kPairBoxWidth + kSlashWidth, top, kPairBoxWidth, kBoxHeight),
        kPairTypingLimit);
    form_->setCaption(first, caption);
    form_->setCaption(second, caption);
}

// Before the first character is loaded only "Tech to Level:" and the read-only boxes are
// enabled.
void CharacterPage::setInitialStates() {
    const QList<QWidget*> disabled = {list_,
                                      name_,
                                      portrait_,
                                      hpMin_,
                                      hpMax_,
                                      mpMin_,
                                      mpMax_,
                                      power_,
                                      stamina_,
                                      speed_,
                                      magic_,
                                      hit_,
                                      evade_,
                                      magicDefense_,
                                      level_,
                                      experience_,
                                      experienceToLevel_,
                                      weapon_,
                                      helmet_,
                                      armor_,
                                      accessory_};
    for (QWidget* control : disabled)
        control->setEnabled(false);
}

void CharacterPage::CharLST_Click() {
    LoadCharacter();
    if (QListWidgetItem* row = list_->currentItem())
        name_->setText(row->text());
}

void CharacterPage::LoadCharacter() {
    const int index = list_->currentRow();
    if (index < 0)
        return;
    const CharacterRecord record = CharacterRecord::read(rom_, index);
    loaded_ = record;
    const QList<QWidget*> enabled = {
        list_,  name_,      portrait_, hpMin_,    hpMax_,    mpMin_,        mpMax_,    power_,
        speed_, stamina_,   magic_,    hit_,      evade_,    magicDefense_, weapon_,   helmet_,
        armor_, accessory_, unknown1_, unknown2_, unknown3_, unknown4_,     unknown5_, unknown6_};
    for (QWidget* control : enabled)
        control->setEnabled(true);
    showRecord(record);
    LoadCharEXP(record);
    LoadCharEXP2Level(record);
    LoadCharTech2Level(record);
    for (QWidget* control : {static_cast<QWidget*>(level_), static_cast<QWidget*>(experience_),
                             static_cast<QWidget*>(experienceToLevel_)})
        control->setEnabled(true);
}

void CharacterPage::showRecord(const CharacterRecord& record) {
    ui::showByteRow(portrait_, record.portrait);
    for (const auto& stat : kStatBoxes)
        (this->*stat.box)->setText(QString::number(record.*stat.field));
    for (const auto& signedBox : kSignedBoxes)
        (this->*signedBox.box)->setText(QString::number(record.*signedBox.field));
    for (const auto& item : kEquipmentLists)
        ui::showByteRow(this->*item.list, record.*item.field);
    showUnknowns(record);
}

void CharacterPage::showUnknowns(const CharacterRecord& record) {
    unknown1_->setText(QString::number(record.unknown1));
    unknown2_->setText(QString::number(record.unknown2));
    unknown3_->setText(QString::number(record.unknown3));
    unknown4_->setText(QString::number(record.unknown4));
    unknown5_->setText(QString::number(record.unknown5));
    unknown6_->setText(QString::number(record.unknown6));
}

void CharacterPage::LoadCharEXP(const CharacterRecord& record) {
    experience_->setText(QString::number(record.experience));
}

void CharacterPage::LoadCharEXP2Level(const CharacterRecord& record) {
    experienceToLevel_->setText(QString::number(record.experienceToLevel));
}

void CharacterPage::LoadCharTech2Level(const CharacterRecord& record) {
    techToLevel_->setText(QString::number(record.techToLevel));
}

// Converts every field that SaveCharacter writes, in the order it writes them; the
// read-only fields keep what was loaded and are not written.
CharacterRecord CharacterPage::readPage(ui::FieldReader& reader) const {
    CharacterRecord record = loaded_;
    record.portrait = ui::selectedByte(portrait_, loaded_.portrait);
    for (const auto& signedBox : kSignedBoxes) {
        const ui::TextBox* box = this->*signedBox.box;
        record.*signedBox.field = reader.signed16(box, form_->caption(box));
    }
    for (const auto& stat : kStatBoxes) {
        const ui::TextBox* box = this->*stat.box;
        record.*stat.field = reader.byte(box, form_->caption(box));
    }
    record.experience = reader.unsigned16(experience_, form_->caption(experience_));
    for (const auto& item : kEquipmentLists)
        record.*item.field = ui::selectedByte(this->*item.list, loaded_.*item.field);
    record.experienceToLevel =
        reader.unsigned16(experienceToLevel_, form_->caption(experienceToLevel_));
    record.techToLevel = reader.unsigned16(techToLevel_, form_->caption(techToLevel_));
    return record;
}

bool CharacterPage::SaveCharacter() {
    const int index = list_->currentRow();
    if (index < 0)
        return false;
    ui::FieldReader reader;
    reader.requireInFile(rom_, characterOffset(index), kCharacterRecordSize);
    const CharacterRecord record = readPage(reader);
    if (!reader.report(frame_->window()))
        return false;
    ui::checkWritten(frame_->window(), rom_, record.writeEditable(rom_, index));
    return true; // the page keeps what the user typed
}

} // namespace characters
