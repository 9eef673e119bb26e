#include "opening/OpenChecks.h"

#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "rominfo/ImageCheck.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace app {
namespace {

const QString kHeaderMessage =
    QStringLiteral("This ROM has a header, so I'm removing it to make it compatible with my "
                   "program and Tidewright");

bool removeHeader(QWidget* parent, const QString& path, rom::RomFile& open) {
    if (!rom::hasCopierHeader(path))
        return true;
    ui::showWarning(parent, kHeaderMessage);
    QString error;
    if (!rom::removeCopierHeader(path, &error)) {
        ui::showWarning(parent, QStringLiteral("The copier header could not be removed from "
                                               "\"%1\": %2\nThe file was not changed.")
                                    .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    if (open.isOpen() &&
        QFileInfo(open.path()).canonicalFilePath() == QFileInfo(path).canonicalFilePath())
        open.close();
    return true;
}

} // namespace

bool acceptsImage(QWidget* parent, const QString& path) {
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(path);
    if (!look || look->looksLikeValdric())
        return true;
    enum Answer { OpenAnyway, Cancel };
    return ui::askQuestion(
               parent,
               rominfo::unfamiliarImageText(path, *look) + QStringLiteral(" Open it anyway?"),
               {ui::kOpenAnywayButton, ui::kCancelButton}, Cancel, Cancel) == OpenAnyway;
}

bool prepareToOpen(QWidget* parent, const QString& path, rom::RomFile& open) {
    return acceptsImage(parent, path) && removeHeader(parent, path, open);
}

} // namespace app
