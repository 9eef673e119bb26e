#pragma once

#include <QObject>

namespace app {

class EditorWindow;

// Opens a file dropped anywhere on `window` as File > Open ROM opens a chosen one; of
// several dropped files the first is opened. Only local files are taken (no folders, no
// remote addresses), and nothing while the name lists load. Other drops, such as text onto
// a text box, go on as before.
class FileDrops : public QObject {
    Q_OBJECT
  public:
    explicit FileDrops(EditorWindow& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EditorWindow& window_;
};

} // namespace app
