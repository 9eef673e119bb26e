#include "tableview/FindRecord.h"

#include "history/History.h"
#include "rom/RomFile.h"
#include "tables/Columns.h"
#include "ui/EditorSettings.h"
#include "ui/Program.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace app {

FindRecord::FindRecord(QWidget* parent, const rom::RomFile& rom, ShowRecord show)
    : QDialog(parent), rom_(rom), show_(std::move(show)) {
    setObjectName("FindRecord");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" - Find Record"));
    setAttribute(Qt::WA_DeleteOnClose);
    text_ = new QLineEdit(this);
    text_->setObjectName("FindTXT");
    text_->setPlaceholderText(QStringLiteral("Part of a name"));
    list_ = new QListWidget(this);
    list_->setObjectName("FindLST");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(list_, 1);

    connect(text_, &QLineEdit::textChanged, this, &FindRecord::FindTXT_Change);
    connect(text_, &QLineEdit::returnPressed, this, &FindRecord::FindLST_Activate);
    connect(list_, &QListWidget::itemActivated, this, &FindRecord::FindLST_Activate);
    readNames();
    restoreWindowGeometry(this, 360, 420);
}

void FindRecord::readNames() {
    const tables::Names names = tables::namesIn(rom_.readBytes(0, rom_.size()));
    records_.clear();
    for (const records::KindInfo& info : records::kindTable()) {
        if (!info.hasNames())
            continue; // the header has no name to find it by
        for (int row = 0; row < info.rowCount; ++row) {
            const QString name = names.of(info.kind, row).trimmed();
            records_.append(
                {info.kind, row, name, history::RecordRef{info.kind, row, name}.label()});
        }
    }
    FindTXT_Change();
}

void FindRecord::FindTXT_Change() {
    const QString text = text_->text().trimmed();
    list_->clear();
    for (qsizetype n = 0; n < records_.size(); ++n) {
        if (!records_[n].name.contains(text, Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(records_[n].label, list_);
        item->setData(Qt::UserRole, int(n));
    }
    list_->setCurrentRow(0);
}

void FindRecord::FindLST_Activate() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    const Record& record = records_[item->data(Qt::UserRole).toInt()];
    if (show_(record.page, record.row))
        close();
}

void FindRecord::hideEvent(QHideEvent* event) {
    saveWindowGeometry(this);
    QDialog::hideEvent(event);
}

} // namespace app
