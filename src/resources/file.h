// The file interface every reader and writer of the game goes through, and its
// five classes. Readers work on files held whole in memory (a read-only
// mapping, a buffer, or an inflated package entry); cStdFile is the only class
// that writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class iFile {
public:
    virtual ~iFile() = default;

    virtual uint32_t GetSize() = 0;
    // Moves count elements of elementSize bytes; *countRead (may be null)
    // receives the number of whole elements moved.
    virtual bool Read(void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countRead) = 0;
    virtual bool Write(const void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countWritten) = 0;
    // Origins: 0 from the start, 1 from the current position, 2 from the end.
    virtual bool Seek(int32_t offset, uint32_t origin) = 0;
    virtual uint32_t Tell() = 0;
    virtual bool IsInMemory() { return false; }
    virtual const uint8_t* GetData() { return nullptr; }

    // Text goes out as raw UTF-16LE units.
    bool WriteWideChar(wchar_t c);
    bool WriteWideText(std::wstring_view text);
};

// A file descriptor opened for reading and writing.
class cStdFile : public iFile {
public:
    cStdFile() = default;
    ~cStdFile() override;
    cStdFile(const cStdFile&) = delete;
    cStdFile& operator=(const cStdFile&) = delete;

    // create true: open or create, keeping an existing file's content;
    // false: the file must exist. A file we may only read opens read-only.
    bool Open(const std::wstring& path, bool create);
    void Close();
    // Pushes what was written to the disk.
    bool Flush();
    bool IsOpen() const { return m_fd >= 0; }

    uint32_t GetSize() override { return m_size; }
    bool Read(void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countRead) override;
    bool Write(const void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countWritten) override;
    bool Seek(int32_t offset, uint32_t origin) override;
    uint32_t Tell() override { return m_position; }

private:
    int m_fd = -1;
    uint32_t m_size = 0;
    uint32_t m_position = 0;
};

// A read-only view of memory it does not own.
class cMemoryFile : public iFile {
public:
    cMemoryFile(const uint8_t* data, uint32_t size);

    uint32_t GetSize() override { return m_size; }
    bool Read(void* buffer, uint32_t count, uint32_t elementSize, uint32_t* countRead) override;
    bool Write(const void*, uint32_t, uint32_t, uint32_t*) override { return false; }
    bool Seek(int32_t offset, uint32_t origin) override;
    uint32_t Tell() override { return m_position; }
    bool IsInMemory() override { return true; }
    const uint8_t* GetData() override { return m_data; }

protected:
    void SetView(const uint8_t* data, uint32_t size);

private:
    uint32_t m_position = 0;
    uint32_t m_size = 0;
    const uint8_t* m_data = nullptr;
};

// A whole file read into a buffer that it owns (allocated with new[]).
class cBufferedFile : public cMemoryFile {
public:
    cBufferedFile(uint8_t* buffer, uint32_t size);
    ~cBufferedFile() override;
    cBufferedFile(const cBufferedFile&) = delete;
    cBufferedFile& operator=(const cBufferedFile&) = delete;

private:
    uint8_t* m_buffer;
};

// A package entry inflated with zlib. When the entry does not inflate to the
// size given, the file is empty (size 0, every Read fails).
class cCompressedFile : public cMemoryFile {
public:
    cCompressedFile(const uint8_t* base, uint32_t offset, uint32_t storedSize, uint32_t unpackedSize);
    ~cCompressedFile() override;
    cCompressedFile(const cCompressedFile&) = delete;
    cCompressedFile& operator=(const cCompressedFile&) = delete;

private:
    uint8_t* m_inflated = nullptr;
};

// A regular file mapped read-only.
class cMappedFile : public cMemoryFile {
public:
    cMappedFile() : cMemoryFile(nullptr, 0) { }
    ~cMappedFile() override;
    cMappedFile(const cMappedFile&) = delete;
    cMappedFile& operator=(const cMappedFile&) = delete;

    // Only reading is supported; asking for writing fails. Empty files,
    // files of 4 GiB or more and anything but a regular file do not map.
    bool Open(const std::wstring& path, bool forWriting);

private:
    void Unmap();
    void* m_view = nullptr;
    size_t m_mappedSize = 0;
};

namespace resources {

// The whole-file read of the file manager and the package reader: a mapping
// when possible, else the file read whole into a buffer. An empty file gives
// an empty file (size 0, no data); a missing or unreadable one gives null.
iFile* OpenWholeFile(const std::wstring& path);

// The largest player file (settings, profiles, highscores, saved games, lot
// files) that is read; a larger one is refused unread.
constexpr uint64_t kPlayerFileLimit = 1024 * 1024;
// False, with a log line naming `who`, when the file at the path is larger
// than kPlayerFileLimit; true for a smaller or missing one.
bool FitsPlayerFileLimit(const wchar_t* who, const std::wstring& path);

} // namespace resources
