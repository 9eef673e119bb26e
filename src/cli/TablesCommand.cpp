#include "cli/TablesCommand.h"

#include "cli/HeadlessFile.h"
#include "records/Records.h"
#include "rom/Plural.h"
#include "tables/Tables.h"

#include <QFileInfo>

#include <cstdio>

namespace app {
namespace {

QString tableNames() {
    QStringList names;
    for (const records::Kind& kind : records::kinds())
        names << QLatin1String(kind.fileName);
    return names.join(QStringLiteral(", "));
}

int exportTables(const QString& folder, HeadlessFile& session) {
    const std::optional<QByteArray> image = session.read();
    if (!image)
        return kCommandFailed;
    if (const QString failure = tables::writeTables(*image, folder); !failure.isEmpty())
        return fail(failure);
    std::printf("Exported %s of \"%s\" to \"%s\".\n",
                qPrintable(rom::counted(records::kinds().size(), "table", "tables")),
                qPrintable(session.path()), qPrintable(folder));
    return kCommandDone;
}

int importTables(const QString& folder, HeadlessFile& session) {
    if (!QFileInfo(folder).isDir())
        return fail(
            QStringLiteral("The folder \"%1\" does not exist; nothing was written.").arg(folder));
    if (!session.open())
        return kCommandFailed;
    const tables::Import read = tables::readTables(session.rom(), folder);
    if (read.files == 0)
        return fail(QStringLiteral("The folder \"%1\" holds none of the tables (%2); nothing was "
                                   "written.")
                        .arg(folder, tableNames()));
    if (!read.problems.isEmpty())
        return fail(QStringLiteral("The tables were not imported; nothing was written.\n") +
                    read.problems.join(QLatin1Char('\n')));
    if (!read.spans.isEmpty() && !session.write(history::RecordRef::tableImport(read.records),
                                                read.spans, QStringLiteral("The import")))
        return kCommandFailed;
    std::printf("Imported %s into \"%s\": %s changed.\n",
                qPrintable(rom::counted(read.files, "table", "tables")), qPrintable(session.path()),
                qPrintable(rom::counted(read.records, "record", "records")));
    return kCommandDone;
}

} // namespace

int runTablesCommand(const CommandLine& line) {
    HeadlessFile session(line.files.first(), line.force);
    return line.mode == CommandLine::Mode::ExportTables ? exportTables(line.folder, session)
                                                        : importTables(line.folder, session);
}

} // namespace app
