#include "records/Records.h"

#include "items/Elemental.h"

namespace records {
namespace {

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// "+Cassia −Aldo": the rows whose bits the change sets, then those it clears.
QString flagChange(const Place& place, int before, int after) {
    QStringList words;
    for (const bool set : {true, false})
        for (int r = 0; r < 8; ++r)
            if (((before >> r) & 1) != ((after >> r) & 1) && (((after >> r) & 1) != 0) == set)
                words << (set ? QStringLiteral("+") : QStringLiteral("\u2212")) + place.rows()[r];
    return words.join(QLatin1Char(' '));
}

} // namespace

QString withoutColon(const QString& caption) {
    return caption.endsWith(QLatin1Char(':')) ? caption.chopped(1) : caption;
}

QString valueWords(const Place& place, int value, const QStringList& itemNames) {
    const int row = value - place.view.rowOrigin;
    switch (place.view.shown) {
    case rom::Shown::Choice:
        if (row >= 0 && row < place.rows().size())
            return place.rows()[row];
        break;
    case rom::Shown::Item:
        if (value < itemNames.size())
            return itemNames[value].trimmed();
        break;
    case rom::Shown::Check:
        if (value <= 2)
            return QStringList{"cleared", "checked", "greyed"}[value];
        break;
    case rom::Shown::Element:
        if (const QString name = items::elementName(value); !name.isEmpty())
            return name;
        break;
    default:
        break;
    }
    return QString::number(value);
}

QString changeWords(const QList<Place>& places, qint64 offset, const QByteArray& before,
                    const QByteArray& after, const QStringList& itemNames) {
    for (const Place& place : places) {
        if (place.offset != offset || place.width != before.size())
            continue;
        const QString caption = withoutColon(place.view.caption) + QStringLiteral(": ");
        if (place.view.encoding == rom::Encoding::Bytes)
            return caption +
                   QStringLiteral("\"%1\" \u2192 \"%2\"")
                       .arg(rom::textOfBytes(before).trimmed(), rom::textOfBytes(after).trimmed());
        const int from = rom::decodeNumber(place.view.encoding, before);
        const int to = rom::decodeNumber(place.view.encoding, after);
        if (place.view.shown == rom::Shown::Flags)
            return caption + flagChange(place, from, to);
        return caption + valueWords(place, from, itemNames) + QStringLiteral(" \u2192 ") +
               valueWords(place, to, itemNames);
    }
    return QStringLiteral("0x%1: %2 \u2192 %3")
        .arg(QString::number(offset, 16).toUpper().rightJustified(6, QLatin1Char('0')), hex(before),
             hex(after));
}

} // namespace records
