#pragma once

#include "cli/CommandLine.h"

namespace app {

// --formula (see runCommand).
int runFormulaCommand(const CommandLine& line);

} // namespace app
