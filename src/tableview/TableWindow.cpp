#include "tableview/TableWindow.h"

#include "chart/ChartPane.h"
#include "compare/CompareMode.h"
#include "filesession/FileSession.h"
#include "grid/FrozenTableView.h"
#include "grid/SelectionSummary.h"
#include "history/Versions.h"
#include "rom/RomFile.h"
#include "spreadsheet/GridCommands.h"
#include "tableview/ColumnState.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/EditorSettings.h"
#include "ui/EditorWindow.h"
#include "ui/Program.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include <memory>
#include <set>
#include <vector>

namespace app {
namespace {

// The captions of the grids, in the order of records::kinds(); the header has no grid.
const std::vector<const char*> kTabs = [] {
    std::vector<const char*> captions;
    for (const records::Kind& kind : records::kinds())
        if (kind.caption)
            captions.push_back(kind.caption);
    return captions;
}();

// A refused formula lists this many cells and counts the rest.
constexpr int kListedCells = 20;

QString listed(const QStringList& lines) {
    QString text = lines.mid(0, kListedCells).join(QLatin1Char('\n'));
    if (lines.size() > kListedCells)
        text += QStringLiteral("\n... and %1 more.").arg(lines.size() - kListedCells);
    return text;
}

} // namespace

TableWindow::TableWindow(EditorWindow& window, rom::RomFile& rom, FileSession& session)
    : QWidget(window.widget(), Qt::Window), window_(window), rom_(rom), session_(session) {
    setObjectName("TableWindow");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" - Table View"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (int n = 0; n < int(std::size(kTabs)); ++n) {
        auto* model = new TableModel(tables::sheets()[n], state_, this);
        connect(
            model, &TableModel::refused, this,
            [this](const QString& message) { ui::showWarning(this, message); },
            Qt::QueuedConnection);
        connect(model, &TableModel::edited, this, &TableWindow::updateStatus);
        connect(model, &TableModel::edited, this,
                [this] { commands_->record(QStringLiteral("Edit Cell")); });
        models_ << model;
        filters_ << new TableFilter(model);
    }
    buildControls();
    buildCommands();
    file_ = QFileInfo(rom_.path()).canonicalFilePath();
    state_.edits.load(rom_.readBytes(0, rom_.size()));
    watchOpenFile();
    reload_.setSingleShot(true);
    reload_.setInterval(50);
    connect(&reload_, &QTimer::timeout, this, &TableWindow::reloadFromFile);
    TableKindTabs_Click();
    restoreWindowGeometry(this, 1000, 640);
}

TableWindow::~TableWindow() = default;

void TableWindow::buildControls() {
    filterText_ = ui::makeEntryBox(
        this, "TableFilterTXT",
        QStringLiteral("Filter: a row, part of a name, or HP > 1000 && Level < 20"));
    markChanges_ = ui::makeCheckBox(this, "TableMarkChangesCHK", "Mark changes since the original");
    changedOnly_ = ui::makeCheckBox(this, "TableChangedOnlyCHK", "Changed only");
    showChart_ = ui::makeCheckBox(this, "TableChartCHK", "Chart");
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("TableKindTabs");
    tabs_->setExpanding(false);
    for (const char* caption : kTabs)
        tabs_->addTab(QLatin1String(caption));
    grid_ = new FrozenTableView(this, TableModel::kFixedColumns);
    grid_->setObjectName("TableGRD");
    grid_->setItemDelegate(new ChoiceDelegate(grid_));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    grid_->setSortingEnabled(true);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                           QAbstractItemView::DoubleClicked);
    formula_ = ui::makeEntryBox(this, "TableFormulaTXT", QStringLiteral("Formula: x * 1.5"));
    formula_->setToolTip(QStringLiteral("x is the cell's own value; a column's name in its "
                                        "header's tooltip stands for its value in the row."));
    relative_ = ui::makeCheckBox(this, "TableRelativeCHK", "From the original values");
    QPushButton* setSelected = ui::makeButton(this, "TableFormulaCMD", "Set Selected");
    apply_ = ui::makeButton(this, "TableApplyCMD", "Apply Changes");
    discard_ = ui::makeButton(this, "TableDiscardCMD", "Discard Changes");
    status_ = new QLabel(this);
    status_->setObjectName("TableStatusLBL");
    compare_ = new CompareMode(this, state_,
                               {[this] { return ready(); },
                                [this]() -> const tables::Sheet& { return model()->sheet(); },
                                [this] { return selectedCells(); },
                                [this](const QString& caption) { commands_->record(caption); },
                                [this] { refresh(); }, [this] { return originalImage(); }});
    auto* split = new QSplitter(this);
    split->addWidget(grid_);
    chart_ = new ChartPane(state_, grid_, split);
    chart_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(filterText_, 1);
    top->addWidget(markChanges_);
    top->addWidget(changedOnly_);
    top->addWidget(showChart_);
    auto* formulaRow = new QHBoxLayout;
    formulaRow->addWidget(formula_, 1);
    formulaRow->addWidget(relative_);
    formulaRow->addWidget(setSelected);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(apply_);
    bottom->addWidget(discard_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(compare_->bar());
    layout->addWidget(tabs_);
    layout->addWidget(split, 1);
    layout->addLayout(formulaRow);
    layout->addLayout(bottom);

    connect(tabs_, &QTabBar::currentChanged, this, &TableWindow::TableKindTabs_Click);
    connect(filterText_, &QLineEdit::textChanged, this, &TableWindow::TableFilterTXT_Change);
    connect(markChanges_, &QCheckBox::toggled, this, &TableWindow::TableMarkChangesCHK_Click);
    connect(changedOnly_, &QCheckBox::toggled, this, &TableWindow::TableMarkChangesCHK_Click);
    connect(showChart_, &QCheckBox::toggled, chart_, &QWidget::setVisible);
    connect(showChart_, &QCheckBox::toggled, this, &TableWindow::updateStatus);
    connect(chart_, &ChartPane::statusChanged, this, &TableWindow::updateStatus);
    connect(compare_, &CompareMode::comparedImageChanged, chart_, [this](const QByteArray& image) {
        if (image.isEmpty())
            chart_->clearComparedImage();
        else
            chart_->setComparedImage(image);
    });
    connect(formula_, &QLineEdit::returnPressed, this, &TableWindow::TableFormulaCMD_Click);
    connect(setSelected, &QPushButton::clicked, this, &TableWindow::TableFormulaCMD_Click);
    connect(apply_, &QPushButton::clicked, this, &TableWindow::TableApplyCMD_Click);
    connect(discard_, &QPushButton::clicked, this, &TableWindow::TableDiscardCMD_Click);
}

TableModel* TableWindow::model() const {
    return models_.value(tabs_->currentIndex());
}

TableFilter* TableWindow::filter() const {
    return filters_.value(tabs_->currentIndex());
}

// Commands wait while the main window fills its lists, and need the file.
bool TableWindow::ready() const {
    return rom_.isOpen() && !window_.isLoadingLists();
}

void TableWindow::watchOpenFile() {
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    watcher_.addPath(rom_.path());
    disconnect(&watcher_, nullptr, this, nullptr);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // Saving by renaming a new file over the old one ends the watch on the old one.
        if (!watcher_.files().contains(path))
            watcher_.addPath(path);
        reload_.start();
    });
}

