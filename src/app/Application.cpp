#include "app/Application.h"

#include "history/WriteAhead.h"
#include "records/Records.h"
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "rominfo/ImageCheck.h"
#include "tables/Tables.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Program.h"
#include "ui/Settings.h"
#include "window/Form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

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
    {{"force"}, "", "let a table command use a FILE unlike an image of Valdric"},
    {{"h", "help"}, "", "print this text and end"},
    {{"v", "version"}, "", "print the version and end"}};

QString usageText() {
    // "or:" marks the further forms for help2man, which makes the manual page from this text.
    QString text = QStringLiteral("Usage: valdric-editor [FILE]\n"
                                  "  or:  valdric-editor --export-tables DIR [--force] FILE\n"
                                  "  or:  valdric-editor --import-tables DIR [--force] FILE\n"
                                  "  or:  valdric-editor --formula KIND COLUMN FORMULA "
                                  "[--where CONDITION] [--relative] FILE\n"
                                  "%1 %2: a stat editor for the 4 MiB SNES ROM image of Valdric.\n"
                                  "FILE is opened at start-up as File > Open ROM opens a chosen "
                                  "file.\n\n")
                       .arg(ui::kProgramTitle, ui::versionText());
    text +=
        QStringLiteral("  --formula KIND COLUMN FORMULA  set COLUMN of the KIND records (enemies, "
                       "weapons, ...)\n"
                       "                 to FORMULA, as Table View's Set Selected does\n");
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

void tell(const QString& message) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
}

int fail(const QString& message, int status = 1) {
    tell(message);
    return status;
}

QString tableNames() {
    QStringList names;
    for (const records::Kind& kind : records::kinds())
        names << QLatin1String(kind.fileName);
    return names.join(QStringLiteral(", "));
}

// What --force still refuses: a file too large to be read whole.
bool tooLarge(const QString& path) {
    return QFileInfo(path).size() > rom::kHeaderedImageSize;
}

QString tooLargeText(const QString& path) {
    return QStringLiteral("\"%1\" is larger than an image of Valdric; nothing was done.").arg(path);
}

// The headerless image of a file no larger than a headered one, or why not.
std::optional<QByteArray> readImage(const QString& path, QString* why) {
    QFile file(path);
    if (tooLarge(path)) {
        *why = tooLargeText(path);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("\"%1\" could not be opened: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.size() == rom::kHeaderedImageSize ? bytes.mid(rom::kCopierHeaderSize) : bytes;
}

int exportTables(const QString& folder, const QString& path) {
    QString why;
    const std::optional<QByteArray> image = readImage(path, &why);
    if (!image)
        return fail(why);
    if (const QString failure = tables::writeTables(*image, folder); !failure.isEmpty())
        return fail(failure);
    std::printf("Exported %lld tables of \"%s\" to \"%s\".\n",
                static_cast<long long>(records::kinds().size()), qPrintable(path),
                qPrintable(folder));
    return 0;
}

// As one entry of the history, which a failed write leaves holding what reached the file.
bool writeImport(history::History& log, rom::RomFile& rom, const QString& file,
                 const tables::Import& read) {
    const history::Written written = history::writeApply(
        log, rom, file, history::RecordRef::tableImport(read.records), read.spans);
    if (written.result != rom::CommitResult::Written) {
        tell(QStringLiteral("\"%1\" could not be written: %2 What reached the file is in the "
                            "history, where Undo takes it back.")
                 .arg(rom.path(), rom.errorString()));
        return false;
    }
    if (written.unrecorded)
        tell(QStringLiteral("The import cannot be undone: the history of changes could not record "
                            "it (%1).")
                 .arg(log.problem()));
    return true;
}

// A headered image is never changed from the command line: the window removes headers.
int importTables(const QString& folder, const QString& path) {
    if (rom::hasCopierHeader(path))
        return fail(QStringLiteral("\"%1\" has a 512-byte copier header; open it once in the "
                                   "editor to remove it. Nothing was changed.")
                        .arg(path));
    if (!QFileInfo(folder).isDir())
        return fail(
            QStringLiteral("The folder \"%1\" does not exist; nothing was written.").arg(folder));
    if (tooLarge(path))
        return fail(tooLargeText(path));
    rom::RomFile rom;
    QString error;
    if (!rom.open(path, &error))
        return fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path, error));
    const QString file = QFileInfo(path).canonicalFilePath();
    history::History log;
    for (const history::RecordRef& record : log.settleAll(file, rom))
        tell(QStringLiteral("A change to %1 was cut short when the editor ended; the part that "
                            "reached the file is kept in the history.")
                 .arg(record.label()));
    const tables::Import read = tables::readTables(rom, folder);
    if (read.files == 0)
        return fail(QStringLiteral("The folder \"%1\" holds none of the tables (%2); nothing was "
                                   "written.")
                        .arg(folder, tableNames()));
    if (!read.problems.isEmpty())
        return fail(QStringLiteral("The tables were not imported; nothing was written.\n") +
                    read.problems.join(QLatin1Char('\n')));
    if (!read.spans.isEmpty() && !writeImport(log, rom, file, read))
        return 1;
    std::printf("Imported %d tables into \"%s\": %d records changed.\n", read.files,
                qPrintable(path), read.records);
    return 0;
}

