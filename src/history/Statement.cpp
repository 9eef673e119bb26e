#include "history/Statement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

namespace history {

sqlite3* connectionOf(const QString& qtConnection) {
    const QVariant handle = QSqlDatabase::database(qtConnection, false).driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

Statement::Statement(sqlite3* connection, const QString& sql) : connection_(connection) {
    const QByteArray text = sql.toUtf8();
    if (!connection_ || sqlite3_prepare_v2(connection_, text.constData(), int(text.size()),
                                           &statement_, nullptr) != SQLITE_OK)
        failed();
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

bool Statement::failed() {
    error_ = connection_ ? QString::fromUtf8(sqlite3_errmsg(connection_))
                         : QStringLiteral("the database is not SQLite");
    return false;
}

bool Statement::start(const QVariantList& values) {
    if (!statement_)
        return false;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    for (int n = 0; n < values.size(); ++n) {
        const QVariant& value = values[n];
        int result = SQLITE_OK;
        if (value.typeId() == QMetaType::QString) {
            const QByteArray text = value.toString().toUtf8();
            result = sqlite3_bind_text(statement_, n + 1, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
        } else
            result = sqlite3_bind_int64(statement_, n + 1, value.toLongLong());
        if (result != SQLITE_OK)
            return failed();
    }
    error_.clear();
    return true;
}

bool Statement::next() {
    if (!statement_)
        return false;
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        failed();
    sqlite3_reset(statement_); // ends the read, so that it holds no lock
    return false;
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

qint64 Statement::number(int column) const {
    return sqlite3_column_int64(statement_, column);
}

QString Statement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement_, column));
}

QByteArray Statement::bytes(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    return QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(statement_, column));
}

Queries::Queries(QString connection) : connection_(std::move(connection)) {}

Queries::~Queries() = default;

void Queries::clear() {
    current_ = nullptr;
    kept_.clear();
}

bool Queries::run(const QString& sql, const QVariantList& values) {
    error_ = QSqlError(); // a failure tells only its own reason
    if (current_)
        current_->finish();
    std::unique_ptr<QSqlQuery>& kept = kept_[sql];
    if (!kept) {
        auto query = std::make_unique<QSqlQuery>(QSqlDatabase::database(connection_, false));
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            error_ = query->lastError();
            kept_.erase(sql);
            current_ = nullptr;
            return false;
        }
        kept = std::move(query);
    }
    current_ = kept.get();
    for (const QVariant& value : values)
        current_->addBindValue(value);
    if (current_->exec())
        return true;
    error_ = current_->lastError();
    return false;
}

} // namespace history
