#pragma once

#include <QObject>

#include <functional>

class QAction;
class QTabBar;
class QWidget;

namespace app {

// Keys the main window handles before its controls do. Ctrl+X is Exit everywhere in the
// window: a text box must not take it as Cut. While the name lists load, the tab strip takes
// no input, so no page can be reached half filled.
class WindowKeys : public QObject {
    Q_OBJECT
  public:
    WindowKeys(QWidget* window, QAction* exit, QTabBar* tabs, std::function<bool()> loading);
    ~WindowKeys() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isCtrlXForTheWindow(QObject* watched, QEvent* event) const;

    QWidget* window_;
    QAction* exit_;
    QTabBar* tabs_;
    std::function<bool()> loading_;
};

} // namespace app
