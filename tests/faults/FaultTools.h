#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Database;

// Makes a file or folder read-only for as long as it lives, in a way the
// engine cannot get round: the immutable attribute when running as root (whose
// writes permissions do not stop), the write permission bits otherwise.
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(const QString& path);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;

    // Whether writing to the path is now refused (checked, not assumed).
    bool holds() const { return m_holds; }
    // Why it does not hold, for a skip message.
    QString why() const { return m_why; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_chmodded = false;
    unsigned m_mode = 0;
    bool m_holds = false;
    QString m_why;
};

QByteArray fileBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The names in a folder, sorted.
QStringList folderEntries(const QString& folder);
// Every row of every table as text, to show that a failed write left nothing.
QString snapshot(Database& db);
// "ok", or what the engine's full check found, on a fresh connection.
QString integrityCheck(const QString& path);
