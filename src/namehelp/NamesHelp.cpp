#include "namehelp/NamesHelp.h"

#include "expressions/Names.h"
#include "rom/NumberRules.h"
#include "tables/Sheet.h"
#include "ui/EditorSettings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QLineEdit>
#include <QStringListModel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace app {
namespace {

QString rangeOf(const tables::Sheet& sheet, int column) {
    const records::Place& place = sheet.place(0, column);
    if (sheet.column(column).kind == tables::Column::Kind::Bit)
        return QStringLiteral("0 or 1");
    if (tables::isChoice(place.view.shown))
        return QStringLiteral("0 to 255, a row of its list");
    const rom::EntryRange range = rom::entryRange(place.view.encoding);
    return QStringLiteral("%1 to %2").arg(range.minimum).arg(range.maximum);
}

bool inWord(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

NameCompleter::NameCompleter(QLineEdit* box)
    : QObject(box), box_(box), completer_(new QCompleter(this)),
      names_(new QStringListModel(this)) {
    completer_->setModel(names_);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setWidget(box_);
    connect(box_, &QLineEdit::textEdited, this, &NameCompleter::typed);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &NameCompleter::chosen);
}

void NameCompleter::setSheet(const tables::Sheet& sheet) {
    QStringList names = sheet.identifiers();
    names << expressions::kRowName << expressions::functionNames() << expressions::constantNames();
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    names_->setStringList(names);
}

qsizetype NameCompleter::wordStart() const {
    qsizetype start = box_->cursorPosition();
    while (start > 0 && inWord(box_->text()[start - 1]))
        --start;
    return start;
}

void NameCompleter::typed() {
    const qsizetype start = wordStart();
    const QString word = box_->text().mid(start, box_->cursorPosition() - start);
    if (word.isEmpty() || word.front().isDigit()) {
        completer_->popup()->hide();
        return;
    }
    completer_->setCompletionPrefix(word);
    if (completer_->completionCount() > 0)
        completer_->complete();
    else
        completer_->popup()->hide();
}

void NameCompleter::chosen(const QString& name) {
    const qsizetype start = wordStart();
    QString text = box_->text();
    text.replace(start, box_->cursorPosition() - start, name);
    box_->setText(text);
    box_->setCursorPosition(int(start + name.size()));
}

QString namesHelpText(const tables::Sheet& sheet) {
    QString html = QStringLiteral("<p>Names may be written in any case; a column's name with "
                                  "its spaces goes in quotes: <code>'Lightning Defense' &gt; "
                                  "100</code>. In a formula, x is the cell's own value.</p>"
                                  "<table><tr><th align=left>Column</th><th align=left>Name in "
                                  "expressions</th><th align=left>Values</th></tr>");
    const auto row = [](const QString& a, const QString& b, const QString& c) {
        return QStringLiteral("<tr><td>%1</td><td><code>%2</code></td><td>%3</td></tr>")
            .arg(a.toHtmlEscaped(), b, c);
    };
    html += row(QStringLiteral("Row"), expressions::kRowName, QStringLiteral("the record's row"));
    for (int column = 0; column < sheet.columnCount(); ++column)
        html += row(sheet.column(column).name, sheet.identifiers()[column], rangeOf(sheet, column));
    html += QStringLiteral("</table><p>Functions: <code>%1</code>. Constants: <code>%2</code>. "
                           "Operators: + - * / ^, == != &lt; &lt;= &gt; &gt;=, &amp;&amp; ||, and "
                           "<code>condition ? then : else</code>.</p>")
                .arg(expressions::functionNames().join(QStringLiteral(", ")),
                     expressions::constantNames().join(QStringLiteral(", ")));
    return html;
}

void showNamesHelp(QWidget* parent, const tables::Sheet& sheet) {
    auto* window = parent->findChild<QDialog*>(QStringLiteral("TableNamesHelp"));
    if (!window) {
        window = new QDialog(parent);
        window->setObjectName("TableNamesHelp");
        auto* text = new QTextBrowser(window);
        text->setObjectName("TableNamesBrowser");
        (new QVBoxLayout(window))->addWidget(text);
        restoreWindowGeometry(window, 520, 600);
        QObject::connect(window, &QDialog::finished, window,
                         [window] { saveWindowGeometry(window); });
    }
    window->setWindowTitle(QStringLiteral("Names in Filters and Formulas: ") + sheet.name());
    window->findChild<QTextBrowser*>()->setHtml(namesHelpText(sheet));
    window->show();
    window->raise();
}

} // namespace app
