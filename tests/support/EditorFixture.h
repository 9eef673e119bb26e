#pragma once

#include "app/Form1.h"
#include "ui/Dialogs.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

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
    EditorFixture(const EditorFixture&) = delete;
    EditorFixture& operator=(const EditorFixture&) = delete;

    QString folder() const { return dir_.path(); }
    // Writes a file into the fixture's folder and returns its path.
    QString writeRom(const QByteArray& bytes, const QString& name = QStringLiteral("test.smc"));

    app::Form1& window();

    // File > Open ROM with the dialog answering `path` (an empty path is a cancel).
    void openRom(const QString& path);
    // Writes `bytes` to a file and opens it; returns the path.
    QString openImage(const QByteArray& bytes, const QString& name = QStringLiteral("test.smc"));

    template <typename W> W* find(const QString& name) { return window().findChild<W*>(name); }

    void selectTab(const QString& key);
    void selectRow(const QString& listName, int row);       // a click on the row
    void chooseRow(const QString& dropDownName, int row);   // the user picks a drop-down row
    void type(const QString& boxName, const QString& text); // select all, then type
    void click(const QString& buttonName);                  // any button or check box
    void toggleCheckRow(const QString& listName, int row);  // a check-list row's box
    void apply() { click(QStringLiteral("ApplyCMD")); }

    QByteArray fileBytes() const;
    QString romPath() const { return romPath_; }

    QList<Message> messages;
    QStringList webAddresses;
    QList<int> quitStatuses;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<app::Form1> window_;
    QString romPath_;
};
