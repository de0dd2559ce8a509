// One running copy of the game: lock files held with flock for the life of
// the process, one in the runtime folder and one in the user folder. The
// system drops a lock when the process ends, however it ends.
#pragma once

#include <string>

namespace platform {

enum class InstanceLockResult {
    Acquired, // this process is the one running copy
    HeldElsewhere, // another copy holds the lock
    Unavailable, // the lock file can be neither made nor locked (Error() says why)
};

// <runtime folder>/<name>.lock, the runtime folder being $XDG_RUNTIME_DIR when
// it is an absolute path, else the temporary folder.
std::string InstanceLockPath(const std::string& name);

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // The lock file InstanceLockPath(name).
    InstanceLockResult Acquire(const std::string& name);
    // A lock file of that path (made when missing), e.g. in the user folder:
    // copies started with different runtime folders still share that one.
    // What stands there and cannot be opened for writing (a folder, a file
    // this user may only read) is locked as it stands: a lock needs no write
    // access.
    InstanceLockResult AcquireFile(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }
    // The errno value of the last Unavailable; 0 after any other result.
    int Error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

} // namespace platform
