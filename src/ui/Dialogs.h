#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace ui {

// Every message box of the program: modal, one OK button, the program title as caption.
// Successes and notices carry the information icon; only problems are warnings.
enum class MessageIcon { Critical, Exclamation, Information };

void showMessage(QWidget* parent, MessageIcon icon, const QString& text);
inline void showWarning(QWidget* parent, const QString& text) {
    showMessage(parent, MessageIcon::Exclamation, text);
}
inline void showInformation(QWidget* parent, const QString& text) {
    showMessage(parent, MessageIcon::Information, text);
}

// A question with its own buttons ("&Apply", "&Discard", "Cancel"): the index of the button
// chosen. `defaultButton` answers Enter; `cancelButton` answers Escape and closing the box.
int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton,
                int cancelButton);

// The buttons the program's questions offer, by their text.
inline const QString kApplyButton = QStringLiteral("&Apply");
inline const QString kDiscardButton = QStringLiteral("&Discard");
inline const QString kCancelButton = QStringLiteral("Cancel");
inline const QString kOpenAnywayButton = QStringLiteral("&Open Anyway");

// The question before edits not applied are left, in the asker's words (`text`): Apply
// (Enter), Discard, or Cancel (Escape and closing the box) to stay.
enum class EditsAnswer { Apply, Discard, Cancel };
EditsAnswer askAboutEdits(QWidget* parent, const QString& text);

// The File > Open ROM dialog. Returns the chosen path, or an empty string on cancel.
QString askRomFileName(QWidget* parent);

// A save dialog for `filter` ("BPS patch (*.bps)") that proposes `proposed`. The chosen
// path, or empty on cancel.
QString askSaveFileName(QWidget* parent, const QString& filter, const QString& proposed = {});
// An open dialog starting in `folder` with `filters` ("BPS patch (*.bps)"), the first
// preselected. The chosen path, or empty on cancel.
QString askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QStringList& filters);
// An open dialog for a program to run. The chosen path, or empty on cancel.
QString askProgramFileName(QWidget* parent);
// A folder dialog. The chosen folder, or empty on cancel.
QString askFolder(QWidget* parent, const QString& caption);

// Opens an address in the user's browser; the result is ignored.
void openWebAddress(const QUrl& url);

// Seams for tests: while a handler is set it takes the place of the real dialog (the file
// name handler answers every file and folder dialog).
using MessageHandler = std::function<void(MessageIcon, const QString& title, const QString& text)>;
using FileNameHandler = std::function<QString()>;
using WebHandler = std::function<void(const QUrl&)>;
// Answers a question with a button index, as askQuestion would.
using QuestionHandler = std::function<int(const QString& text, const QStringList& buttons)>;
void setMessageHandler(MessageHandler handler);
void setQuestionHandler(QuestionHandler handler);
void setFileNameHandler(FileNameHandler handler);
void setWebHandler(WebHandler handler);

// The filter list of the open dialog, in order; the second is preselected.
QStringList romFileFilters();

} // namespace ui
