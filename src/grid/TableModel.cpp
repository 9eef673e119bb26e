#include "grid/TableModel.h"

#include "items/Elemental.h"

#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QPainter>

namespace app {
namespace {

const QColor kEdited(255, 236, 160);
const QColor kConflict(255, 190, 190);
const QColor kChanged(196, 222, 255);
// Against another image, by class in the order of records::ChangeClass.
const QColor kCompared[] = {QColor(214, 120, 255), QColor(226, 226, 226), QColor(205, 240, 190),
                            QColor(236, 222, 255)};

using tables::Column;

Qt::CheckState checkState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

} // namespace

TableModel::TableModel(const tables::Sheet& sheet, TableState& state, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet), state_(state) {}

void TableModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool TableModel::isChanged(int row) const {
    if (state_.edits.isEdited(sheet_, row))
        return true;
    for (int column = 0; state_.original && column < sheet_.columnCount(); ++column)
        if (sheet_.value(*state_.original, row, column) != state_.edits.value(sheet_, row, column))
            return true;
    return false;
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sheet_.rowCount();
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFixedColumns + sheet_.columnCount();
}

// A check-list row, or a check box showing one of its states.
bool TableModel::isCheckBox(int column) const {
    return sheet_.column(column).kind == Column::Kind::Bit ||
           sheet_.place(0, column).view.shown == rom::Shown::Check;
}

QString TableModel::words(int row, int column, int value) const {
    if (sheet_.column(column).kind == Column::Kind::Bit)
        return value ? QStringLiteral("checked") : QStringLiteral("cleared");
    return records::valueWords(sheet_.place(row, column), value, state_.edits.names().items);
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const int row = index.row();
    const int record = sheet_.recordRow(row);
    switch (index.column()) {
    case 0:
        return role == Qt::DisplayRole || role == SortRole ? QVariant(record) : QVariant();
    case 1:
        if (role != Qt::DisplayRole && role != SortRole)
            return QVariant();
        return state_.edits.names().of(sheet_.kind().page, record).trimmed();
    default:
        return cellData(row, sheetColumn(index.column()), role);
    }
}

std::optional<int> TableModel::number(int row, int column) const {
    const int cell = sheetColumn(column);
    if (cell < 0 || tables::isChoice(sheet_.place(row, cell).view.shown))
        return std::nullopt;
    const int value = state_.edits.value(sheet_, row, cell);
    if (isCheckBox(cell) && value <= 2)
        return std::nullopt;
    return value;
}

QVariant TableModel::cellData(int row, int column, int role) const {
    const int value = state_.edits.value(sheet_, row, column);
    switch (role) {
    case Qt::DisplayRole:
        if (isCheckBox(column) && value <= 2)
            return QVariant();
        return tables::isChoice(sheet_.place(row, column).view.shown) ? words(row, column, value)
                                                                      : QString::number(value);
    case Qt::EditRole:
        return QString::number(value);
    case Qt::CheckStateRole:
        if (isCheckBox(column) && value <= 2)
            return checkState(value);
        return QVariant();
    case SortRole:
        return value;
    case Qt::BackgroundRole:
        return background(row, column);
    case Qt::ToolTipRole:
        return toolTip(row, column);
    case ChoiceTextsRole:
        return choices(row, column).first;
    case ChoiceValuesRole:
        return choices(row, column).second;
    default:
        return QVariant();
    }
}

std::optional<ComparedCell> TableModel::compared(int row, int column) const {
    return state_.compared ? state_.compared->cell(sheet_, row, column) : std::nullopt;
}

QVariant TableModel::background(int row, int column) const {
    if (state_.edits.isConflict(sheet_, row))
        return QBrush(kConflict);
    if (state_.edits.isEdited(sheet_, row, column))
        return QBrush(kEdited);
    if (const std::optional<ComparedCell> cell = compared(row, column))
        return QBrush(kCompared[int(cell->change)]);
    if (state_.marked() &&
        sheet_.value(*state_.marked(), row, column) != state_.edits.value(sheet_, row, column))
        return QBrush(kChanged);
    return QVariant();
}

QVariant TableModel::toolTip(int row, int column) const {
    if (state_.edits.isConflict(sheet_, row))
        return QStringLiteral("The file has changed this record since it was edited here, so "
                              "it is not written; Discard Changes shows the file's values.");
    if (const std::optional<ComparedCell> cell = compared(row, column)) {
        QString change = records::classWords(cell->change);
        change[0] = change[0].toUpper();
        return QStringLiteral("Theirs: %1 \u00b7 Original: %2 \u00b7 Yours: %3\n%4")
            .arg(words(row, column, cell->theirs), words(row, column, cell->original),
                 words(row, column, state_.edits.value(sheet_, row, column)), change);
    }
    if (!state_.marked())
        return QVariant();
    const int original = sheet_.value(*state_.marked(), row, column);
    if (original == state_.edits.value(sheet_, row, column))
        return QVariant();
    return QStringLiteral("Original: %1").arg(words(row, column, original));
}

// The rows of a choice's list with the values they stand for; a stored value the list has
// no row for comes first, as its number.
std::pair<QStringList, QVariantList> TableModel::choices(int row, int column) const {
    const records::Place& place = sheet_.place(row, column);
    QStringList texts;
    QVariantList values;
    const auto add = [&](const QString& text, int value) {
        texts << text;
        values << value;
    };
    switch (place.view.shown) {
    case rom::Shown::Choice:
        for (int r = 0; r < place.rows().size() && r + place.view.rowOrigin <= 255; ++r)
            add(place.rows()[r], r + place.view.rowOrigin);
        break;
    case rom::Shown::Item:
        for (int item = 0; item < state_.edits.names().items.size(); ++item)
            add(state_.edits.names().items[item].trimmed(), item);
        break;
    case rom::Shown::Element:
        for (int value = 0; value <= 255; ++value)
            if (items::isShowableElement(value))
                add(items::elementName(value), value);
        break;
    default:
        return {};
    }
    const int value = state_.edits.value(sheet_, row, column);
    if (!values.contains(value)) {
        texts.prepend(QString::number(value));
        values.prepend(value);
    }
    return {texts, values};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole) {
        if (section < kFixedColumns)
            return section == 0 ? QStringLiteral("Row") : QStringLiteral("Name");
        return sheet_.column(sheetColumn(section)).name;
    }
    if (role == Qt::ToolTipRole && section >= kFixedColumns)
        return QStringLiteral("In formulas and filters: %1")
            .arg(sheet_.identifiers()[sheetColumn(section)]);
    if (role == Qt::ToolTipRole)
        return QStringLiteral("Plain text in the filter finds a row number or part of a name.");
    return QVariant();
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!index.isValid() || index.column() < kFixedColumns)
        return flags;
    return flags |
           (isCheckBox(sheetColumn(index.column())) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() < kFixedColumns)
        return false;
    const int row = index.row();
    const int column = sheetColumn(index.column());
    QString text;
    if (role == Qt::CheckStateRole && isCheckBox(column))
        text = value.toInt() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    else if (role == Qt::EditRole && !isCheckBox(column))
        text = value.toString();
    else
        return false;
    if (text.trimmed() == QString::number(state_.edits.value(sheet_, row, column)))
        return true;
    const QString refusal = state_.edits.enter(sheet_, row, column, text);
    if (!refusal.isEmpty()) {
        emit refused(sheet_.place(row, column).view.caption + QLatin1Char(' ') + refusal);
        return false;
    }
    // The record's other cells may now be in or out of conflict.
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    emit edited();
    return true;
}

