#include "ui/EditorSettings.h"

#include <QWidget>

namespace app {

QSettings editorSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"),
                     QStringLiteral("valdric-editor"));
}

namespace {

QString geometryKey(const QWidget* window) {
    return QStringLiteral("Window Geometry/") + window->objectName();
}

} // namespace

void restoreWindowGeometry(QWidget* window, int defaultWidth, int defaultHeight) {
    if (!window->restoreGeometry(editorSettings().value(geometryKey(window)).toByteArray()))
        window->resize(defaultWidth, defaultHeight);
}

void saveWindowGeometry(const QWidget* window) {
    QSettings store = editorSettings();
    store.setValue(geometryKey(window), window->saveGeometry());
    store.sync();
}

} // namespace app
