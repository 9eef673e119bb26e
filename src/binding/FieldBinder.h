#pragma once

#include "binding/FieldReader.h"
#include "rom/FieldTable.h"
#include "ui/FileAccess.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

class QWidget;

namespace ui {

// Maps the fields of a record onto a page's controls, each found by the field's control
// name: shows a record in them and reads an edited record back. A control that cannot
// show a stored value (a list without its row, a box without its state) keeps that value
// for the save until the user changes the control.
class FieldBinder : public QObject {
    Q_OBJECT
  public:
    explicit FieldBinder(QWidget* page);

    // For a control the binder cannot drive itself.
    using ShowValue = std::function<void(int value)>;
    using ReadValue =
        std::function<int(const rom::FieldView& field, FieldReader& reader, int loaded)>;
    void bindCustom(const QString& control, ShowValue show, ReadValue read);

    template <typename Record> void show(rom::FieldTable<Record> fields, Record record) {
        for (const rom::Field<Record>& field : fields) {
            if (field.encoding == rom::Encoding::Bytes)
                showText(rom::viewOf(field), field.text(record));
            else
                showValue(rom::viewOf(field), record.*field.member);
        }
    }

    // Enables or disables the control of every field a save writes; controls bound with
    // bindCustom are the page's own business.
    template <typename Record>
    void setWrittenEnabled(rom::FieldTable<Record> fields, bool enabled) {
        for (const rom::Field<Record>& field : fields) {
            if (field.written)
                setControlEnabled(QLatin1String(field.control), enabled);
        }
    }

    // The record as the page now shows it, starting from `loaded`: fields that are only
    // shown keep their loaded values.
    template <typename Record>
    Record read(rom::FieldTable<Record> fields, const Record& loaded, FieldReader& reader) {
        Record edited = loaded;
        for (const rom::Field<Record>& field : fields) {
            if (!field.written)
                continue;
            if (field.encoding == rom::Encoding::Bytes)
                field.text(edited) = readText(rom::viewOf(field), reader);
            else
                edited.*field.member = readValue(rom::viewOf(field), loaded.*field.member, reader);
        }
        return edited;
    }

    // Converts every field and, only when all are storable, commits the record's spans
    // over what was loaded. Nothing when an entry was refused (the user was told).
    template <typename Record>
    std::optional<FileAccess::Outcome> save(const rom::RomFile& rom, FileAccess& access,
                                            const history::RecordRef& record,
                                            rom::FieldTable<Record> fields, const Record& loaded) {
        FieldReader reader;
        reader.requireInFile(rom, fields, record.row);
        const Record edited = read(fields, loaded, reader);
        if (!reader.report(window()))
            return std::nullopt;
        return access.commit(record, rom::spansOf(fields, record.row, loaded, edited));
    }

  private:
    QWidget* control(const QString& name);
    void setControlEnabled(const QString& name, bool enabled);
    QWidget* window() const;
    void showValue(const rom::FieldView& field, int value);
    int readValue(const rom::FieldView& field, int loaded, FieldReader& reader);
    void showText(const rom::FieldView& field, const QByteArray& bytes);
    QByteArray readText(const rom::FieldView& field, FieldReader& reader);

    QWidget* page_;
    QHash<QString, QWidget*> controls_;
    QHash<QString, std::pair<ShowValue, ReadValue>> custom_;
    QSet<const QWidget*> touched_;
};

} // namespace ui
