#include "dialogs/AboutDialog.h"

#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Links.h"
#include "ui/Program.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace app {
namespace {

// A label that opens the maker's page when clicked.
class LinkLabel : public QLabel {
  public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick)) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            onClick_();
    }

  private:
    std::function<void()> onClick_;
};

const QString kDisclaimer = QStringLiteral(
    "READ THIS: Neither Quillmark nor the author of this program works for or is affiliated "
    "with the publisher of Valdric. The names from the publisher's game series are the "
    "publisher's property.");

} // namespace

QString AboutDialog::programInformation() {
    const QStringList lines = {
        ui::kProgramTitle + QStringLiteral(" (VEC) - Released: 02/01/2005"),
        QStringLiteral("Version: ") + ui::versionText(),
        QString(),
        QStringLiteral("Information: This program is a companion to the editor Tidewright, to "
                       "be used until Tidewright can edit enemy and item stats, shops and some "
                       "miscellaneous things."),
        QString(),
        QStringLiteral("Special Thanks: Orwen Hale, for help with the programming."),
        QString(),
        QStringLiteral("Thanks also to Maris Tenby, for testing and for help with the accessory "
                       "and usable or key item data."),
        QString(),
        QStringLiteral("License: GNU General Public License, version 3 or any later version "
                       "(GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY.")};
    return lines.join(QStringLiteral("\r\n"));
}

QPixmap AboutDialog::logo() {
    QPixmap picture(400, 160);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 160);
    sky.setColorAt(0, QColor(0x1C, 0x2A, 0x5A));
    sky.setColorAt(1, QColor(0x6A, 0x3C, 0x8C));
    painter.fillRect(picture.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xF0, 0xC8, 0x50), 3));
    painter.drawEllipse(QPoint(70, 80), 46, 46);
    painter.drawLine(70, 40, 70, 120);
    painter.drawLine(34, 80, 106, 80);
    QFont title(QStringLiteral("Tahoma"), 26, QFont::Bold);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(130, 30, 260, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("VALDRIC"));
    QFont subtitle(QStringLiteral("Tahoma"), 12);
    painter.setFont(subtitle);
    painter.drawText(QRect(130, 82, 260, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Editor Rodeviruz"));
    return picture;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowTitle(QStringLiteral("About this Program..."));
    setFont(ui::windowFont());
    setModal(true);
    setFixedSize(416, 520);

    auto* image = ui::makeLabel(this, "Image1", QString(), QRect(8, 8, 400, 160));
    image->setPixmap(logo());

    auto* info =
        ui::makeLabel(this, "ProgramInfoLBL", programInformation(), QRect(8, 176, 400, 220));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* link = new LinkLabel(links::kMakerHome, this, [this] { URLLBL_Click(); });
    link->setObjectName("URLLBL");
    link->setGeometry(8, 400, 400, 18);
    link->setAlignment(Qt::AlignCenter);
    link->setStyleSheet(QStringLiteral("color: blue;"));
    link->setCursor(Qt::PointingHandCursor);

    QFrame* frame = ui::makeFrame(this, "Frame1", QRect(8, 422, 400, 90));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* warning = ui::makeLabel(frame, "WarningLBL", kDisclaimer, QRect(6, 4, 300, 82));
    warning->setWordWrap(true);
    QPushButton* close = ui::makeButton(frame, "CloseCMD", "&Close", QRect(314, 56, 80, 26));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::URLLBL_Click() {
    ui::openWebAddress(QUrl(links::kMakerHome));
}

} // namespace app
