#pragma once

#include <QByteArray>
#include <QSqlError>
#include <QString>
#include <QVariantList>

#include <map>
#include <memory>

class QSqlQuery;

struct sqlite3;
struct sqlite3_stmt;

namespace history {

// The SQLite connection under a Qt connection; nothing when it is not SQLite.
sqlite3* connectionOf(const QString& qtConnection);

// A read prepared once on a connection and stepped through SQLite's own interface: the
// history's long reads, where making a variant of every value costs more than the read.
class Statement {
  public:
    Statement(sqlite3* connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Starts the read afresh with `values` (texts and numbers) for its parameters, in order.
    bool start(const QVariantList& values);
    // The next row; false at the end or on a failure, which error() then tells.
    bool next();
    QString error() const { return error_; }

    bool isNull(int column) const;
    qint64 number(int column) const;
    QString text(int column) const;
    QByteArray bytes(int column) const;

  private:
    bool failed();

    sqlite3* connection_;
    sqlite3_stmt* statement_ = nullptr;
    QString error_;
};

// The statements of one Qt connection, each prepared on its first run and kept for the next:
// the history's writes, which run again and again with new values, so that SQLite parses each
// text once per connection.
class Queries {
  public:
    explicit Queries(QString connection);
    ~Queries();
    Queries(const Queries&) = delete;
    Queries& operator=(const Queries&) = delete;

    // Runs `sql` with `values` bound in order. Its rows are read through rows() until the next
    // run, which ends the read.
    bool run(const QString& sql, const QVariantList& values = {});
    QSqlQuery& rows() { return *current_; }
    // Why the last run failed.
    QSqlError error() const { return error_; }
    void clear();

  private:
    QString connection_;
    std::map<QString, std::unique_ptr<QSqlQuery>> kept_;
    QSqlQuery* current_ = nullptr;
    QSqlError error_;
};

} // namespace history
