#include "compare/CompareMode.h"

#include "compare/PickCompared.h"
#include "rom/Plural.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace app {

using records::ChangeClass;

CompareMode::CompareMode(QWidget* window, TableState& state, CompareHooks hooks)
    : QObject(window), window_(window), state_(state), hooks_(std::move(hooks)) {
    buildBar();
}

void CompareMode::buildBar() {
    bar_ = new QFrame(window_);
    bar_->setObjectName("CompareFRA");
    bar_->setFrameShape(QFrame::StyledPanel);
    names_ = new QLabel(bar_);
    names_->setObjectName("CompareLBL");
    names_->setWordWrap(true);
    only_ = ui::makeCheckBox(bar_, "CompareOnlyCHK", "Differences only");
    QPushButton* take = ui::makeButton(bar_, "CompareTakeCMD", "Take Theirs");
    QPushButton* reset = ui::makeButton(bar_, "TableResetCMD", "Reset to Original");
    QPushButton* takeAll =
        ui::makeButton(bar_, "CompareTakeAllCMD", "Take All Their Changes Without Conflicts");
    QPushButton* stop = ui::makeButton(bar_, "CompareStopCMD", "Stop Comparing");
    base_ = ui::makeEntryBox(bar_, "CompareBaseTXT",
                             "Original: the file before the changes made in this editor");
    QPushButton* pickBase = ui::makeButton(bar_, "CompareBaseCMD", "Original...");

    auto* top = new QHBoxLayout;
    top->addWidget(names_, 1);
    top->addWidget(stop);
    auto* commands = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{only_, take, reset, takeAll})
        commands->addWidget(control);
    commands->addStretch();
    commands->addWidget(base_, 1);
    commands->addWidget(pickBase);
    auto* layout = new QVBoxLayout(bar_);
    layout->addLayout(top);
    layout->addLayout(commands);
    bar_->hide();

    connect(only_, &QCheckBox::toggled, this, &CompareMode::CompareOnlyCHK_Click);
    connect(take, &QPushButton::clicked, this, &CompareMode::CompareTakeCMD_Click);
    connect(reset, &QPushButton::clicked, this, &CompareMode::TableResetCMD_Click);
    connect(takeAll, &QPushButton::clicked, this, &CompareMode::CompareTakeAllCMD_Click);
    connect(stop, &QPushButton::clicked, this, &CompareMode::CompareStopCMD_Click);
    connect(pickBase, &QPushButton::clicked, this, &CompareMode::CompareBaseCMD_Click);
    connect(base_, &QLineEdit::returnPressed, this, &CompareMode::CompareBaseTXT_Enter);
}

void CompareMode::start(ComparedFile file) {
    session_ = std::make_unique<CompareSession>(std::move(file), state_.edits);
    session_->showOnlyDifferences(only_->isChecked());
    state_.compared = session_.get();
    base_->setText(QDir::toNativeSeparators(session_->file().baseName));
    bar_->show();
    showNames();
    hooks_.refresh();
    emit comparedImageChanged(session_->file().theirs);
}

void CompareMode::stop() {
    if (!session_)
        return;
    state_.compared = nullptr;
    session_.reset();
    bar_->hide();
    hooks_.refresh();
    emit comparedImageChanged(QByteArray());
}

void CompareMode::fileChanged() {
    if (!session_)
        return;
    session_->fileChanged();
    showNames();
}

QByteArray CompareMode::comparedImage() const {
    return session_ ? session_->file().theirs : QByteArray();
}

void CompareMode::showNames() {
    const ComparedFile& file = session_->file();
    const records::Comparison& found = session_->comparison();
    const QString original = file.baseName.isEmpty()
                                 ? QStringLiteral("the file before the changes made in this editor")
                                 : QFileInfo(file.baseName).fileName();
    names_->setText(
        QStringLiteral("Yours: %1 \u00b7 Theirs: %2 \u00b7 Original: %3\n%4 in %5: %6 only "
                       "there, %7 only here, %8 alike.")
            .arg(file.mine, file.name, original,
                 rom::counted(found.count(ChangeClass::Conflict), "conflict", "conflicts"),
                 rom::counted(found.records, "record", "records"))
            .arg(found.count(ChangeClass::OnlyThere))
            .arg(found.count(ChangeClass::OnlyHere))
            .arg(found.count(ChangeClass::Alike)));
}

void CompareMode::CompareOnlyCHK_Click() {
    if (session_)
        session_->showOnlyDifferences(only_->isChecked());
    hooks_.refresh();
}

void CompareMode::take(const QList<CompareSession::Cell>& cells, const QByteArray& from,
                       const QString& caption) {
    for (const CompareSession::Cell& cell : cells)
        state_.edits.enter(*cell.sheet, cell.row, cell.column,
                           QString::number(cell.sheet->value(from, cell.row, cell.column)));
    hooks_.record(caption);
    hooks_.refresh();
}

void CompareMode::takeSelected(const QByteArray& from, const QString& caption) {
    if (!session_ || !hooks_.ready())
        return;
    QList<CompareSession::Cell> cells;
    for (const expressions::Cell& cell : hooks_.selected())
        cells.append({&hooks_.sheet(), cell.row, cell.column});
    if (cells.isEmpty())
        ui::showInformation(window_, QStringLiteral("Select the cells to set first: one or more "
                                                    "cells of one or more columns."));
    else
        take(cells, from, caption);
}

void CompareMode::CompareTakeCMD_Click() {
    if (session_)
        takeSelected(session_->file().theirs, QStringLiteral("Take Theirs"));
}

void CompareMode::TableResetCMD_Click() {
    if (session_)
        takeSelected(session_->file().base, QStringLiteral("Reset to Original"));
}

void CompareMode::CompareTakeAllCMD_Click() {
    if (!session_ || !hooks_.ready())
        return;
    const QList<CompareSession::Cell> cells = session_->cellsOf(ChangeClass::OnlyThere);
    const qsizetype conflicts = session_->cellsOf(ChangeClass::Conflict).size();
    take(cells, session_->file().theirs,
         QStringLiteral("Take All Their Changes Without Conflicts"));
    ui::showInformation(window_, QStringLiteral("%1 of theirs taken as edits; Apply Changes "
                                                "writes them. %2 left as you have them.")
                                     .arg(rom::counted(cells.size(), "cell", "cells"),
                                          rom::counted(conflicts, "conflict", "conflicts")));
}

void CompareMode::CompareBaseCMD_Click() {
    const QString path = askComparedFile(window_, QStringLiteral("Original"), false);
    if (path.isEmpty())
        return;
    base_->setText(QDir::toNativeSeparators(path));
    useBase(path);
}

void CompareMode::CompareBaseTXT_Enter() {
    useBase(base_->text().trimmed());
}

// An empty path goes back to the file before the changes made in this editor.
void CompareMode::useBase(const QString& path) {
    if (!session_ || !hooks_.ready())
        return;
    if (path.isEmpty()) {
        session_->setBase(hooks_.original(), QString());
    } else {
        const std::optional<QByteArray> base =
            readComparedImage(window_, path, state_.edits.file().size());
        if (!base)
            return;
        session_->setBase(*base, path);
    }
    showNames();
    hooks_.refresh();
}

} // namespace app
