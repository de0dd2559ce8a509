// Bonus items and jokers of the head-up display: on grid levels they fly into
// the bar at the left edge and are picked up like a car; on station levels an
// item rises from its combo's cell and a click puts its effect to work, once.
// The display's pages hold every bonus image, a level tint shows in every
// draw, and the level script's callbacks only report that they ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scene/design_units.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "support/board_text.h"

namespace {

constexpr int kJoker = 90;
constexpr int kGridLevel = 1;
constexpr int kStationLevel = 2;
// A cell well below the top, so a rising item's slot is far from it.
constexpr int kRow = 6;
constexpr int kColumn = 4;

const std::vector<std::string> kBonusImages = { "bonus_tank_red", "bonus_tank_black", "bonus_tank_green",
    "bonus_tank_blue", "bonus_tank_yellow", "bonus_update", "bonus_build_black", "bonus_kaktus", "bonus_tree",
    "bonus_kaktus_blume", "bonus_wb", "bonus_manager1", "bonus_auto3", "bonus_over", "bonus_1", "bonus_2", "bonus_3",
    "bonus_4", "bonus_5", "bonus_joker", "bonus_joker.png", "bonus_joker_bomb", "bonus_over_joker",
    "shop_help2_left_03", "shop_help2_left_02", "shop_help2_left_01" };

class BonusSlots : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

class BonusBarTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        world.ComputeLayout();
        world.levelTint[0] = 200;
        world.levelTint[1] = 210;
        world.levelTint[2] = 220;
        WriteSet("data/gui/interface/menu/menu_submenu", kBonusImages);
        made.LoadPages(L"data/gui/interface/menu/menu_submenu");
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        MouseAway();
        StartLevel(kGridLevel);
        world.drawStation = 0;
        for (const int type : { 3, kJoker }) {
            world.AddAuto(type, 1, "car_" + std::to_string(type));
            world.autoTypes.back().colour = type == 3 ? 8 : 90;
            world.autoTypes.back().class_ = type;
        }
    }
    void TearDown() override
    {
        Story::Instance().ReleaseLevelScript();
        TakeCallbacks();
        Story::Instance().ClearFlags();
        Script::ShutDown();
        HudTest::TearDown();
    }
    // The level's script: every callback reports itself; the extra text may
    // define one anew.
    void StartLevel(int level, const std::string& extra = "")
    {
        world.level = level;
        std::filesystem::create_directories(folder / "data/script/scene");
        std::ofstream(folder / ("data/script/scene/level_setup_0" + std::to_string(level) + ".lua")) << R"(
            function on_bonus() Story:SetFlag("on_bonus") end function ok_saw() Story:SetFlag("ok_saw") end
            function add_manager() Story:SetFlag("add_manager") end function on_fill_parking_place() end
            function on_blumen() Story:SetFlag("on_blumen") end function on_wbaum() Story:SetFlag("on_wbaum") end
)" << extra << "\n";
        Story::Instance().ReleaseLevelScript();
        Story::Instance().LoadLevelScript();
        ASSERT_NE(Story::Instance().ScriptId(), -1);
        TakeCallbacks();
    }
    std::vector<std::string> TakeCallbacks()
    {
        std::vector<std::string> names;
        for (Story& story = Story::Instance(); story.HasFlagEvents(); story.PopFlagEvent())
            names.push_back(story.LastFlag());
        return names;
    }
    // One frame of the bonus slots, step milliseconds after the last.
    void Frame(double step = 18)
    {
        gfx.ClearRecords();
        Wait(step);
        made.DrawBonusSlots();
    }
    void Click() { world.leftClick = 1, Frame(); }
    void MouseAway() { MoveMouse(-1000, -1000); }
    std::vector<std::string> BonusNames() const
    {
        std::vector<std::string> names = ImageNames();
        names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return n.rfind("bonus", 0); }),
            names.end());
        return names;
    }
    uint32_t Tinted(int alpha) const { return MakeARGB(alpha, 200, 210, 220); }

    BonusSlots made;
};

