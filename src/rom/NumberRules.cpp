#include "rom/NumberRules.h"

#include <QRegularExpression>

namespace rom {

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
    static const QRegularExpression leadingZeros(QStringLiteral("^0+"));
    const QString digits = QString(whole).remove(leadingZeros);
    if (digits.size() > 12)
        return std::nullopt;
    long long value = digits.isEmpty() ? 0 : digits.toLongLong();
    if (!fraction.isEmpty()) {
        static const QRegularExpression nonZeroDigit(QStringLiteral("[1-9]"));
        const QChar first = fraction[0];
        const bool restNonZero = fraction.mid(1).contains(nonZeroDigit);
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && restNonZero) ||
            (first == QLatin1Char('5') && !restNonZero && value % 2 == 1))
            ++value;
    }
    return negative ? -value : value;
}

std::optional<long long> wholeNumberIn(const QString& text, long long minimum, long long maximum) {
    const std::optional<long long> value = parseWholeNumber(text);
    if (value && *value >= minimum && *value <= maximum)
        return value;
    return std::nullopt;
}

QString wholeNumberRefusal(long long minimum, long long maximum) {
    return QStringLiteral("enter a whole number from %1 to %2.").arg(minimum).arg(maximum);
}

QString latin1Refusal() {
    return QStringLiteral("use only characters of ISO 8859-1 (Latin-1).");
}

QString tooShortReason() {
    return QStringLiteral("the open ROM file is too short to hold this record");
}

EntryRange entryRange(Encoding encoding) {
    switch (encoding) {
    case Encoding::Byte:
        return {0, 255};
    case Encoding::Signed16:
        return {-32768, 32767};
    case Encoding::Unsigned16:
        return {0, 65535};
    case Encoding::Signed32:
        return {-2147483648LL, 2147483647LL};
    case Encoding::Bytes:
        break;
    }
    return {0, 0};
}

int storedValue(Encoding, long long entry) {
    return static_cast<int>(entry);
}

} // namespace rom
