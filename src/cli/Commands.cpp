#include "cli/Commands.h"

#include "cli/FormulaCommand.h"
#include "cli/HeadlessFile.h"
#include "cli/PatchCommands.h"
#include "cli/TablesCommand.h"
#include "ui/Settings.h"

#include <QTextStream>

#include <cstdio>

namespace app {
namespace {

int runPatchCommand(const CommandLine& line) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (line.mode == CommandLine::Mode::ApplyPatch)
        return runApplyPatch({line.patch, line.files.first(), line.header, line.dryRun, line.force},
                             out, err);
    const DiffFormat format = line.format == QLatin1String("csv")        ? DiffFormat::Csv
                              : line.format == QLatin1String("markdown") ? DiffFormat::Markdown
                                                                         : DiffFormat::Text;
    return runDiff({line.other, line.files.first(), line.base, format}, out, err);
}

} // namespace

int usageError(const CommandLine& line) {
    tell(line.error + QStringLiteral("\n\n") + usageText());
    return kUsageError;
}

int runCommand(const QString& programDirectory, const CommandLine& line) {
    if (!line.error.isEmpty())
        return usageError(line);
    if (!dataFileExists(dataFilePath(programDirectory)))
        return fail(QStringLiteral("You are missing a vital data file, you will need to reinstall "
                                   "the program to fix this error."));
    switch (line.mode) {
    case CommandLine::Mode::Formula:
        return runFormulaCommand(line);
    case CommandLine::Mode::Diff:
    case CommandLine::Mode::ApplyPatch:
        return runPatchCommand(line);
    default:
        return runTablesCommand(line);
    }
}

} // namespace app