TEST_F(BonusBarTest, AnItemFliesFromWhereItIsSeenIntoItsSlotWithoutAJump)
{
    StartLevel(kGridLevel, "function on_bonus() Story:AddSpecAuto(0, 3) end");
    struct Case {
        int width, height;
        bool putBack; // a held joker let go, else a combo's item
    };
    for (const Case& c : { Case { 1280, 1024, false }, Case { 1024, 768, false }, Case { 1024, 768, true } }) {
        SCOPED_TRACE(testing::Message() << c.width << (c.putBack ? " put back" : " combo"));
        cSettings::Instance().SetResolution(c.width, c.height);
        world.ComputeLayout();
        world.jokers.clear();
        int startX = world.cellX[3][0] + 50;
        int startY = world.cellY[3][0] + 50;
        if (c.putBack) {
            startX = 600, startY = 450;
            // It flies back from just above the mouse.
            cGameWorld::SetMouseSource([&](int& x, int& y) {
                x = startX;
                y = startY + 50;
            });
            world.autoOnMouse = kJoker;
            world.AddJokerSlot();
            world.autoOnMouse = -1;
            cGameWorld::SetMouseSource(nullptr);
        } else {
            world.fundaments.clear();
            world.selectedCount = 0;
            world.bonusByClass = 1;
            test::LoadBoard(world, "# # # #\n# # # #\n# # # #\n3 3 3 .");
            ASSERT_TRUE(world.AddSelectedCell(world.FindFundamentAt(3, 0), 3, 0));
            world.FindFundamentCombos();
            world.ApplyFundamentCombos();
        }
        ASSERT_EQ(world.jokers.size(), 1u);
        const float stepY = world.jokers[0].stepY;
        const float stride = std::max(std::abs(world.jokers[0].stepX), std::abs(stepY)) + 1;

        MouseAway();
        Frame(1);
        ASSERT_EQ(Images().size(), 1u);
        EXPECT_EQ(Images()[0].colour, Tinted(255));
        std::vector<test::HudImage> path = { { "", "", startX, startY }, Images()[0] };
        // No hover test on the way.
        MoveMouse(path[1].x + 10, path[1].y + 10);
        world.leftDown = world.leftClick = 1;
        while (world.jokers[0].step < world.jokers[0].steps && path.size() < 200) {
            Frame(1);
            ASSERT_EQ(Images().size(), 1u);
            path.push_back(Images()[0]);
        }
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(world.leftClick, 1);
        world.leftDown = world.leftClick = 0;

        // Landed, it stands in the first slot of the bar: one step on, never
        // a step back.
        MouseAway();
        Frame(1);
        ASSERT_EQ(world.jokers.size(), 1u);
        EXPECT_EQ(world.jokers[0].targetY, 110);
        ASSERT_EQ(Images().size(), 1u);
        path.push_back(Images()[0]);
        for (std::size_t i = 1; i < path.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_LE(std::abs(path[i].x - path[i - 1].x), stride);
            EXPECT_LE(std::abs(path[i].y - path[i - 1].y), stride);
            EXPECT_GE(static_cast<float>(path[i].y - path[i - 1].y) * stepY, 0.0f);
        }
    }
}

TEST_F(BonusBarTest, APickedItemIsNeverPickedTwice)
{
    // Held over its slot it is picked up; dropped at once while the mouse
    // still rests there, the used item lingers and is not taken up again.
    world.AddJoker(1);
    MoveMouse(45, 155);
    world.managerBelowLimit = 1;
    Frame();
    EXPECT_EQ(world.autoOnMouse, -1) << "hovering alone picks nothing";
    world.leftDown = 1;
    Frame();
    ASSERT_EQ(world.autoOnMouse, kJoker);
    EXPECT_EQ(world.managerBelowLimit, 0);
    world.autoOnMouse = -1;
    Frame();
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker" }));
    world.leftDown = 0;
    MouseAway();
    Frame();
    EXPECT_TRUE(world.jokers.empty());
}

