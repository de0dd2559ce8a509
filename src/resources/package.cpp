#include "resources/package.h"

#include <algorithm>
#include <unistd.h>

#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/text.h"

using namespace package_format;

namespace resources {

std::wstring PackageEntryKey(const std::wstring& name)
{
    std::wstring key = LowerCase(name);
    std::replace(key.begin(), key.end(), L'\\', L'/');
    return key;
}

} // namespace resources

namespace {

std::wstring CurrentFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? platform::PathToWide(buffer) : std::wstring();
}

} // namespace

cPackage::~cPackage()
{
    Close();
}

bool cPackage::Open(const std::wstring& path)
{
    if (IsOpen() && resources::NormalisePath(path) == resources::NormalisePath(m_path))
        return true;
    Close();
    m_openFolder = CurrentFolder();
    m_source.reset(resources::OpenWholeFile(path));
    if (!m_source)
        return false; // a missing package is normal: the loose folder stands in
    m_path = path;
    m_fullPath = resources::IsAbsolute(path) ? path : m_openFolder + L"/" + path;
    if (!Load()) {
        Close();
        return false;
    }
    m_nextOffset = kHeaderSize;
    return true;
}

bool cPackage::Load()
{
    uint8_t bytes[kHeaderSize];
    uint32_t read = 0;
    if (!m_source->Seek(0, 0) || !m_source->Read(bytes, 1, kHeaderSize, &read) || read != 1
        || !HeaderIsValid(bytes)) {
        cLog::Instance().Warning(L"cPackage::Open -> \"%ls\" is not a valid package.", m_path.c_str());
        return false;
    }
    m_header = ParseHeader(bytes);
    if (!ReadDirectory()) {
        cLog::Instance().Warning(L"cPackage::Open -> the directory of \"%ls\" is damaged.", m_path.c_str());
        return false;
    }
    return true;
}

bool cPackage::ReadDirectory()
{
    const uint32_t size = m_header.directorySize;
    const uint8_t* data = m_source->GetData();
    const uint32_t fileSize = m_source->GetSize();
    // The directory fills the end of the file, after the header.
    if (!data || size > fileSize - kHeaderSize)
        return false;
    std::vector<uint8_t> buffer((static_cast<size_t>(size) + 7) & ~static_cast<size_t>(7), 0);
    std::copy(data + (fileSize - size), data + fileSize, buffer.begin());
    if ((m_header.flags & kFlagEnciphered) && !buffer.empty())
        Decipher(buffer.data(), buffer.size(), m_header);

    cMemoryFile walk(buffer.data(), size);
    for (uint32_t i = 0; i < m_header.recordCount; ++i) {
        uint8_t fixed[kRecordSize];
        uint32_t got = 0;
        if (!walk.Read(fixed, 1, kRecordSize, &got) || got != 1)
            return false; // more records than the directory holds
        const Record record = ParseRecord(fixed);
        if (record.nameLength > kMaxNameUnits)
            return false;
        std::vector<uint8_t> name(static_cast<size_t>(record.nameLength) * 2);
        if (!name.empty() && (!walk.Read(name.data(), 1, static_cast<uint32_t>(name.size()), &got) || got != 1))
            return false;
        const std::wstring stored = platform::Utf16LeToWide(name.data(), name.size());
        const std::wstring key = resources::PackageEntryKey(stored);
        if (m_records.count(key))
            return false;
        m_records[key] = record;
        m_names[key] = stored;
    }
    return true;
}

void cPackage::Close()
{
    m_openFiles.clear();
    m_source.reset();
    m_nextOffset = 0;
    if (m_output)
        Commit();
    m_records.clear();
    m_names.clear();
    m_path.clear();
    m_fullPath.clear();
    m_tempPath.clear();
}

bool cPackage::HasEntry(const std::wstring& name) const
{
    return m_names.count(resources::PackageEntryKey(name)) != 0;
}

