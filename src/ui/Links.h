#pragma once

#include <QString>

// Web addresses used by the Help menu and the About window.
namespace app::links {
inline const QString kSiteName = QStringLiteral("Cartridge Forge");
inline const QString kSiteHome = QStringLiteral("https://cartridgeforge.example/");
inline const QString kSiteUtilities =
    QStringLiteral("https://cartridgeforge.example/utilities/snesaud.html");
inline const QString kMakerHome = QStringLiteral("https://quillmark.example/");
} // namespace app::links
