// The station shop: buying and selling lots with their prices, the task lot,
// the editor's restyling, the task line, the intro's lot-by-lot reveal, and the
// shipped building level's lots.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "artgen/asphalt.h"
#include "shop_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_clock.h"

namespace {

// Whether the point lies inside the convex quadrangle (corners in turn).
bool InQuad(const artgen::Quad& q, double x, double y)
{
    int sides = 0;
    for (int i = 0; i < 4; ++i) {
        const double ax = q[2 * i], ay = q[2 * i + 1], bx = q[(2 * i + 2) % 8], by = q[(2 * i + 3) % 8];
        sides += (bx - ax) * (y - ay) - (by - ay) * (x - ax) > 0 ? 1 : -1;
    }
    return sides == 4 || sides == -4;
}

using test::ShopTest;
class ShopLotsTest : public ShopTest { };

TEST_F(ShopLotsTest, ABuyCostsThePriceASaleRefundsHalfAndAnOpenTaskLotIsTheOnlyOffer)
{
    AddLot(3, 2, 1, "lot_a", 300, true);
    AddLot(4, 7, 2, "lot_b", 100, false); // not sellable; unbuilt, so the station is unfinished
    const std::pair<int, int> buys[] = { { 299, 299 }, { 300, 0 } }; // money before, after
    for (const auto& [before, after] : buys) {
        world.money = before;
        ClickLot(3, 2);
        EXPECT_EQ(world.money, after);
        EXPECT_EQ(world.lotTable[3][2], after == 0 ? 9 : 0);
    }
    ClickLot(3, 2); // a sale
    EXPECT_EQ(world.lotStatus[3][2], 0);
    EXPECT_EQ(world.money, 150);
    EXPECT_EQ(Played("bonus5"), 2);

    // The next level needs a lot of kind 2 on 4, 7: nothing else is offered
    // while it can be bought.
    world.taskRows.push_back(cTaskRow { 2, 0, 0, 4, 7, 2, L"" });
    world.furthestLevel = 2;
    world.money = 400;
    ClickLot(3, 2);
    EXPECT_EQ(world.lotStatus[3][2], 0);
    EXPECT_EQ(world.money, 400);
    ClickLot(4, 7);
    EXPECT_EQ(world.lotStatus[4][7], 9);
    EXPECT_EQ(world.money, 300);
    ClickLot(4, 7); // not sellable
    EXPECT_EQ(world.lotStatus[4][7], 9);
}

TEST_F(ShopLotsTest, TheIntroShowsAThirdOfTheLotsThenRevealsThemOneByOneBarTheLast)
{
    world.intro = 1;
    for (int i = 0; i < 9; ++i)
        AddLot(3 + i / 3, 2 + i % 3, 1 + i, "lot_a", 100, true);
    shop.FlagRandomFundaments();
    EXPECT_EQ(std::ranges::count(world.fundaments, 255, &cFundament::alpha), 3);
    for (int i = 0; i < 200; ++i) {
        Wait(20);
        shop.DrawIntroReveal();
    }
    EXPECT_EQ(std::ranges::count(world.fundaments, 255, &cFundament::alpha), 8);
}

TEST_F(ShopLotsTest, ShiftAndAltRestyleALotOnlyInTheStationEditor)
{
    AddLot(3, 2, 1, "lot_a", 300, true);
    AddLot(4, 7, 11, "lot_b", 100, true); // not built: the station is unfinished
    const struct {
        bool editor, shift, alt;
        int kind;
        const wchar_t* platform;
        int status; // after the click
    } cases[] = {
        { false, true, false, 1, L"platform_56.png", 0 }, // an ordinary click: the lot is sold
        { false, false, true, 1, L"platform_56.png", 0 },
        { true, true, false, 10, L"platform_56.png", 9 }, // scenery instead of the building
        { true, false, true, 1, L"platform_57.png", 9 }, // the next platform; the click is used up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.editor << c.shift << c.alt);
        cSettings::Instance().editorMode = c.editor ? 1 : 0;
        Lot(3, 2).content = 1;
        Lot(3, 2).texture = L"platform_56.png";
        Build(3, 2, 9);
        world.sceneryCycle = 0;
        world.keyLeftShift = c.shift ? 1 : 0;
        world.keyLeftAlt = c.alt ? 1 : 0;
        ClickLot(3, 2);
        EXPECT_EQ(Lot(3, 2).content, c.kind);
        EXPECT_EQ(Lot(3, 2).texture, c.platform);
        EXPECT_EQ(world.lotStatus[3][2], c.status);
    }
    cSettings::Instance().editorMode = 0;
}

TEST_F(ShopLotsTest, TheTaskLineSaysWhatTheNextLevelNeeds)
{
    AddLot(3, 2, 1, "lot_a", 300, false);
    AddLot(4, 7, 11, "lot_b", 100, true);
    const struct {
        int furthest, money, built;
        const wchar_t* text;
    } cases[] = {
        { 3, 0, 0, L"text 146" }, // level 3 needs nothing
        { 2, 299, 0, L"text 147" }, // too dear
        { 2, 300, 0, L"text 152" }, // affordable: build it now
        { 2, 0, 9, L"text 148" }, // already built
    };
    world.taskRows.push_back(cTaskRow { 2, 0, 0, 3, 2, 1, L"" });
    world.taskRows.push_back(cTaskRow { 3, 0, 0, 0, 0, 0, L"" });
    for (const auto& c : cases) {
        world.furthestLevel = c.furthest;
        world.money = c.money;
        Build(3, 2, c.built);
        gfx.ClearRecords();
        shop.UpdateBuildPhase();
        const auto texts = TextDraws();
        ASSERT_EQ(texts.size(), 2u) << c.furthest << " " << c.money;
        EXPECT_EQ(texts[1]->text, c.text);
        EXPECT_EQ(texts[0]->y, 37) << "shadow of a single line at y 35";
        EXPECT_EQ(texts[1]->y, 35);
        ASSERT_TRUE(FindImage("money"));
        EXPECT_GE(FindImage("money")->y, 0) << "the money box is cut off";
    }
    Build(4, 7, 9);
    Build(3, 2, 9);
    gfx.ClearRecords();
    shop.UpdateBuildPhase();
    ASSERT_EQ(TextDraws().size(), 2u);
    EXPECT_EQ(TextDraws()[1]->text, L"text 149");
}

// At both sizes the tree numpad + picks stands with the middle of its foot on
// the cursor; a click plants it where it was shown; the right button puts a
// held tree back unplanted.
TEST_F(ShopLotsTest, AHeldTreeStandsOnTheCursorAndIsPlantedWhereItWasShown)
{
    world.AddOver(101, "tree_01");
    for (const auto& [width, height, set] : { std::tuple { 1280, 160, "" }, { 1024, 120, "_1024" } }) {
        SCOPED_TRACE(width);
        shop.SetActive(false);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        const std::string dir = std::string("data/gui/interface/menu/menu_buy") + set;
        cPageDescriptor d; // the tree at its size of the set
        d.SetPageNames(L"page", L".png");
        d.AddPart(d.AddImage(L"tree_01.png", height * 3 / 4, height), 0, 0, 0, height * 3 / 4, height);
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        sets[dir] = { "tree_01.png" };
        shop.SetActive(true);
        world.places.clear();
        world.treeSelection = 101;
        MoveMouse(800, 600);
        world.leftClick = 1;
        gfx.ClearRecords();
        shop.DrawDecorPlaces();
        const auto held = FindImage("tree_01.png");
        ASSERT_TRUE(held);
        EXPECT_NEAR(held->x + height * 3 / 8, 800, 1);
        EXPECT_NEAR(held->y + height, 600, 1);
        world.rightDown = world.leftClick = 1;
        MoveMouse(100, 100);
        gfx.ClearRecords();
        shop.DrawDecorPlaces();
        world.rightDown = 0;
        EXPECT_EQ(world.treeSelection, -1);
        ASSERT_EQ(world.places.size(), 1u); // the put-back tree is not planted
        EXPECT_EQ(std::pair(FindImage("tree_01.png")->x, FindImage("tree_01.png")->y), std::pair(held->x, held->y));
    }
}

// The shop at a screen size, its bubble's pieces at their sizes in the set
// (head, line and tail heights), every other image one pixel.
struct BubbleSet {
    int width;
    const char* set;
    int head, line, tail;
};
constexpr BubbleSet kBubbleSets[] = { { 1280, "", 20, 18, 40 }, { 1024, "_1024", 15, 13, 30 } };

class ShopBubbleTest : public ShopTest {
protected:
    // The set's folder, its pages written and the shop laid out at its size.
    std::string UseSize(const BubbleSet& size)
    {
        shop.SetActive(false);
        cSettings::Instance().SetResolution(size.width, size.width == 1280 ? 1024 : 768);
        const std::string dir = std::string("data/gui/interface/menu/menu_buy") + size.set;
        std::vector<std::string> images = sets[dir];
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (const char* piece :
            { "blase_left_01", "blase_left_02", "blase_left_03", "blase_right_01", "blase_right_02", "blase_right_03" })
            if (std::ranges::find(images, piece) == images.end())
                images.push_back(piece);
        for (std::size_t i = 0; i < images.size(); ++i) {
            const char last = images[i].rfind("blase", 0) == 0 ? images[i].back() : 0;
            const int h = last == '1' ? size.head : last == '2' ? size.line : last == '3' ? size.tail : 1;
            const int w = last ? size.width * 300 / 1280 : 1;
            d.AddPart(d.AddImage(platform::NarrowToWide(images[i]).c_str(), w, h), 0, static_cast<int>(i), 0, w, h);
        }
        EXPECT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        sets[dir] = images;
        shop.SetActive(true);
        shop.LayoutStation();
        return dir;
    }
    // The bubble's pieces drawn since the records were cleared, in order.
    std::vector<RECT> Pieces(const std::string& dir) const
    {
        std::vector<RECT> pieces;
        for (const test::GfxDraw& g : gfx.draws) {
            const auto* texture = static_cast<const test::RecordingTexture*>(g.texture);
            if (g.kind == test::GfxDraw::Kind::Texture && texture
                && std::string(texture->bytes.begin(), texture->bytes.end()) == dir
                && sets.at(dir)[static_cast<std::size_t>(g.source.left)].rfind("blase", 0) == 0)
                pieces.push_back(g.target);
        }
        return pieces;
    }
};

// The bubble over a hovered lot is drawn whole at both sizes, its pieces
// meeting edge to edge, and after the trees, so none stands over it.
TEST_F(ShopBubbleTest, ALotsBubbleIsWholeAndAboveTheTrees)
{
    AddLot(3, 2, 1, "lot_a", 300, true);
    world.placeNameRows.push_back({ 3, 2, L"Car wash" });
    world.money = 100; // three lines: its name, its price, too dear
    for (const BubbleSet& size : kBubbleSets) {
        SCOPED_TRACE(size.width);
        const std::string dir = UseSize(size);
        world.places.assign(1, cPlace {});
        world.places[0].type = 102;
        world.places[0].texture = "tree_02";
        MoveMouse(world.cellX[3][2] + size.width * 70 / 1280, world.cellY[3][2] + (size.width == 1280 ? 160 : 120));
        gfx.ClearRecords();
        shop.UpdateBuildPhase();

        std::size_t tree = 0, firstPiece = 0;
        for (std::size_t i = 0; i < gfx.draws.size(); ++i) {
            const test::GfxDraw& g = gfx.draws[i];
            const auto* texture = static_cast<const test::RecordingTexture*>(g.texture);
            if (g.kind != test::GfxDraw::Kind::Texture || !texture
                || std::string(texture->bytes.begin(), texture->bytes.end()) != dir)
                continue;
            const std::string& name = sets[dir][static_cast<std::size_t>(g.source.left)];
            tree = name == "tree_02.png" ? i : tree;
            firstPiece = firstPiece == 0 && name.rfind("blase", 0) == 0 ? i : firstPiece;
        }
        const std::vector<RECT> pieces = Pieces(dir);
        ASSERT_GE(pieces.size(), 3u);
        EXPECT_GT(firstPiece, tree) << "a tree drawn over the bubble";
        for (std::size_t i = 1; i < pieces.size(); ++i)
            EXPECT_EQ(pieces[i].top, pieces[i - 1].bottom) << "a gap or an overlap above piece " << i;
    }
}

// A bubble hung from any point of the screen, near either edge or a corner,
// lies whole on the screen at both sizes.
TEST_F(ShopBubbleTest, ABubbleStaysOnTheScreenWhereverItHangs)
{
    for (const BubbleSet& size : kBubbleSets) {
        const std::string dir = UseSize(size);
        const int height = cSettings::Instance().GetHeight();
        std::vector<std::string> off;
        for (int x = 0; x <= size.width; x += 7) {
            for (const int y : { 0, 30, height / 2, height - 60, height }) {
                gfx.ClearRecords();
                shop.DrawLotBubble(5, L"Manager's office", x, y, 135000); // four lines
                const std::vector<RECT> pieces = Pieces(dir);
                ASSERT_EQ(pieces.size(), 3u);
                for (const RECT& r : pieces)
                    if (r.left < 0 || r.top < 0 || r.right > size.width || r.bottom > height)
                        off.push_back("hung from " + std::to_string(x) + "," + std::to_string(y) + ": a piece at "
                            + std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + ","
                            + std::to_string(r.bottom));
            }
        }
        EXPECT_TRUE(off.empty()) << off.size() << " pieces off the screen at " << size.width << ", first "
                                 << (off.empty() ? "" : off.front());
    }
}

// Our level-31 script entered the way the world map's city pin enters it.
class ShopLevelTest : public ShopTest {
protected:
    void SetUp() override
    {
        ShopTest::SetUp();
        for (const char* dir : { "data/script", "data/language" })
            std::filesystem::copy(std::filesystem::path(VANDREL_SOURCE_DIR) / dir, folder / dir,
                std::filesystem::copy_options::recursive);
        cGameClock::Instance().ResetToDefaults();
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        world.LoadPlaceNames();
        world.LoadTasks();
    }
    void TearDown() override
    {
        Story::Instance().ReleaseLevelScript();
        Script::ShutDown();
        ShopTest::TearDown();
    }
    // The station as the city pin opens it at this size, its lots as saved.
    void EnterStation(int width, int height)
    {
        cSettings::Instance().SetResolution(width, height);
        world.level = 31;
        world.shopInMainMenu = world.shopOpen = 1;
        shop.LayoutStation();
        world.fundaments.clear();
        world.fundamentTemplates.clear();
        world.placeTemplates.clear();
        ASSERT_TRUE(Story::Instance().InitLevel31());
        world.LoadLots();
    }
    // The mouse points probed around the lot's cell that lie inside its outline.
    std::vector<std::pair<int, int>> Outline(const cFundament& f)
    {
        std::vector<std::pair<int, int>> inside;
        const int x0 = world.cellX[f.row][f.column];
        const int y0 = world.cellY[f.row][f.column];
        for (int y = y0 - 40; y < y0 + 260; y += 2) {
            for (int x = x0 - 40; x < x0 + 200; x += 2) {
                MoveMouse(x, y);
                if (shop.IsMouseOverLot(f.row, f.column))
                    inside.emplace_back(x, y);
            }
        }
        return inside;
    }
};

// Every lot's outline lies wholly on the screen at both sizes, probed point by
// point around the lot's cell; every level that needs a building finds a lot
// of that kind on its cell.
TEST_F(ShopLevelTest, EveryLotLiesOnTheScreen)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        EnterStation(width, height);
        ASSERT_EQ(world.fundaments.size(), 22u);
        for (const cFundament& f : world.fundaments) {
            int left = width, top = height, right = -1, bottom = -1;
            for (const auto& [x, y] : Outline(f)) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
            EXPECT_TRUE(left <= right && left >= 0 && top >= 0 && right < width && bottom < height)
                << "lot " << f.row << "," << f.column << " at " << width;
        }
        for (const cTaskRow& task : world.taskRows) {
            const int f = world.FindFundamentAt(task.lotRow, task.lotCol);
            const int kind = f >= 0 ? world.fundaments[static_cast<size_t>(f)].content : -1;
            EXPECT_TRUE(task.requiredKind == 0 || kind == task.requiredKind) << "level " << task.level;
        }
        Story::Instance().ReleaseLevelScript();
    }
}

