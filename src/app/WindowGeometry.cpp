#include "app/WindowGeometry.h"

#include "app/RecentFiles.h"

#include <QSettings>
#include <QWidget>

namespace app {
namespace {

QString keyOf(const QWidget* window) {
    return QStringLiteral("Window Geometry/") + window->objectName();
}

} // namespace

void restoreWindowGeometry(QWidget* window, int defaultWidth, int defaultHeight) {
    const QSettings store(recent::storePath(), QSettings::IniFormat);
    if (!window->restoreGeometry(store.value(keyOf(window)).toByteArray()))
        window->resize(defaultWidth, defaultHeight);
}

void saveWindowGeometry(const QWidget* window) {
    QSettings store(recent::storePath(), QSettings::IniFormat);
    store.setValue(keyOf(window), window->saveGeometry());
    store.sync();
}

} // namespace app
