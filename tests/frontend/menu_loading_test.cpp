// The start of a run through the real main-menu state: the logo fades out to
// nothing before anything else happens, then the screens are switched on one a
// frame under the start screen's growing loading bar (the start screen itself
// is on from the screens' making), and the profile screen opens once the bar
// is through.
#include <gtest/gtest.h>

#include <fstream>

#include "frontend/menu_state_fixture.h"
#include "frontend/start_screen.h"

namespace {

// The real start screen, noting when it is switched on.
class NotedStart : public Scene::StartScreen {
protected:
    void OnActivate() override
    {
        Scene::StartScreen::OnActivate();
        test::ScreenCalls().push_back("StartScreen on");
    }
};

class MenuLoadingTest : public test::MenuStateTest {
protected:
    void SetUp() override
    {
        test::MenuStateTest::SetUp();
        // Each image its own size, at x = its number on page 0.
        const std::string dir = "data/gui/interface/menu/menu_start";
        const std::vector<std::tuple<std::string, int, int>> images
            = { { "vandrel_start.png", 4, 4 }, { "loading_01.png", 548, 40 }, { "loading_01_over.png", 548, 40 } };
        WriteSizedSet(dir, images);
        std::filesystem::create_directories(folder / "data/logos");
        std::ofstream(folder / "data/logos/maker.png", std::ios::binary) << "maker logo";

        MakeScreens([](int slot) -> std::unique_ptr<Scene::Screen> {
            if (slot == cScreenManager::kStart)
                return std::make_unique<NotedStart>();
            return test::MakeRecordingScreen(slot);
        });
        world.logoCount = 1;
        world.logoNames[0] = L"maker.png";
        world.logosPresent = 1;
        world.loadingPhase = 0;
        state.Init(nullptr);
    }
    void Frame()
    {
        test::ScreenCalls().clear();
        gfx.ClearRecords();
        Wait(1.0);
        state.Update(nullptr);
    }
    // The loading bar's fill in each draw of the frame, in per cent of its length.
    std::vector<int> BarFills() const
    {
        std::vector<int> fills;
        std::size_t image = 0;
        const auto images = Images();
        for (const test::GfxDraw& d : gfx.draws)
            if (d.kind == test::GfxDraw::Kind::Texture && images[image++].name == "loading_01_over.png")
                fills.push_back(static_cast<int>((d.target.right - d.target.left) * 100 + 274) / 548);
        return fills;
    }
    // The screens switched on in the frame.
    std::vector<std::string> SwitchedOn() const
    {
        std::vector<std::string> on;
        for (const std::string& call : test::ScreenCalls())
            if (call.ends_with(" on"))
                on.push_back(call.substr(0, call.size() - 3));
        return on;
    }
};

TEST_F(MenuLoadingTest, TheLogoFadesToNothingThenTheScreensLoadUnderTheBarAndTheProfilesOpen)
{
    // The logo, in fades of 1 up and 2 down: nothing loads while it shows,
    // and the sequence goes on only after a frame has drawn it at nothing.
    std::vector<int> alphas;
    while (world.logosPresent && alphas.size() < 1000) {
        Frame();
        ASSERT_TRUE(SwitchedOn().empty());
        ASSERT_FALSE(gfx.draws.empty());
        alphas.push_back(static_cast<int>(gfx.draws.back().color >> 24));
    }
    ASSERT_GE(alphas.size(), 3u);
    EXPECT_EQ(alphas.back(), 0);
    EXPECT_EQ(alphas[alphas.size() - 2], 1);
    EXPECT_EQ(std::ranges::count(alphas, 0), 1) << "the logo at nothing for one frame only";
    EXPECT_EQ(std::ranges::max(alphas), 255);
    EXPECT_EQ(world.loadingPhase, 1);

    const struct {
        std::vector<std::string> on;
        std::vector<int> bar; // what the bar shows, in order drawn
    } frames[] = {
        { { "OptionsScreen" }, { 5 } }, // the start screen is on from the first
        { { "WorldMap" }, { 10 } },
        { { "EffectsLayer" }, { 15 } },
        { { "Hud" }, { 20 } },
        { { "HelpScreen" }, { 25 } },
        { { "BuildMenu" }, { 30 } },
        { { "TaskDialog" }, { 35 } },
        { { "MessagePanel" }, { 40 } },
        { { "CarLayer" }, { 45 } },
        { { "StationView" }, { 50 } },
        { {}, { 80, 85 } },
        { {}, { 95, 90 } },
        { {}, { 95 } },
    };
    for (std::size_t n = 0; n < std::size(frames); ++n) {
        SCOPED_TRACE(testing::Message() << "loading frame " << n);
        EXPECT_EQ(world.profilesOpen, 0);
        Frame();
        EXPECT_EQ(SwitchedOn(), frames[n].on);
        EXPECT_EQ(BarFills(), frames[n].bar);
    }
    EXPECT_EQ(world.loadingPhase, 0);
    EXPECT_EQ(world.profilesOpen, 1);
    Frame();
    EXPECT_TRUE(SwitchedOn().empty());
    EXPECT_TRUE(BarFills().empty()) << "the bar is gone once the profiles show";
}

} // namespace