int runTables(const CommandLine& line) {
    const QString& path = line.files.first();
    QString why;
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(path, &why);
    if (!look)
        return fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path, why));
    if (!line.force && !look->looksLikeValdric())
        return fail(rominfo::unfamiliarImageText(path, *look) +
                    QStringLiteral(" Give --force to use it anyway. Nothing was changed."));
    return line.mode == CommandLine::Mode::ExportTables ? exportTables(line.folder, path)
                                                        : importTables(line.folder, path);
}

int usageError(const CommandLine& line) {
    return fail(line.error + QStringLiteral("\n\n") + usageText(), 2);
}

} // namespace

QString dataFilePath(const QString& programDirectory) {
    return programDirectory + QDir::separator() + QStringLiteral("valdric.tbl");
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    for (const OptionText& option : kOptions)
        parser.addOption(QCommandLineOption(option.names, option.description, option.value));
    CommandLine line;
    const bool read = arguments.isEmpty() || parser.parse(arguments);
    line.files = parser.positionalArguments();
    line.force = parser.isSet("force");
    const bool exporting = parser.isSet("export-tables");
    const bool importing = parser.isSet("import-tables");
    line.folder = parser.value(exporting ? "export-tables" : "import-tables");
    if (parser.isSet("help"))
        line.mode = CommandLine::Mode::Help;
    else if (parser.isSet("version"))
        line.mode = CommandLine::Mode::Version;
    else if (exporting || importing)
        line.mode = exporting ? CommandLine::Mode::ExportTables : CommandLine::Mode::ImportTables;
    if (line.mode == CommandLine::Mode::Help || line.mode == CommandLine::Mode::Version)
        return line;
    if (!read)
        line.error = parser.errorText();
    else if (exporting && importing)
        line.error = QStringLiteral("Give either --export-tables or --import-tables.");
    else if ((exporting || importing) && line.files.size() != 1)
        line.error = QStringLiteral("A table command works on one FILE.");
    else if (line.force && !exporting && !importing)
        line.error = QStringLiteral("--force goes with a table command only.");
    return line;
}

QString informationText(const QStringList& arguments) {
    switch (parseCommandLine(arguments).mode) {
    case CommandLine::Mode::Help:
        return usageText();
    case CommandLine::Mode::Version:
        return ui::kProgramTitle + QLatin1Char(' ') + ui::versionText() + QLatin1Char('\n');
    default:
        return QString();
    }
}

bool isTablesCommand(const QStringList& arguments) {
    const CommandLine line = parseCommandLine(arguments);
    return line.mode == CommandLine::Mode::ExportTables ||
           line.mode == CommandLine::Mode::ImportTables;
}

int runTablesCommand(const QString& programDirectory, const QStringList& arguments) {
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.isEmpty())
        return usageError(line);
    if (!dataFileExists(dataFilePath(programDirectory)))
        return fail(QStringLiteral("You are missing a vital data file, you will need to reinstall "
                                   "the program to fix this error."));
    return runTables(line);
}

void startWindow(Form1& window, const QStringList& arguments) {
    window.show();
    const QStringList files = parseCommandLine(arguments).files;
    if (files.isEmpty())
        return;
    const QString path = QFileInfo(files.first()).absoluteFilePath();
    QMetaObject::invokeMethod(
        &window, [&window, path] { window.openRomPath(path); }, Qt::QueuedConnection);
}

int run(const QString& programDirectory, const QStringList& arguments) {
    if (const CommandLine line = parseCommandLine(arguments); !line.error.isEmpty())
        return usageError(line);
    if (!dataFileExists(dataFilePath(programDirectory))) {
        ui::showMessage(nullptr, ui::MessageIcon::Critical,
                        QStringLiteral("You are missing a vital data file, you will need to "
                                       "reinstall the program to fix this error.  This "
                                       "application will now close."));
        return 1;
    }
    QApplication::setFont(ui::windowFont());
    Form1 window;
    window.CheckInstallation();
    QObject::connect(&window, &Form1::quitRequested, qApp, &QCoreApplication::exit);
    startWindow(window, arguments);
    return QApplication::exec();
}

} // namespace app
