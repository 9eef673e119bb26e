#pragma once

#include "records/PatchPlan.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace app {

// What a patch would change in the open file, in the pages' words, before anything is
// written: one row per changed record, then the other bytes, and the totals. An IPS patch
// can be read as made for an image with a copier header (every offset 512 bytes earlier);
// the list follows the check box at once. Apply Patch accepts the plan shown.
class PatchPreview : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        QString patchName;                              // "friend-hack.bps"
        bool offersHeader = false;                      // an IPS patch
        std::function<records::PatchPlan(qint64)> plan; // by the shift of its offsets
        records::PreviewNames names;
    };
    PatchPreview(QWidget* parent, Sources sources);

    const records::PatchPlan& plan() const { return plan_; }

    void done(int result) override;

  private:
    void PatchHeaderCHK_Toggled(bool headered);

    Sources sources_;
    records::PatchPlan plan_;
    QLabel* summary_ = nullptr;
    QListWidget* list_ = nullptr;
    QCheckBox* header_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace app
