#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "ui/TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

constexpr qint64 kName = 0x00FFC0;
constexpr qint64 kSram = 0x00FFD8;
constexpr qint64 kRegion = 0x00FFD9;
constexpr qint64 kVersion = 0x00FFDB;
constexpr qint64 kComplement = 0x00FFDC;
constexpr qint64 kChecksum = 0x00FFDE;

const QString kVersionRefused = QStringLiteral("ROM Version: enter a whole number from 0 to 255.");
const QString kNameRefused =
    QStringLiteral("Internal ROM Name: use only characters of ISO 8859-1 (Latin-1).");
const QString kTooShort =
    QStringLiteral("The open ROM file is too short to hold this record, so nothing was written.");
const QString kElementMessage =
    QStringLiteral("You need to check one of either 50% Resistance or 80% Resistance checkboxes "
                   "before you can proceed.");

// How a test puts a name into ROMNameTXT.
enum class Entry { Untouched, Typed, SetByProgram };

// The stored header the generator's image is given before a test opens it.
struct StoredHeader {
    QByteArray name = QByteArray("VALDRIC TEST IMAGE   ");
    int sram = 3;
    int region = 1;
    int version = 0;
};

QByteArray imageWith(const StoredHeader& header) {
    QByteArray image = synth::makeImage();
    image.replace(kName, 21, header.name);
    synth::putByte(image, kSram, static_cast<std::uint8_t>(header.sram));
    synth::putByte(image, kRegion, static_cast<std::uint8_t>(header.region));
    synth::putByte(image, kVersion, static_cast<std::uint8_t>(header.version));
    return image;
}

QByteArray spaced(const QByteArray& name) {
    return name + QByteArray(21 - name.size(), ' ');
}

// Sends each character as a key press carrying that text, so characters beyond ASCII are
// typed just as a keyboard layout would deliver them.
void typeCharacters(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

QRect pixels(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(StoredHeader)

class MiscPageTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsAreLaidOut_data();
    void controlsAreLaidOut();
    void listsHoldTheirFixedRows();
    void fieldLooksAndLimits();

    void showsTheStoredHeader_data();
    void showsTheStoredHeader();

    void applyWritesExactlyTheseBytes_data();
    void applyWritesExactlyTheseBytes();

    void refusedEntriesWriteNothing_data();
    void refusedEntriesWriteNothing();

    void checksumIsNeverWritten();
    void reselectingTheTabDiscardsEdits();
    void pageKeepsWhatWasTypedAfterApply();
    void shortFile_data();
    void shortFile();
    void elementalCheckBlocksTheSave_data();
    void elementalCheckBlocksTheSave();
};

void MiscPageTest::controlsAreLaidOut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place"); // height 0: not fixed by the layout
    QTest::newRow("Label78") << "Label78"
                             << "Internal ROM Name:" << pixels(240, 390, 1515, 0);
    QTest::newRow("Label82") << "Label82"
                             << "ROM Version:" << pixels(240, 750, 1515, 0);
    QTest::newRow("Label84") << "Label84"
                             << "Checksum:" << pixels(240, 1110, 1515, 0);
    QTest::newRow("Label80") << "Label80"
                             << "ROM Format:" << pixels(240, 1470, 1515, 0);
    QTest::newRow("Label83") << "Label83"
                             << "SRAM Size:" << pixels(240, 2640, 1515, 0);
    QTest::newRow("ROMVersionLBL") << "ROMVersionLBL"
                                   << "1." << pixels(1770, 750, 1035, 0);
    QTest::newRow("ROMNameTXT") << "ROMNameTXT" << QString() << pixels(1800, 360, 2655, 0);
    QTest::newRow("ROMVersionTXT") << "ROMVersionTXT" << QString() << pixels(2850, 720, 1605, 0);
    QTest::newRow("ROMChecksumTXT") << "ROMChecksumTXT" << QString() << pixels(1800, 1080, 2655, 0);
    QTest::newRow("ROMFormatLST") << "ROMFormatLST" << QString() << pixels(1800, 1440, 2655, 1035);
    QTest::newRow("SRAMSizeLST") << "SRAMSizeLST" << QString() << pixels(1800, 2550, 2655, 1230);
}

