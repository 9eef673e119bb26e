#pragma once

#include <QString>

namespace app {

// The path of the data file that must lie beside the program.
QString dataFilePath(const QString& programDirectory);

// Start-up and the event loop: checks the data file (ending with a message and status 1
// when it is missing, before any setting is touched or any window shown), runs the
// first-run test, shows the main window and runs until the program ends.
int run(const QString& programDirectory);

} // namespace app
