#pragma once

#include <QString>

// One running copy of the program per data folder: an exclusive flock on the file
// "chequedb.lock" in the folder, held for the life of this object (and released
// by the system when the process ends, however it ends).
class InstanceLock {
public:
    enum class State {
        Held,          // this process holds the lock
        HeldElsewhere, // another process holds it: the program is already running
        Unavailable,   // the lock file cannot be made or opened (a read-only folder)
    };

    // A new lock file is readable by all, so that other users of a shared folder
    // can lock it too, or by the owner only in the user's own data folder.
    explicit InstanceLock(const QString& directory, bool ownerOnly = false);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return m_state; }

    static QString fileName() { return QStringLiteral("chequedb.lock"); }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
};