void MiscPageTest::controlsAreLaidOut() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    EditorFixture fixture;
    auto* frame = fixture.find<QWidget>("MiscFRA");
    QVERIFY(frame);
    auto* control = frame->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), frame);
    QCOMPARE(control->x(), place.x());
    QCOMPARE(control->y(), place.y());
    QCOMPARE(control->width(), place.width());
    if (place.height() > 0)
        QCOMPARE(control->height(), place.height());
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
}

void MiscPageTest::listsHoldTheirFixedRows() {
    EditorFixture fixture;
    const QStringList regions = {
        "Japan (NTSC)",          "USA (NTSC)",    "Europe/Oceania/Asia (PAL)",
        "Sweden (PAL)",          "Finland (PAL)", "Denmark (PAL)",
        "France (PAL)",          "Holland (PAL)", "Spain (PAL)",
        "Germany/Austria (PAL)", "Italy (PAL)",   "Hong Kong/China (PAL)",
        "Indonesia (PAL)",       "Korea (PAL)"};
    const QStringList sizes = {"None", "16 KBit", "32 KBit", "64 KBit", "128 KBit", "256 KBit"};
    const std::pair<const char*, QStringList> lists[] = {{"ROMFormatLST", regions},
                                                         {"SRAMSizeLST", sizes}};
    for (const auto& [name, rows] : lists) {
        auto* list = fixture.find<QListWidget>(name);
        QVERIFY2(list, name);
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QStringList shown;
        for (int r = 0; r < list->count(); ++r)
            shown << list->item(r)->text();
        QCOMPARE(shown, rows);
    }
}

