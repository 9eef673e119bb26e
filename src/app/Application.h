#pragma once

#include <QString>
#include <QStringList>

namespace app {

class Form1;

// Shows `window` and, when `files` is not empty, opens the first one named as File > Open ROM
// would, once the event loop runs.
void startWindow(Form1& window, const QStringList& files);

// Start-up and the event loop, once the command line has been read (see cli/CommandLine.h):
// checks the data file (ending with a message and status 1 when it is missing, before any
// setting is touched or any window shown), runs the first-run test, shows the main window,
// opens the first of `files` and runs until the program ends.
int run(const QString& programDirectory, const QStringList& files = {});

} // namespace app
