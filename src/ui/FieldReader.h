#pragma once

#include <QString>

#include <cstdint>

class QLineEdit;
class QWidget;

namespace rom {
class RomFile;
}

namespace ui {

// Converts every field of a record before anything is written. Each read returns the
// value to store; the first field that cannot be stored is remembered, and report()
// names it by its caption, says what it accepts and puts the focus into its box. A save
// routine reads all its fields, and writes only when report() says all of them are fine.
class FieldReader {
  public:
    std::uint8_t byte(const QLineEdit* box, const QString& caption);
    // -32768 to 98303: 0 to 65535 store their 16-bit pattern, above that x - 65536.
    std::int16_t wrapped16(const QLineEdit* box, const QString& caption);
    std::int16_t signed16(const QLineEdit* box, const QString& caption);
    std::uint16_t unsigned16(const QLineEdit* box, const QString& caption);
    long long wholeNumber(const QLineEdit* box, const QString& caption, long long minimum,
                          long long maximum);

    // Records a failure that belongs to no box (with a complete message).
    void fail(const QString& message, QWidget* focus = nullptr);
    // Refuses the record when any of its bytes lies past the end of a short file.
    void requireInFile(const rom::RomFile& rom, qint64 offset, qint64 length);

    bool ok() const { return message_.isEmpty(); }
    QString message() const { return message_; }
    // Shows the first failure, if any, and returns whether every field was storable.
    bool report(QWidget* parent) const;

  private:
    QString message_;
    QWidget* focus_ = nullptr;
};

// The message for a record that does not fit in the open file.
QString tooShortMessage();

// Tells the user that writing a record into the ROM file failed part way (a disk error),
// so the record may be only partly written. Returns `written` for the caller to pass on.
bool checkWritten(QWidget* parent, const rom::RomFile& rom, bool written);

} // namespace ui
