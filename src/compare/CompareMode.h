#pragma once

#include "compare/CompareSession.h"
#include "expressions/Formula.h"

#include <QObject>

#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace app {

// What the table window lends its compare mode.
struct CompareHooks {
    std::function<bool()> ready;                        // the file is open, the lists filled
    std::function<const tables::Sheet&()> sheet;        // the kind shown
    std::function<QList<expressions::Cell>()> selected; // its selected cells
    std::function<void(const QString& caption)> record; // the edits since as one undo step
    std::function<void()> refresh;                      // every cell and the filter anew
    std::function<QByteArray()> original;               // the file before this editor's changes
};

// The table window's compare mode: the bar over the grid that names both files and their
// original, hides the rows the two hold alike, and takes their values, the original's, or
// every change only they made as edits to apply, one undo step each.
class CompareMode : public QObject {
    Q_OBJECT
  public:
    CompareMode(QWidget* window, TableState& state, CompareHooks hooks);

    QFrame* bar() const { return bar_; }
    bool isOn() const { return session_ != nullptr; }
    void start(ComparedFile file);
    void stop();
    // The open file changed: its fields are classed again.
    void fileChanged();
    // The other image while comparing, or empty.
    QByteArray comparedImage() const;

    void CompareOnlyCHK_Click();
    void CompareTakeCMD_Click();
    void TableResetCMD_Click();
    void CompareTakeAllCMD_Click();
    void CompareStopCMD_Click() { stop(); }
    void CompareBaseCMD_Click();
    void CompareBaseTXT_Enter();

  signals:
    // The image compared with now; empty when compare mode ends.
    void comparedImageChanged(const QByteArray& image);

  private:
    void buildBar();
    void showNames();
    void useBase(const QString& path);
    void take(const QList<CompareSession::Cell>& cells, const QByteArray& from,
              const QString& caption);
    void takeSelected(const QByteArray& from, const QString& caption);

    QWidget* window_;
    TableState& state_;
    CompareHooks hooks_;
    std::unique_ptr<CompareSession> session_;
    QFrame* bar_ = nullptr;
    QLabel* names_ = nullptr;
    QCheckBox* only_ = nullptr;
    QLineEdit* base_ = nullptr;
};

} // namespace app
