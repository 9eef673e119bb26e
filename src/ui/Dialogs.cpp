#include "ui/Dialogs.h"

#include "ui/Program.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {
MessageHandler& messageHandler() {
    static MessageHandler handler;
    return handler;
}
FileNameHandler& fileNameHandler() {
    static FileNameHandler handler;
    return handler;
}
WebHandler& webHandler() {
    static WebHandler handler;
    return handler;
}
QuestionHandler& questionHandler() {
    static QuestionHandler handler;
    return handler;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}
} // namespace

void setMessageHandler(MessageHandler handler) {
    messageHandler() = std::move(handler);
}
void setFileNameHandler(FileNameHandler handler) {
    fileNameHandler() = std::move(handler);
}
void setWebHandler(WebHandler handler) {
    webHandler() = std::move(handler);
}
void setQuestionHandler(QuestionHandler handler) {
    questionHandler() = std::move(handler);
}

void showMessage(QWidget* parent, MessageIcon icon, const QString& text) {
    if (messageHandler()) {
        messageHandler()(icon, kProgramTitle, text);
        return;
    }
    QMessageBox box(boxIcon(icon), kProgramTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton,
                int cancelButton) {
    if (questionHandler())
        return questionHandler()(text, buttons);
    QMessageBox box(QMessageBox::Question, kProgramTitle, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons[i], i == cancelButton ? QMessageBox::RejectRole
                                                             : QMessageBox::AcceptRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(added.value(defaultButton)));
    box.setEscapeButton(added.value(cancelButton));
    box.exec();
    const int chosen = added.indexOf(box.clickedButton());
    return chosen < 0 ? cancelButton : chosen;
}

EditsAnswer askAboutEdits(QWidget* parent, const QString& text) {
    const QStringList buttons = {kApplyButton, kDiscardButton, kCancelButton};
    const int answer = askQuestion(parent, text, buttons, buttons.indexOf(kApplyButton),
                                   buttons.indexOf(kCancelButton));
    return answer == buttons.indexOf(kApplyButton)     ? EditsAnswer::Apply
           : answer == buttons.indexOf(kDiscardButton) ? EditsAnswer::Discard
                                                       : EditsAnswer::Cancel;
}

QStringList romFileFilters() {
    return {QStringLiteral("All Files (*.*) (*)"),
            QStringLiteral("All SNES ROM Files (*.swc, *.smc, *.fig) (*.smc *.swc *.fig)"),
            QStringLiteral("Super MagiCom ROM File (*.smc) (*.smc)"),
            QStringLiteral("Super Wild Card ROM File (*.swc) (*.swc)"),
            QStringLiteral("Super UFO 8/Pro Fighter X ROM File (*.fig) (*.fig)"),
            QStringLiteral("SNES ROM File (*.sfc) (*.sfc)")};
}

QString askRomFileName(QWidget* parent) {
    if (fileNameHandler())
        return fileNameHandler()();
    const QStringList filters = romFileFilters();
    QString selected = filters.at(1);
    // The patterns stay out of sight so each filter reads as its own description.
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filters.join(";;"), &selected,
                                        QFileDialog::HideNameFilterDetails);
}

QString askSaveFileName(QWidget* parent, const QString& filter, const QString& proposed) {
    if (fileNameHandler())
        return fileNameHandler()();
    return QFileDialog::getSaveFileName(parent, QString(), proposed, filter);
}

QString askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QStringList& filters) {
    if (fileNameHandler())
        return fileNameHandler()();
    return QFileDialog::getOpenFileName(parent, caption, folder, filters.join(";;"));
}

QString askProgramFileName(QWidget* parent) {
    if (fileNameHandler())
        return fileNameHandler()();
    return QFileDialog::getOpenFileName(parent, QString(), QStringLiteral("/usr/bin"));
}

QString askFolder(QWidget* parent, const QString& caption) {
    if (fileNameHandler())
        return fileNameHandler()();
    return QFileDialog::getExistingDirectory(parent, caption);
}

void openWebAddress(const QUrl& url) {
    if (webHandler()) {
        webHandler()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace ui
