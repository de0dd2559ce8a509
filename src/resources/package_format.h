// The on-disk layout of ".pkg" archives: a 32-byte header, the entries' data,
// and a directory at the end of the file, TEA-enciphered when flag 0x80 is set.
// All integers are little-endian and are read field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace package_format {

constexpr uint32_t kMagic = 0x48435241; // "ARCH"
constexpr uint32_t kNewestVersion = 0x01000009;
constexpr uint32_t kHeaderSize = 32;
constexpr uint32_t kRecordSize = 24;
constexpr uint32_t kMaxNameUnits = 1023;
constexpr uint8_t kFlagEnciphered = 0x80;
constexpr uint16_t kAttrDirectory = 0x10;
constexpr uint16_t kAttrStored = 0x8000;
constexpr uint32_t kNoOffset = 0xFFFFFFFF;
// Deflate never expands a byte into more than 1032; a record that claims more
// is refused instead of allocating what it asks for.
constexpr uint64_t kMaxInflateRatio = 1032;

struct Header {
    uint32_t magic = 0;
    uint32_t version = 0;
    uint32_t key0 = 0;
    uint32_t time = 0;
    uint32_t directoryOffset = 0;
    uint32_t directorySize = 0;
    uint32_t key3 = 0;
    uint16_t recordCount = 0;
    uint8_t flags = 0;
    uint8_t checksum = 0;
};

struct Record {
    uint32_t crc = 0;
    uint32_t time = 0;
    uint32_t storedSize = 0;
    uint32_t unpackedSize = 0;
    uint32_t offset = 0;
    uint16_t nameLength = 0;
    uint16_t attributes = 0;
};

Header ParseHeader(const uint8_t* bytes);           // kHeaderSize bytes
void SerializeHeader(const Header& header, uint8_t* bytes); // kHeaderSize bytes
// The complement of the low byte of the sum of bytes 0..30.
uint8_t HeaderChecksum(const uint8_t* bytes);
bool HeaderIsValid(const uint8_t* bytes);

Record ParseRecord(const uint8_t* bytes); // kRecordSize bytes
void AppendRecord(std::vector<uint8_t>& out, const Record& record);

// Standard reflected CRC-32 (0xEDB88320); pass the previous result to continue.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

// TEA over whole 8-byte blocks, keyed by header words 8, 16, 20 and 24.
void Encipher(uint8_t* data, size_t size, const Header& header);
void Decipher(uint8_t* data, size_t size, const Header& header);

} // namespace package_format
