#include "ui/Settings.h"

#include "ui/Program.h"

#include <QFileInfo>
#include <QSettings>

namespace app {
namespace settings {
namespace {
QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillmark"));
}
QString qualified(const QString& key) {
    return ui::kProgramTitle + QLatin1Char('/') + key;
}
} // namespace

QString read(const QString& key) {
    const QSettings s = store();
    if (s.status() != QSettings::NoError)
        return QString();
    return s.value(qualified(key)).toString();
}

void write(const QString& key, const QString& value) {
    QSettings s = store();
    s.setValue(qualified(key), value.trimmed());
    s.sync();
}

} // namespace settings

bool dataFileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void SaveLastVersion() {
    settings::write(settings::kLastVersionUsed, ui::versionText() + QLatin1Char('b'));
}

} // namespace app
