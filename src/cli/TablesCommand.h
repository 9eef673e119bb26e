#pragma once

#include "cli/CommandLine.h"

namespace app {

// --export-tables and --import-tables (see runCommand).
int runTablesCommand(const CommandLine& line);

} // namespace app
