#include "enemies/EnemyPage.h"

#include "rom/RomFile.h"
#include "ui/ColumnForm.h"
#include "ui/Controls.h"
#include "ui/FieldReader.h"
#include "ui/NumberText.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace enemies {
namespace {

// Layout of the page in twips: the list at the left, then two columns of caption and box.
constexpr int kListLeft = 120;
constexpr int kListWidth = 2000;
constexpr int kListHeight = 4300;
constexpr int kTop = 240;
constexpr int kRowStep = 345;
const std::vector<ui::ColumnForm::Column> kColumns = {{2280, 1530, 3840, 1200},
                                                      {5220, 1200, 6450, 1200}};
constexpr int kDropDownWidth = 2940;
constexpr int kNoteHeight = 1200;

const QString kNoteText = QStringLiteral("An editor for the enemies' AI may come in a later "
                                         "version.");
const QString kNotAvailable = QStringLiteral("N/A");

} // namespace

// Byte fields of the stat record, in the order they are checked and written.
const EnemyPage::StatBox EnemyPage::kStatBoxes[] = {
    {&EnemyPage::level_, &EnemyStatRecord::level},
    {&EnemyPage::speed_, &EnemyStatRecord::speed},
    {&EnemyPage::magic_, &EnemyStatRecord::magic},
    {&EnemyPage::attack_, &EnemyStatRecord::attack},
    {&EnemyPage::defense_, &EnemyStatRecord::defense},
    {&EnemyPage::boltDefense_, &EnemyStatRecord::boltDefense},
    {&EnemyPage::fireDefense_, &EnemyStatRecord::fireDefense},
    {&EnemyPage::waterDefense_, &EnemyStatRecord::waterDefense},
    {&EnemyPage::darkDefense_, &EnemyStatRecord::darkDefense},
    {&EnemyPage::evade_, &EnemyStatRecord::evade},
};

EnemyPage::EnemyPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "EnemyFRA", ui::twips(330, 450, 9555, 4755));
    list_ = ui::makeList(frame_, "EnemyLST", ui::twips(kListLeft, kTop, kListWidth, kListHeight));
    form_ = std::make_unique<ui::ColumnForm>(frame_, kColumns, kTop, kRowStep);
    buildControls();
    setEditorsEnabled(false);
    frame_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            EnemyLST_Click();
    });
}

EnemyPage::~EnemyPage() = default;

// The page's captions and typing limits, column by column from the top.
void EnemyPage::buildControls() {
    name_ = form_->addTextBox(0, 0, "EnemyNameTXT", "Name:", 11);
    level_ = form_->addTextBox(0, 1, "EnemyLevelTXT", "Level:", 3);
    hp_ = form_->addTextBox(0, 2, "EnemyHPTXT", "HP:", 5);
    attack_ = form_->addTextBox(0, 3, "EnemyAttackTXT", "Attack:", 3);
    speed_ = form_->addTextBox(0, 4, "EnemySpeedTXT", "Speed:", 3);
    magic_ = form_->addTextBox(0, 5, "EnemyMagicTXT", "Magic:", 3);
    defense_ = form_->addTextBox(0, 6, "EnemyDefenseTXT", "Defense:", 3);
    evade_ = form_->addTextBox(0, 7, "EnemyEvadeTXT", "Evade:", 3);
    boltDefense_ = form_->addTextBox(0, 8, "EnemyBoltDefTXT", "Lightning Defense:", 3);
    fireDefense_ = form_->addTextBox(0, 9, "EnemyFireDefTXT", "Fire Defense:", 3);
    waterDefense_ = form_->addTextBox(0, 10, "EnemyWaterDefTXT", "Water Defense:", 3);
    darkDefense_ = form_->addTextBox(0, 11, "EnemyDarkDefTXT", "Shadow Defense:", 3);

    unknown1_ = form_->addTextBox(1, 0, "EnemyUnknown1TXT", "Unknown 1:", 0);
    unknown2_ = form_->addTextBox(1, 1, "EnemyUnknown2TXT", "Unknown 2:", 0);
    unknown3_ = form_->addTextBox(1, 2, "EnemyUnknown3TXT", "Unknown 3:", 5);
    experience_ = form_->addTextBox(1, 3, "EnemyEXPTXT", "Experience:", 5);
    gil_ = form_->addTextBox(1, 4, "EnemyGilTXT", "Gil:", 5);
    techPoints_ = form_->addTextBox(1, 5, "EnemyTechTXT", "Tech Points:", 3);
    dropItem_ = form_->addDropDown(1, 6, "EnemyItemDropCBO", "Item Dropped:", kDropDownWidth);
    charmItem_ = form_->addDropDown(1, 7, "EnemyItemCharmCBO", "Item Charmed:", kDropDownWidth);
    const ui::ColumnForm::Column& right = form_->column(1);
    note_ =
        ui::makeLabel(frame_, "EnemyAINoteLBL", kNoteText,
                      ui::twips(right.captionLeft, form_->rowTop(8),
                                right.boxLeft - right.captionLeft + kDropDownWidth, kNoteHeight));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (ui::TextBox* box : {unknown1_, unknown2_, unknown3_})
        ui::lockGrey(box);
    unknown1_->setText(kNotAvailable);
    unknown2_->setText(kNotAvailable);
}

