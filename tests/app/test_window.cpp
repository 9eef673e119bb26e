// The main window's tabs, menus and About window.
#include "app/AboutDialog.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

const char* const kFrames[] = {"MiscFRA", "EnemyFRA", "CharFRA", "ItemFRA"};

QStringList visibleFrames(EditorFixture& editor) {
    QStringList shown;
    for (const char* name : kFrames)
        if (editor.find<QFrame>(name)->isVisible())
            shown << name;
    return shown;
}

// Runs `check` on the modal window that `open` shows, then closes it.
void withModal(const std::function<void()>& open, const std::function<void(QWidget*)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        seen = true;
        check(modal);
        if (modal->isVisible())
            static_cast<QDialog*>(modal)->reject();
    });
    open();
    QVERIFY(seen);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWithNothingReachable();
    void openingEnablesTabsButShowsNoPage();
    void tabsShowOnePageEach_data();
    void tabsShowOnePageEach();
    void everyVisitSelectsAndReloadsRowZero();
    void sharedControlsSitWhereTheLayoutPutsThem_data();
    void sharedControlsSitWhereTheLayoutPutsThem();
    void menusHaveTheirEntriesAndStates();
    void disabledEntriesDoNothingThroughShortcuts();
    void webEntriesOpenTheirAddresses();
    void aboutWindowShowsVersionSecond();
};

void WindowTest::startsWithNothingReachable() {
    EditorFixture editor;
    editor.window();
    QVERIFY(visibleFrames(editor).isEmpty());
    auto* tabs = editor.find<QTabBar>("tabs");
    QVERIFY(!tabs->isEnabled());
    QCOMPARE(tabs->currentIndex(), 0);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(visibleFrames(editor).isEmpty());
    QVERIFY(!editor.find<QPushButton>("ApplyCMD")->isEnabled());
    QVERIFY(editor.find<QPushButton>("QuitCMD")->isEnabled());
    QCOMPARE(editor.window().centralWidget()->size(), QSize(836, 632));
    QCOMPARE(editor.window().font().family(), QStringLiteral("Tahoma"));
}

void WindowTest::openingEnablesTabsButShowsNoPage() {
    EditorFixture editor;
    editor.openImage(synth::makeImage());
    QVERIFY(editor.find<QTabBar>("tabs")->isEnabled());
    QVERIFY(editor.find<QPushButton>("ApplyCMD")->isEnabled());
    QCOMPARE(editor.find<QTabBar>("tabs")->currentIndex(), 0);
    QCOMPARE(editor.find<QTabBar>("tabs")->tabText(0), QStringLiteral("Future Option [N/A]"));
    QVERIFY(visibleFrames(editor).isEmpty());
    const QByteArray before = editor.fileBytes();
    editor.apply(); // no page and no item row: nothing to write
    QVERIFY(editor.fileBytes() == before);
    QVERIFY(editor.messages.isEmpty());
}

void WindowTest::tabsShowOnePageEach_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("misc") << "misc"
                          << "Miscellaneous" << QStringList{"MiscFRA"};
    QTest::newRow("enemy") << "enemy"
                           << "Enemy Stats" << QStringList{"EnemyFRA"};
    QTest::newRow("char") << "char"
                          << "Character Stats" << QStringList{"CharFRA"};
    QTest::newRow("item") << "item"
                          << "Item Stats" << QStringList{"ItemFRA"};
    QTest::newRow("shop") << "shop"
                          << "Item Shops [N/A]" << QStringList{};
    QTest::newRow("future") << "future"
                            << "Future Option [N/A]" << QStringList{};
}

void WindowTest::tabsShowOnePageEach() {
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QStringList, shown);
    EditorFixture editor;
    editor.openImage(synth::makeImage());
    editor.selectTab("enemy"); // something shown before, so hiding is tested too
    editor.selectTab(key == "enemy" ? "item" : key);
    if (key == "enemy")
        editor.selectTab("enemy");
    auto* tabs = editor.find<QTabBar>("tabs");
    QCOMPARE(tabs->tabText(tabs->currentIndex()), caption);
    QCOMPARE(visibleFrames(editor), shown);
    QVERIFY(!editor.find<QLabel>("LoadingLBL")->isVisible());
}

