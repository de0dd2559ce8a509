#include "resources/file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "platform/file_access.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/text.h"

bool iFile::WriteWideChar(wchar_t c)
{
    return WriteWideText(std::wstring_view(&c, 1));
}

bool iFile::WriteWideText(std::wstring_view text)
{
    const std::vector<uint8_t> bytes = platform::WideToUtf16Le(text);
    if (bytes.empty())
        return true;
    uint32_t written = 0;
    const uint32_t units = static_cast<uint32_t>(bytes.size() / 2);
    return Write(bytes.data(), units, 2, &written) && written == units;
}

// ---- cStdFile ----

namespace {

// Opens without blocking on a FIFO and refuses anything but a regular file,
// so a hostile path can neither hang the game nor feed it a device.
int OpenRegular(const std::string& path, int flags, struct stat& st)
{
    platform::NoteFileAccess();
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > static_cast<off_t>(UINT32_MAX)) {
        ::close(fd);
        return -1;
    }
    const int fl = ::fcntl(fd, F_GETFL);
    if (fl >= 0)
        ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
    return fd;
}

} // namespace

cStdFile::~cStdFile()
{
    Close();
}

bool cStdFile::Open(const std::wstring& path, bool create)
{
    Close();
    const std::string native = resources::ToNativePath(path);
    struct stat st { };
    int fd = OpenRegular(native, O_RDWR | (create ? O_CREAT : 0), st);
    if (fd < 0 && !create && (errno == EACCES || errno == EROFS))
        fd = OpenRegular(native, O_RDONLY, st); // an installed data file we may only read
    if (fd < 0)
        return false;
    m_fd = fd;
    m_size = static_cast<uint32_t>(st.st_size);
    m_position = 0;
    return true;
}

void cStdFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_position = 0;
}

bool cStdFile::Flush()
{
    return m_fd >= 0 && ::fsync(m_fd) == 0;
}