// Built and extended, every building of our station stands on its own
// platform, and no lot reaches into the city's streets, at both sizes.
TEST_F(ShopLevelTest, EveryBuildingStandsOnItsPlatformOffTheStreets)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        SCOPED_TRACE(width);
        EnterStation(width, height);
        // The shop's set with the script's buildings in it, plain and extended.
        const std::string dir = std::string("data/gui/interface/menu/menu_buy") + (width == 1280 ? "" : "_1024");
        std::vector<std::string> images = sets[dir];
        for (const cFundament& f : world.fundaments)
            for (const std::wstring& name : { f.placeTexture, f.placeTexture + L"m" })
                if (std::ranges::find(images, platform::WideToNarrow(name)) == images.end())
                    images.push_back(platform::WideToNarrow(name));
        shop.SetActive(false);
        WriteSet(dir, images);
        shop.SetActive(true);
        const std::vector<artgen::Quad> streets = artgen::AsphaltOf(true, false, width, height);
        for (const int state : { 9, 11 }) {
            for (const cFundament& f : world.fundaments)
                Build(f.row, f.column, state);
            MoveMouse(0, 0);
            gfx.ClearRecords();
            shop.DrawStation();
            const std::vector<test::HudImage> drawn = Images();
            for (const cFundament& f : world.fundaments) {
                const std::string building = platform::WideToNarrow(f.placeTexture + (state == 11 ? L"m" : L""));
                EXPECT_TRUE(std::ranges::any_of(drawn,
                    [&](const test::HudImage& i) {
                        return i.name == building && i.x == world.cellX[f.row][f.column]
                            && i.y == world.cellY[f.row][f.column];
                    }))
                    << building << " is not drawn on its lot " << f.row << "," << f.column;
            }
        }
        for (const cFundament& f : world.fundaments) {
            int onStreet = 0;
            for (const auto& [x, y] : Outline(f))
                for (const artgen::Quad& q : streets)
                    onStreet += InQuad(q, x, y) ? 1 : 0;
            EXPECT_EQ(onStreet, 0) << "lot " << f.row << "," << f.column << " reaches into a street";
        }
        Story::Instance().ReleaseLevelScript();
    }
}

} // namespace
