#include "play/EmulatorDialog.h"

#include "ui/EditorSettings.h"
#include "ui/Dialogs.h"
#include "ui/Program.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace app {
namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

EmulatorDialog::EmulatorDialog(QWidget* parent) : QDialog(parent), found_(emulator::detect()) {
    setObjectName("EmulatorDialog");
    setWindowTitle(ui::kProgramTitle + QStringLiteral(" - Emulator Settings"));
    setModal(true);
    choice_ = new QComboBox(this);
    choice_->setObjectName("EmulatorCBO");
    for (const emulator::Found& found : found_)
        choice_->addItem(
            QStringLiteral("%1 in %2").arg(found.name, QDir::toNativeSeparators(found.folder)),
            found.command);
    choice_->addItem(QStringLiteral("Custom"));
    command_ = new QLineEdit(this);
    command_->setObjectName("EmulatorCommandTXT");
    command_->setMinimumWidth(360);
    QPushButton* browse = addButton(this, "EmulatorBrowseCMD", QStringLiteral("&Browse..."));
    QPushButton* ok = addButton(this, "EmulatorOKCMD", QStringLiteral("OK"));
    QPushButton* cancel = addButton(this, "EmulatorCancelCMD", QStringLiteral("Cancel"));
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(addLabel(this, "EmulatorLBL", QStringLiteral("&Emulator:"), choice_), 0, 0);
    grid->addWidget(choice_, 0, 1, 1, 2);
    grid->addWidget(
        addLabel(this, "EmulatorCommandLBL", QStringLiteral("&Command line:"), command_), 1, 0);
    grid->addWidget(command_, 1, 1);
    grid->addWidget(browse, 1, 2);
    QLabel* help = addLabel(this, "EmulatorHelpLBL",
                            QStringLiteral("%f is the ROM file, %d its folder and %n its name "
                                           "without extension."),
                            nullptr);
    help->setWordWrap(true);
    grid->addWidget(help, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    const QString line = emulator::command();
    command_->setText(line.isEmpty() && !found_.isEmpty() ? found_.first().command : line);
    showChoiceOfCommand();
    restoreWindowGeometry(this, sizeHint().width(), sizeHint().height());

    connect(choice_, &QComboBox::activated, this, &EmulatorDialog::EmulatorCBO_Click);
    connect(command_, &QLineEdit::textEdited, this, &EmulatorDialog::showChoiceOfCommand);
    connect(browse, &QPushButton::clicked, this, &EmulatorDialog::EmulatorBrowseCMD_Click);
    connect(ok, &QPushButton::clicked, this, &EmulatorDialog::EmulatorOKCMD_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void EmulatorDialog::done(int result) {
    saveWindowGeometry(this);
    QDialog::done(result);
}

// The emulator whose command line is shown, or "Custom".
void EmulatorDialog::showChoiceOfCommand() {
    const int index = choice_->findData(command_->text().trimmed());
    choice_->setCurrentIndex(index >= 0 ? index : choice_->count() - 1);
}

// "Custom" keeps the command line to be edited.
void EmulatorDialog::EmulatorCBO_Click(int index) {
    if (index < found_.size())
        command_->setText(found_.at(index).command);
}

void EmulatorDialog::EmulatorBrowseCMD_Click() {
    const QString program = ui::askProgramFileName(this);
    if (program.isEmpty())
        return;
    command_->setText(emulator::quoted(program) + QStringLiteral(" %f"));
    showChoiceOfCommand();
}

void EmulatorDialog::EmulatorOKCMD_Click() {
    const QString line = command_->text().trimmed();
    if (!line.contains(QRegularExpression(QStringLiteral("%[fdn]")))) {
        ui::showWarning(this, QStringLiteral("Enter the command line that starts the emulator, "
                                             "with %f where the ROM file goes."));
        return;
    }
    emulator::setCommand(line);
    accept();
}

} // namespace app
