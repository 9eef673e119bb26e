#include "cli/FormulaCommand.h"

#include "expressions/Formula.h"
#include "history/History.h"
#include "history/Versions.h"
#include "history/WriteAhead.h"
#include "rom/Commit.h"
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <variant>

namespace app {
namespace {

const QString kUsage = QStringLiteral(
    "Usage: valdric-editor --formula KIND COLUMN FORMULA [--where CONDITION] [--relative] FILE");

int fail(const QString& message) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return 1;
}

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
    QString formula;
    QString condition;
    bool relative = false;
    QString path;
};

// The request, or the reason it cannot be carried out.
std::variant<Request, QString> parse(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption formula(QStringLiteral("formula"));
    const QCommandLineOption where(QStringLiteral("where"), QString(), QStringLiteral("CONDITION"));
    const QCommandLineOption relative(QStringLiteral("relative"));
    parser.addOptions({formula, where, relative});
    if (!parser.parse(arguments))
        return parser.errorText() + QLatin1Char('\n') + kUsage;
    const QStringList values = parser.positionalArguments();
    if (!parser.isSet(formula) || values.size() != 4)
        return kUsage;
    Request request;
    request.sheet = sheetNamed(values[0]);
    if (!request.sheet)
        return QStringLiteral("There is no kind \"%1\"; the kinds are %2.")
            .arg(values[0], sheetNames().join(QStringLiteral(", ")));
    request.column = request.sheet->find(values[1]);
    if (request.column < 0)
        return QStringLiteral("%1 have no column \"%2\"; the columns are %3.")
            .arg(request.sheet->name(), values[1],
                 request.sheet->identifiers().join(QStringLiteral(", ")));
    request.formula = values[2];
    request.condition = parser.value(where);
    request.relative = parser.isSet(relative);
    request.path = values[3];
    return request;
}

// The rows whose values in `image` meet the condition; every row without one.
std::variant<QList<expressions::Cell>, QString> cellsOf(const Request& request,
                                                        const QByteArray& image) {
    expressions::RowCondition condition(*request.sheet);
    if (!request.condition.isEmpty())
        if (const QString problem = condition.parse(request.condition); !problem.isEmpty())
            return QStringLiteral("The condition cannot be used: %1").arg(problem);
    QList<expressions::Cell> cells;
    for (int row = 0; row < request.sheet->rowCount(); ++row)
        if (request.condition.isEmpty() || condition.holds(image, row))
            cells.append({row, request.column});
    return cells;
}

int run(const Request& request) {
    if (rom::hasCopierHeader(request.path))
        return fail(QStringLiteral("\"%1\" has a 512-byte copier header; open it once in the "
                                   "editor to remove it. Nothing was changed.")
                        .arg(request.path));
    rom::RomFile rom;
    QString error;
    if (!rom.open(request.path, &error))
        return fail(QStringLiteral("\"%1\" could not be opened: %2").arg(request.path, error));
    const QString file = QFileInfo(request.path).canonicalFilePath();
    const QByteArray image = rom.readBytes(0, rom.size());
    history::History log;
    QByteArray values = image;
    if (request.relative) {
        values = history::versionAfter(image, log.entries(file));
        if (!log.problem().isEmpty())
            return fail(QStringLiteral("The original values cannot be read from the history: "
                                       "%1. Nothing was changed.")
                            .arg(log.problem()));
    }
    const auto cells = cellsOf(request, image);
    if (const QString* problem = std::get_if<QString>(&cells))
        return fail(*problem + QStringLiteral(" Nothing was changed."));
    tables::TableEdits edits;
    edits.load(image);
    const expressions::FormulaResult result = expressions::applyFormula(
        edits, *request.sheet, std::get<QList<expressions::Cell>>(cells), request.formula, values);
    if (!result.error.isEmpty())
        return fail(QStringLiteral("The formula cannot be used: %1 Nothing was changed.")
                        .arg(result.error));
    if (!result.refused.isEmpty())
        return fail(QStringLiteral("Nothing was changed: %1 cells cannot hold the formula's "
                                   "result:\n%2")
                        .arg(result.refused.size())
                        .arg(result.refused.join(QLatin1Char('\n'))));
    const tables::TableEdits::Pending pending = edits.pending();
    if (!pending.spans.isEmpty()) {
        const history::Written written = history::writeApply(
            log, rom, file, history::RecordRef::tableEdit(pending.records), pending.spans);
        if (written.result != rom::CommitResult::Written)
            return fail(QStringLiteral("\"%1\" could not be written: %2 What reached the file "
                                       "is in the history, where Undo takes it back.")
                            .arg(request.path, rom.errorString()));
        if (written.unrecorded)
            fail(QStringLiteral("The change cannot be undone: the history of changes could not "
                                "record it (%1).")
                     .arg(log.problem()));
    }
    std::printf("Set \"%s\" of %d of %d %s in \"%s\": %d records changed.\n",
                qPrintable(request.sheet->column(request.column).name), result.set,
                request.sheet->rowCount(), qPrintable(request.sheet->name()),
                qPrintable(request.path), pending.records);
    return 0;
}

} // namespace

bool isFormulaCommand(const QStringList& arguments) {
    return arguments.value(1) == QStringLiteral("--formula");
}

int runFormulaCommand(const QStringList& arguments) {
    const auto request = parse(arguments);
    if (const QString* problem = std::get_if<QString>(&request))
        return fail(*problem);
    return run(std::get<Request>(request));
}

} // namespace app
