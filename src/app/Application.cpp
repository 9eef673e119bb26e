#include "app/Application.h"

#include "app/Form1.h"
#include "app/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

QString dataFilePath(const QString& programDirectory) {
    return programDirectory + QDir::separator() + QStringLiteral("valdric.tbl");
}

QString informationText(const QStringList& arguments) {
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h")))
        return QStringLiteral("Usage: valdric-editor [FILE]\n"
                              "%1 %2: a stat editor for the 4 MiB SNES ROM image of Valdric.\n"
                              "FILE is opened at start-up as File > Open ROM opens a chosen file.\n"
                              "\n"
                              "  -h, --help     print this text and end\n"
                              "  -v, --version  print the version and end\n")
            .arg(ui::kProgramTitle, ui::versionText());
    if (options.contains(QStringLiteral("--version")) || options.contains(QStringLiteral("-v")))
        return ui::kProgramTitle + QLatin1Char(' ') + ui::versionText() + QLatin1Char('\n');
    return QString();
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
