#pragma once

#include "grid/TableModel.h"

#include <QSet>

namespace app {

// What the open file is compared with: the other image, the original both sides are classed
// against, and their names as the compare bar shows them.
struct ComparedFile {
    QString mine;
    QByteArray theirs;
    QString name;
    QByteArray base;
    QString baseName; // empty for the file as it was before the changes made in this editor
};

// The grids against another image: the fields records::compareImages finds changed in the
// open file or in the other one, each cell classed the same way with "yours" as the grid
// shows it, edits not yet applied included.
class CompareSession : public Compared {
  public:
    CompareSession(ComparedFile file, const tables::TableEdits& edits);

    const ComparedFile& file() const { return file_; }
    const records::Comparison& comparison() const { return comparison_; }
    void setBase(const QByteArray& base, const QString& name);
    // After the open file changed (an Apply, an Undo, another program).
    void fileChanged();
    void showOnlyDifferences(bool only) { onlyDifferences_ = only; }

    std::optional<ComparedCell> cell(const tables::Sheet& sheet, int row,
                                     int column) const override;
    bool shows(const tables::Sheet& sheet, int row) const override;

    struct Cell {
        const tables::Sheet* sheet;
        int row;
        int column;
    };
    // Every cell of every grid in class `change`.
    QList<Cell> cellsOf(records::ChangeClass change) const;

  private:
    ComparedFile file_;
    const tables::TableEdits& edits_;
    records::Comparison comparison_;
    QSet<qint64> changedFields_;          // by offset
    QSet<std::pair<int, int>> differing_; // sheet and row of a record the two hold apart
    bool onlyDifferences_ = false;
};

} // namespace app
