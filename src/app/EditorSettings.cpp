#include "app/EditorSettings.h"

namespace app {

QSettings editorSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"),
                     QStringLiteral("valdric-editor"));
}

} // namespace app
