// The status-message queue, the pause switch with the music volume, and
// screenshots through a recording graphics device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/clock.h"
#include "platform/time_source.h"
#include "sound/sound_engine.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world_test_support.h"

namespace {

class WorldServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return m_ms; });
        cClock::Instance().Reset();
        cSettings::Instance().ResetToDefaults();
        test::SetLanguage(L"eng");
        world().ResetToDefaults();
    }
    void TearDown() override
    {
        g_pGfxDevice = nullptr;
        world().ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        platform::SetTimeSourceForTests(nullptr);
    }

    void Advance(double ms)
    {
        m_ms += ms;
        cClock::Instance().Update();
    }

    static cGameWorld& world() { return cGameWorld::Instance(); }
    double m_ms = 0.0;
};

TEST_F(WorldServicesTest, MessageQueueRestartsTheTimerOfTheMessageOnShow)
{
    world().levelOver = 1;
    world().PushMessage(L"ignored", L"", L"", 1.0, 1.0);
    EXPECT_TRUE(world().statusMessages.empty());

    world().levelOver = 0;
    Advance(500.0);
    world().PushMessage(L"first", L"b", L"c", 2.0, 0.0);
    EXPECT_DOUBLE_EQ(world().statusMessages[0].timer.Elapsed(), 0.0);
    world().PushMessage(L"second", L"", L"", 3.0, 1.0);
    world().PushMessage(L"third", L"", L"", 3.0, 0.0);
    Advance(1000.0);
    ASSERT_EQ(world().statusMessages.size(), 3u);
    EXPECT_EQ(world().statusMessages[0].text2, L"b");

    // Only the first message can be taken off, by its first text.
    world().PopMessage(L"second");
    EXPECT_EQ(world().statusMessages.size(), 3u);
    world().PopMessage(L"first");
    ASSERT_EQ(world().statusMessages.size(), 2u);
    EXPECT_DOUBLE_EQ(world().statusMessages[0].timer.Elapsed(), 0.0); // second value above 0
    Advance(1000.0);
    world().PopMessage(L"second");
    ASSERT_EQ(world().statusMessages.size(), 1u);
    EXPECT_GT(world().statusMessages[0].timer.Elapsed(), 0.0); // second value 0: not restarted
    world().PopMessage(L"third");
    world().PopMessage(L"third");
    EXPECT_TRUE(world().statusMessages.empty());
}

class RecordingStream : public iSoundInstance {
public:
    void Stop() override { }
    void SetVolume(float v) override { volumes.push_back(v); }
    bool IsFinished() override { return false; }
    void Release() override { }
    std::vector<float> volumes;
};

TEST_F(WorldServicesTest, PauseSilencesTheMusicUnlessMuted)
{
    RecordingStream stream;
    world().musicStream = &stream;
    world().musicVolume = 0.6f;

    world().SetPause(true);
    EXPECT_TRUE(world().IsPaused());
    EXPECT_EQ(world().musicPlayVolume, 0.0f);
    world().SetPause(false);
    EXPECT_FALSE(world().IsPaused());
    EXPECT_EQ(world().musicPlayVolume, 0.6f);
    EXPECT_EQ(stream.volumes, (std::vector<float> { 0.0f, 0.6f }));

    // Muted: only the flag changes.
    cSettings::Instance().mute = 1;
    world().SetPause(true);
    EXPECT_TRUE(world().IsPaused());
    EXPECT_EQ(world().musicPlayVolume, 0.6f);
    EXPECT_EQ(stream.volumes.size(), 2u);

    // No music playing: nothing to set.
    cSettings::Instance().mute = 0;
    world().musicStream = nullptr;
    world().SetPause(true);
    EXPECT_EQ(world().musicPlayVolume, 0.0f);
    world().musicStream = nullptr;
}

TEST_F(WorldServicesTest, ScreenshotsSkipNumbersAlreadyTaken)
{
    test::TempFolder user;
    world().userFolder = platform::NarrowToWide(user.Path());
    cSettings::Instance().SetResolution(1024, 768);
    world().level = 3;
    const std::string shots = user / "screenshots";
    std::filesystem::create_directories(shots);
    std::ofstream(shots + "/eng_level3_0.jpg") << "old";
    std::ofstream(shots + "/eng_level3_1.jpg") << "old";
    std::ofstream(shots + "/eng_xxx_3.jpg") << "old";
    test::ScreenshotDevice device;
    g_pGfxDevice = &device;

    world().TakeScreenshot(); // nothing asked
    EXPECT_TRUE(device.paths.empty());

    world().screenshotRequest = 1;
    world().screenshotDelay = 7;
    world().TakeScreenshot();
    ASSERT_EQ(device.paths.size(), 1u);
    EXPECT_EQ(device.paths[0], world().userFolder + L"/screenshots/eng_level3_2.jpg");
    EXPECT_EQ(device.areas[0].right, 1024);
    EXPECT_EQ(device.areas[0].bottom, 768);
    EXPECT_EQ(world().screenshotNumber, 3);
    EXPECT_EQ(world().screenshotDelay, 0);
    EXPECT_EQ(world().screenshotRequest, 0);

    // The menu's pictures share the number and skip their own taken names.
    world().menuScreenshotRequest = 1;
    world().TakeScreenshot();
    EXPECT_EQ(device.paths.back(), world().userFolder + L"/screenshots/eng_xxx_4.jpg");
    EXPECT_EQ(world().menuScreenshotRequest, 0);
    EXPECT_EQ(world().screenshotNumber, 5);
    EXPECT_EQ(std::ifstream(shots + "/eng_level3_0.jpg").get(), 'o'); // never overwritten

    // A failed capture keeps the number for the next try.
    test::LogCapture log;
    device.result = E_FAIL;
    world().screenshotRequest = 1;
    world().TakeScreenshot();
    EXPECT_TRUE(log.Contains(L"warning: CAPTURE ERROR hr = -2147467259"));
    EXPECT_EQ(world().screenshotNumber, 5);
    EXPECT_EQ(world().screenshotRequest, 0);

    // Without a device the capture fails the same way.
    g_pGfxDevice = nullptr;
    world().screenshotRequest = 1;
    world().TakeScreenshot();
    EXPECT_EQ(world().screenshotNumber, 5);
    EXPECT_EQ(world().screenshotRequest, 0);

    // Without a user folder none is taken, not even into the program folder.
    g_pGfxDevice = &device;
    device.result = S_OK;
    world().userFolder.clear();
    world().menuScreenshotRequest = 1;
    world().TakeScreenshot();
    EXPECT_EQ(device.paths.size(), 3u);
    EXPECT_TRUE(log.Contains(L"warning: cGameWorld::TakeScreenshot -> No user folder: no screenshot taken"));
}

} // namespace
