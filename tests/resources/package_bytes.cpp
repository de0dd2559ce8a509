#include "package_bytes.h"

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <zlib.h>

#include "platform/utf16.h"

namespace test {

using namespace package_format;

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    m_handler = reinterpret_cast<void*>(std::signal(SIGXFSZ, SIG_IGN));
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previous[0] = limit.rlim_cur;
    m_previous[1] = limit.rlim_max;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit {m_previous[0], m_previous[1]};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, reinterpret_cast<void (*)(int)>(m_handler));
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

RawEntry MakeEntry(const std::wstring& name, const std::string& content, bool stored)
{
    RawEntry e;
    e.name = name;
    const auto raw = Bytes(content);
    if (stored) {
        e.stored = raw;
        e.record.attributes = 0x20 | kAttrStored;
    } else {
        uLongf length = compressBound(static_cast<uLong>(raw.size()));
        e.stored.resize(length);
        compress2(e.stored.data(), &length, raw.data(), static_cast<uLong>(raw.size()), 9);
        e.stored.resize(length);
        e.record.attributes = 0x20;
    }
    e.record.crc = raw.empty() ? 0 : Crc32(raw.data(), raw.size());
    e.record.unpackedSize = static_cast<uint32_t>(raw.size());
    return e;
}

std::vector<uint8_t> RawPackage::Build() const
{
    std::vector<uint8_t> file(kHeaderSize, 0);
    std::vector<uint8_t> directory;
    for (const RawEntry& e : entries) {
        Record r = e.record;
        const auto name = platform::WideToUtf16Le(e.name);
        if (!e.fixRecord) {
            r.offset = static_cast<uint32_t>(file.size());
            r.storedSize = static_cast<uint32_t>(e.stored.size());
            r.nameLength = static_cast<uint16_t>(name.size() / 2);
        }
        file.insert(file.end(), e.stored.begin(), e.stored.end());
        AppendRecord(directory, r);
        directory.insert(directory.end(), name.begin(), name.end());
    }
    Header h = header;
    if (!fixHeader) {
        h.magic = kMagic;
        h.version = kNewestVersion;
        h.key0 = 0x12345678;
        h.key3 = 0x9ABCDEF0;
        h.directoryOffset = static_cast<uint32_t>(file.size());
        h.directorySize = static_cast<uint32_t>(directory.size());
        h.recordCount = static_cast<uint16_t>(entries.size());
        h.flags = encipher ? kFlagEnciphered : 0;
    }
    if (encipher) {
        directory.resize((directory.size() + 7) & ~size_t(7), 0);
        if (!fixHeader)
            h.directorySize = static_cast<uint32_t>(directory.size());
        Encipher(directory.data(), directory.size(), h);
    }
    file.insert(file.end(), directory.begin(), directory.end());
    SerializeHeader(h, file.data());
    if (fixChecksum)
        file[31] = HeaderChecksum(file.data());
    return file;
}

} // namespace test
