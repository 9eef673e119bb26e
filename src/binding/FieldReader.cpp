#include "binding/FieldReader.h"

#include "rom/NumberRules.h"
#include "ui/Dialogs.h"

#include <QLineEdit>

namespace ui {

long long FieldReader::wholeNumber(const QLineEdit* box, const QString& caption, long long minimum,
                                   long long maximum) {
    if (const std::optional<long long> value = rom::wholeNumberIn(box->text(), minimum, maximum))
        return *value;
    fail(caption + QLatin1Char(' ') + rom::wholeNumberRefusal(minimum, maximum),
         const_cast<QLineEdit*>(box));
    return minimum;
}

int FieldReader::number(const QLineEdit* box, const QString& caption, rom::Encoding encoding) {
    const rom::EntryRange range = rom::entryRange(encoding);
    return rom::storedValue(encoding, wholeNumber(box, caption, range.minimum, range.maximum));
}

void FieldReader::fail(const QString& message, QWidget* focus) {
    if (!ok())
        return; // the first failure is the one reported
    message_ = message;
    focus_ = focus;
}

bool FieldReader::report(QWidget* parent) const {
    if (ok())
        return true;
    showWarning(parent, message_);
    if (focus_)
        focus_->setFocus(Qt::OtherFocusReason);
    return false;
}

QString FieldReader::tooShortMessage() {
    QString reason = rom::tooShortReason();
    reason[0] = reason[0].toUpper();
    return reason + QStringLiteral(", so nothing was written.");
}

} // namespace ui
