#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace ui {

namespace {
template <typename W> W* place(W* widget, const QString& name, const QRect& rect) {
    widget->setObjectName(name);
    widget->setGeometry(rect);
    return widget;
}
} // namespace

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
    return place(new QLabel(text, parent), name, rect);
}

QLabel* makeGroupCaption(QWidget* parent, const QString& name, const QString& text,
                         const QRect& rect) {
    QLabel* label = makeLabel(parent, name, text, rect);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

TextBox* makeTextBox(QWidget* parent, const QString& name, const QRect& rect, int typingLimit) {
    auto* box = place(new TextBox(parent), name, rect);
    box->setTypingLimit(typingLimit);
    return box;
}

QComboBox* makeDropDown(QWidget* parent, const QString& name, const QRect& rect,
                        const QStringList& rows) {
    auto* list = place(new QComboBox(parent), name, rect);
    list->setEditable(false);
    list->addItems(rows);
    list->setCurrentIndex(-1);
    return list;
}

QListWidget* makeList(QWidget* parent, const QString& name, const QRect& rect,
                      const QStringList& rows) {
    auto* list = place(new QListWidget(parent), name, rect);
    list->setUniformItemSizes(true);
    list->addItems(rows);
    return list;
}

QListWidget* makeCheckList(QWidget* parent, const QString& name, const QRect& rect,
                           const QStringList& rows) {
    QListWidget* list = makeList(parent, name, rect, rows);
    for (int r = 0; r < list->count(); ++r) {
        QListWidgetItem* item = list->item(r);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return list;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& rect) {
    return place(new QPushButton(text, parent), name, rect);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text) {
    auto* made = new QPushButton(text, parent);
    made->setObjectName(name);
    return made;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& text) {
    auto* made = new QCheckBox(text, parent);
    made->setObjectName(name);
    return made;
}

QLineEdit* makeEntryBox(QWidget* parent, const QString& name, const QString& placeholder) {
    auto* made = new QLineEdit(parent);
    made->setObjectName(name);
    made->setPlaceholderText(placeholder);
    made->setClearButtonEnabled(true);
    return made;
}

QFrame* makeFrame(QWidget* parent, const QString& name, const QRect& rect) {
    return place(new QFrame(parent), name, rect);
}

void lockGrey(QLineEdit* box) {
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    box->setPalette(palette);
}

void showByteRow(QComboBox* list, int value) {
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

void showByteRow(QListWidget* list, int value) {
    list->setCurrentRow(value >= 0 && value < list->count() ? value : -1);
}

void selectRowAndLoad(QListWidget* list, int row, const std::function<void()>& load) {
    if (row < 0 || row >= list->count())
        return;
    if (list->currentRow() == row)
        load();
    else
        list->setCurrentRow(row); // the list's row handler loads it
}

} // namespace ui
