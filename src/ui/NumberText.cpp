#include "ui/NumberText.h"

#include <QRegularExpression>

namespace ui {

std::optional<long long> parseWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    QString whole;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        whole += t[i++];
    QString fraction;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
            fraction += t[i++];
    }
    if (i != t.size() || (whole.isEmpty() && fraction.isEmpty()))
        return std::nullopt;
    // Far beyond every field's range; keeps the arithmetic below safe.
    const QString digits = QString(whole).remove(QRegularExpression(QStringLiteral("^0+")));
    if (digits.size() > 12)
        return std::nullopt;
    long long value = digits.isEmpty() ? 0 : digits.toLongLong();
    if (!fraction.isEmpty()) {
        const QChar first = fraction[0];
        const bool restNonZero =
            fraction.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && restNonZero) ||
            (first == QLatin1Char('5') && !restNonZero && value % 2 == 1))
            ++value;
    }
    return negative ? -value : value;
}

std::int16_t wrapToInteger(long long value) {
    const long long stored = value > 32767 ? value - 65536 : value;
    return static_cast<std::int16_t>(stored);
}

} // namespace ui
