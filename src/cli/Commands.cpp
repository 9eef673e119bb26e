#include "cli/Commands.h"

#include "cli/FormulaCommand.h"
#include "cli/HeadlessFile.h"
#include "cli/TablesCommand.h"
#include "ui/Settings.h"

namespace app {

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
    return line.mode == CommandLine::Mode::Formula ? runFormulaCommand(line)
                                                   : runTablesCommand(line);
}

} // namespace app
