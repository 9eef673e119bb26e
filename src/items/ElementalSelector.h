#pragma once

#include <QObject>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace items {

// The six check boxes that compose a weapon's or armor's elemental resistance byte: one
// element bit (fire 16, water 32, shadow 64, lightning 128) plus a strength code (50% is
// 5, 80% is 15). The composed value lives, as decimal text, in the hidden box
// ElementalResistanceTXT, which Apply also reads.
//
// Every handler runs on each change of its box's checked state, whether a click or code
// made it, nested at once inside the change; a handler decides its branch from the state
// its box has when it starts and finishes that branch even if a nested handler changes
// the box again. Several sequences rely on that nesting to undo part of an outer step.
class ElementalSelector : public QObject {
    Q_OBJECT
  public:
    explicit ElementalSelector(QWidget* frame);

    void FireCHK_Click();
    void WaterCHK_Click();
    void ShadowCHK_Click();
    void BoltCHK_Click();
    void FiftyCHK_Click();
    void EightyCHK_Click();

    // Shows a stored byte. The boxes can show only 0 and the eight element values; any
    // other byte leaves them empty and is kept, to be written back as it was, until the
    // user changes one of the boxes.
    void ShowElementalResistance(std::uint8_t stored);

    QLineEdit* heldBox() const { return held_; }
    long long heldValue() const;
    // The stored byte the boxes could not show, while the user has not touched them.
    std::optional<std::uint8_t> keptByte() const { return kept_; }

  private:
    QCheckBox* makeBox(QWidget* frame, const char* name, const char* caption, int left, int top);
    void elementChanged(QCheckBox* box, const std::array<QCheckBox*, 3>& others, int weight);
    void strengthChanged(QCheckBox* box, QCheckBox* other, int weight);
    void runPreset(QCheckBox* element, QCheckBox* strength, int value);
    void addToHeld(long long amount);
    void setHeld(long long value);
    void forgetKeptByte();

    QCheckBox* fire_ = nullptr;
    QCheckBox* water_ = nullptr;
    QCheckBox* shadow_ = nullptr;
    QCheckBox* bolt_ = nullptr;
    QCheckBox* fifty_ = nullptr;
    QCheckBox* eighty_ = nullptr;
    QLineEdit* held_ = nullptr;
    std::optional<std::uint8_t> kept_;
    bool showingStored_ = false;
};

} // namespace items
