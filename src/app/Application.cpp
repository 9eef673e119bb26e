#include "app/Application.h"

#include "cli/CommandLine.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Settings.h"
#include "window/Form1.h"

#include <QApplication>
#include <QFileInfo>

namespace app {

void startWindow(Form1& window, const QStringList& files) {
    window.show();
    if (files.isEmpty())
        return;
    const QString path = QFileInfo(files.first()).absoluteFilePath();
    QMetaObject::invokeMethod(
        &window, [&window, path] { window.openRomPath(path); }, Qt::QueuedConnection);
}

int run(const QString& programDirectory, const QStringList& files) {
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
    startWindow(window, files);
    return QApplication::exec();
}

} // namespace app
