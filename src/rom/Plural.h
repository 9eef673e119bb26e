#pragma once

#include <QString>

namespace rom {

// "1 record", "2 records": a count with the word that goes with it.
inline QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace rom
