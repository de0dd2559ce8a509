// A font is opened at a size of at least one point; a size of nothing or
// less is refused with a log line, and bigger sizes draw bigger text.
#include "engine/engine_fixture.h"
#include "resources/log.h"

namespace test {
namespace {

    TEST_F(EngineTest, AFontOfNoSizeOrLessIsRefusedAndEveryPositiveSizeOpens)
    {
        const struct {
            int size;
            bool opens;
        } cases[] = { { -12, false }, { -1, false }, { 0, false }, { 1, true }, { 8, true }, { 14, true }, { 40, true } };
        int lastHeight = 0;
        for (const auto& c : cases) {
            std::vector<std::wstring> lines;
            cLog::Instance().SetObserver([&](const wchar_t*, const std::wstring& line) { lines.push_back(line); });
            std::unique_ptr<iGfxFont> font(gfx->CreateFont(L"calibry", c.size, 0));
            cLog::Instance().SetObserver(nullptr);
            ASSERT_EQ(font != nullptr, c.opens) << "size " << c.size;
            if (!font) {
                ASSERT_EQ(lines.size(), 1u) << "size " << c.size;
                EXPECT_NE(lines[0].find(L"size " + std::to_wstring(c.size)), std::wstring::npos) << lines[0];
                continue;
            }
            EXPECT_TRUE(lines.empty()) << "size " << c.size;
            SIZE extent {};
            font->MeasureText(L"Petrol", &extent);
            EXPECT_GT(extent.cy, lastHeight) << "size " << c.size;
            lastHeight = extent.cy;
        }
    }

} // namespace
} // namespace test