// After the task dialog on level 1 the empty bar shows, in the level's light,
// three jokers fading down where won jokers will stand, and a bubble that says
// so. They are pictures only: nothing can be picked up from them. They go
// with the first item in the bar, or with what clears the dialog's byte.
TEST_F(BonusBarTest, TheJokerTutorialShowsWhereJokersWillStandUntilTheFirstComes)
{
    StartLevel(kGridLevel, "function on_timer() Story:AddJoker(1) end");
    const auto faded = [&] {
        std::vector<test::HudImage> found;
        for (const test::HudImage& image : Images())
            if (image.name == "bonus_joker.png")
                found.push_back(image);
        return found;
    };
    const auto bubble = [&] {
        for (const test::GfxDraw* d : TextDraws())
            if (d->text == L"text 93")
                return true;
        return false;
    };
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        world.jokers.clear();
        world.jokerRequested = 1; // as the task dialog's OK leaves it
        Frame();
        const std::vector<test::HudImage> shown = faded();
        ASSERT_EQ(shown.size(), 3u);
        const int ys[] = { 100, 220, 340 };
        const int alphas[] = { 155, 125, 100 };
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(shown[i].x, Scene::ScaleX(5));
            EXPECT_EQ(shown[i].y, Scene::ScaleY(ys[i]));
            EXPECT_EQ(shown[i].colour, Tinted(alphas[i]));
        }
        const auto head = FindImage("shop_help2_left_03");
        ASSERT_TRUE(head.has_value());
        EXPECT_EQ(head->x, Scene::ScaleX(100) + 15 + 2);
        EXPECT_EQ(head->y, Scene::ScaleY(155));
        EXPECT_EQ(head->colour, Tinted(255));
        EXPECT_TRUE(bubble());

        // Held down on a faded joker, the button picks nothing up.
        MoveMouse(Scene::ScaleX(5) + 40, Scene::ScaleY(100) + 40);
        world.managerBelowLimit = 1;
        world.leftDown = 1;
        Frame();
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(faded().size(), 3u);
        world.leftDown = 0;
        MouseAway();

        // Only on level 1, and only while the byte is set.
        world.level = 4;
        Frame();
        EXPECT_TRUE(faded().empty());
        EXPECT_FALSE(bubble());
        world.level = kGridLevel;
        world.jokerRequested = 0;
        Frame();
        EXPECT_TRUE(faded().empty());
    }
    cSettings::Instance().SetResolution(1280, 1024);

    const struct {
        const char* what;
        std::function<void()> end;
        std::vector<std::string> bar; // the bar's pictures afterwards
    } cases[] = {
        { "Story:AddJoker(1)", [] { Story::Instance().CallScriptFunction("on_timer"); }, { "bonus_joker" } },
        { "a combo's item entering the bar", [&] { world.AddSpecAuto(kRow, kColumn, 3); }, { "bonus_3" } },
        { "a fundament combo",
            [&] {
                test::LoadBoard(world, "3 3 3");
                ASSERT_TRUE(world.AddSelectedCell(world.FindFundamentAt(0, 1), 0, 1));
                world.FindFundamentCombos();
                world.ApplyFundamentCombos();
                ASSERT_EQ(world.fundaments[0].autoType, -1) << "no combo";
                EXPECT_EQ(world.jokerRequested, 0);
            },
            {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.jokers.clear();
        world.jokerRequested = 1;
        Frame();
        ASSERT_EQ(faded().size(), 3u);
        c.end();
        Frame();
        EXPECT_TRUE(faded().empty());
        EXPECT_FALSE(bubble());
        EXPECT_EQ(BonusNames(), c.bar);
    }
}

// Each kind a grid level hands out stands in the bar as its own picture; a
// kind the bar knows no picture for stands there unseen.
TEST_F(BonusBarTest, EachKindStandsInTheBarAsItsOwnPicture)
{
    const struct {
        int kind;
        const char* image;
    } cases[] = { { 1, "bonus_1" }, { 2, "bonus_2" }, { 3, "bonus_3" }, { 4, "bonus_4" }, { 5, "bonus_5" },
        { kJoker, "bonus_joker" }, { 91, "bonus_joker_bomb" }, { 6, nullptr }, { 0, nullptr }, { 92, nullptr } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        world.jokers.clear();
        world.AddSpecAuto(kRow, kColumn, c.kind);
        ASSERT_EQ(world.jokers.size(), 1u);
        world.jokers[0].step = world.jokers[0].steps;
        Frame();
        EXPECT_EQ(BonusNames(), c.image ? std::vector<std::string> { c.image } : std::vector<std::string> {});
    }
}

// Hovering a joker or a bomb joker in the bar explains it, until the player
// has picked one of that kind up once; the two tips are told apart.
TEST_F(BonusBarTest, AJokersTipShowsUntilOneOfItsKindIsPicked)
{
    world.AddAuto(91, 1, "car_91");
    world.autoTypes.back().colour = 91;
    world.autoTypes.back().class_ = 91;
    auto tips = [&] {
        std::vector<std::wstring> texts;
        for (const test::GfxDraw* d : TextDraws())
            if (d->text == L"text 116" || d->text == L"text 133")
                texts.push_back(d->text);
        return texts;
    };
    const struct {
        int kind;
        const wchar_t* tip;
    } cases[] = { { kJoker, L"text 116" }, { 91, L"text 133" } };
    world.jokerTipSeen = world.bombTipSeen = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        for (const bool seen : { false, true }) {
            SCOPED_TRACE(seen ? "after a pick" : "before");
            world.jokers.clear();
            world.autoOnMouse = -1;
            world.AddJoker(1);
            world.jokers[0].item = c.kind;
            MoveMouse(45, 155);
            Frame();
            EXPECT_EQ(BonusNames(), (std::vector<std::string> { c.kind == kJoker ? "bonus_joker" : "bonus_joker_bomb",
                                        "bonus_over_joker" }));
            EXPECT_EQ(tips(), seen ? std::vector<std::wstring> {} : std::vector<std::wstring> { c.tip });
            world.leftDown = 1;
            Frame();
            world.leftDown = 0;
            EXPECT_EQ(world.autoOnMouse, c.kind);
            MouseAway();
        }
    }
}

