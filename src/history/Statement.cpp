#include "history/Statement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
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
    failure_ = connection_ ? sqlite3_errcode(connection_) & 0xff : SQLITE_ERROR;
    error_ = connection_ ? QString::fromUtf8(sqlite3_errmsg(connection_))
                         : QStringLiteral("the database is not SQLite");
    return false;
}

bool Statement::busy() const {
    return failure_ == SQLITE_BUSY || failure_ == SQLITE_LOCKED;
}

bool Statement::bind(int parameter, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement_, parameter, text.constData(), int(text.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement_, parameter, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    default:
        return sqlite3_bind_int64(statement_, parameter, value.toLongLong()) == SQLITE_OK;
    }
}

bool Statement::start(const QVariantList& values) {
    if (!statement_)
        return false;
    finish();
    sqlite3_clear_bindings(statement_);
    for (int n = 0; n < values.size(); ++n)
        if (!bind(n + 1, values[n]))
            return failed();
    failure_ = 0;
    error_.clear();
    return true;
}

bool Statement::run(const QVariantList& values) {
    if (!start(values))
        return false;
    rowWaiting_ = next();
    return error_.isEmpty();
}

bool Statement::next() {
    if (!statement_)
        return false;
    if (rowWaiting_) {
        rowWaiting_ = false;
        return true;
    }
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        failed();
    sqlite3_reset(statement_); // ends the read, so that it holds no lock
    return false;
}

void Statement::finish() {
    rowWaiting_ = false;
    if (statement_)
        sqlite3_reset(statement_);
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

qint64 Statement::lastInsertId() const {
    return connection_ ? sqlite3_last_insert_rowid(connection_) : 0;
}

Queries::Queries(QString connection) : connection_(std::move(connection)) {}

Queries::~Queries() = default;

void Queries::clear() {
    current_ = nullptr;
    kept_.clear();
    unprepared_.reset();
}

Statement& Queries::prepared(const QString& sql) {
    if (const auto kept = kept_.find(sql); kept != kept_.end())
        return *kept->second;
    auto made = std::make_unique<Statement>(connectionOf(connection_), sql);
    if (!made->valid()) { // not kept: a busy database may let it be prepared at the next use
        unprepared_ = std::move(made);
        return *unprepared_;
    }
    return *kept_.emplace(sql, std::move(made)).first->second;
}

bool Queries::run(const QString& sql, const QVariantList& values) {
    if (current_)
        current_->finish();
    current_ = &prepared(sql);
    const bool done = current_->run(values);
    error_ = current_->error(); // a failure tells only its own reason
    busy_ = current_->busy();
    if (!current_->valid())
        current_ = nullptr;
    return done;
}

} // namespace history
