#pragma once

#include "rom/FieldTable.h"

#include <QString>

class QLineEdit;
class QWidget;

namespace ui {

// Converts every field of a record before anything is written. Each read returns the
// value to store; the first field that cannot be stored is remembered, and report()
// names it by its caption, says what it accepts and puts the focus into its box. A save
// routine reads all its fields, and writes only when report() says all of them are fine.
class FieldReader {
  public:
    // The value a record holds for the box's entry under the encoding's rule.
    int number(const QLineEdit* box, const QString& caption, rom::Encoding encoding);
    long long wholeNumber(const QLineEdit* box, const QString& caption, long long minimum,
                          long long maximum);

    // Records a failure that belongs to no box (with a complete message).
    void fail(const QString& message, QWidget* focus = nullptr);
    // Refuses the record when any table record it writes lies past the end of the file.
    template <typename Record>
    void requireInFile(const rom::RomFile& rom, rom::FieldTable<Record> fields, int index) {
        if (!rom::writtenRecordsFit(rom, fields, index))
            fail(tooShortMessage());
    }

    bool ok() const { return message_.isEmpty(); }
    // Shows the first failure, if any, and returns whether every field was storable.
    bool report(QWidget* parent) const;

    // The message for a record that does not fit in the open file.
    static QString tooShortMessage();

  private:
    QString message_;
    QWidget* focus_ = nullptr;
};

} // namespace ui
