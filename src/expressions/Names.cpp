#include "expressions/Names.h"

#include "tables/Columns.h"

#include <muParser.h>

namespace expressions {
namespace {

bool startsName(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool inName(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The variable `name` stands for; the name itself when it is none of them.
QString variableFor(const QString& name, const QStringList& variables) {
    if (variables.contains(name))
        return name;
    for (const QString& variable : variables)
        if (variable.compare(name, Qt::CaseInsensitive) == 0)
            return variable;
    return name;
}

bool isFunctionCall(const QString& text, qsizetype after) {
    while (after < text.size() && text[after].isSpace())
        ++after;
    return after < text.size() && text[after] == QLatin1Char('(');
}

} // namespace

QString withExactNames(const QString& text, const QStringList& variables) {
    QString result;
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at];
        qsizetype end = at + 1;
        if (c.isDigit() || c == QLatin1Char('.')) { // a number, 1e5 included
            while (end < text.size() && (inName(text[end]) || text[end] == QLatin1Char('.')))
                ++end;
            result += text.mid(at, end - at);
        } else if (startsName(c)) {
            while (end < text.size() && inName(text[end]))
                ++end;
            const QString name = text.mid(at, end - at);
            result += isFunctionCall(text, end) ? name : variableFor(name, variables);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const qsizetype close = text.indexOf(c, at + 1);
            if (close < 0) {
                result += text.mid(at);
                break;
            }
            const QString quoted = text.mid(at + 1, close - at - 1);
            const QString variable = variableFor(tables::identifierOf(quoted), variables);
            result += variables.contains(variable) ? variable : text.mid(at, close + 1 - at);
            end = close + 1;
        } else {
            result += c;
        }
        at = end;
    }
    return result;
}

QStringList functionNames() {
    const mu::Parser parser;
    QStringList names;
    for (const auto& function : parser.GetFunDef())
        names << QString::fromStdString(function.first);
    return names;
}

QStringList constantNames() {
    const mu::Parser parser;
    QStringList names;
    for (const auto& constant : parser.GetConst())
        names << QString::fromStdString(constant.first);
    return names;
}

} // namespace expressions