bool cPackage::EntryIsSound(const std::wstring& key, const Record& record) const
{
    if (record.attributes & kAttrDirectory)
        return true;
    const uint64_t end = static_cast<uint64_t>(record.offset) + record.storedSize;
    const uint64_t dataEnd = m_source ? m_source->GetSize() - static_cast<uint64_t>(m_header.directorySize) : 0;
    bool sound = record.offset >= kHeaderSize && end <= dataEnd;
    if (sound && !(record.attributes & kAttrStored))
        sound = record.unpackedSize <= static_cast<uint64_t>(record.storedSize) * kMaxInflateRatio;
    if (!sound) {
        cLog::Instance().Error(L"cPackage::OpenEntry -> entry \"%ls\" of \"%ls\" lies outside the package.",
                               m_names.at(key).c_str(), m_path.c_str());
    }
    return sound;
}

void cPackage::CommitPendingFirst()
{
    if (m_output && !m_source) {
        const std::wstring path = m_path;
        Close();
        Open(path);
    }
}

iFile* cPackage::OpenEntry(const std::wstring& name)
{
    if (!IsOpen() || !HasEntry(name))
        return nullptr;
    CommitPendingFirst();
    const std::wstring key = resources::PackageEntryKey(name);
    const auto it = m_records.find(key);
    if (!m_source || it == m_records.end())
        return nullptr;
    const Record& record = it->second;
    if ((record.attributes & kAttrDirectory) || !EntryIsSound(key, record))
        return nullptr;
    const uint8_t* data = m_source->GetData();
    std::unique_ptr<iFile> file;
    if (record.attributes & kAttrStored)
        file = std::make_unique<cMemoryFile>(data + record.offset, record.storedSize);
    else
        file = std::make_unique<cCompressedFile>(data, record.offset, record.storedSize, record.unpackedSize);
    iFile* raw = file.get();
    m_openFiles.push_back(std::move(file));
    return raw;
}

void cPackage::ReleaseFile(iFile* file)
{
    m_openFiles.remove_if([file](const std::unique_ptr<iFile>& f) { return f.get() == file; });
}

const cPackage::EntryInfo* cPackage::GetEntryInfo(const std::wstring& name)
{
    const std::wstring key = resources::PackageEntryKey(name);
    const auto it = m_records.find(key);
    if (it == m_records.end())
        return nullptr;
    const Record& r = it->second;
    m_info = {r.crc, static_cast<uint16_t>(r.attributes & ~kAttrStored), r.time, r.storedSize, r.unpackedSize,
              m_names[key]};
    return &m_info;
}

bool cPackage::GetHeader(uint8_t* destination) const
{
    if (!IsOpen() || !destination)
        return false;
    SerializeHeader(m_header, destination);
    return true;
}

bool cPackage::ListEntries(std::vector<EntryInfo>& list) const
{
    if (!IsOpen())
        return false;
    for (const auto& [key, r] : m_records)
        list.push_back({r.crc, r.attributes, r.time, r.storedSize, r.unpackedSize, m_names.at(key)});
    return true;
}

bool cPackage::VerifyEntry(const std::wstring& name)
{
    const auto it = m_records.find(resources::PackageEntryKey(name));
    if (it == m_records.end())
        return false;
    if (it->second.attributes & kAttrDirectory)
        return true;
    const uint32_t expectedCrc = it->second.crc;
    const uint32_t expectedSize = it->second.unpackedSize;
    iFile* file = OpenEntry(name);
    if (!file)
        return false;
    uint8_t chunk[8192];
    uint32_t crc = 0;
    uint64_t total = 0;
    for (;;) {
        uint32_t got = 0;
        if (!file->Read(chunk, sizeof chunk, 1, &got) || got == 0)
            break;
        crc = Crc32(chunk, got, crc);
        total += got;
    }
    ReleaseFile(file);
    return crc == expectedCrc && total == expectedSize;
}

bool cPackage::VerifyAll()
{
    if (!m_source)
        return false;
    std::vector<std::wstring> names;
    for (const auto& [key, stored] : m_names)
        names.push_back(stored);
    return std::all_of(names.begin(), names.end(), [this](const std::wstring& n) { return VerifyEntry(n); });
}
