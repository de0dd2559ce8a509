// The message panel: the first queued status message on its plate until its
// time is up, held back while the task dialog is open or the level has ended;
// with the generated art and the real engine, the plate lies under every line,
// the text is centred on it and readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "app/game_app_fonts.h"
#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "hud_fixture.h"
#include "platform/utf16.h"
#include "scene/message_panel.h"
#include "support/layout_check.h"

namespace {

class MessagePanelTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_straf", { "tutorial_small.png" });
        panel = std::make_unique<Scene::MessagePanel>();
        panel->SetActive(true);
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        panel->Draw();
    }
    bool Shown() const { return FindImage("tutorial_small.png").has_value(); }

    std::unique_ptr<Scene::MessagePanel> panel;
};

TEST_F(MessagePanelTest, ATimedMessageShowsUntilItsTimeIsUpThenGoes)
{
    world.PushMessage(L"first#line", L"", L"", 1.0, 0.0);
    world.PushMessage(L"second", L"", L"", 0.0, 0.0);
    world.SetPause(true);
    Frame();
    EXPECT_TRUE(Shown());
    // Each wrapped line is drawn on its own, below the one before.
    const auto lines = TextDraws();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->text, L"first");
    EXPECT_EQ(lines[1]->text, L"line");
    EXPECT_GT(lines[1]->y, lines[0]->y);

    Wait(1100);
    Frame();
    EXPECT_FALSE(Shown());
    EXPECT_EQ(world.paused, 0);
    ASSERT_EQ(world.statusMessages.size(), 1u);

    // Without a duration the next one stays.
    Wait(60000);
    Frame();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(world.statusMessages.size(), 1u);
}

TEST_F(MessagePanelTest, TheTaskDialogAndTheLevelsEndHoldThePanelBack)
{
    world.PushMessage(L"timed", L"", L"", 1.0, 0.0);
    uint8_t cGameWorld::*const cases[] = { &cGameWorld::taskBookOpen, &cGameWorld::levelOver };
    for (uint8_t cGameWorld::*flag : cases) {
        world.*flag = 1;
        Wait(2000);
        Frame();
        EXPECT_FALSE(Shown());
        EXPECT_EQ(world.statusMessages.size(), 1u) << "timed out while held back";
        world.*flag = 0;
    }
    Frame();
    EXPECT_EQ(world.statusMessages.size(), 0u);
}

// The real engine and the build's generated art, at both screen sizes: one,
// two and three lines of the panel's font.
class MessagePanelOnScreen : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const int width = GetParam();
        settings.SetResolution(width, width == 1280 ? 1024 : 768);
        ASSERT_EQ(InitEngine(522, &device, &gfx2d), S_OK);
        ASSERT_EQ(device->Create(nullptr, settings.GetWidth(), settings.GetHeight(), 32, 1), S_OK);
        recorder = std::make_unique<test::RecordingGfx>(device, gfx2d);
        g_fontNormal2 = g_pGfx2D->CreateFont(L"calibry", width == 1280 ? 14 : 13, 1);
        catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images");
        world.ResetToDefaults();
    }
    void TearDown() override
    {
        world.statusMessages.clear();
        world.ResetToDefaults();
        DeleteFonts();
        recorder.reset();
        CloseEngine();
        settings.ResetToDefaults();
    }

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    iGfxDevice* device = nullptr;
    iGfx2D* gfx2d = nullptr;
    std::unique_ptr<test::RecordingGfx> recorder;
    test::ImageCatalog catalog;
};

TEST_P(MessagePanelOnScreen, EveryLineLiesReadableOnThePlate)
{
    Scene::MessagePanel panel;
    panel.SetActive(true);
    const wchar_t* const messages[] = { L"One short line.",
        L"A message long enough to wrap onto a second line of the panel, as the level scripts write them.",
        L"The third kind: a message that runs on and on until the panel wraps it onto three lines, the most "
        L"the plate holds, each one of them well inside it." };
    for (std::size_t m = 0; m < std::size(messages); ++m) {
        const wchar_t* const message = messages[m];
        SCOPED_TRACE(platform::WideToNarrow(message));
        world.statusMessages.clear();
        world.PushMessage(message, L"", L"", 0.0, 0.0);
        ASSERT_EQ(recorder->BeginScene(), S_OK);
        recorder->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF6A8A50, 1.0f, 0); // a sunny level's grass
        panel.Draw();
        recorder->EndScene();
        recorder->Present();

        const test::GfxDraw* plate = nullptr;
        std::vector<const test::GfxDraw*> lines;
        for (const test::GfxDraw& d : recorder->draws) {
            const test::ImageCatalog::Image* image = catalog.Find(*recorder, d);
            if (d.kind == test::GfxDraw::Kind::Texture && image && image->name == "tutorial_small.png")
                plate = &d;
            if (d.font && !d.text.empty())
                lines.push_back(&d);
        }
        ASSERT_NE(plate, nullptr) << "no plate";
        ASSERT_EQ(lines.size(), m + 1);
        int textTop = 1 << 20, textBottom = -(1 << 20);
        for (const test::GfxDraw* line : lines) {
            SIZE size {};
            line->font->MeasureText(line->text.c_str(), &size);
            EXPECT_TRUE(line->x >= plate->target.left && line->y >= plate->target.top
                && line->x + size.cx <= plate->target.right && line->y + size.cy <= plate->target.bottom)
                << platform::WideToNarrow(line->text) << " at " << line->x << ", " << line->y;
            textTop = std::min(textTop, static_cast<int>(line->y));
            textBottom = std::max(textBottom, static_cast<int>(line->y + size.cy));
        }
        // The text as a block sits in the middle of the plate, not above it.
        EXPECT_NEAR(textTop + textBottom, plate->target.top + plate->target.bottom, 4)
            << "text " << textTop << ".." << textBottom << " on plate " << plate->target.top << ".."
            << plate->target.bottom;
        test::Frame frame { "message_" + std::to_string(GetParam()), recorder.get(), &catalog, {}, 0, 0 };
        ASSERT_TRUE(engine::ReadFrame(&frame.pixels, &frame.width, &frame.height));
        for (const std::string& breach : test::CheckLayout(frame))
            ADD_FAILURE() << breach;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MessagePanelOnScreen, ::testing::Values(1280, 1024),
    [](const auto& info) { return std::to_string(info.param); });

} // namespace
