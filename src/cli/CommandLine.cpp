#include "cli/CommandLine.h"

#include "ui/Program.h"

#include <QCommandLineParser>
#include <QDir>

#include <tuple>

namespace app {
namespace {

struct OptionText {
    QStringList names;
    QString value;
    QString description;
};

const OptionText kOptions[] = {
    {{"export-tables"}, "DIR", "write FILE's records as tables into DIR (made if missing)"},
    {{"import-tables"}, "DIR", "write the tables found in DIR into FILE"},
    {{"formula"}, "", "set COLUMN of the KIND records (enemies, weapons, ...) to FORMULA,"},
    {{}, "", "as Table View's Set Selected does; --where keeps the records meeting"},
    {{}, "", "CONDITION, --relative reads the values as they were before this editor"},
    {{"where"}, "CONDITION", "with --formula: the records whose values meet CONDITION"},
    {{"relative"}, "", "with --formula: x is the value before the changes made here"},
    {{"diff"}, "OTHER", "print every field in which OTHER differs from FILE; exit 1 if any"},
    {{"base"}, "ORIGINAL", "with --diff: class each difference against ORIGINAL"},
    {{"format"}, "FORMAT", "with --diff: text (unless given), csv or markdown"},
    {{"apply-patch"}, "PATCH", "write the BPS, IPS or UPS patch PATCH into FILE"},
    {{"header"}, "", "with --apply-patch: the IPS patch is for an image with a copier header"},
    {{"dry-run"}, "", "with --apply-patch: print what it would change, write nothing"},
    {{"force"}, "", "let a command use a FILE unlike an image of Valdric"},
    {{"h", "help"}, "", "print this text and end"},
    {{"v", "version"}, "", "print the version and end"}};

// QGuiApplication's own options, each with its value or without one: read here so that they
// are no usage error, and used by the window, which gets the whole command line.
const std::pair<const char*, bool> kWindowSystemOptions[] = {{"platform", true},
                                                             {"platformpluginpath", true},
                                                             {"platformtheme", true},
                                                             {"plugin", true},
                                                             {"qwindowgeometry", true},
                                                             {"qwindowicon", true},
                                                             {"qwindowtitle", true},
                                                             {"display", true},
                                                             {"geometry", true},
                                                             {"style", true},
                                                             {"stylesheet", true},
                                                             {"session", true},
                                                             {"reverse", false},
                                                             {"widgetcount", false},
                                                             {"nograb", false},
                                                             {"dograb", false},
                                                             {"sync", false}};

void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionText& option : kOptions)
        if (!option.names.isEmpty())
            parser.addOption(QCommandLineOption(option.names, option.description, option.value));
    for (const auto& [name, valued] : kWindowSystemOptions) {
        QCommandLineOption option(QLatin1String(name), QString(),
                                  valued ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

const QStringList kFormats = {QStringLiteral("text"), QStringLiteral("csv"),
                              QStringLiteral("markdown")};

// What only goes with one command: --where and --relative with --formula, and so on.
QString companionError(const QCommandLineParser& parser, const CommandLine& line) {
    const std::tuple<const char*, CommandLine::Mode, const char*> companions[] = {
        {"where", CommandLine::Mode::Formula, "--where and --relative go with --formula only."},
        {"relative", CommandLine::Mode::Formula, "--where and --relative go with --formula only."},
        {"base", CommandLine::Mode::Diff, "--base and --format go with --diff only."},
        {"format", CommandLine::Mode::Diff, "--base and --format go with --diff only."},
        {"header", CommandLine::Mode::ApplyPatch,
         "--header and --dry-run go with --apply-patch only."},
        {"dry-run", CommandLine::Mode::ApplyPatch,
         "--header and --dry-run go with --apply-patch only."}};
    for (const auto& [name, mode, text] : companions)
        if (parser.isSet(QLatin1String(name)) && line.mode != mode)
            return QLatin1String(text);
    if (parser.isSet("format") && !kFormats.contains(line.format))
        return QStringLiteral("--format is one of text, csv and markdown.");
    return QString();
}

QString modeError(const CommandLine& line, int commands) {
    if (commands > 1)
        return QStringLiteral("Give one of --export-tables, --import-tables, --formula, --diff and "
                              "--apply-patch.");
    const bool tables = line.mode == CommandLine::Mode::ExportTables ||
                        line.mode == CommandLine::Mode::ImportTables;
    if (tables && line.files.size() != 1)
        return QStringLiteral("A table command works on one FILE.");
    if (tables && line.folder.isEmpty())
        return QStringLiteral("A table command needs the folder DIR.");
    if ((line.mode == CommandLine::Mode::Diff || line.mode == CommandLine::Mode::ApplyPatch) &&
        line.files.size() != 1)
        return QStringLiteral("--diff and --apply-patch work on one FILE.");
    if (line.mode == CommandLine::Mode::Formula &&
        (line.files.size() != 4 || line.files[0].isEmpty() || line.files[1].isEmpty() ||
         line.files[2].isEmpty()))
        return QStringLiteral("--formula needs KIND, COLUMN, FORMULA and FILE.");
    if (line.force && !line.isCommand())
        return QStringLiteral("--force goes with a command only.");
    return QString();
}

void readFormula(CommandLine& line) {
    if (line.mode != CommandLine::Mode::Formula || line.files.size() != 4)
        return;
    line.kind = line.files[0];
    line.column = line.files[1];
    line.formula = line.files[2];
    line.files = line.files.mid(3);
}

} // namespace

QString dataFilePath(const QString& programDirectory) {
    return programDirectory + QDir::separator() + QStringLiteral("valdric.tbl");
}

QString usageText() {
    // "or:" marks the further forms for help2man, which makes the manual page from this text.
    QString text = QStringLiteral("Usage: valdric-editor [FILE]\n"
                                  "  or:  valdric-editor --export-tables DIR [--force] FILE\n"
                                  "  or:  valdric-editor --import-tables DIR [--force] FILE\n"
                                  "  or:  valdric-editor --formula KIND COLUMN FORMULA "
                                  "[--where CONDITION] [--relative] [--force] FILE\n"
                                  "  or:  valdric-editor --diff OTHER [--base ORIGINAL] "
                                  "[--format FORMAT] FILE\n"
                                  "  or:  valdric-editor --apply-patch PATCH [--header] "
                                  "[--dry-run] [--force] FILE\n"
                                  "%1 %2: a stat editor for the 4 MiB SNES ROM image of Valdric.\n"
                                  "FILE is opened at start-up as File > Open ROM opens a chosen "
                                  "file.\n\n")
                       .arg(ui::kProgramTitle, ui::versionText());
    for (const OptionText& option : kOptions) {
        QStringList names;
        for (const QString& name : option.names)
            names << (name.size() == 1 ? "-" : "--") + name;
        const QString left = names.join(QStringLiteral(", ")) +
                             (option.value.isEmpty() ? QString() : ' ' + option.value);
        text += QStringLiteral("  %1  %2\n").arg(left.leftJustified(20), option.description);
    }
    return text;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    addOptions(parser);
    CommandLine line;
    const bool read = arguments.isEmpty() || parser.parse(arguments);
    line.files = parser.positionalArguments();
    line.force = parser.isSet("force");
    line.condition = parser.value("where");
    line.relative = parser.isSet("relative");
    const bool exporting = parser.isSet("export-tables");
    const bool importing = parser.isSet("import-tables");
    const bool formula = parser.isSet("formula");
    const bool diff = parser.isSet("diff");
    const bool patching = parser.isSet("apply-patch");
    line.other = parser.value("diff");
    line.base = parser.value("base");
    line.format = parser.isSet("format") ? parser.value("format") : QStringLiteral("text");
    line.patch = parser.value("apply-patch");
    line.header = parser.isSet("header");
    line.dryRun = parser.isSet("dry-run");
    line.folder = parser.value(exporting ? "export-tables" : "import-tables");
    if (parser.isSet("help"))
        line.mode = CommandLine::Mode::Help;
    else if (parser.isSet("version"))
        line.mode = CommandLine::Mode::Version;
    else if (formula)
        line.mode = CommandLine::Mode::Formula;
    else if (diff)
        line.mode = CommandLine::Mode::Diff;
    else if (patching)
        line.mode = CommandLine::Mode::ApplyPatch;
    else if (exporting || importing)
        line.mode = exporting ? CommandLine::Mode::ExportTables : CommandLine::Mode::ImportTables;
    if (line.mode == CommandLine::Mode::Help || line.mode == CommandLine::Mode::Version)
        return line;
    if (!read)
        line.error = parser.errorText();
    else if (const QString companion = companionError(parser, line); !companion.isEmpty())
        line.error = companion;
    else
        line.error = modeError(line, int(exporting) + int(importing) + int(formula) + int(diff) +
                                         int(patching));
    readFormula(line);
    return line;
}

QString informationText(const CommandLine& line) {
    switch (line.mode) {
    case CommandLine::Mode::Help:
        return usageText();
    case CommandLine::Mode::Version:
        return ui::kProgramTitle + QLatin1Char(' ') + ui::versionText() + QLatin1Char('\n');
    default:
        return QString();
    }
}

} // namespace app
