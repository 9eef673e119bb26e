#pragma once

#include <QObject>
#include <QStringList>

class QCompleter;
class QLineEdit;
class QStringListModel;
class QWidget;

namespace tables {
class Sheet;
}

namespace app {

// Completes the word being typed in a filter or formula box from a sheet's column names,
// Row and muParser's functions; the rest of the box's text stays.
class NameCompleter : public QObject {
    Q_OBJECT
  public:
    explicit NameCompleter(QLineEdit* box);
    void setSheet(const tables::Sheet& sheet);

  private:
    void typed();
    void chosen(const QString& name);
    qsizetype wordStart() const;

    QLineEdit* box_;
    QCompleter* completer_;
    QStringListModel* names_;
};

// The names filters and formulas know for `sheet`: its columns with what each may hold,
// Row, and the functions and constants of muParser. HTML.
QString namesHelpText(const tables::Sheet& sheet);
// Shows that list in a window of its own (TableNamesHelp), not modal.
void showNamesHelp(QWidget* parent, const tables::Sheet& sheet);

} // namespace app
