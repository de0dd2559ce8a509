// Screenshots through a recording graphics device: numbers already taken are
// skipped, failures keep the number, and without a user folder none is taken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "support/recording_gfx.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world_test_support.h"

namespace {

TEST(WorldServicesTest, ScreenshotsSkipNumbersAlreadyTaken)
{
    cGameWorld& world = cGameWorld::Instance();
    world.ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
    test::SetLanguage(L"eng");
    test::TempFolder user;
    world.userFolder = platform::NarrowToWide(user.Path());
    world.level = 3;
    const std::string shots = user / "screenshots";
    std::filesystem::create_directories(shots);
    for (const char* name : { "/eng_level3_0.jpg", "/eng_level3_1.jpg", "/eng_xxx_3.jpg" })
        std::ofstream(shots + name) << "old";
    test::RecordingGfx device;
    g_pGfxDevice = &device;

    world.screenshotRequest = 1;
    world.TakeScreenshot();
    ASSERT_EQ(device.screenshots.size(), 1u);
    EXPECT_EQ(device.screenshots[0], world.userFolder + L"/screenshots/eng_level3_2.jpg");
    EXPECT_EQ((std::pair<int, int>(world.screenshotNumber, world.screenshotRequest)), std::pair(3, 0));

    // The menu's pictures share the number and skip their own taken names.
    world.menuScreenshotRequest = 1;
    world.TakeScreenshot();
    EXPECT_EQ(device.screenshots.back(), world.userFolder + L"/screenshots/eng_xxx_4.jpg");
    EXPECT_EQ(world.screenshotNumber, 5);

    // A failed capture, or none without a device, keeps the number.
    device.screenshotResult = E_FAIL;
    for (iGfxDevice* d : { static_cast<iGfxDevice*>(&device), static_cast<iGfxDevice*>(nullptr) }) {
        g_pGfxDevice = d;
        world.screenshotRequest = 1;
        world.TakeScreenshot();
        EXPECT_EQ((std::pair<int, int>(world.screenshotNumber, world.screenshotRequest)), std::pair(5, 0));
    }

    // Without a user folder none is taken, not even into the program folder.
    g_pGfxDevice = &device;
    device.screenshotResult = S_OK;
    world.userFolder.clear();
    world.menuScreenshotRequest = 1;
    world.TakeScreenshot();
    EXPECT_EQ(device.screenshots.size(), 3u);
    g_pGfxDevice = nullptr;
    world.ResetToDefaults();
}

} // namespace
