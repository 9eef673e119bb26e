#pragma once

#include <QString>
#include <QStringList>

namespace app {

class Form1;

// The path of the data file that must lie beside the program.
QString dataFilePath(const QString& programDirectory);

// The command line (the program first), read with QCommandLineParser: the files to open in
// the window, or a command that needs none.
struct CommandLine {
    enum class Mode { Window, Help, Version, ExportTables, ImportTables };
    Mode mode = Mode::Window; // what it asks for, also when it cannot be read
    QStringList files;        // the window: the files named; a table command: its FILE
    QString folder;           // a table command's DIR
    bool force = false;
    QString error; // what is wrong with it, if anything
};
CommandLine parseCommandLine(const QStringList& arguments);

// The text that `--help` (-h) or `--version` (-v) anywhere among `arguments` asks for, or an
// empty text. The program prints it and ends before it sets up any window, so both work
// on a plain terminal and without the data file.
QString informationText(const QStringList& arguments);

// `--export-tables DIR FILE` and `--import-tables DIR FILE`, each with an optional `--force`:
// the tables without a window. A summary line on stdout and status 0, the problems on
// stderr and status 1; a command line that cannot be read prints the usage on stderr and
// gives status 2. Export reads an image with a copier header too and makes DIR; import needs
// DIR to hold at least one of the tables. Neither works on an image that does not look like
// this game's unless `--force` is given.
bool isTablesCommand(const QStringList& arguments);
int runTablesCommand(const QString& programDirectory, const QStringList& arguments);

// Shows `window` and, when `arguments` (the program first) name files, opens the first one
// named as File > Open ROM would, once the event loop runs.
void startWindow(Form1& window, const QStringList& arguments);

// Start-up and the event loop: reads the command line (an unknown option prints the usage
// on stderr and gives status 2), checks the data file (ending with a message and status 1
// when it is missing, before any setting is touched or any window shown), runs the
// first-run test, shows the main window, opens a file named in `arguments` and runs until
// the program ends.
int run(const QString& programDirectory, const QStringList& arguments = {});

} // namespace app
