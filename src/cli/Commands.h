#pragma once

#include "cli/CommandLine.h"

namespace app {

// Runs a command that needs no window, named in `line`, and gives the program's exit status.
// A command line that cannot be read prints the reason and the usage on stderr and gives
// kUsageError; a missing data file beside the program, or any refusal, the reason and
// kCommandFailed.
//
// `--export-tables DIR FILE` writes the tables of every record into DIR (made if missing),
// also from an image with a copier header. `--import-tables DIR FILE` writes the tables DIR
// holds (at least one) into FILE. `--formula KIND COLUMN FORMULA [--where CONDITION]
// [--relative] FILE` sets the column (by its name or identifier) of every record of the kind
// (a table file's name without ".csv") to the formula, as the table window's Set Selected
// does, for the records whose current values meet the condition; --relative reads the values
// as they were before the changes made in this editor. `--diff` and `--apply-patch` are told
// in cli/PatchCommands.h. Writers record one change each. A summary goes to stdout.
int runCommand(const QString& programDirectory, const CommandLine& line);

// Prints the reason and the usage on stderr; kUsageError.
int usageError(const CommandLine& line);

} // namespace app
