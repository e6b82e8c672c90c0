#pragma once

#include <QString>

#include <stdexcept>

struct sqlite3;

// An error reported by the database engine: its result code and a message that
// says, in words a user can act on, which file is at fault and what is wrong.
class DbError : public std::runtime_error {
public:
    DbError(int code, const QString& message)
        : std::runtime_error(message.toStdString()), m_code(code), m_message(message) {}

    // The connection's last error, explained.
    static DbError fromEngine(sqlite3* db);
    // A failure to open the file at `path`, explained.
    static DbError openFailure(int code, const QString& engineText, const QString& path);
    // The message for `code` (primary or extended) met on the file at `path` (empty when unknown).
    // Faults of the file itself (missing, locked, damaged, read-only, disk full)
    // are put in plain words naming the file; the engine's own text follows in
    // brackets. Other errors keep the engine's text.
    static QString explain(int code, const QString& engineText, const QString& path);

    int code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};