void MiscPageTest::fieldLooksAndLimits() {
    EditorFixture fixture;
    QCOMPARE(fixture.find<QLabel>("ROMVersionLBL")->alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    auto* checksum = fixture.find<QLineEdit>("ROMChecksumTXT");
    QVERIFY(checksum->isReadOnly());
    QCOMPARE(checksum->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(fixture.find<ui::TextBox>("ROMNameTXT")->typingLimit(), 21);
    QCOMPARE(fixture.find<ui::TextBox>("ROMVersionTXT")->typingLimit(), 2);
    QCOMPARE(fixture.find<QLineEdit>("ROMNameTXT")->maxLength(), 32767); // typing only
}

void MiscPageTest::showsTheStoredHeader_data() {
    QTest::addColumn<StoredHeader>("stored");
    QTest::addColumn<int>("complement");
    QTest::addColumn<int>("checksum");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("sramRow");
    QTest::addColumn<int>("regionRow");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("checksumText");

    StoredHeader plain;
    QTest::newRow("leading zeros dropped")
        << plain << 0x0F3A << 0xF0C5 << "VALDRIC TEST IMAGE   " << 3 << 1 << "0"
        << "F3A F0C5";
    QTest::newRow("zero pair") << plain << 0x0000 << 0x0000 << "VALDRIC TEST IMAGE   " << 3 << 1
                               << "0"
                               << "0 0";
    QTest::newRow("all bits") << plain << 0xFFFF << 0x0001 << "VALDRIC TEST IMAGE   " << 3 << 1
                              << "0"
                              << "FFFF 1";

    StoredHeader latin = plain;
    latin.name = QByteArray("Caf\xE9 \xFF\xA0\xC0", 8) + QByteArray(13, ' ');
    latin.version = 255;
    QTest::newRow("Latin-1 name, version above the typing limit")
        << latin << 0x1234 << 0xEDCB << QString::fromUtf8("Café ÿ\u00A0À") + QString(13, ' ') << 3
        << 1 << "255"
        << "1234 EDCB";

    StoredHeader lastRows = plain;
    lastRows.sram = 5;
    lastRows.region = 13;
    lastRows.version = 12;
    QTest::newRow("last rows") << lastRows << 0x00AB << 0x0A00 << "VALDRIC TEST IMAGE   " << 5 << 13
                               << "12"
                               << "AB A00";

    StoredHeader unshowable = plain;
    unshowable.sram = 6;
    unshowable.region = 14;
    QTest::newRow("first codes without a row")
        << unshowable << 1 << 2 << "VALDRIC TEST IMAGE   " << -1 << -1 << "0"
        << "1 2";
    unshowable.sram = 255;
    unshowable.region = 255;
    QTest::newRow("code 255") << unshowable << 1 << 2 << "VALDRIC TEST IMAGE   " << -1 << -1 << "0"
                              << "1 2";
}

void MiscPageTest::showsTheStoredHeader() {
    QFETCH(StoredHeader, stored);
    QFETCH(int, complement);
    QFETCH(int, checksum);
    QFETCH(QString, name);
    QFETCH(int, sramRow);
    QFETCH(int, regionRow);
    QFETCH(QString, version);
    QFETCH(QString, checksumText);

    EditorFixture fixture;
    QByteArray image = imageWith(stored);
    synth::putInteger(image, kComplement, static_cast<std::uint16_t>(complement));
    synth::putInteger(image, kChecksum, static_cast<std::uint16_t>(checksum));
    fixture.openImage(image);
    QVERIFY(fixture.messages.isEmpty()); // such codes do not fail the opening
    fixture.selectTab("misc");
    QVERIFY(fixture.find<QWidget>("MiscFRA")->isVisible());

    QCOMPARE(fixture.find<QLineEdit>("ROMNameTXT")->text(), name);
    QCOMPARE(fixture.find<QLineEdit>("ROMVersionTXT")->text(), version);
    QCOMPARE(fixture.find<QLineEdit>("ROMChecksumTXT")->text(), checksumText);
    auto* sram = fixture.find<QListWidget>("SRAMSizeLST");
    auto* region = fixture.find<QListWidget>("ROMFormatLST");
    QCOMPARE(sram->currentRow(), sramRow);
    QCOMPARE(region->currentRow(), regionRow);
    QCOMPARE(sram->selectedItems().size(), sramRow < 0 ? 0 : 1);
    QCOMPARE(region->selectedItems().size(), regionRow < 0 ? 0 : 1);
    QVERIFY(fixture.window().windowTitle().endsWith(" - " + name));
}

void MiscPageTest::applyWritesExactlyTheseBytes_data() {
    QTest::addColumn<StoredHeader>("stored");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("nameText");
    QTest::addColumn<int>("sramRow");         // -1: not touched
    QTest::addColumn<int>("regionRow");       // -1: not touched
    QTest::addColumn<QString>("versionText"); // null: not touched
    QTest::addColumn<QByteArray>("name");     // the 21 bytes expected at 0x00FFC0
    QTest::addColumn<int>("sram");
    QTest::addColumn<int>("region");
    QTest::addColumn<int>("version");

    const StoredHeader plain;
    const QByteArray plainName("VALDRIC TEST IMAGE   ");
    QTest::newRow("full round trip") << plain << Entry::Typed << "New Name" << 5 << 13 << "12"
                                     << spaced("New Name") << 5 << 13 << 12;
    QTest::newRow("five characters") << plain << Entry::Typed << "ABCDE" << -1 << -1 << QString()
                                     << spaced("ABCDE") << 3 << 1 << 0;
    QTest::newRow("21 characters")
        << plain << Entry::Typed << "ABCDEFGHIJKLMNOPQRSTU" << -1 << -1 << QString()
        << QByteArray("ABCDEFGHIJKLMNOPQRSTU") << 3 << 1 << 0;
    QTest::newRow("typing stops at 21")
        << plain << Entry::Typed << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << -1 << -1 << QString()
        << QByteArray("ABCDEFGHIJKLMNOPQRSTU") << 3 << 1 << 0;
    QTest::newRow("longer name set by the program")
        << plain << Entry::SetByProgram << "abcdefghijklmnopqrstuvwxyz" << -1 << -1 << QString()
        << QByteArray("abcdefghijklmnopqrstu") << 3 << 1 << 0;
    QTest::newRow("empty name") << plain << Entry::Typed << "" << -1 << -1 << QString()
                                << QByteArray(21, ' ') << 3 << 1 << 0;
    QTest::newRow("Latin-1 name typed")
        << plain << Entry::Typed << QString::fromUtf8("Café ÿ") << -1 << -1 << QString()
        << spaced(QByteArray("Caf\xE9 \xFF", 6)) << 3 << 1 << 0;
    QTest::newRow("version 0 to 12") << plain << Entry::Untouched << QString() << -1 << -1 << "12"
                                     << plainName << 3 << 1 << 0x0C;
    QTest::newRow("version with blanks")
        << plain << Entry::Untouched << QString() << -1 << -1 << " 7" << plainName << 3 << 1 << 7;
    QTest::newRow("version with a half")
        << plain << Entry::Untouched << QString() << -1 << -1 << ".5" << plainName << 3 << 1 << 0;
    QTest::newRow("Korea") << plain << Entry::Untouched << QString() << -1 << 13 << QString()
                           << plainName << 3 << 0x0D << 0;
    QTest::newRow("Japan and no SRAM") << plain << Entry::Untouched << QString() << 0 << 0
                                       << QString() << plainName << 0 << 0 << 0;
    QTest::newRow("unchanged") << plain << Entry::Untouched << QString() << -1 << -1 << QString()
                               << plainName << 3 << 1 << 0;

    StoredHeader odd;
    odd.name = QByteArray("\xC9t\xE9\x00\x7F\xFF\xA0 x", 9) + QByteArray(12, '\xE9');
    odd.sram = 7;
    odd.region = 0x20;
    odd.version = 200;
    QTest::newRow("unchanged, unshowable codes, Latin-1 name, long version")
        << odd << Entry::Untouched << QString() << -1 << -1 << QString() << odd.name << 7 << 0x20
        << 200;
    QTest::newRow("unshowable SRAM kept while the region changes")
        << odd << Entry::Untouched << QString() << -1 << 2 << QString() << odd.name << 7 << 2
        << 200;
    QTest::newRow("unshowable codes replaced by chosen rows")
        << odd << Entry::Untouched << QString() << 4 << 9 << QString() << odd.name << 4 << 9 << 200;

    StoredHeader full = plain;
    full.name = QByteArray("ZYXWVUTSRQPONMLKJIHGF");
    QTest::newRow("shorter name leaves spaces behind")
        << full << Entry::Typed << "Hi" << -1 << -1 << QString() << spaced("Hi") << 3 << 1 << 0;
}

void MiscPageTest::applyWritesExactlyTheseBytes() {
    QFETCH(StoredHeader, stored);
    QFETCH(Entry, entry);
    QFETCH(QString, nameText);
    QFETCH(int, sramRow);
    QFETCH(int, regionRow);
    QFETCH(QString, versionText);
    QFETCH(QByteArray, name);
    QFETCH(int, sram);
    QFETCH(int, region);
    QFETCH(int, version);
    QCOMPARE(name.size(), 21);

    EditorFixture fixture;
    fixture.openImage(imageWith(stored));
    fixture.selectTab("misc");
    const QByteArray before = fixture.fileBytes();

    auto* nameBox = fixture.find<QLineEdit>("ROMNameTXT");
    if (entry == Entry::Typed)
        typeCharacters(nameBox, nameText);
    else if (entry == Entry::SetByProgram)
        nameBox->setText(nameText);
    if (sramRow >= 0)
        fixture.selectRow("SRAMSizeLST", sramRow);
    if (regionRow >= 0)
        fixture.selectRow("ROMFormatLST", regionRow);
    if (!versionText.isNull())
        fixture.type("ROMVersionTXT", versionText);
    fixture.apply();

    QVERIFY(fixture.messages.isEmpty());
    QByteArray expected = before;
    expected.replace(kName, 21, name);
    synth::putByte(expected, kSram, static_cast<std::uint8_t>(sram));
    synth::putByte(expected, kRegion, static_cast<std::uint8_t>(region));
    synth::putByte(expected, kVersion, static_cast<std::uint8_t>(version));
    const QByteArray after = fixture.fileBytes();
    QCOMPARE(synth::changedOffsets(expected, after), QList<qint64>());
    QCOMPARE(after.mid(kName + 21, 3), before.mid(kName + 21, 3)); // never past the name
}

void MiscPageTest::refusedEntriesWriteNothing_data() {
    QTest::addColumn<QString>("nameText"); // null: not touched
    QTest::addColumn<QString>("versionText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");

    const QString name = QStringLiteral("ROMNameTXT");
    const QString version = QStringLiteral("ROMVersionTXT");
    QTest::newRow("empty version") << QString() << "" << kVersionRefused << version;
    QTest::newRow("blank version") << QString() << "  " << kVersionRefused << version;
    QTest::newRow("letters") << QString() << "ab" << kVersionRefused << version;
    QTest::newRow("256") << QString() << "256" << kVersionRefused << version;
    QTest::newRow("255.5 rounds to 256") << QString() << "255.5" << kVersionRefused << version;
    QTest::newRow("-1") << QString() << "-1" << kVersionRefused << version;
    QTest::newRow("exponent") << QString() << "1e2" << kVersionRefused << version;
    QTest::newRow("plus sign") << QString() << "+5" << kVersionRefused << version;
    QTest::newRow("grouping") << QString() << "1,0" << kVersionRefused << version;
    QTest::newRow("euro sign in the name")
        << QString::fromUtf8("Price 5€") << "3" << kNameRefused << name;
    QTest::newRow("first character past Latin-1")
        << QString::fromUtf8("\u0100") << "3" << kNameRefused << name;
    QTest::newRow("name and version both wrong: the name is named")
        << QString::fromUtf8("日本") << "x" << kNameRefused << name;
}

// Every edit is made, one field is wrong: nothing of the header is written.
void MiscPageTest::refusedEntriesWriteNothing() {
    QFETCH(QString, nameText);
    QFETCH(QString, versionText);
    QFETCH(QString, message);
    QFETCH(QString, focused);

    EditorFixture fixture;
    fixture.openImage(synth::makeImage());
    fixture.selectTab("misc");
    const QByteArray before = fixture.fileBytes();

    typeCharacters(fixture.find<QLineEdit>("ROMNameTXT"),
                   nameText.isNull() ? QStringLiteral("Other") : nameText);
    fixture.selectRow("SRAMSizeLST", 0);
    fixture.selectRow("ROMFormatLST", 13);
    auto* versionBox = fixture.find<QLineEdit>("ROMVersionTXT");
    if (versionText.size() <= 2)
        fixture.type("ROMVersionTXT", versionText);
    else
        versionBox->setText(versionText); // longer than anyone can type: as if loaded
    QCOMPARE(versionBox->text(), versionText);
    fixture.apply();

    QCOMPARE(fixture.messages.size(), 1);
    QCOMPARE(fixture.messages.first().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(fixture.messages.first().title, QStringLiteral("Valdric Editor Rodeviruz"));
    QCOMPARE(fixture.messages.first().text, message);
    QCOMPARE(fixture.window().focusWidget(), fixture.find<QWidget>(focused));
    QCOMPARE(synth::changedOffsets(before, fixture.fileBytes()), QList<qint64>());
}

void MiscPageTest::checksumIsNeverWritten() {
    EditorFixture fixture;
    QByteArray image = synth::makeImage();
    synth::putInteger(image, kComplement, 0x0F3A);
    synth::putInteger(image, kChecksum, 0xF0C5);
    fixture.openImage(image);
    fixture.selectTab("misc");
    auto* checksum = fixture.find<QLineEdit>("ROMChecksumTXT");
    checksum->setText("1 2"); // even a changed box is not written back
    typeCharacters(fixture.find<QLineEdit>("ROMNameTXT"), "Changed");
    fixture.apply();
    const QByteArray after = fixture.fileBytes();
    QCOMPARE(after.mid(kComplement, 4), QByteArray::fromHex("3A0FC5F0"));
    QByteArray expected = image;
    expected.replace(kName, 21, spaced("Changed"));
    QCOMPARE(synth::changedOffsets(expected, after), QList<qint64>());

    fixture.selectTab("enemy");
    fixture.selectTab("misc");
    QCOMPARE(checksum->text(), QStringLiteral("F3A F0C5"));
}

void MiscPageTest::reselectingTheTabDiscardsEdits() {
    EditorFixture fixture;
    fixture.openImage(synth::makeImage());
    fixture.selectTab("misc");
    const QByteArray before = fixture.fileBytes();
    typeCharacters(fixture.find<QLineEdit>("ROMNameTXT"), "Edited");
    fixture.type("ROMVersionTXT", "99");
    fixture.selectRow("ROMFormatLST", 13);
    fixture.selectRow("SRAMSizeLST", 0);

    fixture.selectTab("future");
    fixture.selectTab("misc");
    QCOMPARE(fixture.find<QLineEdit>("ROMNameTXT")->text(),
             QStringLiteral("VALDRIC TEST IMAGE   "));
    QCOMPARE(fixture.find<QLineEdit>("ROMVersionTXT")->text(), QStringLiteral("0"));
    QCOMPARE(fixture.find<QListWidget>("ROMFormatLST")->currentRow(), 1);
    QCOMPARE(fixture.find<QListWidget>("SRAMSizeLST")->currentRow(), 3);
    fixture.apply();
    QVERIFY(fixture.messages.isEmpty());
    QCOMPARE(synth::changedOffsets(before, fixture.fileBytes()), QList<qint64>());
}

void MiscPageTest::pageKeepsWhatWasTypedAfterApply() {
    EditorFixture fixture;
    fixture.openImage(synth::makeImage());
    fixture.selectTab("misc");
    typeCharacters(fixture.find<QLineEdit>("ROMNameTXT"), "Kept");
    fixture.type("ROMVersionTXT", " 7");
    fixture.apply();
    QCOMPARE(fixture.find<QLineEdit>("ROMNameTXT")->text(), QStringLiteral("Kept"));
    QCOMPARE(fixture.find<QLineEdit>("ROMVersionTXT")->text(), QStringLiteral(" 7"));
    QCOMPARE(fixture.fileBytes().mid(kName, 21), spaced("Kept"));
    QCOMPARE(static_cast<int>(fixture.fileBytes().at(kVersion)), 7);
}

void MiscPageTest::shortFile_data() {
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("written");
    QTest::newRow("ends before the header") << qint64(0x8000) << false;
    QTest::newRow("ends inside the name") << qint64(0x00FFD0) << false;
    QTest::newRow("ends before the version byte") << qint64(0x00FFDB) << false;
    QTest::newRow("ends right after the version byte") << qint64(0x00FFDC) << true;
}

void MiscPageTest::shortFile() {
    QFETCH(qint64, length);
    QFETCH(bool, written);
    EditorFixture fixture;
    const QByteArray image = synth::makeImage().left(length);
    fixture.openImage(image);
    fixture.selectTab("misc");
    fixture.messages.clear();
    typeCharacters(fixture.find<QLineEdit>("ROMNameTXT"), "AB");
    fixture.type("ROMVersionTXT", "9");
    fixture.apply();

    const QByteArray after = fixture.fileBytes();
    QCOMPARE(after.size(), length);
    if (written) {
        QVERIFY(fixture.messages.isEmpty());
        QByteArray expected = image;
        expected.replace(kName, 21, spaced("AB"));
        synth::putByte(expected, kVersion, 9);
        QCOMPARE(synth::changedOffsets(expected, after), QList<qint64>());
    } else {
        QCOMPARE(fixture.messages.size(), 1);
        QCOMPARE(fixture.messages.first().text, kTooShort);
        QCOMPARE(synth::changedOffsets(image, after), QList<qint64>());
    }
}

void MiscPageTest::elementalCheckBlocksTheSave_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("16") << "16" << true;
    QTest::newRow("32") << "32" << true;
    QTest::newRow("64") << "64" << true;
    QTest::newRow("128") << "128" << true;
    QTest::newRow("69 has a strength") << "69" << false;
    QTest::newRow("0") << "0" << false;
}

void MiscPageTest::elementalCheckBlocksTheSave() {
    QFETCH(QString, held);
    QFETCH(bool, blocked);
    EditorFixture fixture;
    const QByteArray image = synth::makeImage();
    fixture.openImage(image);
    fixture.selectTab("misc");
    // The item page leaves its composed value here when it is left.
    auto* element = fixture.find<QLineEdit>("ElementalResistanceTXT");
    QVERIFY(element);
    element->setText(held);
    fixture.selectRow("ROMFormatLST", 13);
    fixture.apply();

    const QList<qint64> changed = synth::changedOffsets(image, fixture.fileBytes());
    if (blocked) {
        QCOMPARE(fixture.messages.size(), 1);
        QCOMPARE(fixture.messages.first().text, kElementMessage);
        QCOMPARE(changed, QList<qint64>());
    } else {
        QVERIFY(fixture.messages.isEmpty());
        QCOMPARE(changed, QList<qint64>{kRegion});
    }
}

QTEST_MAIN(MiscPageTest)
#include "test_misc_page.moc"
