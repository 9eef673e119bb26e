#include "spreadsheet/GridCommands.h"

#include "grid/TableModel.h"
#include "spreadsheet/GridCells.h"
#include "ui/Dialogs.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

namespace app {
namespace {

// One step of edits: the bytes of the fields it changed, before and after.
class EditStep : public QUndoCommand {
  public:
    EditStep(const QString& caption, QList<tables::TableEdits::Change> changes,
             tables::TableEdits& edits, std::function<void()> refresh)
        : QUndoCommand(caption), changes_(std::move(changes)), edits_(edits),
          refresh_(std::move(refresh)) {}

    void undo() override { put(true); }
    void redo() override {
        if (done_) // the edits hold it when it is pushed
            put(false);
        done_ = true;
    }

  private:
    void put(bool before) {
        edits_.restore(changes_, before);
        refresh_();
    }

    QList<tables::TableEdits::Change> changes_;
    tables::TableEdits& edits_;
    std::function<void()> refresh_;
    bool done_ = false;
};

} // namespace

GridCommands::GridCommands(QWidget* window, QTableView* grid, tables::TableEdits& edits,
                           GridHooks hooks)
    : QObject(window), window_(window), grid_(grid), edits_(edits), hooks_(std::move(hooks)) {
    menu_ = new QMenu(QStringLiteral("&Edit"), window);
    menu_->setObjectName("mnuTableEdit");
    QAction* undo = stack_.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName("mnuTableUndo");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = stack_.createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName("mnuTableRedo");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        menu_->addAction(action);
        window_->addAction(action);
    }
    menu_->addSeparator();
    connect(addAction("mnuTableCopy", "&Copy", {QKeySequence::Copy}), &QAction::triggered, this,
            &GridCommands::mnuTableCopy_Click);
    connect(addAction("mnuTablePaste", "&Paste", {QKeySequence::Paste}), &QAction::triggered, this,
            &GridCommands::mnuTablePaste_Click);
    connect(addAction("mnuTableFillDown", "Fill &Down", {QKeySequence(Qt::CTRL | Qt::Key_D)}),
            &QAction::triggered, this, &GridCommands::mnuTableFillDown_Click);
    connect(
        addAction("mnuTableSetSelected", "Set &Every Selected Cell",
                  {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}),
        &QAction::triggered, this, &GridCommands::mnuTableSetSelected_Click);
    menu_->addSeparator();
    connect(addAction("mnuTableShowRecord", "&Show in Main Window",
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)}),
            &QAction::triggered, this, &GridCommands::mnuTableShowRecord_Click);
    connect(addAction(
                "mnuTableApply", "&Apply Changes",
                {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}),
            &QAction::triggered, this, &GridCommands::mnuTableApply_Click);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const char* name :
         {"mnuTableCopy", "mnuTablePaste", "mnuTableFillDown", "mnuTableShowRecord"})
        grid_->addAction(menu_->findChild<QAction*>(name));
    grid_->installEventFilter(this);
    // Enter in a cell's editor commits the entry and goes down a row, as in a spreadsheet.
    connect(grid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    moveDown();
            });
}

QAction* GridCommands::addAction(const char* name, const QString& caption,
                                 QList<QKeySequence> keys) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setParent(menu_);
    action->setShortcuts(keys);
    window_->addAction(action);
    return action;
}

void GridCommands::record(const QString& caption) {
    QList<tables::TableEdits::Change> changes = edits_.takeChanges();
    if (!changes.isEmpty())
        stack_.push(new EditStep(caption, std::move(changes), edits_, hooks_.refresh));
}

// Runs `run` over the grid's cells, keeps what it set as one step and tells what it refused.
template <typename Run> void GridCommands::step(const QString& caption, Run run) {
    if (!hooks_.ready())
        return;
    edits_.takeChanges();
    GridCells cells(*grid_, *hooks_.filter(), edits_);
    const CellsResult result = run(cells);
    record(caption.arg(result.set));
    hooks_.refresh();
    const QString message = result.message();
    if (!result.refused.isEmpty())
        ui::showWarning(window_, message);
    else if (!message.isEmpty())
        ui::showInformation(window_, message);
}

void GridCommands::mnuTableCopy_Click() {
    const QString text = GridCells(*grid_, *hooks_.filter(), edits_).copy();
    if (text.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

void GridCommands::mnuTablePaste_Click() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        step(QStringLiteral("Paste %1 Cells"), [&](GridCells& cells) { return cells.paste(text); });
}

void GridCommands::mnuTableFillDown_Click() {
    step(QStringLiteral("Fill Down %1 Cells"), [](GridCells& cells) { return cells.fillDown(); });
}

// The text typed into the open editor, or else the current cell's, into every selected cell.
void GridCommands::mnuTableSetSelected_Click() {
    QString text = grid_->currentIndex().data(Qt::EditRole).toString();
    if (auto* editor = qobject_cast<QLineEdit*>(openEditor())) {
        text = editor->text();
        emit grid_->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    step(QStringLiteral("Set %1 Cells"), [&](GridCells& cells) { return cells.setSelected(text); });
}

void GridCommands::mnuTableShowRecord_Click() {
    if (grid_->currentIndex().isValid())
        hooks_.showRecord(grid_->currentIndex());
}

void GridCommands::mnuTableApply_Click() {
    commitEditor();
    hooks_.apply();
}

QWidget* GridCommands::openEditor() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && grid_->viewport()->isAncestorOf(focus) ? focus : nullptr;
}

void GridCommands::commitEditor() {
    if (QWidget* editor = openEditor()) {
        emit grid_->itemDelegate()->commitData(editor);
        emit grid_->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GridCommands::moveDown() {
    const QModelIndex current = grid_->currentIndex();
    const QModelIndex below = current.sibling(current.row() + 1, current.column());
    if (below.isValid())
        grid_->setCurrentIndex(below);
}

// The next control outside the grid along the window's Tab order.
void GridCommands::leaveGrid(bool forward) {
    QWidget* next = grid_;
    do
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    while (next != grid_ && (grid_->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) ||
                             !next->isVisibleTo(window_) || !next->isEnabled()));
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool GridCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool control = key->modifiers() & Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!control)
            break;
        leaveGrid(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->modifiers() & ~Qt::KeypadModifier)
            break;
        moveDown();
        return true;
    case Qt::Key_Escape:
        if (!edits_.hasEdits())
            window_->close();
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
