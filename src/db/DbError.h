#pragma once

#include <QString>

#include <stdexcept>

// An error reported by the database engine: its result code and its message.
class DbError : public std::runtime_error {
public:
    DbError(int code, const QString& message)
        : std::runtime_error(message.toStdString()), m_code(code), m_message(message) {}

    int code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};
