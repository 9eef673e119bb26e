#include "play/Emulator.h"

#include "ui/EditorSettings.h"
#include "play/EmulatorDialog.h"
#include "window/Form1.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace app {
namespace emulator {
namespace {

const QString kCommandKey = QStringLiteral("Emulator/Command");

// The emulators offered, in order, with the program names each is found under. RetroArch
// is offered only with a SNES core, which it is told to load.
struct Known {
    const char* name;
    QStringList programs;
    bool needsCore = false;
};
const Known kKnown[] = {{"Mednafen", {"mednafen"}},
                        {"RetroArch", {"retroarch"}, true},
                        {"Snes9x", {"snes9x", "snes9x-gtk"}},
                        {"bsnes", {"bsnes"}},
                        {"ares", {"ares"}},
                        {"higan", {"higan"}}};

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
            << QStringLiteral("/usr/local/lib/libretro");
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

} // namespace

QList<Found> detect() {
    QList<Found> found;
    for (const Known& known : kKnown) {
        QString program;
        for (const QString& name : known.programs)
            if (program.isEmpty())
                program = QStandardPaths::findExecutable(name);
        if (program.isEmpty())
            continue;
        if (!known.needsCore) {
            found.append(
                {QString::fromLatin1(known.name), quoted(program) + QStringLiteral(" %f")});
        } else if (const QString core = snesCore(); !core.isEmpty()) {
            const QString coreName =
                QFileInfo(core).fileName().section(QStringLiteral("_libretro"), 0, 0);
            found.append(
                {QStringLiteral("RetroArch (%1)").arg(coreName),
                 quoted(program) + QStringLiteral(" -L ") + quoted(core) + QStringLiteral(" %f")});
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

void playOpenFile(Form1& window) {
    if (window.romFile().isOpen() && !window.isLoadingLists() && window.confirmLeavingRecord())
        emulator::play(&window, window.romFile().path());
}

} // namespace

QAction* addEmulatorEntries(QMenu* fileMenu, Form1* window) {
    auto* play = new QAction(QStringLiteral("&Play in Emulator"), fileMenu);
    play->setObjectName("mnuPlayROM");
    play->setShortcut(QKeySequence(Qt::Key_F5));
    play->setShortcutContext(Qt::WindowShortcut);
    auto* settings = new QAction(QStringLiteral("E&mulator Settings..."), fileMenu);
    settings->setObjectName("mnuEmulatorSettings");
    fileMenu->addActions({play, settings});
    play->setEnabled(false);
    QObject::connect(play, &QAction::triggered, window, [window] { playOpenFile(*window); });
    QObject::connect(settings, &QAction::triggered, window,
                     [window] { EmulatorDialog(window).exec(); });
    return play;
}

} // namespace app
