#include "ui/Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace ui {
namespace {

// What a control shows, in a form that compares: a box's text, a list's row, a check
// box's state, the check states of a check-list's rows.
QVariant valueShownBy(const QWidget* control) {
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* dropDown = qobject_cast<const QComboBox*>(control))
        return dropDown->currentIndex();
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return int(check->checkState());
    if (const auto* list = qobject_cast<const QListWidget*>(control)) {
        const bool checkList =
            list->count() > 0 && (list->item(0)->flags() & Qt::ItemIsUserCheckable);
        if (!checkList)
            return list->currentRow();
        QVariantList states;
        for (int row = 0; row < list->count(); ++row)
            states << int(list->item(row)->checkState());
        return states;
    }
    return {};
}

} // namespace

Page::~Page() = default;

std::optional<history::RecordRef> Page::shownRecord() const {
    if (!list())
        return history::RecordRef{id(), 0, QString()};
    const QListWidgetItem* row = list()->item(shownRow_);
    if (!row)
        return std::nullopt;
    return history::RecordRef{id(), shownRow_, row->text()};
}

QList<QWidget*> Page::editableControls() const {
    QList<QWidget*> controls;
    for (QWidget* child : frame()->findChildren<QWidget*>()) {
        const auto* box = qobject_cast<const QLineEdit*>(child);
        const bool editable =
            (box && !box->isReadOnly() && !qobject_cast<const QComboBox*>(child->parent())) ||
            qobject_cast<QComboBox*>(child) || qobject_cast<QCheckBox*>(child) ||
            qobject_cast<QListWidget*>(child);
        if (editable && child != list() && !ignored_.contains(child))
            controls << child;
    }
    return controls;
}

void Page::rememberShownValues() {
    shownRow_ = list() ? list()->currentRow() : 0;
    shown_.clear();
    for (QWidget* control : editableControls())
        shown_.insert(control, valueShownBy(control));
}

QList<QWidget*> Page::pendingControls() const {
    QList<QWidget*> pending;
    for (auto it = shown_.begin(); it != shown_.end(); ++it)
        if (valueShownBy(it.key()) != it.value())
            pending << it.key();
    return pending;
}

QLabel* Page::captionOf(QWidget* control) const {
    if (QLabel* caption = captions_.value(control))
        return caption;
    for (QLabel* label : frame()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

void Page::watchEdits(const std::function<void()>& changed) {
    for (QWidget* control : editableControls()) {
        if (auto* box = qobject_cast<QLineEdit*>(control))
            QObject::connect(box, &QLineEdit::textChanged, box, changed);
        else if (auto* dropDown = qobject_cast<QComboBox*>(control))
            QObject::connect(dropDown, &QComboBox::currentIndexChanged, dropDown, changed);
        else if (auto* check = qobject_cast<QCheckBox*>(control))
            QObject::connect(check, &QCheckBox::stateChanged, check, changed);
        else if (auto* list = qobject_cast<QListWidget*>(control))
            QObject::connect(list, &QListWidget::itemChanged, list, changed);
    }
}

} // namespace ui
