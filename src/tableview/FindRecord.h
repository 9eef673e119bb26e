#pragma once

#include "records/Kinds.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;

namespace rom {
class RomFile;
}

namespace app {

// Edit > Find Record: typing part of a name into FindTXT lists every enemy, item and
// character whose name holds it in FindLST ("Enemy 5 Horn's"); Enter or a double-click
// shows that record in the main window. Not modal.
class FindRecord : public QDialog {
    Q_OBJECT
  public:
    // `show` shows a record in the main window; false when it was not shown.
    using ShowRecord = std::function<bool(records::RecordKind page, int row)>;
    FindRecord(QWidget* parent, const rom::RomFile& rom, ShowRecord show);

    // The names as the open file holds them now.
    void readNames();
    void FindTXT_Change();
    void FindLST_Activate();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    struct Record {
        records::RecordKind page;
        int row;
        QString name;
        QString label;
    };

    const rom::RomFile& rom_;
    QList<Record> records_;
    ShowRecord show_;
    QLineEdit* text_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace app
