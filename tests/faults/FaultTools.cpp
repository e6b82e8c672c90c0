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
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

}  // namespace

ReadOnlyGuard::ReadOnlyGuard(const QString& path) : m_path(path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::geteuid() == 0)
        m_immutable = setImmutable(path, true);
    else if (::stat(native.constData(), &st) == 0 &&
             ::chmod(native.constData(), st.st_mode & 07555) == 0)
        m_mode = st.st_mode & 07777;
    m_holds = (m_immutable || m_mode) && ::access(native.constData(), W_OK) != 0;
}

ReadOnlyGuard::~ReadOnlyGuard() {
    if (m_immutable) setImmutable(m_path, false);
    if (m_mode) ::chmod(QFile::encodeName(m_path).constData(), m_mode);
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
    Statement check = Database::open(path)->prepare(QStringLiteral("PRAGMA integrity_check"));
    QStringList rows;
    while (check.step()) rows << check.text(0);
    return rows.join(u'\n');
}

QString snapshot(Database& db) {
    QString all;
    for (const char* table :
         {"Settings", "Company", "LanguageMain", "AmountWord", "BankCheque", "sqlite_sequence"}) {
        Statement rows = db.prepare(
            QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QString::fromLatin1(table)));
        all += QString::fromLatin1(table) + u'\n';
        while (rows.step()) {
            for (int i = 0; i < rows.columnCount(); ++i) all += rows.value(i).toString() + u'|';
            all += u'\n';
        }
    }
    return all;
}
