#include "cli/FormulaCommand.h"

#include "cli/HeadlessFile.h"
#include "expressions/Formula.h"
#include "history/Versions.h"
#include "rom/Plural.h"

#include <cstdio>
#include <variant>

namespace app {
namespace {

const tables::Sheet* sheetNamed(const QString& name) {
    for (const tables::Sheet& sheet : tables::sheets())
        if (sheet.name() == name)
            return &sheet;
    return nullptr;
}

QStringList sheetNames() {
    QStringList names;
    for (const tables::Sheet& sheet : tables::sheets())
        names << sheet.name();
    return names;
}

struct Request {
    const tables::Sheet* sheet = nullptr;
    int column = -1;
};

// The sheet and column named, or the reason they cannot be used.
std::variant<Request, QString> find(const CommandLine& line) {
    Request request;
    request.sheet = sheetNamed(line.kind);
    if (!request.sheet)
        return QStringLiteral("There is no kind \"%1\"; the kinds are %2.")
            .arg(line.kind, sheetNames().join(QStringLiteral(", ")));
    request.column = request.sheet->find(line.column);
    if (request.column < 0)
        return QStringLiteral("%1 have no column \"%2\"; the columns are %3.")
            .arg(request.sheet->name(), line.column,
                 request.sheet->identifiers().join(QStringLiteral(", ")));
    return request;
}

// The rows whose values in `image` meet the condition; every row without one.
std::variant<QList<expressions::Cell>, QString>
cellsOf(const CommandLine& line, const Request& request, const QByteArray& image) {
    expressions::RowCondition condition(*request.sheet);
    if (!line.condition.isEmpty())
        if (const QString problem = condition.parse(line.condition); !problem.isEmpty())
            return QStringLiteral("The condition cannot be used: %1").arg(problem);
    QList<expressions::Cell> cells;
    for (int row = 0; row < request.sheet->rowCount(); ++row)
        if (line.condition.isEmpty() || condition.holds(image, row))
            cells.append({row, request.column});
    return cells;
}

// What the history calls the change: "HP = x*2 on 11 enemies where Level > 3".
history::RecordRef recordOf(const CommandLine& line, const Request& request, int records) {
    const QString kind = request.sheet->name();
    QString text = QStringLiteral("%1 = %2 on %3")
                       .arg(request.sheet->column(request.column).name, line.formula,
                            records == 1 ? QStringLiteral("1 of the ") + kind
                                         : rom::counted(records, kind, kind));
    if (!line.condition.isEmpty())
        text += QStringLiteral(" where ") + line.condition;
    return history::RecordRef::formula(records, text);
}

// The values x stands for: as the file holds them, or as they were before this editor.
std::optional<QByteArray> valuesOf(const CommandLine& line, HeadlessFile& session,
                                   const QByteArray& image) {
    if (!line.relative)
        return image;
    const QByteArray values =
        history::versionAfter(image, session.history().entries(session.canonicalPath()));
    if (!session.history().problem().isEmpty()) {
        fail(QStringLiteral("The original values cannot be read from the history: %1. Nothing "
                            "was changed.")
                 .arg(session.history().problem()));
        return std::nullopt;
    }
    return values;
}

int run(const CommandLine& line, const Request& request, HeadlessFile& session) {
    const QByteArray image = session.image();
    const std::optional<QByteArray> values = valuesOf(line, session, image);
    if (!values)
        return kCommandFailed;
    const auto cells = cellsOf(line, request, image);
    if (const QString* problem = std::get_if<QString>(&cells))
        return fail(*problem + QStringLiteral(" Nothing was changed."));
    tables::TableEdits edits;
    edits.load(image);
    const expressions::FormulaResult result = expressions::applyFormula(
        edits, *request.sheet, std::get<QList<expressions::Cell>>(cells), line.formula, *values);
    if (!result.error.isEmpty())
        return fail(QStringLiteral("The formula cannot be used: %1 Nothing was changed.")
                        .arg(result.error));
    if (!result.refused.isEmpty())
        return fail(QStringLiteral("Nothing was changed: %1 cannot hold the formula's result:\n%2")
                        .arg(rom::counted(result.refused.size(), "cell", "cells"),
                             result.refused.join(QLatin1Char('\n'))));
    const tables::TableEdits::Pending pending = edits.pending();
    if (!pending.spans.isEmpty() && !session.write(recordOf(line, request, pending.records),
                                                   pending.spans, QStringLiteral("The change")))
        return kCommandFailed;
    std::printf("Set \"%s\" of %d of %d %s in \"%s\": %s changed.\n",
                qPrintable(request.sheet->column(request.column).name), result.set,
                request.sheet->rowCount(), qPrintable(request.sheet->name()),
                qPrintable(session.path()),
                qPrintable(rom::counted(pending.records, "record", "records")));
    return kCommandDone;
}

} // namespace

int runFormulaCommand(const CommandLine& line) {
    const auto request = find(line);
    if (const QString* problem = std::get_if<QString>(&request))
        return fail(*problem);
    HeadlessFile session(line.files.first(), line.force);
    if (!session.open())
        return kCommandFailed;
    return run(line, std::get<Request>(request), session);
}

} // namespace app