void WindowTest::everyVisitSelectsAndReloadsRowZero() {
    EditorFixture editor;
    editor.openImage(synth::makeImage());
    for (const char* list : {"EnemyLST", "CharLST", "ItemLST"}) {
        const QString key = QString(list) == "EnemyLST"  ? "enemy"
                            : QString(list) == "CharLST" ? "char"
                                                         : "item";
        editor.selectTab(key);
        QCOMPARE(editor.find<QListWidget>(list)->currentRow(), 0);
        editor.selectRow(list, 5);
        QCOMPARE(editor.find<QListWidget>(list)->currentRow(), 5);
        editor.selectTab("misc");
        editor.selectTab(key);
        QCOMPARE(editor.find<QListWidget>(list)->currentRow(), 0);
    }
    // Row 0 already selected: the visit still reloads it, dropping what was typed.
    editor.selectTab("enemy");
    QVERIFY(editor.find<QLineEdit>("EnemyHPTXT"));
    const QString stored = editor.find<QLineEdit>("EnemyHPTXT")->text();
    QVERIFY(!stored.isEmpty());
    editor.type("EnemyHPTXT", "1");
    editor.selectTab("misc");
    editor.selectTab("enemy");
    QCOMPARE(editor.find<QLineEdit>("EnemyHPTXT")->text(), stored);
}

// Twips at 15 to the pixel.
void WindowTest::sharedControlsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("MiscFRA") << "MiscFRA" << QRect(22, 30, 637, 377);
    QTest::newRow("EnemyFRA") << "EnemyFRA" << QRect(22, 30, 637, 317);
    QTest::newRow("CharFRA") << "CharFRA" << QRect(22, 30, 637, 359);
    QTest::newRow("ItemFRA") << "ItemFRA" << QRect(22, 30, 799, 483);
    QTest::newRow("pbarFRA") << "pbarFRA" << QRect(18, 574, 805, 19);
    QTest::newRow("pbar") << "pbar" << QRect(4, 0, 663, 17);
    QTest::newRow("LoadingLBL") << "LoadingLBL" << QRect(676, 0, 115, 19);
    QTest::newRow("ApplyCMD") << "ApplyCMD" << QRect(630, 608, 99, 19);
    QTest::newRow("QuitCMD") << "QuitCMD" << QRect(730, 608, 99, 19);
}

void WindowTest::sharedControlsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    EditorFixture editor;
    auto* widget = editor.find<QWidget>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), place);
    QCOMPARE(editor.find<QTabBar>("tabs")->pos(), QPoint(6, 0));
    QCOMPARE(editor.find<QPushButton>("ApplyCMD")->text(), QStringLiteral("Apply Changes"));
    QCOMPARE(editor.find<QPushButton>("QuitCMD")->text(), QStringLiteral("Cancel"));
    QCOMPARE(editor.find<QLabel>("LoadingLBL")->text(), QStringLiteral("Loading..."));
}

