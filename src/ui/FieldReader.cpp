#include "ui/FieldReader.h"

#include "rom/RomFile.h"
#include "ui/Dialogs.h"
#include "ui/NumberText.h"

#include <QLineEdit>

namespace ui {

long long FieldReader::wholeNumber(const QLineEdit* box, const QString& caption, long long minimum,
                                   long long maximum) {
    const std::optional<long long> value = parseWholeNumber(box->text());
    if (value && *value >= minimum && *value <= maximum)
        return *value;
    fail(QStringLiteral("%1 enter a whole number from %2 to %3.")
             .arg(caption)
             .arg(minimum)
             .arg(maximum),
         const_cast<QLineEdit*>(box));
    return minimum;
}

std::uint8_t FieldReader::byte(const QLineEdit* box, const QString& caption) {
    return static_cast<std::uint8_t>(wholeNumber(box, caption, 0, 255));
}

std::int16_t FieldReader::wrapped16(const QLineEdit* box, const QString& caption) {
    return wrapToInteger(wholeNumber(box, caption, kWrappedMinimum, kWrappedMaximum));
}

std::int16_t FieldReader::signed16(const QLineEdit* box, const QString& caption) {
    return static_cast<std::int16_t>(wholeNumber(box, caption, -32768, 32767));
}

std::uint16_t FieldReader::unsigned16(const QLineEdit* box, const QString& caption) {
    return static_cast<std::uint16_t>(wholeNumber(box, caption, 0, 65535));
}

void FieldReader::fail(const QString& message, QWidget* focus) {
    if (!ok())
        return; // the first failure is the one reported
    message_ = message;
    focus_ = focus;
}

void FieldReader::requireInFile(const rom::RomFile& rom, qint64 offset, qint64 length) {
    if (!rom.covers(offset, length))
        fail(tooShortMessage());
}

bool FieldReader::report(QWidget* parent) const {
    if (ok())
        return true;
    showWarning(parent, message_);
    if (focus_)
        focus_->setFocus(Qt::OtherFocusReason);
    return false;
}

QString tooShortMessage() {
    return QStringLiteral("The open ROM file is too short to hold this record, so nothing was "
                          "written.");
}

bool checkWritten(QWidget* parent, const rom::RomFile& rom, bool written) {
    if (!written)
        showWarning(parent, QStringLiteral("The record could not be written completely, so it may "
                                           "be only partly changed in the file: %1")
                                .arg(rom.errorString()));
    return written;
}

} // namespace ui
