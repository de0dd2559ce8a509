// The package writer: new packages and rewrites of open ones. A rewrite goes
// to a temporary file in the package's folder that replaces the package by
// rename, so a crash or a full disk leaves the old package whole.
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/package.h"
#include "resources/text.h"

using namespace package_format;

namespace {

// Key words 0 and 3 of the directory key; the reader takes them from the header.
constexpr uint32_t kKeyWord0 = 0x4C444E56;
constexpr uint32_t kKeyWord3 = 0x31474B50;
constexpr size_t kMaxRecords = 0xFFFF;

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring::npos ? L"." : (slash == 0 ? L"/" : path.substr(0, slash));
}

} // namespace

bool cPackage::OpenTemporary()
{
    const std::wstring folder = FolderOf(m_fullPath);
    for (unsigned n = 1; n < 1024; ++n) {
        wchar_t name[32];
        std::swprintf(name, 32, L"/package_%x.tmp", n);
        const std::wstring candidate = folder + name;
        const int fd = ::open(resources::ToNativePath(candidate).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        ::close(fd);
        auto output = std::make_unique<cStdFile>();
        if (!output->Open(candidate, true)) {
            ::unlink(resources::ToNativePath(candidate).c_str());
            return false;
        }
        uint8_t placeholder[kHeaderSize] = {};
        if (!output->Write(placeholder, 1, kHeaderSize, nullptr)) {
            output.reset();
            ::unlink(resources::ToNativePath(candidate).c_str());
            return false;
        }
        m_output = std::move(output);
        m_tempPath = candidate;
        m_nextOffset = kHeaderSize;
        return true;
    }
    cLog::Instance().Error(L"cPackage::BeginRewrite -> no temporary file for \"%ls\".", m_path.c_str());
    return false;
}

bool cPackage::Create(const std::wstring& path)
{
    Close();
    char buffer[4096];
    m_openFolder = getcwd(buffer, sizeof buffer) ? platform::PathToWide(buffer) : std::wstring();
    m_path = path;
    m_fullPath = resources::IsAbsolute(path) ? path : m_openFolder + L"/" + path;
    if (!OpenTemporary()) {
        m_path.clear();
        m_fullPath.clear();
        return false;
    }
    return true;
}

bool cPackage::BeginRewrite()
{
    if (!m_source || m_output)
        return false;
    if (!m_openFiles.empty()) {
        // Stored entries are views into the package we are about to replace.
        cLog::Instance().Error(L"cPackage::BeginRewrite -> entries of \"%ls\" are still open.", m_path.c_str());
        return false;
    }
    if (!OpenTemporary())
        return false;
    std::map<std::wstring, Record> renumbered = m_records;
    bool ok = true;
    for (auto& [key, record] : renumbered) {
        if (record.attributes & kAttrDirectory)
            continue;
        if (!EntryIsSound(key, record)) {
            ok = false;
            break;
        }
        if (record.storedSize
            && !m_output->Write(m_source->GetData() + record.offset, 1, record.storedSize, nullptr)) {
            ok = false;
            break;
        }
        record.offset = m_nextOffset;
        m_nextOffset = m_output->Tell();
    }
    if (!ok) {
        m_output.reset();
        ::unlink(resources::ToNativePath(m_tempPath).c_str());
        m_tempPath.clear();
        return false;
    }
    m_records = std::move(renumbered);
    m_source.reset();
    return true;
}

bool cPackage::Add(const std::wstring& path, const std::wstring& name, bool stored)
{
    const std::wstring key = resources::PackageEntryKey(name);
    const std::vector<uint8_t> nameBytes = platform::WideToUtf16Le(name);
    if (m_names.count(key) || nameBytes.size() / 2 > kMaxNameUnits || m_records.size() >= kMaxRecords)
        return false;
    if (!m_output && !BeginRewrite())
        return false;

    struct stat st {};
    const bool haveStat = ::stat(resources::ToNativePath(path).c_str(), &st) == 0;
    Record record;
    record.time = haveStat ? static_cast<uint32_t>(st.st_mtime) : 0;
    record.nameLength = static_cast<uint16_t>(nameBytes.size() / 2);
    record.attributes = haveStat ? static_cast<uint16_t>((st.st_mode & S_IWUSR) ? 0x20 : 0x21) : 0x20;

    std::unique_ptr<iFile> source(resources::OpenWholeFile(path));
    if (!source) {
        if (!haveStat || !S_ISDIR(st.st_mode))
            return false;
        record.offset = kNoOffset;
        record.attributes = kAttrDirectory;
    } else {
        const uint8_t* data = source->GetData();
        const uint32_t size = source->GetSize();
        std::vector<uint8_t> packed;
        if (stored) {
            packed.assign(data, data + size);
            record.attributes |= kAttrStored;
        } else {
            uLongf length = compressBound(size);
            packed.resize(length);
            if (compress2(packed.data(), &length, data ? data : packed.data(), size, Z_BEST_COMPRESSION) != Z_OK)
                return false;
            packed.resize(length);
        }
        if (packed.size() > UINT32_MAX - m_nextOffset)
            return false;
        if (!packed.empty() && !m_output->Write(packed.data(), 1, static_cast<uint32_t>(packed.size()), nullptr))
            return false;
        record.crc = size ? Crc32(data, size) : 0;
        record.storedSize = static_cast<uint32_t>(packed.size());
        record.unpackedSize = size;
        record.offset = m_nextOffset;
        m_nextOffset = m_output->Tell();
    }
    m_records[key] = record;
    m_names[key] = name;
    return true;
}

bool cPackage::WriteDirectory()
{
    std::vector<uint8_t> directory;
    for (const auto& [key, record] : m_records) {
        AppendRecord(directory, record);
        platform::AppendUtf16Le(directory, m_names[key]);
    }
    directory.resize((directory.size() + 7) & ~static_cast<size_t>(7), 0);
    if (directory.size() > UINT32_MAX - m_output->Tell())
        return false;

    Header header;
    header.magic = kMagic;
    header.version = kNewestVersion;
    header.key0 = kKeyWord0;
    header.time = static_cast<uint32_t>(std::time(nullptr));
    header.directoryOffset = m_output->Tell();
    header.directorySize = static_cast<uint32_t>(directory.size());
    header.key3 = kKeyWord3;
    header.recordCount = static_cast<uint16_t>(m_records.size());
    header.flags = kFlagEnciphered;
    Encipher(directory.data(), directory.size(), header);

    uint8_t bytes[kHeaderSize];
    SerializeHeader(header, bytes);
    header.checksum = HeaderChecksum(bytes);
    bytes[31] = header.checksum;
    m_header = header;
    return (directory.empty() || m_output->Write(directory.data(), 1, static_cast<uint32_t>(directory.size()), nullptr))
        && m_output->Seek(0, 0) && m_output->Write(bytes, 1, kHeaderSize, nullptr) && m_output->Flush();
}

bool cPackage::Commit()
{
    if (!m_output)
        return false;
    bool ok = WriteDirectory();
    m_output.reset();
    const std::string temp = resources::ToNativePath(m_tempPath);
    // rename() replaces the old package in one step; it is never deleted first.
    ok = ok && ::rename(temp.c_str(), resources::ToNativePath(m_fullPath).c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        cLog::Instance().Error(L"cPackage::Commit -> unable to write \"%ls\".", m_path.c_str());
    }
    m_tempPath.clear();
    return ok;
}

bool cPackage::RewriteNow()
{
    const std::wstring path = m_path;
    const bool ok = BeginRewrite() && Commit();
    // Either way the maps are read again from what is now on disk.
    Close();
    return Open(path) && ok;
}

bool cPackage::RemoveEntry(const std::wstring& name)
{
    return RemoveEntries({name}) == 1;
}

int cPackage::RemoveEntries(const std::vector<std::wstring>& names)
{
    CommitPendingFirst();
    if (!m_source || !m_openFiles.empty())
        return -1;
    int removed = 0;
    for (const std::wstring& name : names) {
        const std::wstring key = resources::PackageEntryKey(name);
        removed += static_cast<int>(m_records.erase(key));
        m_names.erase(key);
    }
    if (removed == 0)
        return 0;
    return RewriteNow() ? removed : -1;
}

bool cPackage::RenameEntry(const std::wstring& oldName, const std::wstring& newName)
{
    CommitPendingFirst();
    const std::wstring oldKey = resources::PackageEntryKey(oldName);
    const std::wstring newKey = resources::PackageEntryKey(newName);
    const std::vector<uint8_t> nameBytes = platform::WideToUtf16Le(newName);
    if (!m_source || !m_openFiles.empty() || !m_records.count(oldKey) || (newKey != oldKey && m_records.count(newKey))
        || nameBytes.size() / 2 > kMaxNameUnits)
        return false;
    Record record = m_records[oldKey];
    record.nameLength = static_cast<uint16_t>(nameBytes.size() / 2);
    m_records.erase(oldKey);
    m_names.erase(oldKey);
    m_records[newKey] = record;
    m_names[newKey] = newName;
    return RewriteNow();
}
