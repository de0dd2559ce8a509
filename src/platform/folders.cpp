#include "platform/folders.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
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

    // Temporary names are "<name>.tmp-<n>", n below kTemporaryNumbers: at
    // most seven characters longer than the file's own name.
    constexpr const char* kTemporaryMark = ".tmp-";
    constexpr unsigned kTemporaryNumbers = 100;

    // The folder of a path and the name in it; the folder is "." for a bare
    // name. Paths are bytes: nothing here decodes them.
    void SplitPath(const std::string& path, std::string& folder, std::string& name)
    {
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) {
            folder = ".";
            name = path;
        } else {
            folder = slash == 0 ? "/" : path.substr(0, slash);
            name = path.substr(slash + 1);
        }
    }

    // A temporary file of our own in the open folder: created here and now
    // (never an old file, never through a link), under a name no other write
    // of this process uses. -1 when none could be made.
    int CreateTemporary(int folder, const std::string& name, std::string& temp)
    {
        static std::atomic<unsigned> counter { 0 };
        for (unsigned attempt = 0; attempt < kTemporaryNumbers; ++attempt) {
            temp = name + kTemporaryMark + std::to_string(counter.fetch_add(1) % kTemporaryNumbers);
            NoteFileAccess();
            const int fd = ::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd >= 0 || errno != EEXIST)
                return fd;
        }
        return -1;
    }

    // Temporary files of writes to the same target that a crash or a kill cut
    // short; they were never renamed, so nothing of the player's is in them.
    // (One copy of the game writes in a user folder at a time: it holds the
    // folder's lock, see single_instance.h.)
    void RemoveStaleTemporaries(int folder, const std::string& name)
    {
        const std::string prefix = name + kTemporaryMark;
        const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* dir = listed >= 0 ? ::fdopendir(listed) : nullptr;
        if (!dir) {
            if (listed >= 0)
                ::close(listed);
            return;
        }
        std::vector<std::string> stale;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string found = entry->d_name;
            if (found.size() > prefix.size() && found.compare(0, prefix.size(), prefix) == 0)
                stale.push_back(found);
        }
        ::closedir(dir);
        for (const std::string& found : stale) {
            struct stat st { };
            if (::fstatat(folder, found.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
                ::unlinkat(folder, found.c_str(), 0);
        }
    }

} // namespace

bool WriteFileAtomic(const std::string& path, const void* data, size_t size)
{
    // The folder is opened once and the names are taken relative to it, so
    // the temporary's whole path is never longer than the file's own would
    // need to be within the folder.
    std::string folderPath;
    std::string name;
    SplitPath(path, folderPath, name);
    if (name.empty())
        return false;
    NoteFileAccess();
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    std::string temp;
    const int fd = CreateTemporary(folder, name, temp);
    if (fd < 0) {
        ::close(folder);
        return false;
    }
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
    if (ok && ::renameat(folder, temp.c_str(), folder, name.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlinkat(folder, temp.c_str(), 0);
        ::close(folder);
        return false;
    }
    // Make the rename itself durable.
    ::fsync(folder);
    RemoveStaleTemporaries(folder, name);
    ::close(folder);
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return WriteFileAtomic(path, bytes.data(), bytes.size());
}

bool RenameDurably(const std::string& from, const std::string& to)
{
    std::string folderPath;
    std::string fromName;
    std::string toName;
    SplitPath(from, folderPath, fromName);
    std::string toFolder;
    SplitPath(to, toFolder, toName);
    if (fromName.empty() || toName.empty() || toFolder != folderPath)
        return false;
    NoteFileAccess();
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool renamed = ::renameat(folder, fromName.c_str(), folder, toName.c_str()) == 0;
    if (renamed)
        ::fsync(folder);
    ::close(folder);
    return renamed;
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
