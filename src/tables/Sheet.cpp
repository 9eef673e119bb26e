#include "tables/Sheet.h"

namespace tables {

Sheet::Sheet(int index, const records::Kind& kind) : index_(index), kind_(kind) {
    for (int row = 0; row < rowCount(); ++row)
        places_ << records::placesOfRecord(kind.page, recordRow(row));
    for (const Column& column : columnsOf(kind)) {
        if (column.kind == Column::Kind::Words ||
            places_[0][column.place].view.encoding == rom::Encoding::Bytes)
            continue;
        columns_ << column;
        identifiers_ << identifierOf(column.name);
    }
}

QString Sheet::name() const {
    return QLatin1String(kind_.fileName).chopped(4);
}

int Sheet::find(const QString& name) const {
    for (int c = 0; c < columnCount(); ++c)
        if (columns_[c].name == name || identifiers_[c] == name)
            return c;
    return -1;
}

int Sheet::value(const QByteArray& image, int row, int column) const {
    return cellValue(image, place(row, column), columns_[column]);
}

QString Sheet::enter(QByteArray& image, int row, int column, const QString& text) const {
    return enterCell(image, place(row, column), columns_[column], text);
}

const QList<Sheet>& sheets() {
    static const QList<Sheet> all = [] {
        QList<Sheet> made;
        for (const records::Kind& kind : records::kinds())
            made.append(Sheet(int(made.size()), kind));
        return made;
    }();
    return all;
}

} // namespace tables
