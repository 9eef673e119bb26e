// The parts of the table window that make its grid work like a spreadsheet.
#include "grid/FrozenTableView.h"
#include "grid/GridCommands.h"
#include "grid/TableWindow.h"

#include <QLayout>
#include <QMenuBar>

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
}

} // namespace app
