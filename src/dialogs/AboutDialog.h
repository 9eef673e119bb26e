#pragma once

#include <QDialog>

namespace app {

// "About this Program...": logo, program information, the maker's link, a disclaimer.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The text of ProgramInfoLBL, lines joined by CR LF.
    static QString programInformation();
    // The logo: our own 400 x 160 picture, drawn in code each time it is asked for.
    static QPixmap logo();

  private:
    void URLLBL_Click();
};

} // namespace app
