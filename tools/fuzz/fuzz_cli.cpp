// The command line: the input is the arguments after the program's name, each ended by a
// 0x00 byte. It calls app::parseCommandLine and app::informationText, which read the
// arguments before any window system or file is reached.
#include "Fuzz.h"

#include "cli/CommandLine.h"

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
    fuzz::require(information != app::informationText(line).isEmpty(),
                  "--help and --version have a text, nothing else has");
    if (information || !line.error.isEmpty())
        return 0;
    const bool tables = line.mode == Mode::ExportTables || line.mode == Mode::ImportTables;
    fuzz::require(!line.isCommand() || line.files.size() == 1, "a command has one FILE");
    fuzz::require(!tables || !line.folder.isEmpty(), "a table command has its DIR");
    fuzz::require(line.mode == Mode::Formula || (line.condition.isEmpty() && !line.relative),
                  "--where and --relative only with --formula");
    fuzz::require(line.mode != Mode::Formula ||
                      !(line.kind.isEmpty() || line.column.isEmpty() || line.formula.isEmpty()),
                  "a formula has its KIND, COLUMN and FORMULA");
    return 0;
}
