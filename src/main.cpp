#include "app/Application.h"
#include "cli/FormulaCommand.h"

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
    // --help and --version are answered before the window system is reached.
    const QString information = app::informationText(argumentList(argc, argv));
    if (!information.isEmpty()) {
        std::fputs(information.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (app::isTablesCommand(argumentList(argc, argv))) {
        QCoreApplication tool(argc, argv);
        return app::runTablesCommand(QCoreApplication::applicationDirPath(),
                                     argumentList(argc, argv));
    }
    if (app::isFormulaCommand(argumentList(argc, argv))) {
        QCoreApplication tool(argc, argv);
        return app::runFormulaCommand(argumentList(argc, argv));
    }
    QApplication application(argc, argv);
    // Lets a Wayland compositor find the desktop entry, and with it the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VALDRIC_APP_ID));
    // What is left once Qt has taken its own options (such as -platform) out of argv.
    return app::run(QCoreApplication::applicationDirPath(), argumentList(argc, argv));
}
