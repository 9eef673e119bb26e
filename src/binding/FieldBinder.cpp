#include "binding/FieldBinder.h"

#include "items/CheckListCodec.h"
#include "rom/NumberRules.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace ui {
namespace {

// The states of a check box: 0 cleared, 1 checked and, on a box with three states,
// 2 greyed. Other values have no state.
bool checkStateShows(const QCheckBox* box, int value) {
    return value == 0 || value == 1 || (value == 2 && box->isTristate());
}

Qt::CheckState checkStateOf(const QCheckBox* box, int value) {
    if (value == 1)
        return Qt::Checked;
    if (value == 2 && box->isTristate())
        return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

int valueOfCheckState(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void showFlags(QListWidget* list, int value) {
    const items::CheckRows rows = items::checkRowsOf(static_cast<std::uint8_t>(value));
    for (int r = 0; r < 8; ++r)
        list->item(r)->setCheckState(rows[r] ? Qt::Checked : Qt::Unchecked);
}

int flagsOf(const QListWidget* list) {
    items::CheckRows rows{};
    for (int r = 0; r < 8; ++r)
        rows[r] = list->item(r)->checkState() == Qt::Checked;
    return items::byteOfCheckRows(rows);
}

} // namespace

FieldBinder::FieldBinder(QWidget* page) : QObject(page), page_(page) {}

void FieldBinder::bindCustom(const QString& control, ShowValue show, ReadValue read) {
    custom_.insert(control, {std::move(show), std::move(read)});
}

QWidget* FieldBinder::window() const {
    return page_->window();
}

QWidget* FieldBinder::control(const QString& name) {
    if (QWidget* found = controls_.value(name))
        return found;
    auto* found = page_->findChild<QWidget*>(name);
    Q_ASSERT_X(found, "FieldBinder", qPrintable(name));
    if (auto* box = qobject_cast<QCheckBox*>(found))
        connect(box, &QCheckBox::stateChanged, this, [this, box] { touched_.insert(box); });
    controls_.insert(name, found);
    return found;
}

void FieldBinder::setControlEnabled(const QString& name, bool enabled) {
    if (!name.isEmpty() && !custom_.contains(name))
        control(name)->setEnabled(enabled);
}

void FieldBinder::showValue(const rom::FieldView& field, int value) {
    if (field.control.isEmpty())
        return;
    if (const auto custom = custom_.find(field.control); custom != custom_.end()) {
        custom->first(value);
        return;
    }
    QWidget* widget = control(field.control);
    switch (field.shown) {
    case rom::Shown::Choice:
    case rom::Shown::Item:
        if (auto* list = qobject_cast<QComboBox*>(widget))
            showByteRow(list, value - field.rowOrigin);
        else
            showByteRow(qobject_cast<QListWidget*>(widget), value - field.rowOrigin);
        break;
    case rom::Shown::Flags:
        showFlags(qobject_cast<QListWidget*>(widget), value);
        break;
    case rom::Shown::Check: {
        auto* box = qobject_cast<QCheckBox*>(widget);
        box->setCheckState(checkStateOf(box, value));
        touched_.remove(box);
        break;
    }
    default:
        qobject_cast<QLineEdit*>(widget)->setText(QString::number(value));
        break;
    }
}

int FieldBinder::readValue(const rom::FieldView& field, int loaded, FieldReader& reader) {
    if (const auto custom = custom_.find(field.control); custom != custom_.end())
        return custom->second(field, reader, loaded);
    QWidget* widget = control(field.control);
    switch (field.shown) {
    case rom::Shown::Choice:
    case rom::Shown::Item: {
        auto* dropDown = qobject_cast<QComboBox*>(widget);
        const int row =
            dropDown ? dropDown->currentIndex() : qobject_cast<QListWidget*>(widget)->currentRow();
        return row >= 0 ? row + field.rowOrigin : loaded;
    }
    case rom::Shown::Flags:
        return flagsOf(qobject_cast<QListWidget*>(widget));
    case rom::Shown::Check: {
        auto* box = qobject_cast<QCheckBox*>(widget);
        if (!touched_.contains(box) && !checkStateShows(box, loaded))
            return loaded;
        return valueOfCheckState(box->checkState());
    }
    default:
        return reader.number(qobject_cast<QLineEdit*>(widget), field.caption, field.encoding);
    }
}

void FieldBinder::showText(const rom::FieldView& field, const QByteArray& bytes) {
    qobject_cast<QLineEdit*>(control(field.control))->setText(rom::textOfBytes(bytes));
}

QByteArray FieldBinder::readText(const rom::FieldView& field, FieldReader& reader) {
    auto* box = qobject_cast<QLineEdit*>(control(field.control));
    const std::optional<QByteArray> bytes = rom::bytesOfText(box->text(), field.length);
    if (!bytes)
        reader.fail(field.caption + QLatin1Char(' ') + rom::latin1Refusal(), box);
    return bytes.value_or(QByteArray());
}

} // namespace ui
