#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <map>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace history {

// The SQLite connection under a Qt connection; nothing when it is not SQLite.
sqlite3* connectionOf(const QString& qtConnection);

// A statement prepared once on a connection and run through SQLite's own interface, where
// Qt's layer cost more than the statement: binding by a made-up name per value, a variant
// per value read, an error object per run.
class Statement {
  public:
    Statement(sqlite3* connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Starts the statement afresh with `values` (texts, byte arrays and numbers) for its
    // parameters, in order; next() takes its first row.
    bool start(const QVariantList& values);
    // Starts it and takes its first step, so that a write is done and a failure known when it
    // returns; a row found waits for next().
    bool run(const QVariantList& values);
    // The next row; false at the end or on a failure, which error() then tells.
    bool next();
    // Ends a read before its last row, so that it holds no lock.
    void finish();
    QString error() const { return error_; }
    bool valid() const { return statement_ != nullptr; }
    // Whether the last failure was another connection's lock.
    bool busy() const;

    bool isNull(int column) const;
    qint64 number(int column) const;
    QString text(int column) const;
    QByteArray bytes(int column) const;
    qint64 lastInsertId() const;

  private:
    bool failed();
    bool bind(int parameter, const QVariant& value);

    sqlite3* connection_;
    sqlite3_stmt* statement_ = nullptr;
    bool rowWaiting_ = false;
    int failure_ = 0; // SQLite's code of the last failure
    QString error_;
};

// The statements of one Qt connection, each prepared on its first use and kept for the next:
// the history's writes and reads, which run again and again with new values, so that SQLite
// parses each text once per connection.
class Queries {
  public:
    explicit Queries(QString connection);
    ~Queries();
    Queries(const Queries&) = delete;
    Queries& operator=(const Queries&) = delete;

    // Runs `sql` with `values` bound in order. Its rows are read through rows() until the next
    // run, which ends the read.
    bool run(const QString& sql, const QVariantList& values = {});
    Statement& rows() { return *current_; }
    // Why the last run failed.
    QString error() const { return error_; }
    bool busy() const { return busy_; }
    // The statement of `sql`, prepared on the connection once; one that cannot be prepared is
    // made again at the next call.
    Statement& prepared(const QString& sql);
    void clear();

  private:
    QString connection_;
    std::map<QString, std::unique_ptr<Statement>> kept_;
    std::unique_ptr<Statement> unprepared_; // the last that could not be prepared
    Statement* current_ = nullptr;
    QString error_;
    bool busy_ = false;
};

} // namespace history
