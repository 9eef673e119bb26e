#include "app/Application.h"

#include "app/Form1.h"
#include "app/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QDir>

namespace app {

QString dataFilePath(const QString& programDirectory) {
    return programDirectory + QDir::separator() + QStringLiteral("valdric.tbl");
}

int run(const QString& programDirectory) {
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
    window.show();
    return QApplication::exec();
}

} // namespace app
