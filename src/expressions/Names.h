#pragma once

#include <QString>
#include <QStringList>

namespace expressions {

// The name the formulas and filters give a record's own number, as the grid's Row column.
inline const QString kRowName = QStringLiteral("Row");

// `text` with the names a user may write spelt as muParser knows them: a variable in any
// case ("hp" for "HP"), and a column's name with its spaces and signs in single, double or
// back quotes ('Lightning Defense' for LightningDefense). Names that match no variable, and
// function names (a name followed by "("), stay as they are.
QString withExactNames(const QString& text, const QStringList& variables);

// The functions muParser offers ("abs", "min", "rint", ...) and its constants ("_pi").
QStringList functionNames();
QStringList constantNames();

} // namespace expressions
