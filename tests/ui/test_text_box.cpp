#include "ui/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

// Each case starts from a text set by the program with the cursor at a given place, then
// does one user edit.
namespace {
enum class Edit { Type, Backspace, Paste, SelectAllAndType };
}
Q_DECLARE_METATYPE(Edit)

class TextBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void programTextShowsInFull();
    void edits_data();
    void edits();
    void refusedTypingKeepsTheCursor();
};

void TextBoxTest::programTextShowsInFull() {
    ui::TextBox box;
    box.setTypingLimit(2);
    box.setText("-12345");
    QCOMPARE(box.text(), QStringLiteral("-12345"));
    QCOMPARE(box.typingLimit(), 2);
}

void TextBoxTest::edits_data() {
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");
    QTest::newRow("typing up to the limit") << 3 << "" << 0 << Edit::Type << "abc"
                                            << "abc";
    QTest::newRow("typing beyond the limit") << 3 << "" << 0 << Edit::Type << "abcdef"
                                             << "abc";
    QTest::newRow("typing into a full text") << 3 << "abc" << 1 << Edit::Type << "X"
                                             << "abc";
    QTest::newRow("no limit") << 0 << "" << 0 << Edit::Type << "abcdefgh"
                              << "abcdefgh";
    QTest::newRow("deleting from a long text") << 2 << "12345" << 5 << Edit::Backspace << ""
                                               << "1234";
    QTest::newRow("typing into a long text") << 2 << "1234" << 4 << Edit::Type << "5"
                                             << "1234";
    QTest::newRow("replacing a long text") << 2 << "12345" << 5 << Edit::SelectAllAndType << "9"
                                           << "9";
    QTest::newRow("paste within the limit") << 3 << "1" << 1 << Edit::Paste << "23"
                                            << "123";
    QTest::newRow("paste beyond the limit") << 3 << "1" << 1 << Edit::Paste << "234"
                                            << "1";
    QTest::newRow("paste over a selection") << 3 << "abc" << 3 << Edit::SelectAllAndType << "xy"
                                            << "xy";
}

void TextBoxTest::edits() {
    QFETCH(int, limit);
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(Edit, edit);
    QFETCH(QString, input);
    QFETCH(QString, result);

    ui::TextBox box;
    box.setTypingLimit(limit);
    box.show();
    box.setFocus();
    box.setText(start);
    box.setCursorPosition(cursor);
    switch (edit) {
    case Edit::Type:
        QTest::keyClicks(&box, input);
        break;
    case Edit::Backspace:
        QTest::keyClick(&box, Qt::Key_Backspace);
        break;
    case Edit::Paste:
        QApplication::clipboard()->setText(input);
        box.paste();
        break;
    case Edit::SelectAllAndType:
        box.selectAll();
        QTest::keyClicks(&box, input);
        break;
    }
    QCOMPARE(box.text(), result);
}

void TextBoxTest::refusedTypingKeepsTheCursor() {
    ui::TextBox box;
    box.setTypingLimit(3);
    box.show();
    box.setFocus();
    box.setText("abc");
    box.setCursorPosition(1);
    QTest::keyClicks(&box, "X");
    QCOMPARE(box.text(), QStringLiteral("abc"));
    QCOMPARE(box.cursorPosition(), 1);
}

QTEST_MAIN(TextBoxTest)
#include "test_text_box.moc"
