// The recording stand-ins other modules' tests draw into.
#include <gtest/gtest.h>

#include <memory>

#include "support/recording_gfx.h"

namespace test {
namespace {

    TEST(RecordingGfx, InstallsItselfWhileAlive)
    {
        iGfxDevice* before = g_pGfxDevice;
        {
            RecordingGfx gfx;
            EXPECT_EQ(g_pGfxDevice, &gfx);
            EXPECT_EQ(g_pGfx2D, &gfx);
            {
                FakeInput input;
                EXPECT_EQ(g_pInputDevice, &input);
            }
            EXPECT_EQ(g_pInputDevice, nullptr);
        }
        EXPECT_EQ(g_pGfxDevice, before);
        EXPECT_EQ(g_pGfx2D, nullptr);
    }

    TEST(RecordingGfx, RecordsDrawsWithTheirStateAndCountsWhatLives)
    {
        RecordingGfx gfx;
        gfx.charWidth = 7;
        const uint8_t page[] = { 1, 2, 3, 4, 5 };
        std::unique_ptr<iGfxTexture> texture(g_pGfx2D->CreateTextureFromMemory(page, sizeof page, 0, 1, 0));
        std::unique_ptr<iGfxFont> font(g_pGfx2D->CreateFont(L"calibry", 14, 1));
        ASSERT_TRUE(texture && font);
        EXPECT_EQ(g_pGfxDevice->GetZombieBytes(), 5 + 1024);

        SIZE size;
        font->MeasureText(L"Tank", &size);
        EXPECT_EQ(size.cx, 28);
        EXPECT_EQ(size.cy, 14);

        g_pGfx2D->SetColor(0x80FF0000);
        g_pGfx2D->SetTexture(texture.get());
        RECT source { 1, 2, 3, 4 };
        RECT target { 10, 20, 12, 22 };
        g_pGfx2D->DrawTexture(&source, &target, 0, 0);
        g_pGfx2D->SetTextColorRGBA(1, 2, 3, 255);
        g_pGfx2D->DrawTextAlt(font.get(), 5, 6, L"Hallo", 0);
        g_pGfxDevice->Clear(0, nullptr, 3, 0xFF000000, 0, 0);
        g_pGfx2D->ResetState(2.0f);

        ASSERT_EQ(gfx.draws.size(), 2u);
        EXPECT_EQ(gfx.draws[0].texture, texture.get());
        EXPECT_EQ(gfx.draws[0].color, 0x80FF0000u);
        EXPECT_TRUE(gfx.draws[0].hasSource);
        EXPECT_EQ(gfx.draws[0].target.right, 12);
        EXPECT_EQ(gfx.draws[1].kind, GfxDraw::Kind::TextAlt);
        EXPECT_EQ(gfx.draws[1].textColor, 0xFF010203u);
        EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { L"Hallo" });
        EXPECT_EQ(gfx.calls.back(), "ResetState");
        EXPECT_EQ(gfx.calls[gfx.calls.size() - 2], "Clear 3 0xff000000");
        EXPECT_EQ(gfx.color, 0xFFFFFFFFu);

        texture.reset();
        font.reset();
        EXPECT_EQ(g_pGfxDevice->GetZombieBytes(), 0);
        EXPECT_EQ(gfx.TexturesAlive(), 0);
    }

} // namespace
} // namespace test
