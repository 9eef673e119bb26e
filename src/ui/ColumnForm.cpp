#include "ui/ColumnForm.h"

#include "ui/Controls.h"

#include <QComboBox>
#include <QLabel>

namespace ui {

ColumnForm::ColumnForm(QWidget* frame, std::vector<Column> columns, int top, int rowStep)
    : frame_(frame), columns_(std::move(columns)), top_(top), rowStep_(rowStep) {}

QString ColumnForm::labelName(const QString& boxName) {
    return boxName.left(boxName.size() - 3) + QStringLiteral("LBL");
}

QLabel* ColumnForm::addCaption(int column, int row, const QString& boxName,
                               const QString& caption) {
    const Column& c = columns_.at(column);
    return makeLabel(frame_, labelName(boxName), caption,
                     twips(c.captionLeft, rowTop(row), c.captionWidth, kBoxHeight));
}

TextBox* ColumnForm::addTextBox(int column, int row, const QString& name, const QString& caption,
                                int typingLimit) {
    const Column& c = columns_.at(column);
    QLabel* label = addCaption(column, row, name, caption);
    TextBox* box = makeTextBox(frame_, name, twips(c.boxLeft, rowTop(row), c.boxWidth, kBoxHeight),
                               typingLimit);
    label->setBuddy(box);
    return box;
}

QComboBox* ColumnForm::addDropDown(int column, int row, const QString& name, const QString& caption,
                                   int width, const QStringList& rows) {
    const Column& c = columns_.at(column);
    QLabel* label = addCaption(column, row, name, caption);
    QComboBox* list = makeDropDown(
        frame_, name,
        twips(c.boxLeft, rowTop(row), width > 0 ? width : c.boxWidth, kDropDownHeight), rows);
    label->setBuddy(list);
    return list;
}

} // namespace ui
