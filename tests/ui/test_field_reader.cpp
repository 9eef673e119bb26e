#include "rom/RomFile.h"
#include "ui/Dialogs.h"
#include "ui/FieldReader.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

enum class Kind { Byte, Wrapped16, Signed16, Unsigned16 };

struct Shown {
    ui::MessageIcon icon;
    QString title;
    QString text;
};

// A window with boxes, and the messages it would have shown.
class Form {
  public:
    Form() {
        ui::setMessageHandler(
            [this](ui::MessageIcon icon, const QString& title, const QString& text) {
                shown.append({icon, title, text});
            });
        for (int i = 0; i < 3; ++i) {
            auto* box = new QLineEdit(&window);
            box->setGeometry(10, 10 + 30 * i, 100, 20);
            boxes.append(box);
        }
        window.show();
    }
    ~Form() { ui::setMessageHandler({}); }

    QWidget window;
    QList<QLineEdit*> boxes;
    QList<Shown> shown;
};

long long readAs(ui::FieldReader& reader, Kind kind, QLineEdit* box, const QString& caption) {
    switch (kind) {
    case Kind::Byte:
        return reader.byte(box, caption);
    case Kind::Wrapped16:
        return reader.wrapped16(box, caption);
    case Kind::Signed16:
        return reader.signed16(box, caption);
    case Kind::Unsigned16:
        return reader.unsigned16(box, caption);
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class FieldReaderTest : public QObject {
    Q_OBJECT
  private slots:
    void storableFields_data();
    void storableFields();
    void refusedFields_data();
    void refusedFields();
    void firstFailureWins();
    void reportShowsOneWarningAndFocusesTheBox();
    void reportWithoutFailureShowsNothing();
    void failWithoutABox();
    void requireInFile_data();
    void requireInFile();
    void requireInFileWithNoFileOpen();
};

void FieldReaderTest::storableFields_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("stored");
    QTest::newRow("byte 0") << Kind::Byte << "0" << 0LL;
    QTest::newRow("byte 255") << Kind::Byte << "255" << 255LL;
    QTest::newRow("byte 12.5") << Kind::Byte << " 12.5 " << 12LL;
    QTest::newRow("byte 254.5") << Kind::Byte << "254.5" << 254LL;
    QTest::newRow("wrapped 65535") << Kind::Wrapped16 << "65535" << -1LL;
    QTest::newRow("wrapped -1") << Kind::Wrapped16 << "-1" << -1LL;
    QTest::newRow("wrapped 40000") << Kind::Wrapped16 << "40000" << -25536LL;
    QTest::newRow("wrapped 70000") << Kind::Wrapped16 << "70000" << 4464LL;
    QTest::newRow("wrapped 98303") << Kind::Wrapped16 << "98303" << 32767LL;
    QTest::newRow("wrapped -32768") << Kind::Wrapped16 << "-32768" << -32768LL;
    QTest::newRow("signed -32768") << Kind::Signed16 << "-32768" << -32768LL;
    QTest::newRow("signed 32767") << Kind::Signed16 << "32767" << 32767LL;
    QTest::newRow("unsigned 65535") << Kind::Unsigned16 << "65535" << 65535LL;
    QTest::newRow("unsigned 0") << Kind::Unsigned16 << "0" << 0LL;
}

void FieldReaderTest::storableFields() {
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(qlonglong, stored);
    Form form;
    form.boxes[0]->setText(text);
    ui::FieldReader reader;
    QCOMPARE(readAs(reader, kind, form.boxes[0], "Field:"), stored);
    QVERIFY(reader.ok());
    QCOMPARE(reader.message(), QString());
}

void FieldReaderTest::refusedFields_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString byte = QStringLiteral("Level: enter a whole number from 0 to 255.");
    const QString wrapped = QStringLiteral("Level: enter a whole number from -32768 to 98303.");
    const QString signedRange = QStringLiteral("Level: enter a whole number from -32768 to 32767.");
    const QString unsignedRange = QStringLiteral("Level: enter a whole number from 0 to 65535.");
    QTest::newRow("byte 256") << Kind::Byte << "256" << byte;
    QTest::newRow("byte 255.5") << Kind::Byte << "255.5" << byte;
    QTest::newRow("byte -1") << Kind::Byte << "-1" << byte;
    QTest::newRow("byte empty") << Kind::Byte << "" << byte;
    QTest::newRow("byte letters") << Kind::Byte << "ten" << byte;
    QTest::newRow("byte exponent") << Kind::Byte << "1e2" << byte;
    QTest::newRow("wrapped 98304") << Kind::Wrapped16 << "98304" << wrapped;
    QTest::newRow("wrapped -32769") << Kind::Wrapped16 << "-32769" << wrapped;
    QTest::newRow("signed 32768") << Kind::Signed16 << "32768" << signedRange;
    QTest::newRow("signed -32769") << Kind::Signed16 << "-32769" << signedRange;
    QTest::newRow("unsigned 65536") << Kind::Unsigned16 << "65536" << unsignedRange;
    QTest::newRow("unsigned -1") << Kind::Unsigned16 << "-1" << unsignedRange;
    QTest::newRow("unsigned grouping") << Kind::Unsigned16 << "1,000" << unsignedRange;
}

