#pragma once

// Drives the real main window from a product tool (screenshot, benchmark) without Qt Test:
// the open dialog is answered through the ui seam and message boxes are dropped.

#include "Unattended.h"
#include "ui/Dialogs.h"
#include "window/Form1.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTabBar>

namespace tools {

class EditorSession {
  public:
    EditorSession() {
        ui::setMessageHandler([](ui::MessageIcon, const QString&, const QString&) {});
        // A question would wait for a click no one makes: the edits of a measured step are
        // dropped and a file is opened, as they were before the editor asked.
        ui::setQuestionHandler(
            [](const QString&, const QStringList& buttons) { return unattendedAnswer(buttons); });
        window.show();
        QApplication::processEvents();
    }
    ~EditorSession() {
        ui::setMessageHandler({});
        ui::setFileNameHandler({});
        ui::setQuestionHandler({});
    }
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // File > Open ROM with the dialog answering `path`.
    void open(const QString& path) {
        ui::setFileNameHandler([path] { return path; });
        window.findChild<QAction*>("mnuOpenROM")->trigger();
        ui::setFileNameHandler({});
    }

    void selectTab(const QString& caption) {
        auto* tabs = window.findChild<QTabBar*>("tabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == caption)
                tabs->setCurrentIndex(i);
    }

    // Selects `row` of whichever page list is visible.
    void selectRow(int row) {
        for (const char* name : {"ItemLST", "EnemyLST", "CharLST"}) {
            auto* list = window.findChild<QListWidget*>(name);
            if (list && list->isVisible())
                list->setCurrentRow(row);
        }
    }

    app::Form1 window;
};

} // namespace tools
