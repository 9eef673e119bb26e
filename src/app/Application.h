#pragma once

#include <QString>
#include <QStringList>

namespace app {

class Form1;

// The path of the data file that must lie beside the program.
QString dataFilePath(const QString& programDirectory);

// The text that `--help` (-h) or `--version` (-v) anywhere among `arguments` asks for, or an
// empty text. The program prints it and ends before it sets up any window, so both work
// on a plain terminal and without the data file.
QString informationText(const QStringList& arguments);

// `--export-tables DIR FILE` and `--import-tables DIR FILE`: the tables without a window.
// A summary line on stdout and status 0, or the problems on stderr and status 1.
bool isTablesCommand(const QStringList& arguments);
int runTablesCommand(const QString& programDirectory, const QStringList& arguments);

// Shows `window` and, when `arguments` (the program first) name a file, opens the first
// one named as File > Open ROM would, once the event loop runs.
void startWindow(Form1& window, const QStringList& arguments);

// Start-up and the event loop: checks the data file (ending with a message and status 1
// when it is missing, before any setting is touched or any window shown), runs the
// first-run test, shows the main window, opens a file named in `arguments` and runs until
// the program ends.
int run(const QString& programDirectory, const QStringList& arguments = {});

} // namespace app
