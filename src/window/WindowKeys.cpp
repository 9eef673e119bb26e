#include "window/WindowKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>

namespace app {

WindowKeys::WindowKeys(QWidget* window, QAction* exit, QTabBar* tabs, std::function<bool()> loading)
    : QObject(window), window_(window), exit_(exit), tabs_(tabs), loading_(std::move(loading)) {
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys() {
    qApp->removeEventFilter(this);
}

bool WindowKeys::isCtrlXForTheWindow(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->keyCombination() != QKeyCombination(Qt::ControlModifier, Qt::Key_X))
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == window_ && !QApplication::activeModalWidget();
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (isCtrlXForTheWindow(watched, event)) {
        event->accept();
        if (event->type() == QEvent::ShortcutOverride)
            exit_->trigger();
        return true;
    }
    if (watched == tabs_ && loading_()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
