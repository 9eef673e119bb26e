// Opening from outside the window: the recent-files menu.
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "support/EditorFixture.h"
#include "support/RomImage.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

// The recent entries as the menu shows them when it opens.
QStringList recentEntries(EditorFixture& editor) {
    emit editor.find<QMenu>("mnuOpenRecent")->aboutToShow();
    QStringList shown;
    for (int n = 0; n < 8; ++n) {
        auto* entry = editor.find<QAction>(QStringLiteral("mnuRecent%1").arg(n));
        if (entry->isVisible())
            shown << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
    }
    return shown;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { app::recent::clear(); }
    void recentMenuKeepsTheLastEightInItsOwnStore();
};

void DesktopTest::recentMenuKeepsTheLastEightInItsOwnStore() {
    app::settings::write(app::settings::kInstalled, "1/2/05");
    const QByteArray originalStore = testrom::readFile(app::settings::storePath());
    EditorFixture editor;
    const QList<QAction*> file = editor.find<QMenu>("mnuFile")->actions();
    auto* submenu = editor.find<QMenu>("mnuOpenRecent");
    QCOMPARE(file.indexOf(submenu->menuAction()) - 1,
             file.indexOf(editor.find<QAction>("mnuOpenROM")));
    QCOMPARE(submenu->title(), QStringLiteral("Open &Recent"));

    QStringList paths;
    for (int n = 1; n <= 9; ++n)
        paths << editor.writeRom(QByteArray(64, 'x'), QStringLiteral("rom%1 & co.smc").arg(n));
    for (const QString& path : paths + QStringList{paths[3], editor.folder() + "/missing.smc"})
        editor.window().openRomPath(path);
    QVERIFY(QFile::remove(paths[5]));
    QCOMPARE(recentEntries(editor),
             (QStringList{"&1 rom4 && co.smc", "&2 rom9 && co.smc", "&3 rom8 && co.smc",
                          "&4 rom7 && co.smc", "&5 rom6 && co.smc (disabled)", "&6 rom5 && co.smc",
                          "&7 rom3 && co.smc", "&8 rom2 && co.smc"}));
    QCOMPARE(editor.find<QAction>("mnuRecent2")->toolTip(), paths[7]);
    editor.find<QAction>("mnuRecent6")->trigger();
    QCOMPARE(editor.window().romFile().path(), paths[2]);
    QCOMPARE(app::recent::files().first(), paths[2]);

    auto* clear = editor.find<QAction>("mnuClearRecent");
    QCOMPARE(clear->text(), QStringLiteral("Clear Menu"));
    QVERIFY(submenu->actions().last() == clear && submenu->actions()[8]->isSeparator());
    clear->trigger();
    QCOMPARE(recentEntries(editor), QStringList());
    QVERIFY(!clear->isEnabled());
    QCOMPARE(app::recent::storePath(),
             qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quillmark/valdric-editor.ini");
    QCOMPARE(testrom::readFile(app::settings::storePath()), originalStore);
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
