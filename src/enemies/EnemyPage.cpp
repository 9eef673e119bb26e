#include "enemies/EnemyPage.h"

#include "binding/FieldBinder.h"
#include "ui/ColumnForm.h"
#include "ui/Controls.h"
#include "ui/FileAccess.h"

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

constexpr ui::ColumnForm::Place kPlaces[] = {
    {"EnemyLevelTXT", 0, 1, 3},     {"EnemyHPTXT", 0, 2, 5},        {"EnemyAttackTXT", 0, 3, 3},
    {"EnemySpeedTXT", 0, 4, 3},     {"EnemyMagicTXT", 0, 5, 3},     {"EnemyDefenseTXT", 0, 6, 3},
    {"EnemyEvadeTXT", 0, 7, 3},     {"EnemyBoltDefTXT", 0, 8, 3},   {"EnemyFireDefTXT", 0, 9, 3},
    {"EnemyWaterDefTXT", 0, 10, 3}, {"EnemyDarkDefTXT", 0, 11, 3},  {"EnemyUnknown3TXT", 1, 2, 5},
    {"EnemyEXPTXT", 1, 3, 5},       {"EnemyGilTXT", 1, 4, 5},       {"EnemyTechTXT", 1, 5, 3},
    {"EnemyItemDropCBO", 1, 6, 0},  {"EnemyItemCharmCBO", 1, 7, 0},
};

const QString kNoteText = QStringLiteral("An editor for the enemies' AI may come in a later "
                                         "version.");
const QString kNotAvailable = QStringLiteral("N/A");

} // namespace

EnemyPage::EnemyPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access)
    : rom_(rom), access_(access) {
    frame_ = ui::makeFrame(window, "EnemyFRA", ui::twips(330, 450, 9555, 4755));
    list_ = ui::makeList(frame_, "EnemyLST", ui::twips(kListLeft, kTop, kListWidth, kListHeight));
    form_ = std::make_unique<ui::ColumnForm>(frame_, kColumns, kTop, kRowStep);
    fields_ = new ui::FieldBinder(frame_);
    buildControls();
    setEditorsEnabled(false);
    frame_->hide();
}

EnemyPage::~EnemyPage() = default;

void EnemyPage::buildControls() {
    name_ = form_->addTextBox(0, 0, "EnemyNameTXT", "Name:", 11);
    name_->setToolTip(QStringLiteral("Names are not written by this editor."));
    ignoreForEdits(name_);
    ui::TextBox* unknown1 = form_->addTextBox(1, 0, "EnemyUnknown1TXT", "Unknown 1:", 0);
    ui::TextBox* unknown2 = form_->addTextBox(1, 1, "EnemyUnknown2TXT", "Unknown 2:", 0);
    unknown1->setText(kNotAvailable);
    unknown2->setText(kNotAvailable);
    form_->addFields(enemyFields(), std::span(kPlaces), kDropDownWidth);
    for (const char* name : {"EnemyUnknown1TXT", "EnemyUnknown2TXT", "EnemyUnknown3TXT"})
        ui::lockGrey(frame_->findChild<ui::TextBox*>(name));

    const ui::ColumnForm::Column& right = form_->column(1);
    QLabel* note =
        ui::makeLabel(frame_, "EnemyAINoteLBL", kNoteText,
                      ui::twips(right.captionLeft, form_->rowTop(8),
                                right.boxLeft - right.captionLeft + kDropDownWidth, kNoteHeight));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// The list, the name box and every field a save writes; the unknown boxes stay enabled.
void EnemyPage::setEditorsEnabled(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(list_), static_cast<QWidget*>(name_)})
        control->setEnabled(enabled);
    fields_->setWrittenEnabled(enemyFields(), enabled);
}

QList<QComboBox*> EnemyPage::itemDropDowns() const {
    return {frame_->findChild<QComboBox*>("EnemyItemDropCBO"),
            frame_->findChild<QComboBox*>("EnemyItemCharmCBO")};
}

void EnemyPage::EnemyLST_Click() {
    LoadEnemy();
    if (QListWidgetItem* row = list_->currentItem())
        name_->setText(row->text());
    rememberShownValues();
}

void EnemyPage::LoadEnemy() {
    const int index = list_->currentRow();
    if (index < 0 || !access_.stillSameFile())
        return;
    loaded_ = rom::readRecord(rom_, enemyFields(), index);
    setEditorsEnabled(true);
    fields_->show(enemyFields(), loaded_);
}

bool EnemyPage::SaveEnemy() {
    const int index = list_->currentRow();
    if (index < 0)
        return false; // the list was refilled and nothing is selected
    const auto outcome = fields_->save(
        rom_, access_, {records::RecordKind::Enemy, index, list_->currentItem()->text()},
        enemyFields(), loaded_);
    if (!outcome || *outcome == ui::FileAccess::Outcome::Refused)
        return false;
    LoadEnemy(); // shows what the file now holds; the name box keeps what was typed
    rememberShownValues();
    return *outcome == ui::FileAccess::Outcome::Written;
}

} // namespace enemies
