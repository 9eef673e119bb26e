#include "app/Application.h"
#include "cli/Commands.h"

#include <QApplication>

#include <cstdio>

namespace {
QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int n = 0; n < argc; ++n)
        arguments << QString::fromLocal8Bit(argv[n]);
    return arguments;
}
} // namespace

int main(int argc, char* argv[]) {
    // The options are read before any window system is reached: --help, --version, usage
    // errors and the commands work on a plain terminal.
    const app::CommandLine line = app::parseCommandLine(argumentList(argc, argv));
    if (const QString information = app::informationText(line); !information.isEmpty()) {
        std::fputs(information.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!line.error.isEmpty())
        return app::usageError(line);
    if (line.isCommand()) {
        QCoreApplication tool(argc, argv);
        return app::runCommand(QCoreApplication::applicationDirPath(), line);
    }
    QApplication application(argc, argv);
    // Lets a Wayland compositor find the desktop entry, and with it the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VALDRIC_APP_ID));
    return app::run(QCoreApplication::applicationDirPath(), line.files);
}
