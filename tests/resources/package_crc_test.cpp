// Package records carry the standard CRC-32 of each entry's content, so that
// packages made by other tools read here and ours read there: the check value
// of the CRC-32 catalogue and zlib's own crc32 must agree with ours, whole or
// continued piece by piece.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

#include "resources/package_format.h"

namespace {

TEST(PackageCrc, IsTheStandardCrc32WholeOrContinued)
{
    const std::string check = "123456789";
    EXPECT_EQ(package_format::Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    std::vector<uint8_t> every(256);
    for (size_t i = 0; i < every.size(); ++i)
        every[i] = static_cast<uint8_t>(255 - i);
    const std::vector<std::vector<uint8_t>> contents = {
        {}, { 0 }, { 0xFF }, { 0x80, 0x01 }, every, std::vector<uint8_t>(1000, 0x5A),
    };
    for (const auto& content : contents) {
        const uint32_t expected = static_cast<uint32_t>(crc32(0L, content.data(), static_cast<uInt>(content.size())));
        EXPECT_EQ(package_format::Crc32(content.data(), content.size()), expected) << content.size() << " bytes";
        for (size_t split = 0; split <= content.size(); split += 1 + content.size() / 7) {
            const uint32_t first = package_format::Crc32(content.data(), split);
            EXPECT_EQ(package_format::Crc32(content.data() + split, content.size() - split, first), expected)
                << content.size() << " bytes split at " << split;
        }
    }
}

} // namespace
