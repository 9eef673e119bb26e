#include "support/EditorFixture.h"

#include "romimage/RomImage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QTimer>

EditorFixture::EditorFixture() {
    ui::setMessageHandler([this](ui::MessageIcon icon, const QString& title, const QString& text) {
        messages.append({icon, title, text});
    });
    ui::setQuestionHandler([this](const QString& text, const QStringList& buttons) {
        questions << text;
        if (!answers.isEmpty())
            return int(buttons.indexOf(answers.takeFirst()));
        for (const QString& usual : {QStringLiteral("&Discard"), QStringLiteral("&Open Anyway")})
            if (buttons.contains(usual))
                return int(buttons.indexOf(usual));
        return int(buttons.size() - 1);
    });
}

EditorFixture::~EditorFixture() {
    window_.reset();
    ui::setMessageHandler({});
    ui::setFileNameHandler({});
    ui::setQuestionHandler({});
}

QString EditorFixture::writeRom(const QByteArray& bytes, const QString& name) {
    if (!synth::writeFile(dir_.filePath(name), bytes))
        qFatal("could not write the test image %s", qPrintable(name));
    return dir_.filePath(name);
}

app::Form1& EditorFixture::window() {
    if (!window_) {
        window_ = std::make_unique<app::Form1>();
        QObject::connect(window_.get(), &app::Form1::quitRequested,
                         [this](int status) { quitStatuses << status; });
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            qWarning("the main window was not exposed");
    }
    return *window_;
}

void EditorFixture::openRom(const QString& path) {
    ui::setFileNameHandler([path] { return path; });
    window().findChild<QAction*>("mnuOpenROM")->trigger();
    ui::setFileNameHandler({});
    if (!path.isEmpty() && window().romFile().isOpen())
        romPath_ = window().romFile().path();
}

QString EditorFixture::openImage(const QByteArray& bytes, const QString& name) {
    openRom(writeRom(bytes, name));
    return romPath_;
}

void EditorFixture::openAt(const QByteArray& bytes, const QString& key, int row) {
    openImage(bytes);
    selectTab(key);
    if (key != "misc" && row != 0)
        selectRow(key == "enemy" ? "EnemyLST" : key == "char" ? "CharLST" : "ItemLST", row);
}

// Tabs by a short key, clicked by their caption as a user would.
void EditorFixture::selectTab(const QString& key) {
    const QHash<QString, QString> captions = {
        {"future", "Future Option [N/A]"}, {"misc", "Miscellaneous"}, {"enemy", "Enemy Stats"},
        {"char", "Character Stats"},       {"item", "Item Stats"},    {"shop", "Item Shops [N/A]"}};
    auto* tabs = find<QTabBar>("tabs");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == captions.value(key))
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
}

void EditorFixture::selectRow(const QString& listName, int row) {
    auto* list = find<QListWidget>(listName);
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void EditorFixture::type(const QString& boxName, const QString& text) {
    auto* box = find<QLineEdit>(boxName);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void EditorFixture::enter(const QString& boxName, const QString& text) {
    type(boxName, text);
    if (auto* box = find<QLineEdit>(boxName); box->text() != text)
        box->setText(text);
}

void EditorFixture::click(const QString& buttonName) {
    auto* button = find<QAbstractButton>(buttonName);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void EditorFixture::trigger(const QString& actionName) {
    find<QAction>(actionName)->trigger();
}

bool EditorFixture::withDialog(const QString& actionName,
                               const std::function<void(QWidget*)>& use) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = true;
            use(dialog);
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
        }
    });
    trigger(actionName);
    return opened;
}

void EditorFixture::toggleCheckRow(const QString& listName, int row) {
    QListWidgetItem* item = find<QListWidget>(listName)->item(row);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QList<qint64> EditorFixture::applyAndDiff() {
    const QByteArray before = fileBytes();
    apply();
    return synth::changedOffsets(before, fileBytes());
}

bool EditorFixture::drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    enter.ignore();
    drop.ignore();
    QApplication::sendEvent(&window(), &enter);
    QApplication::sendEvent(&window(), &drop);
    QCoreApplication::sendPostedEvents(&window(), QEvent::MetaCall);
    return enter.isAccepted() && drop.isAccepted();
}

QByteArray EditorFixture::fileBytes() const {
    return synth::readFile(romPath_);
}

QStringList EditorFixture::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts << m.text;
    return texts;
}