void TableWindow::reloadFromFile() {
    if (readFile())
        refresh();
}

// The edits take in the file as it is now; false when it cannot be read.
bool TableWindow::readFile() {
    // A file replaced at the path is the main window's to open again; then romOpened().
    if (!ready() || rom_.pathState() != rom::RomFile::PathState::SameFile)
        return false;
    state_.edits.fileChanged(rom_.readBytes(0, rom_.size()));
    compare_->fileChanged();
    readOriginal();
    return true;
}

void TableWindow::romOpened() {
    if (!rom_.isOpen())
        return;
    watchOpenFile();
    const QString file = QFileInfo(rom_.path()).canonicalFilePath();
    if (file == file_) {
        reloadFromFile();
        return;
    }
    file_ = file;
    compare_->stop();
    state_.edits.load(rom_.readBytes(0, rom_.size()));
    commands_->clear();
    readOriginal();
    refresh();
}

QByteArray TableWindow::originalImage() {
    return session_.original(state_.edits.file());
}

void TableWindow::readOriginal() {
    state_.original.reset();
    state_.markChanges = markChanges_->isChecked();
    if ((markChanges_->isChecked() || changedOnly_->isChecked()) && ready())
        state_.original = originalImage();
}

void TableWindow::refresh() {
    for (TableModel* model : models_)
        model->refresh();
    TableFilterTXT_Change();
}

