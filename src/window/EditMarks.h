#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace ui {
class Page;
}

namespace app {

// The marks of edits not applied on the visible page: the caption of every such field in
// bold and a * before the window's title. They follow every keystroke, and are drawn once
// the event loop is back so that a load of thirty controls costs one pass.
class EditMarks : public QObject {
    Q_OBJECT
  public:
    // `visiblePage` gives the page whose edits count, or none.
    EditMarks(QWidget* window, std::function<ui::Page*()> visiblePage);

    // The window's title without the mark.
    void setTitle(const QString& title);
    // Something may have changed: the marks are drawn again soon.
    void schedule();

  private:
    void show();

    QWidget* window_;
    std::function<ui::Page*()> visiblePage_;
    QString title_;
    QList<QLabel*> marked_;
    bool queued_ = false;
};

// The question before edits not applied on `page` are left.
using LeaveAnswer = ui::EditsAnswer;
LeaveAnswer askAboutEdits(QWidget* parent, const ui::Page& page);

} // namespace app
