#include "rominfo/MiscPage.h"

#include "binding/FieldBinder.h"
#include "rominfo/Checksum.h"
#include "ui/Controls.h"
#include "ui/FileAccess.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace rominfo {
namespace {

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

MiscPage::MiscPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access)
    : rom_(rom), access_(access) {
    frame_ = ui::makeFrame(window, "MiscFRA", ui::twips(330, 450, 9555, 5655));
    fields_ = new ui::FieldBinder(frame_);
    buildFields();
    buildLabels();
    frame_->hide();
}

void MiscPage::buildLabels() {
    struct Caption {
        const char* name;
        const char* text;
        int top;
        const char* control;
    };
    const Caption captions[] = {{"Label78", "Internal ROM Name:", 390, "ROMNameTXT"},
                                {"Label82", "ROM Version:", 750, "ROMVersionTXT"},
                                {"Label84", "Checksum:", 1110, "ROMChecksumTXT"},
                                {"Label80", "ROM Format:", 1470, "ROMFormatLST"},
                                {"Label83", "SRAM Size:", 2640, "SRAMSizeLST"}};
    for (const Caption& caption : captions)
        ui::makeLabel(frame_, QString::fromLatin1(caption.name), QString::fromLatin1(caption.text),
                      ui::twips(kLabelLeft, caption.top, kLabelWidth, kLabelHeight))
            ->setBuddy(frame_->findChild<QWidget*>(QLatin1String(caption.control)));
}

void MiscPage::buildFields() {
    ui::makeTextBox(frame_, "ROMNameTXT", ui::twips(kFieldLeft, 360, kFieldWidth, kBoxHeight),
                    kNameLength);
    QLabel* versionPrefix =
        ui::makeLabel(frame_, "ROMVersionLBL", "1.", ui::twips(1770, 750, 1035, kLabelHeight));
    versionPrefix->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::makeTextBox(frame_, "ROMVersionTXT", ui::twips(2850, 720, 1605, kBoxHeight), 2);
    checksumBox_ = ui::makeTextBox(frame_, "ROMChecksumTXT",
                                   ui::twips(kFieldLeft, 1080, kFieldWidth, kBoxHeight));
    ui::lockGrey(checksumBox_);
    checksumState_ =
        ui::makeLabel(frame_, "ROMChecksumStateLBL", QString(),
                      ui::twips(kFieldLeft + kFieldWidth + 60, 1110, 1500, kLabelHeight));
    makeCodeList(frame_, "ROMFormatLST", 1440, 1035, regionRows());
    makeCodeList(frame_, "SRAMSizeLST", 2550, 1230, sramRows());
}

void MiscPage::LoadMiscellaneous() {
    if (!access_.stillSameFile())
        return;
    loaded_ = rom::readRecord(rom_, headerFields(), 0);
    fields_->show(headerFields(), loaded_);
    checksumBox_->setText(checksumText(loaded_.complement, loaded_.checksum));
    showChecksumState();
    rememberShownValues();
}

// Whether the stored pair is that of the image as it is now; nothing for a short file.
void MiscPage::showChecksumState() {
    // Summing the image is kept for when the page is seen, not done at every opening.
    const std::optional<bool> matches =
        frame_->isVisible() ? checksumMatches(rom_) : std::optional<bool>();
    checksumState_->setText(!matches   ? QString()
                            : *matches ? QStringLiteral("matches")
                                       : QStringLiteral("out of date"));
}

// The page is not reloaded afterwards: it keeps what the user typed.
bool MiscPage::SaveMiscellaneous() {
    const auto outcome = fields_->save(rom_, access_, {records::RecordKind::Misc, 0, QString()},
                                       headerFields(), loaded_);
    if (outcome == ui::FileAccess::Outcome::Conflict)
        LoadMiscellaneous();
    else if (outcome == ui::FileAccess::Outcome::Written ||
             outcome == ui::FileAccess::Outcome::Failed)
        loaded_ = rom::readRecord(rom_, headerFields(), 0); // the page keeps what was typed
    showChecksumState();
    rememberShownValues();
    return outcome == ui::FileAccess::Outcome::Written;
}

} // namespace rominfo
