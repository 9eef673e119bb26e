#include "support/EditorFixture.h"

#include "Unattended.h"
#include "romimage/RomImage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QTimer>

const QByteArray& image() {
    static const QByteArray bytes = synth::makeImage();
    return bytes;
}

EditorFixture::EditorFixture() {
    ui::setMessageHandler([this](ui::MessageIcon icon, const QString& title, const QString& text) {
        messages.append({icon, title, text});
    });
    ui::setQuestionHandler([this](const QString& text, const QStringList& buttons) {
        questions << text;
        if (!questionAnswers.isEmpty())
            return int(buttons.indexOf(questionAnswers.takeFirst()));
        return tools::unattendedAnswer(buttons);
    });
    ui::setFileNameHandler(
        [this] { return answers_.isEmpty() ? QString() : answers_.takeFirst(); });
    ui::setWebHandler([this](const QUrl& url) { webAddresses << url; });
}

EditorFixture::~EditorFixture() {
    window_.reset();
    ui::setMessageHandler({});
    ui::setFileNameHandler({});
    ui::setQuestionHandler({});
    ui::setWebHandler({});
}

void EditorFixture::missing(const QString& name) {
    QTest::qFail(qPrintable("no control or row " + name), __FILE__, __LINE__);
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
    answerFileDialogs({path});
    trigger("mnuOpenROM");
    answers_.clear();
    if (!path.isEmpty() && window().romFile().isOpen())
        romPath_ = window().romFile().path();
}

QString EditorFixture::openImage(const QByteArray& bytes, const QString& name) {
    openRom(writeRom(bytes, name));
    return romPath_;
}

void EditorFixture::openAt(const QByteArray& bytes, const QString& key, int row) {
    openImage(bytes);
    show(key, row);
}

void EditorFixture::show(const QString& key, int row) {
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
            return QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
    missing("tab " + key);
}

void EditorFixture::selectRow(const QString& listName, int row, QObject* in,
                              Qt::KeyboardModifiers keys) {
    auto* list = find<QListView>(listName, in);
    const QModelIndex index = list->model() ? list->model()->index(row, 0) : QModelIndex();
    if (!index.isValid())
        return missing(QStringLiteral("%1 of %2").arg(row).arg(listName));
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualRect(index).center());
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

void EditorFixture::click(const QString& buttonName, QObject* in) {
    auto* button = find<QAbstractButton>(buttonName, in);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void EditorFixture::trigger(const QString& actionName) {
    find<QAction>(actionName)->trigger();
}

void EditorFixture::toggleCheckRow(const QString& listName, int row) {
    QListWidgetItem* item = find<QListWidget>(listName)->item(row);
    if (!item)
        return missing(QStringLiteral("%1 of %2").arg(row).arg(listName));
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QList<qint64> EditorFixture::applyAndDiff() {
    const QByteArray before = fileBytes();
    apply();
    return synth::changedOffsets(before, fileBytes());
}

// The drag's events in turn, each followed by what it queued.
bool EditorFixture::drop(const QList<QUrl>& urls, bool release) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    bool taken = true;
    for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), release ? &drop : &move}) {
        event->ignore();
        QApplication::sendEvent(&window(), event);
        QCoreApplication::sendPostedEvents(&window(), QEvent::MetaCall);
        taken = taken && event->isAccepted();
    }
    return taken;
}

bool EditorFixture::withDialog(const QString& actionName,
                               const std::function<void(QWidget*)>& use) {
    bool shown = false;
    QTimer timer; // gone on return: no later modal window meets it
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shown = true;
            use(dialog);
            if (QApplication::activeModalWidget() == dialog)
                dialog->close();
        }
    });
    timer.start(0);
    trigger(actionName);
    return shown;
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

QStringList EditorFixture::rowsOf(QWidget* in, const char* name) {
    QStringList rows;
    if (auto* list = in->findChild<QAbstractItemView*>(name))
        for (int r = 0; r < list->model()->rowCount(); ++r)
            rows << list->model()->index(r, 0).data().toString();
    return rows;
}

void EditorFixture::writeInPlace(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(bytes) > 0);
}
