#include "opening/RecentFiles.h"

#include "ui/EditorSettings.h"
#include "ui/EditorWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace app {
namespace recent {
namespace {
const QString kKey = QStringLiteral("Recent Files");
} // namespace

QStringList files() {
    return editorSettings().value(kKey).toStringList().mid(0, kLimit);
}

// Written only when it changes: every write of the store waits for the disk.
void add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    if (list.value(0) == absolute)
        return;
    list.removeAll(absolute);
    list.prepend(absolute);
    QSettings s = editorSettings();
    s.setValue(kKey, list.mid(0, kLimit));
    s.sync();
}

void clear() {
    QSettings s = editorSettings();
    s.remove(kKey);
    s.sync();
}

QString storePath() {
    return editorSettings().fileName();
}

} // namespace recent

namespace {

// The submenu keeps its kLimit entries, the separator and "Clear Menu" for good; a refresh
// only changes what they show, so an entry may safely refresh the menu it belongs to.
void refresh(QMenu* menu) {
    const QStringList paths = recent::files();
    const QList<QAction*> actions = menu->actions();
    for (int n = 0; n < recent::kLimit; ++n) {
        QAction* entry = actions.at(n);
        entry->setVisible(n < paths.size());
        if (n >= paths.size())
            continue;
        const QFileInfo file(paths.at(n));
        entry->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(
            file.fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setToolTip(QDir::toNativeSeparators(file.filePath()));
        entry->setData(file.filePath());
        entry->setEnabled(file.isFile());
    }
    actions.last()->setEnabled(!paths.isEmpty());
}

} // namespace

QMenu* addRecentFilesMenu(QMenu* fileMenu, EditorWindow& window) {
    QMenu* menu = fileMenu->addMenu(QStringLiteral("Open &Recent"));
    menu->setObjectName("mnuOpenRecent");
    menu->setToolTipsVisible(true);
    for (int n = 0; n < recent::kLimit; ++n) {
        QAction* entry = menu->addAction(QString());
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(n));
        QObject::connect(entry, &QAction::triggered, window.widget(),
                         [&window, entry] { window.openRomPath(entry->data().toString()); });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(QStringLiteral("Clear Menu"));
    clear->setObjectName("mnuClearRecent");
    QObject::connect(clear, &QAction::triggered, menu, [menu] {
        recent::clear();
        refresh(menu);
    });
    window.whenFileOpened(menu, [menu](const QString& path) {
        recent::add(path);
        refresh(menu);
    });
    // Files come and go while the program runs: look again each time the menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { refresh(menu); });
    refresh(menu);
    return menu;
}

} // namespace app
