#include "FaultTools.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "store/Database.h"

namespace {

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

}  // namespace

ReadOnlyGuard::ReadOnlyGuard(const QString& path) : m_path(path) {
    const QByteArray native = QFile::encodeName(path);
    if (::geteuid() == 0) {
        m_immutable = setImmutable(path, true);
        if (!m_immutable)
            m_why = QStringLiteral(
                        "running as root and the file system refuses the immutable "
                        "attribute, so nothing makes ") +
                    path + QStringLiteral(" read-only for this process");
    } else {
        struct stat st {};
        if (::stat(native.constData(), &st) == 0) {
            m_mode = st.st_mode & 07777;
            m_chmodded = ::chmod(native.constData(), m_mode & ~0222u) == 0;
        }
        if (!m_chmodded) m_why = QStringLiteral("cannot change the permissions of ") + path;
    }
    m_holds = (m_immutable || m_chmodded) && ::access(native.constData(), W_OK) != 0;
    if ((m_immutable || m_chmodded) && !m_holds)
        m_why = QStringLiteral("writing to ") + path + QStringLiteral(" is still allowed");
}

ReadOnlyGuard::~ReadOnlyGuard() {
    if (m_immutable) setImmutable(m_path, false);
    if (m_chmodded) ::chmod(QFile::encodeName(m_path).constData(), m_mode);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

QString integrityCheck(const QString& path) {
    auto db = Database::open(path);
    Statement check = db->prepare(QStringLiteral("PRAGMA integrity_check"));
    QStringList rows;
    while (check.step()) rows << check.text(0);
    return rows.join(QLatin1Char('\n'));
}

QString snapshot(Database& db) {
    QString all;
    for (const char* table :
         {"Settings", "Company", "LanguageMain", "AmountWord", "BankCheque", "sqlite_sequence"}) {
        Statement rows = db.prepare(QStringLiteral("SELECT * FROM ") + QString::fromLatin1(table) +
                                    QStringLiteral(" ORDER BY rowid"));
        const int columns = rows.columnCount();
        all += QString::fromLatin1(table) + QLatin1Char('\n');
        while (rows.step()) {
            for (int i = 0; i < columns; ++i) all += rows.value(i).toString() + QLatin1Char('|');
            all += QLatin1Char('\n');
        }
    }
    return all;
}
