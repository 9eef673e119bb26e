#pragma once

#include <QStringList>

namespace app {

// `--formula KIND COLUMN FORMULA [--where CONDITION] [--relative] FILE`: sets the column
// (by its name or identifier) of every record of the kind (a table file's name without
// ".csv") to the formula, as the table window's Set Selected does, for the records whose
// current values meet the condition; --relative reads the values as they were before the
// changes made in this editor. The changes are written as one recorded change. A summary
// line on stdout and status 0, or the reason on stderr, status 1 and nothing written.
bool isFormulaCommand(const QStringList& arguments);
int runFormulaCommand(const QStringList& arguments);

} // namespace app
