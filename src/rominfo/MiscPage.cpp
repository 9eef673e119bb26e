#include "rominfo/MiscPage.h"

#include "rom/RomFile.h"
#include "rominfo/InternalHeader.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/FieldReader.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace rominfo {
namespace {

const QString kNameCaption = QStringLiteral("Internal ROM Name:");
const QString kVersionCaption = QStringLiteral("ROM Version:");

const QStringList kSramRows = {"None", "16 KBit", "32 KBit", "64 KBit", "128 KBit", "256 KBit"};
const QStringList kRegionRows = {
    "Japan (NTSC)",          "USA (NTSC)",    "Europe/Oceania/Asia (PAL)",
    "Sweden (PAL)",          "Finland (PAL)", "Denmark (PAL)",
    "France (PAL)",          "Holland (PAL)", "Spain (PAL)",
    "Germany/Austria (PAL)", "Italy (PAL)",   "Hong Kong/China (PAL)",
    "Indonesia (PAL)",       "Korea (PAL)"};

constexpr int kLabelLeft = 240;
constexpr int kLabelWidth = 1515;
constexpr int kLabelHeight = 255;
constexpr int kFieldLeft = 1800;
constexpr int kFieldWidth = 2655;
constexpr int kBoxHeight = 285;

QListWidget* makeCodeList(QWidget* parent, const QString& name, int top, int height,
                          const QStringList& rows) {
    QListWidget* list =
        ui::makeList(parent, name, ui::twips(kFieldLeft, top, kFieldWidth, height), rows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

MiscPage::MiscPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "MiscFRA", ui::twips(330, 450, 9555, 5655));
    buildLabels();
    buildFields();
    frame_->hide();
}

void MiscPage::buildLabels() {
    const std::pair<const char*, std::pair<QString, int>> labels[] = {
        {"Label78", {kNameCaption, 390}},
        {"Label82", {kVersionCaption, 750}},
        {"Label84", {QStringLiteral("Checksum:"), 1110}},
        {"Label80", {QStringLiteral("ROM Format:"), 1470}},
        {"Label83", {QStringLiteral("SRAM Size:"), 2640}}};
    for (const auto& [name, captionAndTop] : labels)
        ui::makeLabel(frame_, QString::fromLatin1(name), captionAndTop.first,
                      ui::twips(kLabelLeft, captionAndTop.second, kLabelWidth, kLabelHeight));
}

void MiscPage::buildFields() {
    nameBox_ = ui::makeTextBox(frame_, "ROMNameTXT",
                               ui::twips(kFieldLeft, 360, kFieldWidth, kBoxHeight), kNameLength);
    QLabel* versionPrefix =
        ui::makeLabel(frame_, "ROMVersionLBL", "1.", ui::twips(1770, 750, 1035, kLabelHeight));
    versionPrefix->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    versionBox_ =
        ui::makeTextBox(frame_, "ROMVersionTXT", ui::twips(2850, 720, 1605, kBoxHeight), 2);
    checksumBox_ = ui::makeTextBox(frame_, "ROMChecksumTXT",
                                   ui::twips(kFieldLeft, 1080, kFieldWidth, kBoxHeight));
    ui::lockGrey(checksumBox_);
    regionList_ = makeCodeList(frame_, "ROMFormatLST", 1440, 1035, kRegionRows);
    sramList_ = makeCodeList(frame_, "SRAMSizeLST", 2550, 1230, kSramRows);
}

void MiscPage::LoadMiscellaneous() {
    const InternalHeader header = readInternalHeader(rom_);
    nameBox_->setText(nameText(header.name));
    regionCode_ = header.regionCode;
    sramCode_ = header.sramCode;
    ui::showByteRow(regionList_, header.regionCode);
    ui::showByteRow(sramList_, header.sramCode);
    versionBox_->setText(QString::number(header.version));
    checksumBox_->setText(checksumText(header.complement, header.checksum));
}

bool MiscPage::SaveMiscellaneous() {
    ui::FieldReader reader;
    reader.requireInFile(rom_, kNameOffset, kWrittenLength);
    const std::optional<QByteArray> name = encodeName(nameBox_->text());
    if (!name)
        reader.fail(kNameCaption + QStringLiteral(" use only characters of ISO 8859-1 (Latin-1)."),
                    nameBox_);
    HeaderEdit edit;
    edit.version = reader.byte(versionBox_, kVersionCaption);
    if (!reader.report(frame_->window()))
        return false;

    edit.name = *name;
    edit.sramCode = ui::selectedByte(sramList_, sramCode_);
    edit.regionCode = ui::selectedByte(regionList_, regionCode_);
    ui::checkWritten(frame_->window(), rom_, writeInternalHeader(rom_, edit));
    sramCode_ = edit.sramCode;
    regionCode_ = edit.regionCode;
    return true;
}

} // namespace rominfo
