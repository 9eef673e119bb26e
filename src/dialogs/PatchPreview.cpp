#include "dialogs/PatchPreview.h"

#include "rom/CopierHeader.h"
#include "ui/EditorSettings.h"
#include "ui/Program.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

PatchPreview::PatchPreview(QWidget* parent, Sources sources)
    : QDialog(parent), sources_(std::move(sources)) {
    setObjectName("PatchPreview");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" - Apply Patch %1").arg(sources_.patchName));
    setModal(true);
    summary_ = new QLabel;
    summary_->setObjectName("PatchSummaryLBL");
    summary_->setWordWrap(true);
    list_ = new QListWidget;
    list_->setObjectName("PatchPreviewLST");
    header_ = new QCheckBox(QStringLiteral("Made for an image with a 512-byte copier header"));
    header_->setObjectName("PatchHeaderCHK");
    header_->setVisible(sources_.offersHeader);
    apply_ = new QPushButton(QStringLiteral("Apply Patch"));
    apply_->setObjectName("PatchApplyCMD");
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName("PatchCancelCMD");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(header_);
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(header_, &QCheckBox::toggled, this, &PatchPreview::PatchHeaderCHK_Toggled);
    connect(apply_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    restoreWindowGeometry(this, 720, 420);
    PatchHeaderCHK_Toggled(false);
}

void PatchPreview::PatchHeaderCHK_Toggled(bool headered) {
    plan_ = sources_.plan(headered ? rom::kCopierHeaderSize : 0);
    list_->clear();
    apply_->setEnabled(plan_.usable() && !plan_.spans.isEmpty());
    if (!plan_.usable()) {
        summary_->setText(plan_.patched.reason + QStringLiteral(" Nothing will be written."));
        return;
    }
    list_->addItems(records::previewLines(plan_, sources_.names));
    QString text =
        QStringLiteral("%1 changes %2.").arg(sources_.patchName, records::previewTotals(plan_));
    if (plan_.onOriginal)
        text += QStringLiteral(" It was made for this file as it was before the changes made in "
                               "this editor: its changes are applied on top of yours, and every "
                               "field both changed stays as you have it.");
    summary_->setText(text);
}

void PatchPreview::done(int result) {
    saveWindowGeometry(this);
    QDialog::done(result);
}

} // namespace app
