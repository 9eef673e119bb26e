#pragma once

#include "rom/FieldTable.h"

#include <QString>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QWidget;

namespace ui {

class TextBox;

// A page laid out as columns of caption-and-box rows, in twips. Each caption is a label
// named after its box (EnemyHPTXT gets EnemyHPLBL).
class ColumnForm {
  public:
    struct Column {
        int captionLeft;
        int captionWidth;
        int boxLeft;
        int boxWidth;
    };
    static constexpr int kBoxHeight = 285;
    static constexpr int kDropDownHeight = 315;

    ColumnForm(QWidget* frame, std::vector<Column> columns, int top, int rowStep);

    TextBox* addTextBox(int column, int row, const QString& name, const QString& caption,
                        int typingLimit);
    // A width of 0 gives the drop-down list its column's box width.
    QComboBox* addDropDown(int column, int row, const QString& name, const QString& caption,
                           int width = 0, const QStringList& rows = {});
    QLabel* addCaption(int column, int row, const QString& boxName, const QString& caption);

    // Where a field's control goes and how much the user may type into it; its caption and
    // whether it is a text box or a drop-down list come with the field.
    struct Place {
        const char* control;
        int column;
        int row;
        int typingLimit;
    };
    template <typename Record>
    void addFields(rom::FieldTable<Record> fields, std::span<const Place> places,
                   int dropDownWidth = 0) {
        for (const Place& place : places) {
            const auto* field = rom::findField(fields, QLatin1String(place.control));
            if (field->shown == rom::Shown::Number)
                addTextBox(place.column, place.row, field->control, field->caption,
                           place.typingLimit);
            else
                addDropDown(place.column, place.row, field->control, field->caption, dropDownWidth,
                            field->rows ? field->rows() : QStringList());
        }
    }

    int rowTop(int row) const { return top_ + row * rowStep_; }
    const Column& column(int index) const { return columns_.at(index); }
    static QString labelName(const QString& boxName);

  private:
    QWidget* frame_;
    std::vector<Column> columns_;
    int top_;
    int rowStep_;
};

} // namespace ui
