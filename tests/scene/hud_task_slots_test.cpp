// The head-up display's task slots and help bubbles: which lines show where,
// the counters, the blink and gong of a changed value, the pause while the
// cursor rests on a slot, and the bubble's pieces and wrapping.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

const std::vector<std::string> kSlotImages = { "slot_3.png", "slot_3_over.png", "element2a.png", "element3a.png",
    "element4a.png", "element5a.png", "element_new_station.png", "element_kaktus_blume.png", "element_wbaum.png",
    "element_manager.png", "element_sport.png", "shop_help2_03", "shop_help2_02", "shop_help2_01", "shop_help2_left_03",
    "shop_help2_left_02", "shop_help2_left_01" };

// The slot column starts 240 pixels from the right edge at 1280.
constexpr int kX0 = 1280 - 240;

class HudTaskSlotsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        made = std::make_unique<test::NumberedSubmenu>();
        WriteSet("data/gui/interface/menu/menu_submenu", kSlotImages);
        made->LoadPages(L"data/gui/interface/menu/menu_submenu");
        MoveMouse(10, 500);
    }
    void Line(int n, int value, int target, bool active = true)
    {
        world.messageReal[n] = value;
        world.messageTarget[n] = target;
        world.taskLineLastValues[n] = value;
        world.messageActive[n] = active ? 1 : 0;
        world.taskLineCount = std::max(world.taskLineCount, n + 1);
    }
    void Frame()
    {
        gfx.ClearRecords();
        made->numbers.clear();
        Wait(17);
        made->DrawTaskSlots();
    }
    // The slot frames drawn: their y and whether dimmed.
    std::vector<std::pair<int, bool>> Frames() const
    {
        std::vector<std::pair<int, bool>> frames;
        for (const test::HudImage& image : Images()) {
            if (image.name == "slot_3.png" || image.name == "slot_3_over.png")
                frames.push_back({ image.y, image.colour == MakeARGB(155, 155, 155, 155) });
        }
        return frames;
    }

    // Made after the frame clock is reset, so its timers start on that clock.
    std::unique_ptr<test::NumberedSubmenu> made;
};

TEST_F(HudTaskSlotsTest, ActiveUnfinishedLinesStackDownTheRightEdge)
{
    Line(0, 1, 5);
    Line(1, 5, 5); // finished
    Line(2, 0, 3);
    Line(3, 2, 0); // no target: shown while active
    Line(4, 0, 2, false); // not active
    Line(14, 100, 500); // the points target
    Frame();
    const std::vector<std::pair<int, bool>> frames = Frames();
    const std::vector<std::pair<int, bool>> expected = { { 10, false }, { 90, false }, { 170, false } };
    EXPECT_EQ(frames, expected);
    const std::vector<std::string> icons
        = { "slot_3.png", "element2a.png", "slot_3.png", "element4a.png", "slot_3.png", "element5a.png" };
    EXPECT_EQ(ImageNames(), icons);
    const auto icon = FindImage("element4a.png");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->x, kX0 + 10);
    EXPECT_EQ(icon->y, 90);
    ASSERT_EQ(made->numbers.size(), 3u);
    EXPECT_EQ(made->numbers[0].text, L"1 / 5");
    EXPECT_EQ(made->numbers[2].text, L"2 / 0");
    for (const auto& n : made->numbers) {
        EXPECT_TRUE(n.small);
        EXPECT_EQ(n.alignRight, 1);
        EXPECT_EQ(n.x, kX0 + 220);
    }
    EXPECT_EQ(made->numbers[1].y, 90 + 30);
}

TEST_F(HudTaskSlotsTest, SlotsAreScaledBelowTheirUnscaledTopMargin)
{
    cSettings::Instance().SetResolution(1024, 768);
    Line(0, 1, 5);
    Line(1, 1, 5);
    Frame();
    const int x0 = 1024 - static_cast<int>(240 / 1.25f);
    const std::vector<std::pair<int, bool>> expected = { { 10, false }, { 10 + static_cast<int>(80 / 1.33f), false } };
    EXPECT_EQ(Frames(), expected);
    EXPECT_EQ(FindImage("slot_3.png")->x, x0);
}

TEST_F(HudTaskSlotsTest, NothingShowsOverTheResultScreenOrTheFirstTaskDialog)
{
    Line(0, 1, 5);
    const struct {
        int result;
        int book;
        int intro;
        bool shown;
    } cases[] = { { 1, 0, 0, false }, { 0, 1, 1, false }, { 0, 1, 0, true }, { 0, 0, 1, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.result << c.book << c.intro);
        world.resultScreenOpen = static_cast<uint8_t>(c.result);
        world.taskBookOpen = static_cast<uint8_t>(c.book);
        world.taskIntroPending = c.intro;
        Frame();
        EXPECT_EQ(!gfx.draws.empty(), c.shown);
    }
}

TEST_F(HudTaskSlotsTest, AChangedValueGongsOnceAndBlinksForElevenFlips)
{
    Line(0, 1, 5);
    Line(1, 1, 5);
    Frame();
    EXPECT_EQ(Played("gong"), 0);
    world.messageReal[1] = 2;
    Frame();
    EXPECT_EQ(Played("gong"), 1);
    EXPECT_EQ(world.taskLineLastValues[1], 2);
    // One flip per more than 0.17 s, the second slot only.
    std::vector<bool> dimmed;
    for (int i = 0; i < 14; ++i) {
        Wait(171);
        Frame();
        const auto frames = Frames();
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_FALSE(frames[0].second);
        dimmed.push_back(frames[1].second);
    }
    const std::vector<bool> expected
        = { true, false, true, false, true, false, true, false, true, false, false, false, false, false };
    EXPECT_EQ(dimmed, expected);
    EXPECT_EQ(Played("gong"), 1);
}

