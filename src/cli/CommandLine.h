#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The path of the data file that must lie beside the program.
QString dataFilePath(const QString& programDirectory);

// The command line (the program first), read with QCommandLineParser before any window
// system is reached: the files to open in the window, or a command that needs none. Qt's own
// window options (-platform, -style, ...) are taken and left for the window to use.
struct CommandLine {
    enum class Mode {
        Window,
        Help,
        Version,
        ExportTables,
        ImportTables,
        Formula,
        Diff,
        ApplyPatch
    };
    Mode mode = Mode::Window; // what it asks for, also when it cannot be read
    QStringList files;        // the window: the files named; a command: its FILE
    QString folder;           // a table command's DIR
    bool force = false;
    // --formula KIND COLUMN FORMULA [--where CONDITION] [--relative]
    QString kind;
    QString column;
    QString formula;
    QString condition;
    bool relative = false;
    // --diff OTHER [--base ORIGINAL] [--format FORMAT]
    QString other;
    QString base;
    QString format; // "text", "csv" or "markdown"
    // --apply-patch PATCH [--header] [--dry-run]
    QString patch;
    bool header = false;
    bool dryRun = false;
    QString error; // what is wrong with it, if anything

    bool isCommand() const { return mode != Mode::Window; }
};
CommandLine parseCommandLine(const QStringList& arguments);

// Everything the program answers to, with its version.
QString usageText();

// The text that `--help` (-h) or `--version` (-v) anywhere among the arguments asks for, or an
// empty text. The program prints it and ends before it sets up any window, so both work
// on a plain terminal and without the data file.
QString informationText(const CommandLine& line);

} // namespace app
