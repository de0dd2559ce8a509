// One running copy of the game: lock files held with flock for the life of
// the process, one in the runtime folder and one in the user folder. The
// system drops a lock when the process ends, however it ends.
#pragma once

#include <string>

namespace platform {

enum class InstanceLockResult {
    Acquired, // this process is the one running copy
    HeldElsewhere, // another copy holds the lock
    Unavailable, // the lock file cannot be made; nothing can be told
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
    InstanceLockResult AcquireFile(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
