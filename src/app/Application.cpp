#include "app/Application.h"

#include "app/Form1.h"
#include "app/Settings.h"
#include "history/WriteAhead.h"
#include "records/Records.h"
#include "rom/CopierHeader.h"
#include "rom/RomFile.h"
#include "tables/Tables.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace app {

QString dataFilePath(const QString& programDirectory) {
    return programDirectory + QDir::separator() + QStringLiteral("valdric.tbl");
}

QString informationText(const QStringList& arguments) {
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h")))
        return QStringLiteral(
                   "Usage: valdric-editor [FILE]\n"
                   "%1 %2: a stat editor for the 4 MiB SNES ROM image of Valdric.\n"
                   "FILE is opened at start-up as File > Open ROM opens a chosen file.\n"
                   "\n"
                   "  --export-tables DIR FILE  write FILE's records as tables into DIR\n"
                   "  --import-tables DIR FILE  write the tables found in DIR into FILE\n"
                   "  -h, --help     print this text and end\n"
                   "  -v, --version  print the version and end\n")
            .arg(ui::kProgramTitle, ui::versionText());
    if (options.contains(QStringLiteral("--version")) || options.contains(QStringLiteral("-v")))
        return ui::kProgramTitle + QLatin1Char(' ') + ui::versionText() + QLatin1Char('\n');
    return QString();
}

namespace {

int fail(const QString& message) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return 1;
}

// A headered image is never changed from the command line: the window removes headers.
int runTables(bool import, const QString& folder, const QString& path) {
    if (rom::hasCopierHeader(path))
        return fail(QStringLiteral("\"%1\" has a 512-byte copier header; open it once in the "
                                   "editor to remove it. Nothing was changed.")
                        .arg(path));
    rom::RomFile rom;
    QString error;
    if (!rom.open(path, &error))
        return fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path, error));
    if (!import) {
        if (const QString failure = tables::writeTables(rom.readBytes(0, rom.size()), folder);
            !failure.isEmpty())
            return fail(failure);
        std::printf("Exported %lld tables of \"%s\" to \"%s\".\n",
                    static_cast<long long>(records::kinds().size()), qPrintable(path),
                    qPrintable(folder));
        return 0;
    }
    const tables::Import read = tables::readTables(rom, folder);
    if (!read.problems.isEmpty())
        return fail(QStringLiteral("The tables were not imported; nothing was written.\n") +
                    read.problems.join(QLatin1Char('\n')));
    if (!read.spans.isEmpty()) {
        history::History log;
        const history::Written written =
            history::writeApply(log, rom, QFileInfo(path).canonicalFilePath(),
                                history::RecordRef::tableImport(read.records), read.spans);
        if (written.result != rom::CommitResult::Written)
            return fail(
                QStringLiteral("\"%1\" could not be written: %2").arg(path, rom.errorString()));
    }
    std::printf("Imported %d tables into \"%s\": %d records changed.\n", read.files,
                qPrintable(path), read.records);
    return 0;
}

} // namespace

bool isTablesCommand(const QStringList& arguments) {
    const QString command = arguments.value(1);
    return command == "--export-tables" || command == "--import-tables";
}

int runTablesCommand(const QString& programDirectory, const QStringList& arguments) {
    const QString command = arguments.value(1);
    if (arguments.size() != 4)
        return fail(QStringLiteral("Usage: valdric-editor %1 DIR FILE").arg(command));
    if (!dataFileExists(dataFilePath(programDirectory)))
        return fail(QStringLiteral("You are missing a vital data file, you will need to reinstall "
                                   "the program to fix this error."));
    return runTables(command == "--import-tables", arguments[2], arguments[3]);
}

void startWindow(Form1& window, const QStringList& arguments) {
    window.show();
    if (arguments.size() < 2)
        return;
    const QString path = QFileInfo(arguments.at(1)).absoluteFilePath();
    QMetaObject::invokeMethod(
        &window, [&window, path] { window.openRomPath(path); }, Qt::QueuedConnection);
}

int run(const QString& programDirectory, const QStringList& arguments) {
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
