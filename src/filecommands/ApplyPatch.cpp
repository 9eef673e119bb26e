#include "filecommands/ApplyPatch.h"

#include "dialogs/PatchPreview.h"
#include "filesession/FileSession.h"
#include "rom/RomFile.h"
#include "tables/Columns.h"
#include "ui/Dialogs.h"
#include "ui/EditorSettings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace app {
namespace {

const QString kFolderKey = QStringLiteral("Patch Folder");
// No patch of a 4 MiB image needs to be larger; a larger file is not read whole.
constexpr qint64 kLargestPatch = 64 * 1024 * 1024;

const QStringList kFilters = {
    QStringLiteral("Patches (*.bps *.ips *.ups)"), QStringLiteral("BPS patch (*.bps)"),
    QStringLiteral("IPS patch (*.ips)"), QStringLiteral("UPS patch (*.ups)")};

// The patch's bytes, or empty with the reason told.
QByteArray readPatch(QWidget* parent, const QString& path) {
    QFile file(path);
    QString problem;
    if (QFileInfo(path).size() > kLargestPatch)
        problem = QStringLiteral("\"%1\" is too large for a patch of this game; nothing was "
                                 "written.");
    else if (!file.open(QIODevice::ReadOnly))
        problem = QStringLiteral("\"%1\" could not be read: %2").arg("%1", file.errorString());
    const QByteArray bytes = problem.isEmpty() ? file.readAll() : QByteArray();
    if (problem.isEmpty() && bytes.isEmpty())
        problem = QStringLiteral("\"%1\" is empty, so it is no patch; nothing was written.");
    if (!problem.isEmpty())
        ui::showWarning(parent, problem.arg(QDir::toNativeSeparators(path)));
    return problem.isEmpty() ? bytes : QByteArray();
}

} // namespace

ApplyPatch::ApplyPatch(EditorWindow& window, rom::RomFile& rom, FileSession& session,
                       QObject* parent)
    : QObject(parent), window_(window), rom_(rom), session_(session) {}

QAction* ApplyPatch::addEntry(QMenu* menu) {
    QAction* action = menu->addAction(QStringLiteral("&Apply Patch..."));
    action->setObjectName("mnuApplyPatch");
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, &ApplyPatch::mnuApplyPatch_Click);
    return action;
}

void ApplyPatch::mnuApplyPatch_Click() {
    QWidget* parent = window_.widget();
    if (window_.isLoadingLists() || !session_.stillSameFile() || !window_.confirmLeavingRecord())
        return;
    const QString path =
        ui::askOpenFileName(parent, QStringLiteral("Apply Patch"),
                            editorSettings().value(kFolderKey).toString(), kFilters);
    if (path.isEmpty())
        return;
    editorSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    const QByteArray patch = readPatch(parent, path);
    if (patch.isEmpty())
        return;
    const QByteArray open = rom_.readBytes(0, rom_.size());
    const QByteArray original = session_.original(open);
    const bool ips = patches::formatOf(patch) == patches::PatchFormat::Ips;
    const auto plan = [&](qint64 shift) {
        return records::planPatch(open, original, patch, shift);
    };
    const records::PatchPlan first = plan(0);
    if (!first.usable() && !ips) {
        ui::showWarning(parent, first.patched.reason + QStringLiteral(" Nothing was written."));
        return;
    }
    const tables::Names names = tables::namesIn(open);
    const QString name = QFileInfo(path).fileName();
    PatchPreview preview(
        parent, {name,
                 ips,
                 plan,
                 {[&names](records::RecordKind page, int row) { return names.of(page, row); },
                  window_.itemNames()}});
    if (preview.exec() != QDialog::Accepted || preview.plan().spans.isEmpty())
        return;
    const records::PatchPlan& chosen = preview.plan();
    if (session_.commit(history::RecordRef::patch(name, chosen.records), chosen.spans) ==
        ui::FileAccess::Outcome::Written)
        window_.reloadVisiblePage();
}

} // namespace app
