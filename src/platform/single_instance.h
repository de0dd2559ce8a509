// One running copy of the game: a lock file held with flock for the life of
// the process. The system drops the lock when the process ends, however it ends.
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

    InstanceLockResult Acquire(const std::string& name);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
