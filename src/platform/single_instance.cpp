#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

std::string InstanceLockPath(const std::string& name)
{
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        folder = runtime;
    } else {
        std::error_code ec;
        folder = std::filesystem::temp_directory_path(ec).string();
        if (ec || folder.empty())
            folder = "/tmp";
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + "/" + name + ".lock";
}

InstanceLock::~InstanceLock()
{
    Release();
}

InstanceLockResult InstanceLock::Acquire(const std::string& name)
{
    return AcquireFile(InstanceLockPath(name));
}

InstanceLockResult InstanceLock::AcquireFile(const std::string& path)
{
    m_error = 0;
    if (m_fd >= 0)
        return InstanceLockResult::Acquired;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int openError = errno;
    // flock takes a descriptor opened for reading as well: a folder of that
    // name, or a file left by a start under another user, still keeps a
    // second copy out. Not blocking: a pipe there must not stop the start.
    if (fd < 0 && (openError == EISDIR || openError == EACCES))
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = openError;
        return InstanceLockResult::Unavailable;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int lockError = errno;
        ::close(fd);
        if (lockError == EWOULDBLOCK)
            return InstanceLockResult::HeldElsewhere;
        m_error = lockError;
        return InstanceLockResult::Unavailable;
    }
    m_fd = fd;
    return InstanceLockResult::Acquired;
}

void InstanceLock::Release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it would let a third start lock a new file
    // while a second still waits on the old one.
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace platform
