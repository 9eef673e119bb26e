#include "compare/PickCompared.h"

#include "opening/OpenChecks.h"
#include "patches/PatchReaders.h"
#include "rom/CopierHeader.h"
#include "ui/Dialogs.h"
#include "ui/EditorSettings.h"

#include <QDir>
#include <QFileInfo>

namespace app {
namespace {

const QString kFolderKey = QStringLiteral("Compare Folder");

std::optional<QByteArray> readWhole(QWidget* parent, const QString& path) {
    QString why;
    std::optional<QByteArray> bytes = rom::readHeaderless(path, &why);
    if (!bytes)
        ui::showWarning(parent, why + QStringLiteral(" Nothing is compared."));
    return bytes;
}

} // namespace

QString askComparedFile(QWidget* parent, const QString& caption, bool patches) {
    QStringList filters = ui::romFileFilters();
    filters.move(1, 0);
    if (patches)
        filters.insert(1, QStringLiteral("Patches (*.bps *.ips *.ups)"));
    const QString path = ui::askOpenFileName(
        parent, caption, editorSettings().value(kFolderKey).toString(), filters);
    if (!path.isEmpty())
        editorSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    return path;
}

std::optional<QByteArray> readComparedImage(QWidget* parent, const QString& path, qsizetype size) {
    if (!acceptsImage(parent, path))
        return std::nullopt;
    std::optional<QByteArray> image = readWhole(parent, path);
    if (image && image->size() != size) {
        ui::showWarning(parent, QStringLiteral("\"%1\" holds %2 bytes and the open file %3, so "
                                               "their records cannot be compared.")
                                    .arg(QDir::toNativeSeparators(path),
                                         patches::groupedNumber(image->size()),
                                         patches::groupedNumber(size)));
        return std::nullopt;
    }
    return image;
}

std::optional<ComparedFile> pickCompared(QWidget* parent, const QByteArray& open,
                                         const QByteArray& original) {
    const QString path = askComparedFile(parent, QStringLiteral("Compare With"), true);
    if (path.isEmpty())
        return std::nullopt;
    const QString name = QFileInfo(path).fileName();
    const std::optional<QByteArray> bytes = readWhole(parent, path);
    if (!bytes)
        return std::nullopt;
    if (patches::formatOf(*bytes) == patches::PatchFormat::Unknown) {
        const std::optional<QByteArray> image = readComparedImage(parent, path, open.size());
        if (!image)
            return std::nullopt;
        return ComparedFile{QString(), *image, name, original, QString()};
    }
    const patches::Patched patched = patches::applyPatch(original, *bytes);
    if (!patched.ok()) {
        ui::showWarning(parent, patched.reason + QStringLiteral(" Nothing is compared."));
        return std::nullopt;
    }
    return ComparedFile{QString(), patched.image, name + QStringLiteral(" applied to the original"),
                        original, QString()};
}

} // namespace app
