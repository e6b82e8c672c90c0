#include "app/InstanceLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString& directory, bool ownerOnly) {
    const QByteArray path = QFile::encodeName(QDir(directory).filePath(fileName()));
    // Read-only is enough for flock, so a lock file made by another user of a
    // shared folder can still be locked.
    m_fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, ownerOnly ? 0600 : 0644);
    if (m_fd < 0) return;
    int rc;
    do {
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_state = State::Held;
        return;
    }
    m_state = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    ::close(m_fd);
    m_fd = -1;
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}
