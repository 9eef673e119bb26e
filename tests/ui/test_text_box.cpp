// A typing limit limits typing only: text set by the program shows in full and can always
// be shortened, but no edit may make a text longer than the limit.
#include "ui/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

class TextBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void edits();
};

void TextBoxTest::edits() {
    enum Edit { Type, Backspace, Paste, Replace };
    struct Case {
        int limit;
        const char* start; // set by the program, the cursor at `cursor`
        int cursor;
        Edit edit;
        const char* input;
        const char* result;
    };
    const Case cases[] = {{3, "", 0, Type, "abcdef", "abc"},      {3, "abc", 1, Type, "X", "abc"},
                          {2, "12345", 5, Backspace, "", "1234"}, {2, "1234", 4, Type, "5", "1234"},
                          {2, "12345", 5, Replace, "9", "9"},     {3, "1", 1, Paste, "234", "1"},
                          {3, "abc", 3, Replace, "xy", "xy"}};
    for (const Case& c : cases) {
        ui::TextBox box;
        box.setTypingLimit(c.limit);
        box.show();
        box.setFocus();
        box.setText(c.start);
        box.setCursorPosition(c.cursor);
        if (c.edit == Backspace)
            QTest::keyClick(&box, Qt::Key_Backspace);
        if (c.edit == Paste) {
            QApplication::clipboard()->setText(c.input);
            box.paste();
        }
        if (c.edit == Replace)
            box.selectAll();
        if (c.edit == Type || c.edit == Replace)
            QTest::keyClicks(&box, c.input);
        QCOMPARE(box.text(), QString(c.result));
        if (c.edit == Type && QString(c.result) == c.start) // a refused key keeps the cursor
            QCOMPARE(box.cursorPosition(), c.cursor);
    }
}

QTEST_MAIN(TextBoxTest)
#include "test_text_box.moc"
