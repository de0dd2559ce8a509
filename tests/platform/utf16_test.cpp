#include <gtest/gtest.h>

#include "platform/game_random.h"
#include "platform/utf16.h"

using namespace platform;

TEST(Utf16, RoundTripsAndBrokenInputStaysInBounds)
{
    const std::wstring text = L"Tankstelle \u00e4 \u0444 \U0001F697";
    const auto bytes = WideToUtf16Le(text);
    EXPECT_EQ(bytes.size(), (text.size() + 1) * 2); // the car needs a surrogate pair
    EXPECT_EQ(Utf16LeToWide(bytes.data(), bytes.size()), text);
    const uint8_t odd[] = { 'A', 0, 0x00, 0xD8, 'B' };
    EXPECT_EQ(Utf16LeToWide(odd, sizeof odd), L"A\uFFFD");
    EXPECT_EQ(NarrowToWide("gr\xfcn"), L"gr\u00fcn"); // not UTF-8: Latin-1
    for (const std::string path : { "/home/caf\xe9/\xff\xfe\xc3(", "/home/gr\xc3\xbcn/\xed\xb2\x80" })
        EXPECT_EQ(WideToPath(PathToWide(path)), path); // a path keeps its bytes, UTF-8 or not
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41); // the game's generator follows the known sequence
    EXPECT_EQ(GameRand(), 18467);
}