TableFilter::TableFilter(TableModel* model) : QSortFilterProxyModel(model) {
    setSourceModel(model);
    setSortRole(TableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    // An edited row keeps the place the user is looking at until the user sorts again.
    setDynamicSortFilter(false);
}

void TableFilter::setAccepts(Accepts accepts, bool changedOnly) {
    accepts_ = std::move(accepts);
    changedOnly_ = changedOnly;
    invalidateFilter();
}

bool TableFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* model = static_cast<const TableModel*>(sourceModel());
    return (!accepts_ || accepts_(sourceRow)) && model->shows(sourceRow) &&
           (!changedOnly_ || model->isChanged(sourceRow));
}

void ChoiceDelegate::paint(QPainter* painter, const QStyleOptionViewItem& given,
                           const QModelIndex& index) const {
    QStyleOptionViewItem option = given;
    initStyleOption(&option, index);
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
    constexpr int kKeptTexts = 20000;
    if (texts_.size() > kKeptTexts)
        texts_.clear();
    auto text = texts_.find(option.text);
    if (text == texts_.end()) {
        text = texts_.insert(option.text, QStaticText(option.text));
        text->setTextFormat(Qt::PlainText);
        text->prepare(QTransform(), option.font);
    }
    // Check boxes, icons, the focus frame and text that must be cut short: the style's way.
    if (option.features &
            (QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration) ||
        option.state & QStyle::State_HasFocus || text->size().width() > room.width() ||
        option.text.contains(QLatin1Char('\n'))) {
        QStyledItemDelegate::paint(painter, given, index);
        return;
    }
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, option.widget);
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : option.state & QStyle::State_Active   ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(
        group, option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(
        QStyle::alignedRect(option.direction, option.displayAlignment, text->size().toSize(), room)
            .topLeft(),
        *text);
    painter->restore();
}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const QStringList texts = index.data(TableModel::ChoiceTextsRole).toStringList();
    if (texts.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* list = new QComboBox(parent);
    list->addItems(texts);
    list->setMaxVisibleItems(20);
    // A choice is taken as soon as it is made.
    auto* self = const_cast<ChoiceDelegate*>(this);
    connect(list, &QComboBox::activated, self, [self, list] {
        emit self->commitData(list);
        emit self->closeEditor(list);
    });
    return list;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* list = qobject_cast<QComboBox*>(editor);
    if (!list) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QVariantList values = index.data(TableModel::ChoiceValuesRole).toList();
    list->setCurrentIndex(int(values.indexOf(index.data(TableModel::SortRole))));
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    auto* list = qobject_cast<QComboBox*>(editor);
    if (!list) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const QVariantList values = index.data(TableModel::ChoiceValuesRole).toList();
    if (list->currentIndex() >= 0 && list->currentIndex() < values.size())
        model->setData(index, values[list->currentIndex()].toString(), Qt::EditRole);
}

} // namespace app
