#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Database;

// Makes a file or folder read-only for as long as it lives, in a way the engine
// cannot get round: the immutable attribute when running as root (whose writes
// permissions do not stop), the write permission bits otherwise.
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(const QString& path);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;
    // Whether writing to the path is now refused (checked, not assumed), and why not.
    bool holds() const { return m_holds; }
    QString why() const {
        return QStringLiteral("cannot make ") + m_path + QStringLiteral(" read-only here");
    }

private:
    QString m_path;
    bool m_immutable = false;
    unsigned m_mode = 0;  // the permission bits to restore, when they were changed
    bool m_holds = false;
};

QByteArray fileBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
QStringList folderEntries(const QString& folder);  // sorted
// Every row of every table as text, to show that a failed write left nothing.
QString snapshot(Database& db);
// "ok", or what the engine's full check found, on a fresh connection.
QString integrityCheck(const QString& path);
