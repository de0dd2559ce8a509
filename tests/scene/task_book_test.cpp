// The task's words on the head-up display: the bubble a task slot shows under
// the cursor, its lines one under the other on the bubble's pieces, and the
// task book opened from the bar, which starts at its first page each time.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "played_hud_fixture.h"
#include "scene/design_units.h"

namespace {

std::vector<std::wstring> Words(const std::wstring& text)
{
    std::wistringstream in(text);
    std::vector<std::wstring> words;
    for (std::wstring word; in >> word;)
        words.push_back(word);
    return words;
}

class SlotHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

using TaskSlotBubbleTest = test::HudTest;

// Resting on a slot shows its task in a bubble: a head, a middle piece per
// line, a foot; the text's words in order, a line on each middle piece. A
// short task is one line, whatever a longer one showed before it.
TEST_F(TaskSlotBubbleTest, TheBubbleShowsTheSlotsTaskLineUnderLine)
{
    WriteSet("data/hud",
        { "slot_3.png", "slot_3_over.png", "element2a.png", "element3a.png", "element4a.png", "shop_help2_03",
            "shop_help2_02", "shop_help2_01" });
    const std::wstring tasks[] = {
        L"Serve five cars",
        L"Fill up the tanks of twelve cars before the evening comes and the station closes for the night",
        L"Wash eight cars and polish their lights",
    };
    for (int line = 0; line < 3; ++line) {
        std::swprintf(g_guiVocabulary[103 + line], kGuiTextLength, L"%ls", tasks[line].c_str());
        world.taskLineValues[line] = 1, world.taskLineTargets[line] = 5, world.taskLineLastValues[line] = 1;
        world.taskLineActive[line] = 1;
    }
    world.taskLineCount = 3;
    for (const int width : { 1280, 1024 }) {
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        SlotHud made;
        made.LoadPages(L"data/hud");
        const int x0 = width - Scene::ScaleX(240);
        for (const int slot : { 1, 0, 2, 0 }) {
            SCOPED_TRACE(std::to_string(width) + " slot " + std::to_string(slot));
            MoveMouse(x0 + Scene::ScaleX(100), 10 + Scene::ScaleY(80 * slot) + Scene::ScaleY(40));
            gfx.ClearRecords();
            Wait(17);
            made.DrawTaskSlots();
            std::vector<int> middles;
            int head = -1, foot = -1;
            for (const test::HudImage& image : Images()) {
                if (image.name == "shop_help2_02")
                    middles.push_back(image.y);
                head = image.name == "shop_help2_03" ? image.y : head;
                foot = image.name == "shop_help2_01" ? image.y : foot;
            }
            std::vector<const test::GfxDraw*> lines;
            for (const test::GfxDraw* d : TextDraws())
                if (d->font == g_fontNormal)
                    lines.push_back(d);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.size(), middles.size());
            const bool fits = 8 * static_cast<int>(tasks[slot].size()) <= 210;
            if (fits) {
                EXPECT_EQ(lines.size(), 1u);
            } else {
                EXPECT_GE(lines.size(), 2u);
            }
            std::wstring joined;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                joined += lines[i]->text + L" ";
                EXPECT_LE(8 * static_cast<int>(lines[i]->text.size()), Scene::ScaleX(210));
                if (i < middles.size()) {
                    EXPECT_EQ(lines[i]->y, middles[i]) << "line " << i << " off its piece";
                }
                if (i > 0) {
                    EXPECT_GE(lines[i]->y - lines[i - 1]->y, 11) << "lines overlap";
                }
            }
            EXPECT_EQ(Words(joined), Words(tasks[slot]));
            EXPECT_LT(head, lines.front()->y);
            EXPECT_GE(foot, lines.back()->y + 11) << "the foot covers the last line";
        }
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

// The tinted bubble is the plain one in the level's light: the same pieces
// and lines, each piece in the tint at full alpha, the text in its own blue,
// all 15 pixels right of x on every screen size where the plain one scales
// them. An empty text draws nothing.
TEST_F(TaskSlotBubbleTest, TheTintedBubbleIsThePlainOneInTheLevelsLight)
{
    WriteSet("data/hud",
        { "shop_help2_03", "shop_help2_02", "shop_help2_01", "shop_help2_left_03", "shop_help2_left_02",
            "shop_help2_left_01" });
    world.levelTint[0] = 90, world.levelTint[1] = 140, world.levelTint[2] = 230;
    const uint32_t tint = MakeARGB(255, 90, 140, 230);
    struct Drawn {
        std::vector<test::HudImage> pieces;
        std::vector<test::GfxDraw> lines;
    };
    for (const int width : { 1280, 1024 }) {
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        SlotHud made;
        made.LoadPages(L"data/hud");
        const int shift = 15 - Scene::ScaleX(15);
        for (const int pointerLeft : { 0, 1 }) {
            for (const std::wstring text :
                { L"Short", L"A longer help text that the bubble wraps over more lines", L"" }) {
                SCOPED_TRACE(testing::Message() << width << " pointer " << pointerLeft << " '" << text.size() << "'");
                const auto draw = [&](bool tinted) {
                    gfx.ClearRecords();
                    if (tinted)
                        made.DrawShopHelpTinted(pointerLeft, text, 300, 200);
                    else
                        made.DrawShopHelp(pointerLeft, text, 300, 200);
                    Drawn d { Images(), {} };
                    for (const test::GfxDraw* line : TextDraws())
                        d.lines.push_back(*line);
                    return d;
                };
                const Drawn plain = draw(false);
                const Drawn tinted = draw(true);
                ASSERT_EQ(tinted.pieces.size(), plain.pieces.size());
                ASSERT_EQ(tinted.lines.size(), plain.lines.size());
                EXPECT_EQ(plain.pieces.empty(), text.empty());
                for (std::size_t i = 0; i < plain.pieces.size(); ++i) {
                    EXPECT_EQ(tinted.pieces[i].name, plain.pieces[i].name);
                    EXPECT_EQ(tinted.pieces[i].x, plain.pieces[i].x + shift);
                    EXPECT_EQ(tinted.pieces[i].y, plain.pieces[i].y);
                    EXPECT_EQ(plain.pieces[i].colour, 0xFFFFFFFFu);
                    EXPECT_EQ(tinted.pieces[i].colour, tint);
                }
                for (std::size_t i = 0; i < plain.lines.size(); ++i) {
                    EXPECT_EQ(tinted.lines[i].text, plain.lines[i].text);
                    EXPECT_EQ(tinted.lines[i].x, plain.lines[i].x + shift);
                    EXPECT_EQ(tinted.lines[i].y, plain.lines[i].y);
                    EXPECT_EQ(tinted.lines[i].color, MakeARGB(255, 48, 48, 160));
                }
            }
        }
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

using TaskBookTest = test::PlayedHudTest;

// The book opened from the bar begins at its first page however far it was
// paged before it was shut.
TEST_F(TaskBookTest, TheBookOpensAtItsFirstPageEachTime)
{
    ASSERT_TRUE(Start(5, test::WinningLevel(1000)));
    const wchar_t* pages[] = { L"page one", L"page two", L"page three" };
    for (int page = 1; page <= 3; ++page)
        world.comicRows.push_back({ 5, page, pages[page - 1], L"page_a.png" });
    const int rightArrowX = X(538) + 5, arrowY = Y(300) + Y(295) + 5;
    for (const int turns : { 2, 1, 0, 2 }) {
        SCOPED_TRACE(turns);
        ASSERT_TRUE(ClickAt(X(40), Y(850)));
        ASSERT_EQ(world.taskBookOpen, 1);
        EXPECT_TRUE(view.Says(pages[0]));
        for (int t = 0; t < turns; ++t)
            ASSERT_TRUE(ClickAt(rightArrowX, arrowY));
        EXPECT_TRUE(view.Says(pages[turns])) << "the arrow did not turn the page";
        ASSERT_TRUE(ClickAt(X(40), Y(850)));
        EXPECT_EQ(world.taskBookOpen, 0);
    }
    world.leaveLevel = 1;
    EXPECT_FALSE(Step());
}

} // namespace
