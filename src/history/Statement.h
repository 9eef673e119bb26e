#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

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

} // namespace history
