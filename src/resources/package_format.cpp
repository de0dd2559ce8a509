#include "resources/package_format.h"

#include <array>

namespace package_format {

namespace {

uint32_t Get32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16
        | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void Put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

constexpr uint32_t kDelta = 0x9E3779B9;

struct Key {
    uint32_t k0, k1, k2, k3;
};

Key KeyOf(const Header& h)
{
    return {h.key0, h.directoryOffset, h.directorySize, h.key3};
}

} // namespace

Header ParseHeader(const uint8_t* b)
{
    Header h;
    h.magic = Get32(b);
    h.version = Get32(b + 4);
    h.key0 = Get32(b + 8);
    h.time = Get32(b + 12);
    h.directoryOffset = Get32(b + 16);
    h.directorySize = Get32(b + 20);
    h.key3 = Get32(b + 24);
    h.recordCount = Get16(b + 28);
    h.flags = b[30];
    h.checksum = b[31];
    return h;
}

void SerializeHeader(const Header& h, uint8_t* b)
{
    Put32(b, h.magic);
    Put32(b + 4, h.version);
    Put32(b + 8, h.key0);
    Put32(b + 12, h.time);
    Put32(b + 16, h.directoryOffset);
    Put32(b + 20, h.directorySize);
    Put32(b + 24, h.key3);
    Put16(b + 28, h.recordCount);
    b[30] = h.flags;
    b[31] = h.checksum;
}

uint8_t HeaderChecksum(const uint8_t* bytes)
{
    uint32_t sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>(~sum);
}

bool HeaderIsValid(const uint8_t* bytes)
{
    const Header h = ParseHeader(bytes);
    return h.magic == kMagic && h.version <= kNewestVersion && h.checksum == HeaderChecksum(bytes);
}

Record ParseRecord(const uint8_t* b)
{
    Record r;
    r.crc = Get32(b);
    r.time = Get32(b + 4);
    r.storedSize = Get32(b + 8);
    r.unpackedSize = Get32(b + 12);
    r.offset = Get32(b + 16);
    r.nameLength = Get16(b + 20);
    r.attributes = Get16(b + 22);
    return r;
}

void AppendRecord(std::vector<uint8_t>& out, const Record& r)
{
    uint8_t b[kRecordSize];
    Put32(b, r.crc);
    Put32(b + 4, r.time);
    Put32(b + 8, r.storedSize);
    Put32(b + 12, r.unpackedSize);
    Put32(b + 16, r.offset);
    Put16(b + 20, r.nameLength);
    Put16(b + 22, r.attributes);
    out.insert(out.end(), b, b + kRecordSize);
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t {};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Encipher(uint8_t* data, size_t size, const Header& header)
{
    const Key k = KeyOf(header);
    for (size_t at = 0; at + 8 <= size; at += 8) {
        uint32_t a = Get32(data + at), b = Get32(data + at + 4), sum = 0;
        for (int i = 0; i < 32; ++i) {
            sum += kDelta;
            a += ((b << 4) + k.k0) ^ (b + sum) ^ ((b >> 5) + k.k1);
            b += ((a << 4) + k.k2) ^ (a + sum) ^ ((a >> 5) + k.k3);
        }
        Put32(data + at, a);
        Put32(data + at + 4, b);
    }
}

void Decipher(uint8_t* data, size_t size, const Header& header)
{
    const Key k = KeyOf(header);
    for (size_t at = 0; at + 8 <= size; at += 8) {
        uint32_t a = Get32(data + at), b = Get32(data + at + 4), sum = 0xC6EF3720;
        for (int i = 0; i < 32; ++i) {
            b -= ((a << 4) + k.k2) ^ (a + sum) ^ ((a >> 5) + k.k3);
            a -= ((b << 4) + k.k0) ^ (b + sum) ^ ((b >> 5) + k.k1);
            sum -= kDelta;
        }
        Put32(data + at, a);
        Put32(data + at + 4, b);
    }
}

} // namespace package_format
