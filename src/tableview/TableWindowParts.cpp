// The parts of the table window that make its grid work like a spreadsheet: the Edit menu
// and its keys, the columns as the user leaves them, and the names the filter and formula
// boxes complete and list.
#include "grid/FrozenTableView.h"
#include "namehelp/NamesHelp.h"
#include "spreadsheet/GridCommands.h"
#include "tableview/ColumnState.h"
#include "tableview/TableWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>

namespace app {

void TableWindow::buildCommands() {
    commands_ = new GridCommands(this, grid_, state_.edits,
                                 {[this] { return filter(); }, [this] { return ready(); },
                                  [this] { refresh(); }, [this] { TableApplyCMD_Click(); },
                                  [this](const QModelIndex& index) { TableGRD_DblClick(index); }});
    auto* bar = new QMenuBar(this);
    bar->setObjectName("TableMenuBar");
    bar->addMenu(commands_->editMenu());
    layout()->setMenuBar(bar);
    columns_ = new ColumnState(this, grid_, TableModel::kFixedColumns, filterText_,
                               {markChanges_, changedOnly_, relative_, showChart_});
    bar->addMenu(columns_->menu());

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    QAction* names = help->addAction(QStringLiteral("&Names in Filters and Formulas..."));
    names->setObjectName("mnuTableNames");
    names->setShortcut(QKeySequence::HelpContents);
    addAction(names);
    auto* namesButton = new QPushButton(QStringLiteral("?"), bar);
    namesButton->setObjectName("TableNamesCMD");
    namesButton->setToolTip(QStringLiteral("The names of the columns and the functions filters "
                                           "and formulas know (F1)"));
    bar->setCornerWidget(namesButton);
    connect(names, &QAction::triggered, this, [this] { showNamesHelp(this, model()->sheet()); });
    connect(namesButton, &QPushButton::clicked, names, &QAction::trigger);

    const QList<NameCompleter*> completers{new NameCompleter(filterText_),
                                           new NameCompleter(formula_)};
    const auto complete = [this, completers] {
        for (NameCompleter* completer : completers)
            completer->setSheet(model()->sheet());
    };
    complete();
    connect(tabs_, &QTabBar::currentChanged, this, complete);
}

} // namespace app
