#include "package_bytes.h"

#include <zlib.h>

#include "platform/utf16.h"

namespace test {

using namespace package_format;

RawEntry MakeEntry(const std::wstring& name, const std::string& content, bool stored)
{
    RawEntry e { name, Bytes(content), {}, false };
    e.record.attributes = 0x20 | (stored ? kAttrStored : 0);
    e.record.crc = content.empty() ? 0 : Crc32(e.stored.data(), e.stored.size());
    e.record.unpackedSize = static_cast<uint32_t>(content.size());
    if (!stored) {
        uLongf length = compressBound(static_cast<uLong>(content.size()));
        e.stored.resize(length);
        compress2(e.stored.data(), &length, reinterpret_cast<const Bytef*>(content.data()), uLong(content.size()), 9);
        e.stored.resize(length);
    }
    return e;
}

std::vector<uint8_t> RawPackage::Build() const
{
    std::vector<uint8_t> file(kHeaderSize, 0), directory;
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
    directory.resize((directory.size() + 7) & ~size_t(7), 0);
    Header h = header;
    if (!fixHeader)
        h = { kMagic, kNewestVersion, 0x12345678, 0, uint32_t(file.size()), uint32_t(directory.size()), 0x9ABCDEF0,
            uint16_t(entries.size()), kFlagEnciphered, 0 };
    Encipher(directory.data(), directory.size(), h);
    file.insert(file.end(), directory.begin(), directory.end());
    SerializeHeader(h, file.data());
    file[31] = HeaderChecksum(file.data());
    return file;
}

} // namespace test
