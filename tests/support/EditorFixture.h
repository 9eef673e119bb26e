#pragma once

#include "app/Form1.h"
#include "ui/Dialogs.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

// Drives the real main window the way a user does: message boxes and the open dialog are
// answered through the ui seams, everything else goes through the window's own controls.
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
    template <typename W> W* find(const QString& name) { return window().findChild<W*>(name); }

    // File > Open ROM with the dialog answering `path` (an empty path is a cancel).
    void openRom(const QString& path);
    QString openImage(const QByteArray& bytes, const QString& name = QStringLiteral("test.smc"));
    // Opens `bytes` and selects `row` of the page behind the tab `key`.
    void openAt(const QByteArray& bytes, const QString& key, int row);

    void selectTab(const QString& key);
    void selectRow(const QString& listName, int row);   // a click on the row
    void type(const QString& box, const QString& text); // select all, then type
    // Types `text`; what the typing limit or a key filter keeps out is put into the box
    // directly, as a long loaded value edited in place would be.
    void enter(const QString& box, const QString& text);
    void click(const QString& buttonName); // any button or check box
    void toggleCheckRow(const QString& listName, int row);
    void trigger(const QString& actionName); // a menu entry
    // Triggers `actionName`, runs `use` on the modal window it opens, then closes that
    // window. False when no window opened.
    bool withDialog(const QString& actionName, const std::function<void(QWidget*)>& use);
    void apply() { click(QStringLiteral("ApplyCMD")); }
    QList<qint64> applyAndDiff();       // the offsets of the file that Apply changed
    bool drop(const QList<QUrl>& urls); // onto the window; true when it is taken

    QByteArray fileBytes() const;
    QStringList messageTexts() const;

    QList<Message> messages;
    QList<int> quitStatuses;
    // Every question asked, and the buttons of the next answers to give, by their text. With
    // none left, a question about edits not applied is answered "&Discard" and one about
    // an unfamiliar image "&Open Anyway", as the editor behaved before it asked.
    QStringList questions;
    QStringList answers;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<app::Form1> window_;
    QString romPath_;
};
