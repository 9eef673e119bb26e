#pragma once

#include "rom/RomFile.h"
#include "rom/Span.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>
#include <span>

namespace rom {

// How a field's value sits in the file and which numbers a user may enter for it.
enum class Encoding {
    Byte,       // unsigned 8-bit, 0 to 255
    Signed16,   // 16-bit little-endian, shown and entered as -32768 to 32767
    Unsigned16, // 16-bit little-endian, shown and entered as 0 to 65535
    Signed32,   // 32-bit little-endian, shown signed
    Bytes,      // a run of single-byte characters, padded with spaces
};

// How the page shows a field, which also says how to describe its values in words.
enum class Shown {
    Number,  // decimal text in a box
    Choice,  // one row of a fixed list; row = value - rowOrigin
    Item,    // one row of an item-name list, filled from the ROM; row = value
    Flags,   // a check-list, row r standing for the bit 2^r
    Check,   // a check box: 0 cleared, 1 checked, 2 greyed where the box has three states
    Element, // the elemental resistance selector
    Text,    // a text box of single-byte characters
};

// One table of records in the image: record i lies at base + stride * (i - origin) and
// is `stride` bytes long.
struct Table {
    qint64 base;
    qint64 stride;
    int origin = 0;

    constexpr qint64 recordOffset(int index) const { return base + stride * (index - origin); }
};

// One field of an edited record: where its bytes lie, how they are encoded, which member
// of the record holds the value, and which control shows it under which caption. Fields
// are listed in the order a save writes them.
template <typename Record> struct Field {
    const char* control; // object name of the control that shows it; empty for none
    const char* caption; // as the page labels it, colon included
    Table table;
    qint64 offset; // in the table's record
    Encoding encoding;
    int Record::*member = nullptr; // every encoding but Bytes
    Shown shown = Shown::Number;
    const QStringList& (*rows)() = nullptr; // Choice and Flags: the control's rows
    int rowOrigin = 0;                      // Choice: the value of row 0
    bool written = true;                    // false: read and shown, never written
    QByteArray& (*text)(Record&) = nullptr; // Bytes: the record's text
    int length = 0;                         // Bytes: how many

    qint64 offsetIn(int index) const { return table.recordOffset(index) + offset; }
    int width() const;
};

// A field the page shows but a save never writes.
template <typename Record> constexpr Field<Record> shownOnly(Field<Record> field) {
    field.written = false;
    return field;
}

template <typename Record> using FieldTable = std::span<const Field<Record>>;

int widthOf(Encoding encoding, int length);
int decodeNumber(Encoding encoding, const QByteArray& bytes);
QByteArray encodeNumber(int value, int width);

template <typename Record> int Field<Record>::width() const {
    return widthOf(encoding, length);
}

template <typename Record> QByteArray encodeField(const Field<Record>& field, Record record) {
    if (field.encoding == Encoding::Bytes)
        return field.text(record).leftJustified(field.length, ' ', true);
    return encodeNumber(record.*field.member, field.width());
}

template <typename Record>
Record readRecord(const RomFile& rom, FieldTable<Record> fields, int index) {
    Record record{};
    for (const Field<Record>& field : fields) {
        const QByteArray bytes = rom.readBytes(field.offsetIn(index), field.width());
        if (field.encoding == Encoding::Bytes)
            field.text(record) = bytes;
        else
            record.*field.member = decodeNumber(field.encoding, bytes);
    }
    return record;
}

// What a save of `edited` over `loaded` writes: one span per written field, in order.
template <typename Record>
QList<Span> spansOf(FieldTable<Record> fields, int index, const Record& loaded,
                    const Record& edited) {
    QList<Span> spans;
    for (const Field<Record>& field : fields) {
        if (field.written)
            spans.append(
                {field.offsetIn(index), encodeField(field, loaded), encodeField(field, edited)});
    }
    return spans;
}

// True when every table record that a save writes lies wholly inside the file.
template <typename Record>
bool writtenRecordsFit(const RomFile& rom, FieldTable<Record> fields, int index) {
    for (const Field<Record>& field : fields) {
        if (field.written && !rom.covers(field.table.recordOffset(index), field.table.stride))
            return false;
    }
    return true;
}

// Text fields hold single-byte characters, ISO 8859-1.
QString textOfBytes(const QByteArray& bytes);
// The bytes of `text` cut to `length` characters; nullopt when one of them has no
// ISO 8859-1 byte.
std::optional<QByteArray> bytesOfText(const QString& text, int length);

// What a control needs to know of a field, whatever record it belongs to.
struct FieldView {
    QString control;
    QString caption;
    Encoding encoding;
    Shown shown;
    int rowOrigin;
    bool written;
    int length;
};

template <typename Record> FieldView viewOf(const Field<Record>& field) {
    return {QLatin1String(field.control),
            QLatin1String(field.caption),
            field.encoding,
            field.shown,
            field.rowOrigin,
            field.written,
            field.length};
}

template <typename Record>
const Field<Record>* findField(FieldTable<Record> fields, const QString& control) {
    for (const Field<Record>& field : fields) {
        if (QLatin1String(field.control) == control)
            return &field;
    }
    return nullptr;
}

} // namespace rom
