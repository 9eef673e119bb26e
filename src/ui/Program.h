#pragma once

#include <QString>

namespace ui {

inline const QString kProgramTitle = QStringLiteral("Valdric Editor Rodeviruz");
inline constexpr int kMajorVersion = 1;
inline constexpr int kRevision = 0;

// "1.0": major version and revision in plain decimal.
inline QString versionText() {
    return QString::number(kMajorVersion) + QLatin1Char('.') + QString::number(kRevision);
}

} // namespace ui
