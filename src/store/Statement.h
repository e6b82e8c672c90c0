#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. Values are bound as parameters (1-based); columns of
// the current row are read by name.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);

    Statement& bind(int index, const QVariant& value);
    Statement& bindAll(const QVariantList& values);

    // Advances to the next row; false at the end. Throws DbError on failure.
    bool step();
    // Runs a statement that returns no rows.
    void execute();
    // Makes the statement ready to run again with new values.
    void reset();

    bool isNull(const char* column) const;
    QString text(const char* column) const;
    qint64 integer(const char* column) const;
    double real(const char* column) const;
    QVariant value(const char* column) const;
    bool hasColumn(const char* column) const;
    int columnCount() const;

    // Reading by position, for loops over many rows: look the index up once.
    int columnIndex(const char* column) const;
    QString text(int index) const;
    QString textAt(int index) const { return text(index); }
    qint64 integer(int index) const;
    double real(int index) const;
    QVariant value(int index) const;

private:
    [[noreturn]] void fail() const;

    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const noexcept;
    };
    sqlite3* m_db;
    std::unique_ptr<sqlite3_stmt, Finalizer> m_stmt;
    QHash<QByteArray, int> m_columns;
};