TEST_F(HudTaskSlotsTest, AChangeOnAnotherLineMovesTheBlink)
{
    Line(0, 1, 5);
    Line(1, 1, 5);
    world.messageReal[0] = 2;
    Frame();
    Wait(171);
    Frame();
    EXPECT_TRUE(Frames()[0].second);
    world.messageReal[1] = 3;
    Wait(171);
    Frame();
    EXPECT_FALSE(Frames()[0].second);
    EXPECT_EQ(Played("gong"), 2);
}

TEST_F(HudTaskSlotsTest, RestingOnASlotPausesAndShowsItsTextLeavingResumes)
{
    Line(0, 1, 5);
    Line(1, 1, 5);
    Line(2, 1, 5);
    MoveMouse(kX0 + 100, 170 + 40); // the third slot
    for (int i = 0; i < 3; ++i) {
        Frame();
        EXPECT_TRUE(world.IsPaused());
        EXPECT_EQ(world.slotHoverPause, 1);
    }
    EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { L"text 105" });
    const auto over = FindImage("slot_3_over.png");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->y, 170);
    const auto head = FindImage("shop_help2_03");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->x, kX0 - 280 + 15);
    EXPECT_EQ(head->y, 170 + 60 - 2);

    MoveMouse(kX0 + 100, 90 + 40); // straight onto the second slot
    Frame();
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { L"text 104" });

    MoveMouse(10, 500);
    Frame();
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(world.slotHoverPause, 0);
}

TEST_F(HudTaskSlotsTest, APauseMadeElsewhereIsNeitherTakenNorEnded)
{
    Line(0, 1, 5);
    world.SetPause(true);
    MoveMouse(kX0 + 100, 40);
    Frame();
    EXPECT_EQ(world.slotHoverPause, 0);
    MoveMouse(10, 500);
    Frame();
    EXPECT_TRUE(world.IsPaused());
}

TEST_F(HudTaskSlotsTest, TheGameRunsAgainWhenTheRestedOnSlotIsGone)
{
    Line(0, 1, 5);
    MoveMouse(kX0 + 100, 40);
    Frame();
    ASSERT_TRUE(world.IsPaused());
    world.messageReal[0] = 5;
    Frame();
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(world.slotHoverPause, 0);
}

TEST_F(HudTaskSlotsTest, BubbleOfAnEmptyTextDrawsNothing)
{
    made->DrawShopHelp(0, L"", 100, 100);
    made->DrawShopHelpTinted(1, L"", 100, 100);
    EXPECT_TRUE(gfx.draws.empty());
}

TEST_F(HudTaskSlotsTest, BubbleWrapsTextWiderThan210Pixels)
{
    gfx.charWidth = 1;
    const struct {
        int width;
        int lines;
    } cases[] = { { 210, 1 }, { 211, 2 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        std::wstring text;
        while (static_cast<int>(text.size()) < c.width)
            text += L"word ";
        text.resize(static_cast<std::size_t>(c.width));
        text.back() = L'x';
        gfx.ClearRecords();
        made->DrawShopHelp(0, text, 100, 200);
        EXPECT_EQ(world.formatLineCount, c.lines);
        // Head, one middle piece per line, foot.
        EXPECT_EQ(ImageNames().size(), static_cast<std::size_t>(c.lines + 2));
        EXPECT_EQ(gfx.Texts().size(), static_cast<std::size_t>(c.lines));
    }
}

TEST_F(HudTaskSlotsTest, BubblePiecesAndTextSitBelowTheHead)
{
    made->DrawShopHelp(1, L"Serve", 100, 200);
    const std::vector<test::HudImage> images = Images();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].name, "shop_help2_left_03");
    EXPECT_EQ(images[0].x, 117);
    EXPECT_EQ(images[0].y, 200);
    EXPECT_EQ(images[1].name, "shop_help2_left_02");
    EXPECT_EQ(images[1].y, 220);
    EXPECT_EQ(images[2].name, "shop_help2_left_01");
    EXPECT_EQ(images[2].y, 238);
    EXPECT_EQ(images[2].colour, 0xFFFFFFFFu);
    const auto texts = TextDraws();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->x, 145);
    EXPECT_EQ(texts[0]->y, 220);
    EXPECT_EQ(texts[0]->color, MakeARGB(255, 48, 48, 160));
    EXPECT_EQ(texts[0]->font, g_fontNormal);
}

TEST_F(HudTaskSlotsTest, TintedBubbleTakesTheLevelTintAndAnUnscaledIndent)
{
    cSettings::Instance().SetResolution(1024, 768);
    world.levelTint[0] = 200;
    world.levelTint[1] = 150;
    world.levelTint[2] = 100;
    made->DrawShopHelpTinted(0, L"Joker", 100, 200);
    const std::vector<test::HudImage> images = Images();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].x, 115);
    for (const test::HudImage& image : images)
        EXPECT_EQ(image.colour, MakeARGB(255, 200, 150, 100));
    gfx.ClearRecords();
    made->DrawShopHelp(0, L"Joker", 100, 200);
    EXPECT_EQ(Images()[0].x, 100 + static_cast<int>(15 / 1.25f));
}

} // namespace