void FieldReaderTest::refusedFields() {
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Form form;
    form.boxes[0]->setText(text);
    ui::FieldReader reader;
    readAs(reader, kind, form.boxes[0], "Level:");
    QVERIFY(!reader.ok());
    QCOMPARE(reader.message(), message);
    QVERIFY(form.shown.isEmpty()); // nothing is shown before report()
}

void FieldReaderTest::firstFailureWins() {
    Form form;
    form.boxes[0]->setText("5");
    form.boxes[1]->setText("300");
    form.boxes[2]->setText("x");
    ui::FieldReader reader;
    QCOMPARE(reader.byte(form.boxes[0], "Attack:"), 5);
    reader.byte(form.boxes[1], "Defense:");
    reader.signed16(form.boxes[2], "HP:");
    reader.fail("Another failure.", form.boxes[2]);
    QCOMPARE(reader.message(), QStringLiteral("Defense: enter a whole number from 0 to 255."));
    QVERIFY(!reader.report(&form.window));
    QCOMPARE(form.shown.size(), 1);
    QCOMPARE(form.shown[0].text, QStringLiteral("Defense: enter a whole number from 0 to 255."));
    QCOMPARE(form.window.focusWidget(), form.boxes[1]);
}

void FieldReaderTest::reportShowsOneWarningAndFocusesTheBox() {
    Form form;
    form.boxes[0]->setFocus();
    form.boxes[2]->setText("256");
    ui::FieldReader reader;
    reader.byte(form.boxes[2], "Level:");
    QVERIFY(!reader.report(&form.window));
    QCOMPARE(form.shown.size(), 1);
    QCOMPARE(form.shown[0].icon, ui::MessageIcon::Exclamation);
    QCOMPARE(form.shown[0].title, QStringLiteral("Valdric Editor Rodeviruz"));
    QCOMPARE(form.shown[0].text, QStringLiteral("Level: enter a whole number from 0 to 255."));
    QCOMPARE(form.window.focusWidget(), form.boxes[2]);
}

void FieldReaderTest::reportWithoutFailureShowsNothing() {
    Form form;
    form.boxes[0]->setFocus();
    form.boxes[1]->setText("1");
    ui::FieldReader reader;
    reader.byte(form.boxes[1], "Level:");
    QVERIFY(reader.report(&form.window));
    QVERIFY(form.shown.isEmpty());
    QCOMPARE(form.window.focusWidget(), form.boxes[0]);
}

void FieldReaderTest::failWithoutABox() {
    Form form;
    form.boxes[0]->setFocus();
    ui::FieldReader reader;
    reader.fail("Something else is wrong.");
    form.boxes[1]->setText("999");
    reader.byte(form.boxes[1], "Level:");
    QVERIFY(!reader.report(&form.window));
    QCOMPARE(form.shown.size(), 1);
    QCOMPARE(form.shown[0].text, QStringLiteral("Something else is wrong."));
    QCOMPARE(form.window.focusWidget(), form.boxes[0]);
}

void FieldReaderTest::requireInFile_data() {
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("inFile");
    // The file has 100 bytes.
    QTest::newRow("whole file") << qint64(0) << qint64(100) << true;
    QTest::newRow("last byte") << qint64(99) << qint64(1) << true;
    QTest::newRow("one past the end") << qint64(99) << qint64(2) << false;
    QTest::newRow("starts at the end") << qint64(100) << qint64(1) << false;
    QTest::newRow("far beyond") << qint64(0x0C4700) << qint64(23) << false;
}

void FieldReaderTest::requireInFile() {
    QFETCH(qint64, offset);
    QFETCH(qint64, length);
    QFETCH(bool, inFile);
    QTemporaryDir dir;
    const QString path = dir.filePath("short.smc");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, '\x11'));
    file.close();
    rom::RomFile rom;
    QVERIFY(rom.open(path));

    ui::FieldReader reader;
    reader.requireInFile(rom, offset, length);
    QCOMPARE(reader.ok(), inFile);
    QCOMPARE(reader.message(),
             inFile ? QString()
                    : QStringLiteral("The open ROM file is too short to hold this record, so "
                                     "nothing was written."));
    QCOMPARE(ui::tooShortMessage(), QStringLiteral("The open ROM file is too short to hold this "
                                                   "record, so nothing was written."));
}

void FieldReaderTest::requireInFileWithNoFileOpen() {
    rom::RomFile rom;
    ui::FieldReader reader;
    reader.requireInFile(rom, 0, 1);
    QVERIFY(!reader.ok());
}

QTEST_MAIN(FieldReaderTest)
#include "test_field_reader.moc"