// An item whose flight starts see-through gains alpha with each step, up to
// opaque and never past it.
TEST_F(BonusBarTest, AFadingItemGainsAlphaStepByStepUpToOpaque)
{
    world.SetPause(true); // the steps stand still between frames
    const struct {
        int step;
        int alpha;
    } cases[] = { { 0, 40 }, { 10, 65 }, { 50, 167 }, { 85, 255 }, { 99, 255 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        world.jokers.clear();
        world.AddSpecAuto(kRow, kColumn, 1);
        world.jokers[0].alphaStart = 40;
        world.jokers[0].alphaStep = 2.55f;
        world.jokers[0].step = c.step;
        Frame();
        ASSERT_EQ(Images().size(), 1u);
        EXPECT_EQ(Images()[0].colour, Tinted(c.alpha));
    }
    world.SetPause(false);
}

class BonusRisingTest : public BonusBarTest {
protected:
    void SetUp() override
    {
        BonusBarTest::SetUp();
        StartLevel(kStationLevel);
    }
    // An item of the kind rising from the test cell; its index.
    int Rise(int kind)
    {
        world.AddSpecAuto(kRow, kColumn, kind);
        return static_cast<int>(world.jokers.size()) - 1;
    }
    // The mouse on the middle of the item where it stands now.
    void MouseOnItem(int index)
    {
        const cJoker& item = world.jokers[index];
        MoveMouse(static_cast<int>(item.step * item.stepX + item.x) + 64,
            static_cast<int>(item.step * item.stepY + item.y) + 64);
    }
};

TEST_F(BonusRisingTest, OnASmallerScreenAnItemStartsOnItsCellAndIsCaughtWhereItIsDrawn)
{
    cSettings::Instance().SetResolution(1024, 768);
    world.ComputeLayout();
    const int i = Rise(103);
    world.SetPause(true);
    Frame();
    ASSERT_EQ(Images().size(), 1u);
    // The cell is in pixels of this screen already.
    EXPECT_EQ(Images()[0].x, world.cellX[kRow][kColumn] + 50);
    EXPECT_EQ(Images()[0].y, world.cellY[kRow][kColumn] + 50);
    MouseOnItem(i);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_wbaum" }));
}

TEST_F(BonusRisingTest, AnItemRisesToTheTopAndIsNeverUsedTwice)
{
    // Unclicked, it takes a hundred steps to the top and is gone after.
    Rise(4);
    for (int i = 0; i < 120; ++i)
        Frame();
    EXPECT_TRUE(world.jokers.empty());
    EXPECT_TRUE(world.autobahnCars.empty());
    // Just below the top the item overlaps its own slot there: once used it
    // lingers while the mouse rests on the slot, and must not work again.
    const int i = Rise(102);
    world.jokers[i].step = 99;
    world.SetPause(true);
    MoveMouse(world.cellX[kRow][kColumn] + 70, 100);
    Click();
    EXPECT_EQ(TakeCallbacks(), (std::vector<std::string> { "on_blumen" }));
    ASSERT_EQ(world.jokers.size(), 1u);
    Click();
    EXPECT_TRUE(TakeCallbacks().empty());
    EXPECT_EQ(world.leftClick, 1) << "the click is left for others";
    MouseAway();
    Frame();
    EXPECT_TRUE(world.jokers.empty());
}

TEST_F(BonusRisingTest, AClickedItemPutsItsEffectToWork)
{
    const struct {
        int kind;
        const char* image;
        const char* callback;
        int roadCar; // the type of the car that enters road 1, or -1
        int managers;
        int parking;
    } cases[] = { { 4, "bonus_tank_red", nullptr, 4, 1, 1 }, { 5, "bonus_tank_black", nullptr, 5, 1, 1 },
        { 6, "bonus_tank_green", nullptr, 6, 1, 1 }, { 7, "bonus_tank_blue", nullptr, 7, 1, 1 },
        { 8, "bonus_tank_yellow", nullptr, 8, 1, 1 },
        { 21, "bonus_update", nullptr, 21, 1, 1 }, { 41, "bonus_build_black", nullptr, 41, 1, 1 },
        { 100, "bonus_kaktus", "ok_saw", -1, 1, 1 }, { 101, "bonus_tree", "ok_saw", -1, 1, 1 },
        { 102, "bonus_kaktus_blume", "on_blumen", -1, 1, 1 }, { 103, "bonus_wb", "on_wbaum", -1, 1, 1 },
        { 111, "bonus_manager1", "add_manager", -1, 2, 1 }, { 112, "bonus_auto3", nullptr, -1, 1, 3 } };
    world.SetAutoBahn(1, 1.0, 1);
    world.SetAutoBahnPoints(1, 0, 100, 600, 400);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        world.autobahnCars.clear();
        world.buildLots.clear();
        world.SetLotForBuild(7, 2);
        world.stackLimit = 3;
        world.managerCount = 1;
        world.parkingAutos = 1;
        const int i = Rise(c.kind);
        Frame();
        MouseOnItem(i);
        Click();
        EXPECT_EQ(BonusNames(), (std::vector<std::string> { c.image, "bonus_over" }));
        EXPECT_EQ(world.leftClick, 0);
        EXPECT_TRUE(world.jokers.empty());
        EXPECT_EQ(TakeCallbacks(), c.callback ? std::vector<std::string> { c.callback } : std::vector<std::string> {});
        if (c.roadCar < 0) {
            EXPECT_TRUE(world.autobahnCars.empty());
        } else {
            ASSERT_EQ(world.autobahnCars.size(), 1u);
            EXPECT_EQ(world.autobahnCars[0].autoType, c.roadCar);
            EXPECT_EQ(world.autobahnCars[0].road, 1);
        }
        EXPECT_EQ(world.buildLots[0].pending, c.kind == 100 || c.kind == 101 ? 0 : 1);
        EXPECT_EQ(world.managerCount, c.managers);
        EXPECT_EQ(world.parkingAutos, c.parking);
    }
}

} // namespace
