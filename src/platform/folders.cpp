#include "platform/folders.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_access.h"

namespace platform {

namespace fs = std::filesystem;

std::string UserFolderPath(const std::string& language)
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        return {};
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/vandrel-first-" + language;
}

bool MakeFolders(const std::string& path)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

std::string FindProgramFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        for (fs::path dir = exe.parent_path(); !dir.empty(); dir = dir.parent_path()) {
            if (fs::is_directory(dir / "data", ec))
                return dir.string();
            if (dir == dir.root_path())
                break;
        }
        // Installed layout: <prefix>/bin/vandrel with <prefix>/lib/vandrel/data.
        fs::path shared = exe.parent_path().parent_path() / "lib" / "vandrel";
        if (fs::is_directory(shared / "data", ec))
            return shared.string();
    }
    return {};
}

namespace {

    // A temporary file of our own beside the target: created here and now
    // (never an old file, never through a link), under a name no other write
    // of this process uses. -1 when none could be made.
    int CreateTemporary(const std::string& path, std::string& temp)
    {
        static std::atomic<unsigned> counter { 0 };
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
            NoteFileAccess();
            const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd >= 0 || errno != EEXIST)
                return fd;
        }
        return -1;
    }

    // Temporary files of writes to the same target that a crash or a kill cut
    // short; they were never renamed, so nothing of the player's is in them.
    void RemoveStaleTemporaries(const std::string& path)
    {
        const fs::path target(path);
        const std::string prefix = target.filename().string() + ".tmp-";
        std::error_code ec;
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->path().filename().string().rfind(prefix, 0) != 0)
                continue;
            std::error_code ignored;
            const auto type = it->symlink_status(ignored).type();
            if (type == fs::file_type::regular || type == fs::file_type::symlink)
                fs::remove(it->path(), ignored);
        }
    }

} // namespace

bool WriteFileAtomic(const std::string& path, const void* data, size_t size)
{
    std::string temp;
    const int fd = CreateTemporary(path, temp);
    if (fd < 0)
        return false;
    const auto* p = static_cast<const uint8_t*>(data);
    size_t left = size;
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const std::string folder = fs::path(path).parent_path().string();
    const int dirfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd >= 0) {
        ::fsync(dirfd);
        ::close(dirfd);
    }
    RemoveStaleTemporaries(path);
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return WriteFileAtomic(path, bytes.data(), bytes.size());
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    NoteFileAccess();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    uint8_t buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return ok;
}

} // namespace platform