bool cStdFile::Read(void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countRead)
{
    if (m_fd < 0 || (!buffer && count && elementSize))
        return false;
    platform::NoteFileAccess();
    const uint64_t want64 = static_cast<uint64_t>(count) * elementSize;
    if (want64 > UINT32_MAX)
        return false;
    size_t want = static_cast<size_t>(want64);
    size_t got = 0;
    auto* out = static_cast<uint8_t*>(buffer);
    while (got < want) {
        const ssize_t n = ::read(m_fd, out + got, want - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // a short read at the end of the file is still a good read
        got += static_cast<size_t>(n);
    }
    m_position += static_cast<uint32_t>(got);
    if (countRead)
        *countRead = elementSize ? static_cast<uint32_t>(got / elementSize) : 0;
    return true;
}

bool cStdFile::Write(const void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countWritten)
{
    if (m_fd < 0 || (!buffer && count && elementSize))
        return false;
    platform::NoteFileAccess();
    const uint64_t want64 = static_cast<uint64_t>(count) * elementSize;
    if (want64 > UINT32_MAX - m_position)
        return false;
    const size_t want = static_cast<size_t>(want64);
    size_t done = 0;
    const auto* in = static_cast<const uint8_t*>(buffer);
    while (done < want) {
        const ssize_t n = ::write(m_fd, in + done, want - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    m_position += static_cast<uint32_t>(done);
    m_size = m_position;
    if (done < want)
        return false;
    if (countWritten)
        *countWritten = elementSize ? static_cast<uint32_t>(done / elementSize) : 0;
    return true;
}

bool cStdFile::Seek(int32_t offset, uint32_t origin)
{
    if (m_fd < 0 || origin > 2)
        return false;
    static const int whence[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    const off_t result = ::lseek(m_fd, offset, whence[origin]);
    if (result < 0 || result > static_cast<off_t>(UINT32_MAX))
        return false;
    m_position = static_cast<uint32_t>(result);
    return true;
}

// ---- cMemoryFile ----

cMemoryFile::cMemoryFile(const uint8_t* data, uint32_t size)
{
    SetView(data, size);
}

void cMemoryFile::SetView(const uint8_t* data, uint32_t size)
{
    m_data = data;
    m_size = data ? size : 0;
    m_position = 0;
}

bool cMemoryFile::Read(void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countRead)
{
    if (!m_data || !buffer || elementSize == 0)
        return false;
    // A seek may have put the position past the end: then nothing is left.
    const uint32_t left = m_position < m_size ? m_size - m_position : 0;
    const uint32_t n = std::min(count, left / elementSize);
    if (n == 0)
        return false;
    const size_t bytes = static_cast<size_t>(n) * elementSize;
    std::copy(m_data + m_position, m_data + m_position + bytes, static_cast<uint8_t*>(buffer));
    m_position += static_cast<uint32_t>(bytes);
    if (countRead)
        *countRead = n;
    return true;
}

bool cMemoryFile::Seek(int32_t offset, uint32_t origin)
{
    int64_t target;
    switch (origin) {
    case 0:
        target = offset;
        break;
    case 1:
        target = static_cast<int64_t>(m_position) + offset;
        break;
    case 2:
        target = static_cast<int64_t>(m_size) + offset;
        break;
    default:
        return false;
    }
    if (target >= 0 && target <= UINT32_MAX && m_size != 0)
        m_position = static_cast<uint32_t>(target);
    return m_position == target;
}

// ---- cBufferedFile ----

cBufferedFile::cBufferedFile(uint8_t* buffer, uint32_t size)
    : cMemoryFile(buffer, size)
    , m_buffer(buffer)
{
}

cBufferedFile::~cBufferedFile()
{
    delete[] m_buffer;
}

// ---- cCompressedFile ----

cCompressedFile::cCompressedFile(const uint8_t* base, uint32_t offset, uint32_t storedSize, uint32_t unpackedSize)
    : cMemoryFile(base ? base + offset : nullptr, storedSize)
{
    const uint8_t* stored = GetData();
    SetView(nullptr, 0);
    if (unpackedSize == 0 || !stored)
        return;
    m_inflated = new (std::nothrow) uint8_t[unpackedSize];
    if (!m_inflated)
        return;
    uLongf length = unpackedSize;
    if (uncompress(m_inflated, &length, stored, storedSize) != Z_OK) {
        delete[] m_inflated;
        m_inflated = nullptr;
        return;
    }
    SetView(m_inflated, static_cast<uint32_t>(length));
}

cCompressedFile::~cCompressedFile()
{
    delete[] m_inflated;
}

// ---- cMappedFile ----

cMappedFile::~cMappedFile()
{
    Unmap();
}

void cMappedFile::Unmap()
{
    if (m_view)
        ::munmap(m_view, m_mappedSize);
    m_view = nullptr;
    m_mappedSize = 0;
    SetView(nullptr, 0);
}

bool cMappedFile::Open(const std::wstring& path, bool forWriting)
{
    Unmap();
    if (forWriting)
        return false;
    struct stat st { };
    const int fd = OpenRegular(resources::ToNativePath(path), O_RDONLY, st);
    if (fd < 0)
        return false;
    if (st.st_size == 0) {
        ::close(fd);
        return false;
    }
    const size_t size = static_cast<size_t>(st.st_size);
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd); // the mapping keeps the file alive
    if (view == MAP_FAILED)
        return false;
    m_view = view;
    m_mappedSize = size;
    SetView(static_cast<const uint8_t*>(view), static_cast<uint32_t>(size));
    return true;
}

// ---- whole-file read ----

namespace resources {

iFile* OpenWholeFile(const std::wstring& path)
{
    auto* mapped = new cMappedFile;
    if (mapped->Open(path, false))
        return mapped;
    delete mapped;

    cStdFile file;
    if (!file.Open(path, false))
        return nullptr;
    const uint32_t size = file.GetSize();
    if (size == 0)
        return new cBufferedFile(nullptr, 0); // an empty file reads as an empty file
    auto* buffer = new (std::nothrow) uint8_t[size];
    if (!buffer)
        return nullptr;
    uint32_t read = 0;
    if (!file.Read(buffer, 1, size, &read) || read != 1) {
        delete[] buffer;
        return nullptr;
    }
    return new cBufferedFile(buffer, size);
}

bool FitsPlayerFileLimit(const wchar_t* who, const std::wstring& path)
{
    struct stat st { };
    if (::stat(ToNativePath(path).c_str(), &st) != 0 || static_cast<uint64_t>(st.st_size) <= kPlayerFileLimit)
        return true;
    cLog::Instance().Error(L"%ls -> \"%ls\" is larger than 1 MB (%lld bytes); it is not read.", who, path.c_str(),
        static_cast<long long>(st.st_size));
    return false;
}

} // namespace resources
