// What a player reads of damaged player files on the menu screens, through
// the real program at both screen sizes: the notices hide no button, and
// names read from the files (a list of players and a highscore table written
// with 5 000-letter names) stay in their fields. Each screen is saved as
// test-output/notice_<width>_<screen>.png and goes through the layout check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "frontend/score_table.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/screen_manager.h"
#include "support/menu_route.h"
#include "support/whole_game.h"

namespace {

struct Size {
    int width, height;
};

// The start screen, the map, the shop, the map's highscores and the options,
// each looked at once it has faded in, with no click on the notices but the
// one on the city pin (before they could be taken down).
class NoticeApp : public RecordedApp {
public:
    explicit NoticeApp(Size size)
        : size(size)
    {
    }

    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        ms += 20.0;
        if (++frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (menuFrames > 0 || test::StartScreenOpen())
            OnMenu(world);
        return cGameApp::Frame() && menuFrames < 210 && frames < 3000;
    }

    double ms = 0;
    std::set<std::string> saved;
    std::vector<std::string> breaches;
    std::vector<std::string> noticeMissing; // screens shot without the notice

private:
    void Shoot(const std::string& screen)
    {
        const std::string name = std::to_string(size.width) + "_" + screen;
        if (!SaveFrame("notice_" + name))
            return;
        saved.insert(screen);
        bool notice = false;
        for (const test::GfxDraw& d : Draws())
            notice = notice || d.text.find(L"could not be read whole") != std::wstring::npos;
        if (!notice)
            noticeMissing.push_back(screen);
        CheckFrame(name, breaches);
    }

    void OnMenu(cGameWorld& world)
    {
        ++menuFrames;
        if (menuFrames == 1)
            world.level = 12;
        if (menuFrames == 40) {
            Shoot("start");
            world.profilesOpen = 0;
        }
        if (menuFrames == 80) {
            Shoot("map");
            world.money = 1000; // the city pin shows once there is money
        }
        if ((menuFrames == 85 || menuFrames == 86) && g_pInputDevice) {
            const int x = Scene::ScaleX(50), y = Scene::ScaleY(750);
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, menuFrames == 85, x, y);
        }
        if (menuFrames == 120) {
            if (world.shopOpen)
                Shoot("shop");
            platform::InjectKey(window, "Escape", true);
        }
        if (menuFrames == 130) {
            // as the map's highscores button
            world.highscoresOpen = 1;
            world.highscoreTableReady = 0;
            world.resultScreenOpen = 1;
            cScreenManager::Instance().GetScreen(cScreenManager::kResultScreen)->SetActive(true);
        }
        if (menuFrames == 170) {
            Shoot("results");
            world.highscoresOpen = world.resultScreenOpen = 0;
            // as the start screen's options button
            cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
            world.optionsOpen = 1;
        }
        if (menuFrames == 209)
            Shoot("options");
    }

    Size size;
    int frames = 0, menuFrames = 0;
};

class PlayerNotice : public test::WholeGameRuns<> {
protected:
    void TearDown() override
    {
        settings.SetResolution(saved.width, saved.height);
        settings.screenMode = saved.screenMode;
        WholeGameRuns::TearDown();
    }

    cSettings& settings = cSettings::Instance();
    const struct {
        int width, height, screenMode;
    } saved { settings.width, settings.height, settings.screenMode };
};

TEST_F(PlayerNotice, NoticesHideNoButtonAndNamesFromFilesStayInTheirFields)
{
    std::filesystem::create_directories("test-output");
    for (const Size size : { Size { 1280, 1024 }, Size { 1024, 768 } }) {
        SCOPED_TRACE(size.width);
        test::TempFolder home;
        EnterPlayerFolder(home);
        const std::string user = platform::WideToNarrow(world.userFolder);
        world.profileNames[world.currentProfile] = std::wstring(5000, L'W');
        world.profileLastLevel[world.currentProfile] = 12;
        ASSERT_TRUE(world.SaveUsers());
        Scene::ScoreTable scores;
        scores.Insert(std::wstring(5000, L'M'), world.currentProfile, 100, 500);
        ASSERT_TRUE(Scene::SaveScoreFile(scores, Scene::ScoreFilePath(12)));
        // Damaged: a line the game never writes after what it wrote.
        const std::vector<uint8_t> line = platform::WideToUtf16Le(L"no setting of the game\r\n");
        for (const char* file : { "/config.cfg", "/us.txt" })
            std::ofstream(user + file, std::ios::app | std::ios::binary)
                .write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(line.size()));
        EnterPlayerFolder(home);
        EXPECT_EQ(world.profileNames[world.currentProfile], std::wstring(14, L'W'));

        settings.SetResolution(size.width, size.height);
        settings.screenMode = 0;
        test::ShowLogosAsAtStart(world);
        NoticeApp app(size);
        platform::SetTimeSourceForTests([&app] { return app.ms; });
        app.Run();
        platform::SetTimeSourceForTests(nullptr);
        for (const char* screen : { "start", "map", "shop", "results", "options" })
            EXPECT_TRUE(app.saved.count(screen)) << screen;
        for (const std::string& screen : app.noticeMissing)
            ADD_FAILURE() << screen << ": no notice";
        for (const std::string& breach : app.breaches)
            ADD_FAILURE() << breach;
        EndRun();
    }
}

} // namespace
