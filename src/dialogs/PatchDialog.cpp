#include "dialogs/PatchDialog.h"

#include "ui/EditorSettings.h"
#include "patches/Bps.h"
#include "patches/Diff.h"
#include "patches/Ips.h"
#include "rom/CopierHeader.h"
#include "rom/SafeWrite.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace app {
namespace {

// Larger files are no ROM images of this game; they are not read whole.
constexpr qint64 kLargestOriginal = 16 * 1024 * 1024;
const QString kFormatKey = QStringLiteral("Patch Format");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

PatchDialog::PatchDialog(QWidget* parent, Sources sources)
    : QDialog(parent), sources_(std::move(sources)) {
    setObjectName("PatchDialog");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" - Create Patch"));
    setModal(true);
    setFixedSize(520, 200);
    ui::makeLabel(this, "PatchSourceLBL",
                  QStringLiteral("The patch will turn this file into the open file, \"%1\":")
                      .arg(QFileInfo(sources_.openPath).fileName()),
                  QRect(10, 8, 500, 18));
    fromHistory_ = new QRadioButton("The file before the changes made in this editor", this);
    fromHistory_->setObjectName("PatchFromHistoryOPT");
    fromHistory_->setGeometry(20, 30, 480, 20);
    fromHistory_->setChecked(true);
    fromFile_ = new QRadioButton("An original ROM file:", this);
    fromFile_->setObjectName("PatchFromFileOPT");
    fromFile_->setGeometry(20, 56, 160, 20);
    originalPath_ = ui::makeTextBox(this, "PatchOriginalTXT", QRect(180, 54, 240, 24));
    QPushButton* browse =
        ui::makeButton(this, "PatchBrowseCMD", "&Browse...", QRect(426, 53, 84, 26));
    ui::makeLabel(this, "PatchFormatLBL", "Format:", QRect(20, 92, 60, 20));
    format_ = ui::makeDropDown(this, "PatchFormatCBO", QRect(84, 90, 100, 24), {"BPS", "IPS"});
    format_->setCurrentIndex(editorSettings().value(kFormatKey).toString() == "IPS" ? 1 : 0);
    checksumFirst_ = new QCheckBox("Update the checksum first", this);
    checksumFirst_->setObjectName("PatchChecksumCHK");
    checksumFirst_->setGeometry(20, 124, 300, 20);
    QPushButton* create =
        ui::makeButton(this, "PatchCreateCMD", "&Create", QRect(330, 162, 84, 28));
    QPushButton* cancel = ui::makeButton(this, "PatchCancelCMD", "Cancel", QRect(426, 162, 84, 28));
    // Enter creates the patch, wherever the focus is.
    for (QPushButton* other : {browse, cancel})
        other->setAutoDefault(false);
    create->setDefault(true);
    connect(browse, &QPushButton::clicked, this, &PatchDialog::PatchBrowseCMD_Click);
    connect(create, &QPushButton::clicked, this, &PatchDialog::PatchCreateCMD_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(originalPath_, &QLineEdit::textEdited, fromFile_,
            [this] { fromFile_->setChecked(true); });
}

QString PatchDialog::proposedPatchPath(const QString& romPath, bool bps) {
    const QFileInfo rom(romPath);
    return rom.dir().filePath(rom.completeBaseName() +
                              (bps ? QStringLiteral(".bps") : QStringLiteral(".ips")));
}

QString PatchDialog::withExtension(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + extension : path;
}

void PatchDialog::PatchBrowseCMD_Click() {
    const QString path = ui::askRomFileName(this);
    if (path.isEmpty())
        return;
    originalPath_->setText(path);
    fromFile_->setChecked(true);
}

// The original file as an image: a 4 MiB image with a copier header loses the header. Only
// read, never written.
std::optional<QByteArray> PatchDialog::original() {
    const QString path = originalPath_->text().trimmed();
    const QFileInfo info(path);
    QString problem;
    if (path.isEmpty())
        problem = QStringLiteral("Choose the original ROM file the patch starts from.");
    else if (!info.isFile())
        problem = QStringLiteral("\"%1\" is not a file.").arg(shown(path));
    else if (info.size() > kLargestOriginal)
        problem =
            QStringLiteral("\"%1\" is too large for a ROM image of this game.").arg(shown(path));
    QFile file(path);
    if (problem.isEmpty() && !file.open(QIODevice::ReadOnly))
        problem =
            QStringLiteral("\"%1\" could not be read: %2").arg(shown(path), file.errorString());
    if (!problem.isEmpty()) {
        ui::showWarning(this, problem);
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.size() == rom::kHeaderedImageSize ? bytes.mid(rom::kCopierHeaderSize) : bytes;
}

void PatchDialog::PatchCreateCMD_Click() {
    if (checksumFirst_->isChecked())
        sources_.updateChecksum();
    const std::optional<QByteArray> source =
        fromHistory_->isChecked() ? std::optional(sources_.beforeChanges()) : original();
    if (!source)
        return;
    const QByteArray target = sources_.openFile();
    const patches::DiffSummary summary = patches::summarizeDiff(*source, target);
    if (summary.unchanged()) {
        ui::showInformation(this,
                            QStringLiteral("The open file holds no change from the original, so "
                                           "there is no patch to write."));
        return;
    }
    const bool bps = format_->currentIndex() == 0;
    QByteArray patch;
    if (bps) {
        patch = patches::createBps(*source, target);
    } else if (const patches::IpsResult ips = patches::createIps(*source, target); ips.ok()) {
        patch = ips.patch;
    } else {
        ui::showWarning(this, ips.error);
        return;
    }
    const QString chosen = ui::askSaveFileName(
        this, bps ? QStringLiteral("BPS patch (*.bps)") : QStringLiteral("IPS patch (*.ips)"),
        proposedPatchPath(sources_.openPath, bps));
    if (chosen.isEmpty())
        return;
    const QString path = withExtension(chosen, bps ? QStringLiteral("bps") : QStringLiteral("ips"));
    if (!save(patch, path))
        return;
    editorSettings().setValue(kFormatKey, format_->currentText());
    ui::showInformation(this, QStringLiteral("The patch changes %1 bytes in %2 places. It was "
                                             "written to \"%3\".")
                                  .arg(summary.changedBytes)
                                  .arg(summary.places)
                                  .arg(shown(path)));
    accept();
}

// All or nothing: a failure leaves no patch, partial or whole, and says why.
bool PatchDialog::save(const QByteArray& patch, const QString& path) {
    const QString why = rom::replaceFile(path, patch);
    if (!why.isEmpty())
        ui::showWarning(this, QStringLiteral("The patch could not be written to \"%1\": %2. No "
                                             "patch file was made.")
                                  .arg(shown(path), why));
    return why.isEmpty();
}

} // namespace app
