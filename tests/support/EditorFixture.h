#pragma once

#include "ui/Dialogs.h"
#include "window/Form1.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

// The generator's default image, made once.
const QByteArray& image();

// Drives the real main window the way a user does: message boxes, file dialogs and the
// browser are answered through the ui seams, everything else goes through the window's own
// controls.
class EditorFixture {
  public:
    struct Message {
        ui::MessageIcon icon;
        QString title;
        QString text;
    };

    EditorFixture();
    ~EditorFixture();

    QString folder() const { return dir_.path(); }
    QString writeRom(const QByteArray& bytes, const QString& name = QStringLiteral("test.smc"));
    app::Form1& window();
    // The control `name` of the window (or of `in`). A missing one fails the test and gives
    // a stand-in, so that the test runs to its end instead of crashing the test program.
    template <typename W> W* find(const QString& name, QObject* in = nullptr) {
        if (W* found = (in ? in : &window())->findChild<W*>(name))
            return found;
        missing(name);
        using Stand = std::conditional_t<std::is_abstract_v<W>, QPushButton, W>;
        standIns_.push_back(std::make_unique<Stand>());
        return static_cast<Stand*>(standIns_.back().get());
    }

    // File > Open ROM with the dialog answering `path` (an empty path is a cancel).
    void openRom(const QString& path);
    QString openImage(const QByteArray& bytes, const QString& name = QStringLiteral("test.smc"));
    // Opens `bytes` and shows `row` of the page behind the tab `key`.
    void openAt(const QByteArray& bytes, const QString& key, int row);
    void show(const QString& key, int row); // the tab, then the row of its list

    void selectTab(const QString& key);
    // A click on the row of the list `listName` (in `in`), with `keys` held.
    void selectRow(const QString& listName, int row, QObject* in = nullptr,
                   Qt::KeyboardModifiers keys = {});
    void type(const QString& box, const QString& text); // select all, then type
    // Types `text`; what the typing limit or a key filter keeps out is put into the box
    // directly, as a long loaded value edited in place would be.
    void enter(const QString& box, const QString& text);
    void click(const QString& buttonName, QObject* in = nullptr); // any button or check box
    void toggleCheckRow(const QString& listName, int row);
    void trigger(const QString& actionName); // a menu entry
    void apply() { click(QStringLiteral("ApplyCMD")); }
    QList<qint64> applyAndDiff(); // the offsets of the file that Apply changed
    // Dragged onto the window and dropped, or only moved over it; true when it is taken.
    bool drop(const QList<QUrl>& urls, bool release = true);
    // The file and folder dialogs answer these in turn, then cancel.
    void answerFileDialogs(const QStringList& answers) { answers_ = answers; }
    // Triggers `actionName` and runs `use` on the modal window it opens, which is closed
    // after if still open. False when no modal window came.
    bool withDialog(const QString& actionName, const std::function<void(QWidget*)>& use);

    QByteArray fileBytes() const;
    QStringList messageTexts() const;
    // The texts of the rows of the list `name` in `in` (none when there is no such list).
    static QStringList rowsOf(QWidget* in, const char* name);
    // Another program writing into the file at `path` in place.
    static void writeInPlace(const QString& path, qint64 offset, const QByteArray& bytes);

    QList<Message> messages;
    QList<int> quitStatuses;
    // Every question asked, and the buttons of the next answers to give, by their text. With
    // none left, a question about edits not applied is answered "&Discard" and one about
    // an unfamiliar image "&Open Anyway", as the editor behaved before it asked.
    QStringList questions;
    QStringList questionAnswers;
    QList<QUrl> webAddresses; // opened in the browser

  private:
    void missing(const QString& name);

    QTemporaryDir dir_;
    std::unique_ptr<app::Form1> window_;
    QString romPath_;
    QStringList answers_;
    std::vector<std::unique_ptr<QObject>> standIns_;
};
