#include "ui/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace ui {

QFont windowFont() {
    static const bool registered = [] {
        for (const char* file :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            if (QFile::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        }
        return true;
    }();
    Q_UNUSED(registered);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    return font;
}

} // namespace ui