void WindowTest::menusHaveTheirEntriesAndStates() {
    EditorFixture editor;
    struct Entry {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    const Entry entries[] = {
        {"mnuOpenROM", "&Open ROM", "Ctrl+O", true},
        {"mnuSaveROM", "&Save ROM", "Ctrl+S", false},
        {"mnuCloseROM", "&Close ROM", "Ctrl+C", false},
        {"mnuExit", "E&xit", "Ctrl+X", true},
        {"mnuContents", "&Contents", "F1", false},
        {"mnuTips", "&Tips and Tricks", "F2", false},
        {"mnuLinkSite", "Goto &Cartridge Forge", "F3", true},
        {"mnuUtils", "Get ROM Utilities", "F4", true},
        {"mnuAbout", "&About", "F12", true},
    };
    for (const Entry& e : entries) {
        auto* action = editor.find<QAction>(e.name);
        QVERIFY2(action, e.name);
        QCOMPARE(action->text(), QString(e.caption));
        QCOMPARE(action->shortcut(), QKeySequence(e.shortcut));
        QCOMPARE(action->isEnabled(), e.enabled);
    }
    QCOMPARE(editor.find<QMenu>("mnuFile")->title(), QStringLiteral("&File"));
    QCOMPARE(editor.find<QMenu>("mnuHelp")->title(), QStringLiteral("&Help"));
    for (const char* name : {"mnuSeparator1", "mnuSeparator2", "mnuSeparator3", "mnuSeparator4"})
        QVERIFY2(editor.find<QAction>(name)->isSeparator(), name);
}

void WindowTest::disabledEntriesDoNothingThroughShortcuts() {
    EditorFixture editor;
    const QString path = editor.openImage(synth::makeImage());
    const QString title = editor.window().windowTitle();
    editor.window().activateWindow();
    QTRY_VERIFY(editor.window().isActiveWindow());
    for (const char* keys : {"Ctrl+S", "Ctrl+C", "F1", "F2"})
        QTest::keySequence(&editor.window(), QKeySequence(keys));
    QVERIFY(editor.window().romFile().isOpen());
    QCOMPARE(editor.window().romFile().path(), path);
    QCOMPARE(editor.window().windowTitle(), title);
    QVERIFY(editor.messages.isEmpty());
    QVERIFY(editor.quitStatuses.isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void WindowTest::webEntriesOpenTheirAddresses() {
    EditorFixture editor;
    editor.window().activateWindow();
    QTRY_VERIFY(editor.window().isActiveWindow());
    QTest::keySequence(&editor.window(), QKeySequence("F3"));
    editor.find<QAction>("mnuUtils")->trigger();
    QCOMPARE(editor.webAddresses,
             (QStringList{"https://cartridgeforge.example/",
                          "https://cartridgeforge.example/utilities/snesaud.html"}));
}

void WindowTest::aboutWindowShowsVersionSecond() {
    EditorFixture editor;
    editor.openImage(synth::makeImage());
    withModal([&] { editor.find<QAction>("mnuAbout")->trigger(); },
              [&](QWidget* about) {
                  QCOMPARE(about->objectName(), QStringLiteral("About"));
                  QCOMPARE(about->windowTitle(), QStringLiteral("About this Program..."));
                  const QStringList lines =
                      about->findChild<QLabel*>("ProgramInfoLBL")->text().split("\r\n");
                  QCOMPARE(lines.size(), 8);
                  QCOMPARE(lines[0],
                           QStringLiteral("Valdric Editor Rodeviruz (VEC) - Released: 02/01/2005"));
                  QCOMPARE(lines[1], QStringLiteral("Version: 1.0"));
                  QVERIFY(lines[2].isEmpty() && lines[4].isEmpty() && lines[6].isEmpty());
                  QVERIFY(lines[3].startsWith("Information: "));
                  QVERIFY(lines[5].startsWith("Special Thanks: "));
                  QVERIFY(about->findChild<QLabel*>("WarningLBL")->text().startsWith("READ THIS:"));
                  QCOMPARE(about->findChild<QLabel*>("Image1")->pixmap().size(), QSize(400, 160));
                  auto* link = about->findChild<QLabel*>("URLLBL");
                  QTest::mouseClick(link, Qt::LeftButton);
                  QCOMPARE(editor.webAddresses, QStringList{"https://quillmark.example/"});
                  auto* close = about->findChild<QPushButton*>("CloseCMD");
                  QCOMPARE(close->text(), QStringLiteral("&Close"));
                  QTest::mouseClick(close, Qt::LeftButton);
                  QVERIFY(!about->isVisible());
              });
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