void TableWindow::updateStatus() {
    const tables::TableEdits::Pending pending = state_.edits.pending();
    const bool edited = pending.records > 0 || !pending.conflicts.isEmpty();
    apply_->setEnabled(edited);
    discard_->setEnabled(edited);
    QString text =
        QStringLiteral("%1 of %2 records shown").arg(filter()->rowCount()).arg(model()->rowCount());
    if (edited)
        text += QStringLiteral("; edited records to apply: %1").arg(pending.records);
    if (!pending.conflicts.isEmpty())
        text += QStringLiteral("; in conflict: %1").arg(pending.conflicts.size());
    if (!chart_->statusText().isEmpty())
        text += QStringLiteral("; ") + chart_->statusText();
    if (!filterProblem_.isEmpty())
        text += QStringLiteral(". The filter is taken as plain text: ") + filterProblem_;
    if (const QString numbers =
            SelectionSummary(grid_->selectionModel()->selection(), *filter(), *model()).text();
        !numbers.isEmpty())
        text += QStringLiteral(". ") + numbers;
    status_->setText(text);
}

void TableWindow::TableKindTabs_Click() {
    columns_->leave();
    grid_->setModel(filter());
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TableWindow::updateStatus);
    grid_->horizontalHeader()->setSortIndicator(
        filter()->sortColumn() < 0 ? 0 : filter()->sortColumn(), filter()->sortOrder());
    chart_->showKind();
    columns_->enter(model()->sheet().name());
    TableFilterTXT_Change();
}

// Plain text finds a row number or part of a name; an expression that reads at least one
// column filters by value.
void TableWindow::TableFilterTXT_Change() {
    const QString text = filterText_->text().trimmed();
    const tables::Sheet& sheet = model()->sheet();
    const bool changedOnly = changedOnly_->isChecked();
    filterProblem_.clear();
    if (text.isEmpty()) {
        filter()->setAccepts({}, changedOnly);
        updateStatus();
        return;
    }
    auto condition = std::make_shared<expressions::RowCondition>(sheet);
    const QString problem = condition->parse(text);
    if (problem.isEmpty() && condition->readsColumns()) {
        filter()->setAccepts(
            [this, condition](int row) { return condition->holds(state_.edits.shown(), row); },
            changedOnly);
    } else {
        if (text.contains(QRegularExpression(QStringLiteral("[<>=&|*/+()]"))))
            filterProblem_ = problem;
        filter()->setAccepts(
            [this, &sheet, text](int row) {
                return QString::number(sheet.recordRow(row)) == text ||
                       state_.edits.names()
                           .of(sheet.kind().page, sheet.recordRow(row))
                           .contains(text, Qt::CaseInsensitive);
            },
            changedOnly);
    }
    updateStatus();
}

// Also for Changed only, which needs the original as well.
void TableWindow::TableMarkChangesCHK_Click() {
    readOriginal();
    refresh();
}