// Everything the user edits; the three unknown boxes stay enabled throughout.
void EnemyPage::setEditorsEnabled(bool enabled) {
    const QList<QWidget*> editors = {
        list_,       name_,  hp_,          attack_,      speed_,        magic_,
        defense_,    evade_, boltDefense_, fireDefense_, waterDefense_, darkDefense_,
        experience_, gil_,   techPoints_,  dropItem_,    charmItem_,    level_};
    for (QWidget* editor : editors)
        editor->setEnabled(enabled);
}

void EnemyPage::EnemyLST_Click() {
    LoadEnemy();
    if (QListWidgetItem* row = list_->currentItem())
        name_->setText(row->text());
}

void EnemyPage::LoadEnemy() {
    const int index = list_->currentRow();
    if (index < 0)
        return;
    const EnemyStatRecord stats = EnemyStatRecord::read(rom_, index);
    const EnemyRewardRecord rewards = EnemyRewardRecord::read(rom_, index);
    loadedRewards_ = rewards;
    setEditorsEnabled(true);
    unknown1_->setEnabled(true);
    showRecords(stats, rewards);
    LoadEXP(rewards);
    LoadGil(rewards);
    LoadHP(stats);
    LoadUnknown3(index);
}

void EnemyPage::showRecords(const EnemyStatRecord& stats, const EnemyRewardRecord& rewards) {
    for (const StatBox& stat : kStatBoxes)
        (this->*stat.box)->setText(QString::number(stats.*stat.field));
    ui::showByteRow(dropItem_, rewards.dropItem);
    ui::showByteRow(charmItem_, rewards.charmItem);
    techPoints_->setText(QString::number(rewards.techPoints));
}

void EnemyPage::LoadHP(const EnemyStatRecord& stats) {
    hp_->setText(ui::unsignedText(stats.hp));
}

void EnemyPage::LoadEXP(const EnemyRewardRecord& rewards) {
    experience_->setText(ui::unsignedText(rewards.experience));
}

void EnemyPage::LoadGil(const EnemyRewardRecord& rewards) {
    gil_->setText(ui::unsignedText(rewards.gil));
}

void EnemyPage::LoadUnknown3(int index) {
    unknown3_->setText(ui::unsignedText(readUnknown3(rom_, index)));
}

// Converts every field that SaveEnemy writes, in the order it writes them.
bool EnemyPage::readPage(ui::FieldReader& reader, EnemyStatRecord& stats,
                         EnemyRewardRecord& rewards) const {
    for (const StatBox& stat : kStatBoxes) {
        const ui::TextBox* box = this->*stat.box;
        stats.*stat.field = reader.byte(box, form_->caption(box));
    }
    rewards.dropItem = ui::selectedByte(dropItem_, loadedRewards_.dropItem);
    rewards.charmItem = ui::selectedByte(charmItem_, loadedRewards_.charmItem);
    rewards.techPoints = reader.byte(techPoints_, form_->caption(techPoints_));
    stats.hp = reader.wrapped16(hp_, form_->caption(hp_));
    rewards.experience = reader.wrapped16(experience_, form_->caption(experience_));
    rewards.gil = reader.wrapped16(gil_, form_->caption(gil_));
    return reader.ok();
}

bool EnemyPage::SaveEnemy() {
    const int index = list_->currentRow();
    if (index < 0)
        return false; // the list was refilled and nothing is selected
    ui::FieldReader reader;
    reader.requireInFile(rom_, statOffset(index), kStatRecordSize);
    reader.requireInFile(rom_, rewardOffset(index), kRewardRecordSize);
    EnemyStatRecord stats;
    EnemyRewardRecord rewards;
    readPage(reader, stats, rewards);
    if (!reader.report(frame_->window()))
        return false;
    ui::checkWritten(frame_->window(), rom_, writeEnemy(rom_, index, stats, rewards));
    LoadEnemy(); // shows what the file now holds; the name box keeps what was typed
    return true;
}

} // namespace enemies
