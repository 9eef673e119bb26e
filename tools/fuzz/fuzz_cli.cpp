// The command line: the input is the arguments after the program's name, each ended by a
// 0x00 byte. It calls app::parseCommandLine, app::informationText, app::isTablesCommand and
// app::isFormulaCommand (the whole command line, the program first), nothing that starts a
// window or touches a file.
#include "Fuzz.h"

#include "app/Application.h"
#include "cli/FormulaCommand.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    QStringList arguments = {QStringLiteral("valdric-editor")};
    for (const QByteArray& argument : input.rest().split('\0'))
        arguments << QString::fromUtf8(argument);
    if (size > 0 && data[size - 1] == 0)
        arguments.removeLast(); // the last argument's end, not an empty one
    using Mode = app::CommandLine::Mode;
    const app::CommandLine line = app::parseCommandLine(arguments);
    const bool information = line.mode == Mode::Help || line.mode == Mode::Version;
    fuzz::require(information != app::informationText(arguments).isEmpty(),
                  "--help and --version have a text, nothing else has");
    const bool tables = line.mode == Mode::ExportTables || line.mode == Mode::ImportTables;
    fuzz::require(app::isTablesCommand(arguments) == tables, "one reading of a table command");
    if (information || !line.error.isEmpty())
        return 0;
    fuzz::require(!tables || line.files.size() == 1, "a table command has one FILE");
    fuzz::require(tables || !line.force, "--force only with a table command");
    app::isFormulaCommand(arguments);
    return 0;
}