// The selected cells of the value columns, each once, in the grid's order.
QList<expressions::Cell> TableWindow::selectedCells() const {
    QList<expressions::Cell> cells;
    std::set<std::pair<int, int>> seen;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
        const QModelIndex source = filter()->mapToSource(index);
        const int column = TableModel::sheetColumn(source.column());
        if (column >= 0 && seen.insert({source.row(), column}).second)
            cells.append({source.row(), column});
    }
    return cells;
}

void TableWindow::TableFormulaCMD_Click() {
    if (!ready())
        return;
    const QList<expressions::Cell> cells = selectedCells();
    if (cells.isEmpty()) {
        ui::showInformation(this, QStringLiteral("Select the cells to set first: one or more "
                                                 "cells of one or more columns."));
        return;
    }
    readFile();
    // The shown image is read in place: a copy would make the edits copy all of it.
    const QByteArray original = relative_->isChecked() ? originalImage() : QByteArray();
    const expressions::FormulaResult result =
        expressions::applyFormula(state_.edits, model()->sheet(), cells, formula_->text(),
                                  relative_->isChecked() ? original : state_.edits.shown());
    commands_->record(QStringLiteral("Set Selected: %1").arg(formula_->text()));
    refresh();
    if (!result.error.isEmpty())
        ui::showWarning(this, QStringLiteral("The formula cannot be used: %1").arg(result.error));
    else if (!result.refused.isEmpty())
        ui::showWarning(this, QStringLiteral("%1 cells cannot hold the formula's result and "
                                             "were left as they were:\n%2")
                                  .arg(result.refused.size())
                                  .arg(listed(result.refused)));
}

void TableWindow::TableApplyCMD_Click() {
    if (!ready() || !window_.confirmLeavingRecord())
        return;
    readFile();
    const tables::TableEdits::Pending pending = state_.edits.pending();
    if (!pending.spans.isEmpty()) {
        const ui::FileAccess::Outcome outcome =
            session_.commit(history::RecordRef::tableEdit(pending.records), pending.spans);
        if (outcome == ui::FileAccess::Outcome::Written ||
            outcome == ui::FileAccess::Outcome::Failed)
            window_.reloadVisiblePage();
        readFile();
        commands_->clear();
    }
    refresh();
    if (!pending.conflicts.isEmpty())
        ui::showWarning(this, QStringLiteral("%1 records were changed in the file since they "
                                             "were edited here, so they were not written:\n%2")
                                  .arg(pending.conflicts.size())
                                  .arg(listed(pending.conflicts)));
}

void TableWindow::TableDiscardCMD_Click() {
    state_.edits.discard();
    commands_->clear();
    refresh();
}

void TableWindow::TableGRD_DblClick(const QModelIndex& index) {
    const QModelIndex source = filter()->mapToSource(index);
    if (!source.isValid() || !ready())
        return;
    const tables::Sheet& sheet = model()->sheet();
    if (window_.showRecord(sheet.kind().page, sheet.recordRow(source.row()))) {
        window_.widget()->raise();
        window_.widget()->activateWindow();
    }
}

bool TableWindow::confirmClosing() {
    if (dropEdits_ || !hasEdits())
        return true;
    switch (ui::askAboutEdits(this, QStringLiteral("The table has changes that are not applied. "
                                                   "Apply them before the window closes?"))) {
    case ui::EditsAnswer::Apply:
        TableApplyCMD_Click();
        return !hasEdits();
    case ui::EditsAnswer::Discard:
        TableDiscardCMD_Click();
        return true;
    case ui::EditsAnswer::Cancel:
        break;
    }
    return false;
}

void TableWindow::closeDroppingEdits() {
    dropEdits_ = true;
    close();
}

void TableWindow::closeEvent(QCloseEvent* event) {
    if (confirmClosing())
        event->accept();
    else
        event->ignore();
}

void TableWindow::hideEvent(QHideEvent* event) {
    saveWindowGeometry(this);
    QWidget::hideEvent(event);
}

} // namespace app
