#include "items/ElementalSelector.h"

#include "items/Elemental.h"
#include "items/WideCheckBox.h"
#include "rom/NumberRules.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QLineEdit>

#include <bit>

namespace items {

namespace {
constexpr int kBoxWidth = 1800;
constexpr int kBoxHeight = 255;
} // namespace

ElementalSelector::ElementalSelector(QWidget* frame) : QObject(frame) {
    fire_ = makeBox(frame, "FireCHK", "Resist Fire", 8100, 4920);
    water_ = makeBox(frame, "WaterCHK", "Resist Water", 8100, 5220);
    shadow_ = makeBox(frame, "ShadowCHK", "Resist Shadow", 8100, 5520);
    bolt_ = makeBox(frame, "BoltCHK", "Resist Lightning", 8100, 5820);
    fifty_ = makeBox(frame, "FiftyCHK", "50% Resistance", 8100, 6180);
    eighty_ = makeBox(frame, "EightyCHK", "80% Resistance", 8100 + kBoxWidth + 60, 6180);
    fifty_->setEnabled(false);
    eighty_->setEnabled(false);

    held_ = ui::makeTextBox(frame, "ElementalResistanceTXT", ui::twips(8100, 6480, 1000, 285));
    held_->setText("0");
    held_->hide();

    // toggled, not stateChanged: during a click Qt reports a state change of the clicked
    // box itself through toggled only, and the cascades uncheck the clicked box again.
    connect(fire_, &QCheckBox::toggled, this, &ElementalSelector::FireCHK_Click);
    connect(water_, &QCheckBox::toggled, this, &ElementalSelector::WaterCHK_Click);
    connect(shadow_, &QCheckBox::toggled, this, &ElementalSelector::ShadowCHK_Click);
    connect(bolt_, &QCheckBox::toggled, this, &ElementalSelector::BoltCHK_Click);
    connect(fifty_, &QCheckBox::toggled, this, &ElementalSelector::FiftyCHK_Click);
    connect(eighty_, &QCheckBox::toggled, this, &ElementalSelector::EightyCHK_Click);
}

QCheckBox* ElementalSelector::makeBox(QWidget* frame, const char* name, const char* caption,
                                      int left, int top) {
    return makeWideCheckBox(frame, QString::fromLatin1(name), QString::fromLatin1(caption),
                            ui::twips(left, top, kBoxWidth, kBoxHeight));
}

void ElementalSelector::FireCHK_Click() {
    elementChanged(fire_, {water_, shadow_, bolt_}, kFire);
}
void ElementalSelector::WaterCHK_Click() {
    elementChanged(water_, {fire_, shadow_, bolt_}, kWater);
}
void ElementalSelector::ShadowCHK_Click() {
    elementChanged(shadow_, {water_, fire_, bolt_}, kShadow);
}
void ElementalSelector::BoltCHK_Click() {
    elementChanged(bolt_, {water_, shadow_, fire_}, kBolt);
}
void ElementalSelector::FiftyCHK_Click() {
    strengthChanged(fifty_, eighty_, kFifty);
}
void ElementalSelector::EightyCHK_Click() {
    strengthChanged(eighty_, fifty_, kEighty);
}

// Checking fire also checks 50% and leaves 80% as it is; the other elements offer both.
void ElementalSelector::elementChanged(QCheckBox* box, const std::array<QCheckBox*, 3>& others,
                                       int weight) {
    forgetKeptByte();
    if (box->isChecked()) {
        for (QCheckBox* other : others) {
            other->setChecked(false);
            other->setEnabled(false);
        }
        fifty_->setEnabled(true);
        if (box == fire_)
            fifty_->setChecked(true);
        else
            eighty_->setEnabled(true);
        addToHeld(weight);
    } else {
        for (QCheckBox* other : others) {
            other->setChecked(false);
            other->setEnabled(true);
        }
        fifty_->setEnabled(false);
        eighty_->setEnabled(false);
        addToHeld(-weight);
    }
}

void ElementalSelector::strengthChanged(QCheckBox* box, QCheckBox* other, int weight) {
    forgetKeptByte();
    const bool checked = box->isChecked();
    other->setChecked(false);
    other->setEnabled(!checked);
    addToHeld(checked ? weight : -weight);
}

// The handlers that the steps set off run as usual; the final value replaces whatever
// they left in the held value.
void ElementalSelector::runPreset(QCheckBox* element, QCheckBox* strength, int value) {
    for (QCheckBox* box : {fire_, water_, shadow_, bolt_}) {
        box->setChecked(box == element);
        box->setEnabled(element == nullptr || box == element);
    }
    for (QCheckBox* box : {fifty_, eighty_}) {
        box->setEnabled(box == strength);
        box->setChecked(box == strength);
    }
    setHeld(value);
}

void ElementalSelector::ShowElementalResistance(std::uint8_t stored) {
    showingStored_ = true;
    runPreset(nullptr, nullptr, 0);
    if (stored == 0) {
        runPreset(nullptr, nullptr, 0); // a second reset disables a 50% box the first one freed
    } else if (isShowableElement(stored)) {
        QCheckBox* const elements[] = {fire_, water_, shadow_, bolt_};
        QCheckBox* element = elements[std::countr_zero(unsigned(stored & 0xF0)) - 4];
        runPreset(element, (stored & 0x0F) == kFifty ? fifty_ : eighty_, stored);
    }
    showingStored_ = false;
    kept_ = isShowableElement(stored) ? std::nullopt : std::optional<std::uint8_t>(stored);
}

long long ElementalSelector::heldValue() const {
    return rom::parseWholeNumber(held_->text()).value_or(0);
}

void ElementalSelector::addToHeld(long long amount) {
    setHeld(heldValue() + amount);
}

void ElementalSelector::setHeld(long long value) {
    held_->setText(QString::number(value));
}

// A change the user makes replaces a stored byte the boxes could not show.
void ElementalSelector::forgetKeptByte() {
    if (!showingStored_)
        kept_.reset();
}

} // namespace items
