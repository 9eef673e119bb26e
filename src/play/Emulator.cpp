#include "play/Emulator.h"

#include "play/EmulatorDialog.h"
#include "rom/RomFile.h"
#include "ui/Dialogs.h"
#include "ui/EditorSettings.h"
#include "ui/EditorWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace app {
namespace emulator {
namespace {

const QString kCommandKey = QStringLiteral("Emulator/Command");

// The emulators offered, in order, with the program names each is found under (a Flatpak's
// is its application id). RetroArch is offered only with a SNES core, which it is told to load.
struct Known {
    const char* name;
    QStringList programs;
    bool needsCore = false;
};
const Known kKnown[] = {{"Mednafen", {"mednafen"}},
                        {"RetroArch", {"retroarch", "org.libretro.RetroArch"}, true},
                        {"Snes9x", {"snes9x", "snes9x-gtk", "com.snes9x.Snes9x"}},
                        {"bsnes", {"bsnes"}},
                        {"ares", {"ares", "dev.ares.ares"}},
                        {"higan", {"higan"}}};

// A Flatpak installation's folder of programs; `variable` moves the installation, as it does
// for Flatpak itself.
QString flatpakPrograms(const char* variable, const QString& installation) {
    const QString moved = qEnvironmentVariable(variable);
    return (moved.isEmpty() ? installation : moved) + QStringLiteral("/exports/bin");
}

// PATH, then where Debian puts games (not on every user's PATH), then the programs of the
// system's and of the user's Flatpak installations.
QStringList programFolders() {
    QStringList folders = qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QStringLiteral("/usr/games") << QStringLiteral("/usr/local/games")
            << flatpakPrograms("FLATPAK_SYSTEM_DIR", QStringLiteral("/var/lib/flatpak"))
            << flatpakPrograms("FLATPAK_USER_DIR", QStandardPaths::writableLocation(
                                                       QStandardPaths::GenericDataLocation) +
                                                       QStringLiteral("/flatpak"));
    folders.removeDuplicates();
    return folders;
}

// SNES cores of RetroArch, the most used first.
const QStringList kSnesCores = {"snes9x_libretro.so", "bsnes_libretro.so",
                                "bsnes_hd_beta_libretro.so", "mesen-s_libretro.so",
                                "snes9x2010_libretro.so"};

QStringList libretroFolders() {
    QStringList folders;
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    folders << configHome + QStringLiteral("/retroarch/cores");
    for (const QString& arch :
         QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*-linux-*")}, QDir::Dirs))
        folders << QStringLiteral("/usr/lib/%1/libretro").arg(arch);
    folders << QStringLiteral("/usr/lib/libretro") << QStringLiteral("/usr/lib64/libretro")
            << QStringLiteral("/usr/local/lib/libretro")
            << QDir::homePath() +
                   QStringLiteral("/.var/app/org.libretro.RetroArch/config/retroarch/cores");
    return folders;
}

QString snesCore() {
    for (const QString& folder : libretroFolders())
        for (const QString& core : kSnesCores)
            if (QFileInfo(folder + QLatin1Char('/') + core).isFile())
                return folder + QLatin1Char('/') + core;
    return QString();
}

QString placeholder(QChar key, const QFileInfo& rom) {
    switch (key.unicode()) {
    case 'f':
        return rom.absoluteFilePath();
    case 'd':
        return rom.absolutePath();
    case 'n':
        return rom.completeBaseName();
    case '%':
        return QStringLiteral("%");
    default:
        return QLatin1Char('%') + key;
    }
}

bool sameFile(const QFileInfo& a, const QString& b) {
    const QString canonical = a.canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Drops all but the newest copies; the copy just made and the open file always stay.
void dropOlderCopies(const QString& made, const QString& openPath) {
    int kept = 1;
    for (const QFileInfo& copy : QDir(copiesFolder()).entryInfoList(QDir::Files, QDir::Time)) {
        if (copy.absoluteFilePath() == made || sameFile(copy, openPath))
            continue;
        if (kept < kKeptCopies)
            ++kept;
        else
            QFile::remove(copy.absoluteFilePath());
    }
}

// Empty when the copy is written whole; else why not.
QString writeCopy(const QString& path, const QByteArray& image) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("the folder cannot be made");
    // An older copy of this version, or a link put in its place, goes first: the new copy
    // is never written through a link.
    QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(image) != image.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    return file.commit() ? QString() : file.errorString();
}

QString findProgram(const QStringList& names, const QString& folder) {
    for (const QString& name : names)
        if (const QString program = QStandardPaths::findExecutable(name, {folder});
            !program.isEmpty())
            return program;
    return QString();
}

// How `program`, found in `folder`, is started; RetroArch without a SNES core is not offered.
std::optional<Found> offer(const Known& known, const QString& program, const QString& folder) {
    if (!known.needsCore)
        return Found{QString::fromLatin1(known.name), quoted(program) + QStringLiteral(" %f"),
                     folder};
    const QString core = snesCore();
    if (core.isEmpty())
        return std::nullopt;
    const QString coreName = QFileInfo(core).fileName().section(QStringLiteral("_libretro"), 0, 0);
    return Found{QStringLiteral("RetroArch (%1)").arg(coreName),
                 quoted(program) + QStringLiteral(" -L ") + quoted(core) + QStringLiteral(" %f"),
                 folder};
}

} // namespace

// Each installation once, wherever it is found first (/bin and /usr/bin are often one).
QList<Found> detect() {
    QList<Found> found;
    for (const Known& known : kKnown) {
        QStringList seen;
        for (const QString& folder : programFolders()) {
            const QString program = findProgram(known.programs, folder);
            const QString same = QFileInfo(program).canonicalFilePath();
            if (program.isEmpty() || seen.contains(same))
                continue;
            seen << same;
            if (const std::optional<Found> offered = offer(known, program, folder))
                found.append(*offered);
        }
    }
    return found;
}

QString command() {
    return editorSettings().value(kCommandKey).toString().trimmed();
}

void setCommand(const QString& line) {
    QSettings store = editorSettings();
    store.setValue(kCommandKey, line);
    store.sync();
}

QString quoted(const QString& path) {
    if (!path.isEmpty() && !path.contains(QLatin1Char('"')) &&
        std::none_of(path.begin(), path.end(), [](QChar c) { return c.isSpace(); }))
        return path;
    QString inner = path;
    return QLatin1Char('"') + inner.replace(QLatin1Char('"'), QStringLiteral("\"\"\"")) +
           QLatin1Char('"');
}

QStringList expand(const QString& line, const QString& romPath) {
    const QFileInfo rom(romPath);
    QStringList arguments;
    for (const QString& token : QProcess::splitCommand(line)) {
        QString argument;
        for (qsizetype at = 0; at < token.size(); ++at) {
            if (token[at] == QLatin1Char('%') && at + 1 < token.size())
                argument += placeholder(token[++at], rom);
            else
                argument += token[at];
        }
        arguments << argument;
    }
    return arguments;
}

bool play(QWidget* parent, const QString& romPath) {
    if (command().isEmpty() && EmulatorDialog(parent).exec() != QDialog::Accepted)
        return false;
    const QString line = command();
    const QStringList arguments = expand(line, romPath);
    QProcess process;
    process.setProgram(arguments.value(0));
    process.setArguments(arguments.mid(1));
    if (!arguments.isEmpty() && process.startDetached())
        return true;
    ui::showWarning(parent,
                    QStringLiteral("The emulator could not be started with the command "
                                   "\"%1\": %2.")
                        .arg(line, arguments.isEmpty() ? QStringLiteral("it names no program")
                                                       : process.errorString()));
    return false;
}

QString copiesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Quillmark/valdric-play");
}

bool playVersion(QWidget* parent, const QString& openPath, qint64 id, const QByteArray& image) {
    const QFileInfo open(openPath);
    const QString suffix = open.suffix().isEmpty() ? QString() : QLatin1Char('.') + open.suffix();
    const QString path =
        copiesFolder() +
        QStringLiteral("/%1-%2%3").arg(open.completeBaseName()).arg(id).arg(suffix);
    if (const QString why = writeCopy(path, image); !why.isEmpty()) {
        ui::showWarning(parent, QStringLiteral("The version could not be written to \"%1\": %2. "
                                               "Nothing was played.")
                                    .arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    dropOlderCopies(path, openPath);
    return play(parent, path);
}

} // namespace emulator

namespace {

void playOpenFile(EditorWindow& window) {
    if (window.romFile().isOpen() && !window.isLoadingLists() && window.confirmLeavingRecord())
        emulator::play(window.widget(), window.romFile().path());
}

} // namespace

QAction* addEmulatorEntries(QMenu* fileMenu, EditorWindow& window) {
    auto* play = new QAction(QStringLiteral("&Play in Emulator"), fileMenu);
    play->setObjectName("mnuPlayROM");
    play->setShortcut(QKeySequence(Qt::Key_F5));
    play->setShortcutContext(Qt::WindowShortcut);
    auto* settings = new QAction(QStringLiteral("E&mulator Settings..."), fileMenu);
    settings->setObjectName("mnuEmulatorSettings");
    fileMenu->addActions({play, settings});
    play->setEnabled(false);
    QObject::connect(play, &QAction::triggered, window.widget(),
                     [&window] { playOpenFile(window); });
    QObject::connect(settings, &QAction::triggered, window.widget(),
                     [&window] { EmulatorDialog(window.widget()).exec(); });
    return play;
}

} // namespace app
