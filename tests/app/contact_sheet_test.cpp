// A contact sheet of the game: one whole run over the real engine, headless,
// at each screen size, that walks the screens a player meets and saves each
// as test-output/sheet_<width>_<screen>.png in the build folder, to look at.
// Each saved screen also goes through the layout check (support/layout_check.h)
// on the draw calls and pixels of that very frame: texts inside the screen and
// their plates and readable, panels and buttons on the screen, dialogs whole,
// tiles edge to edge, buttons apart.
// The run also checks that the frames of a level leave no large area to
// SDL's slow blend (the engine blends them: engine::BlendDirect).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_testing.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "support/file_size_limit.h"
#include "support/menu_route.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"
#include "world/saved_game_rows.h"

namespace {

struct Size {
    int width, height;
};

// Levels to look at: the first two and one of each other region (snow, usa,
// rock, desert).
constexpr int kLevels[] = { 1, 2, 8, 14, 20, 26 };

class SheetApp : public RecordedApp {
public:
    explicit SheetApp(Size size)
        : size(size)
    {
    }

    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        const bool arrived = next == 0 ? test::StartScreenOpen() : top == L"cStateMenu";
        if (top != L"cStateGame" && (menuFrames > 0 || arrived))
            OnMenu(world);
        if (top == L"cStateGame")
            OnLevel();
        // The credits once their first line has scrolled well into view.
        if (quitAt && frames > quitAt + 10 && !saved.count("credits") && CreditsInView()) {
            Shoot("credits");
            platform::InjectKey(window, "Escape", true);
        }
        return cGameApp::Frame() && frames < 20000;
    }

    std::set<std::string> saved;
    std::vector<std::string> breaches;
    std::wstring typed; // the new player's name as typed
    bool roomForOneFile = false, refused = false; // the trade on a full disk
    int largeSdlBlends = 0;

private:
    // Saves the frame last presented and checks its layout.
    void Shoot(const std::string& screen)
    {
        if (screen.empty())
            return;
        const std::string name = std::to_string(size.width) + "_" + screen;
        if (!SaveFrame("sheet_" + name))
            return;
        saved.insert(screen);
        CheckFrame(name, breaches);
    }

    // On the start screen: look at it, at the options and at a new game's
    // question and naming; back on the map: look at it and at the result
    // table, the next time at a locked pin's notice and at the shop with a
    // lot's price bubble and a purchase the disk has no room for; then play
    // the next level, or end the game once every level was seen.
    void OnMenu(cGameWorld& world)
    {
        ++menuFrames;
        levelFrames = 0;
        if (menuFrames == 1 && next == 1) {
            // two regions of pins on the map, the furthest one chosen
            world.profileLastLevel[world.currentProfile] = 12;
            world.level = 12;
        }
        if (menuFrames == 40)
            Shoot(next == 0 ? "start" : next == 1 ? "map" : "");
        if (menuFrames == 41 && next == 0) {
            // as the start screen's options button
            cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
            world.profilesOpen = 0;
            world.optionsOpen = 1;
        }
        if (menuFrames == 41 && next == 1) {
            // as the map's highscores button
            world.highscoresOpen = 1;
            world.highscoreTableReady = 0;
            world.resultScreenOpen = 1;
            cScreenManager::Instance().GetScreen(cScreenManager::kResultScreen)->SetActive(true);
        }
        if (menuFrames == 1 && next == 2) {
            // The furthest level needs a building not yet built: its pin,
            // pointed at, says so on the map, and the shop's banner asks for it.
            world.profileLastLevel[world.currentProfile] = 11;
            world.level = 10;
        }
        if (menuFrames >= 20 && menuFrames <= 40 && next == 2 && g_pInputDevice)
            g_pInputDevice->SetCursorPos(Scene::ScaleX(370), Scene::ScaleY(410)); // the pin of level 11
        if (menuFrames == 40 && next == 2)
            Shoot("map_notice");
        if (menuFrames == 41 && next == 2)
            world.money = 1000; // the city pin shows once there is money
        if ((menuFrames == 45 || menuFrames == 46) && next == 2 && g_pInputDevice) {
            // the city pin at the map's lower left
            const int x = Scene::ScaleX(50), y = Scene::ScaleY(750);
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, menuFrames == 45, x, y);
        }
        if (menuFrames >= 60 && menuFrames < 80 && next == 2 && world.shopOpen && g_pInputDevice) {
            // pointing at the lot the next level needs, for its price bubble
            const int x = world.cellX[4][5] + Scene::ScaleX(73), y = world.cellY[4][5] + Scene::ScaleY(158);
            g_pInputDevice->SetCursorPos(x, y);
        }
        if (menuFrames == 80 && next == 2)
            Shoot(world.shopOpen ? "shop" : ""); // only when the press on the pin opened it
        if (menuFrames >= 81 && next == 2 && !judgedAt)
            BuyOnAFullDisk(world);
        if (judgedAt && menuFrames == judgedAt + 11 && next == 2) {
            Shoot(world.shopOpen ? "shop_not_saved" : "");
            world.money = moneyBefore;
            platform::InjectKey(window, "Escape", true);
        }
        if (menuFrames == 80 && next < 2) {
            Shoot(next == 0 ? "options" : "results");
            world.optionsOpen = world.highscoresOpen = world.resultScreenOpen = 0;
            world.profilesOpen = next == 0 ? 1 : world.profilesOpen;
        }
        if (next == 0)
            NameNewPlayer(world);
        // On to the next level; from the shop once its purchase was judged.
        if (next == 2 ? judgedAt && menuFrames == std::max(100, judgedAt + 16) : menuFrames == 100) {
            if (next < static_cast<int>(std::size(kLevels))) {
                // as from the profile screen, which the map would not override
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevels[next++]);
            } else if (!quitAt) {
                quitAt = frames;
                test::QuitFromProfiles();
            }
        }
    }

    // A click on the lot pointed at, with the money for it, on a disk with
    // room for the station file but not the saved game: the trade is not
    // made and the notice at the foot of the shop says so. The input process
    // runs every 5 ms, so after short frames the click is taken a frame or
    // more late: the disk stays full until the trade is told or made (or
    // long enough that it never will be), and only then is it judged.
    void BuyOnAFullDisk(cGameWorld& world)
    {
        if (menuFrames == 81) {
            // The run saves nothing; here the player's files have a folder.
            savedFolder = std::exchange(world.userFolder, platform::NarrowToWide(userFolder.Path()));
            couldSave = std::exchange(cSettings::Instance().canSave, true);
            moneyBefore = world.money;
            world.money = 10'000'000;
            const size_t game = world::SavedGameText(world).size() * 2, station = world::LotFileText(world).size() * 2;
            roomForOneFile = station < game;
            disk = std::make_unique<test::FileSizeLimit>((game + station) / 2);
        }
        if ((menuFrames == 81 || menuFrames == 82) && g_pInputDevice) {
            const int x = world.cellX[4][5] + Scene::ScaleX(73), y = world.cellY[4][5] + Scene::ScaleY(158);
            platform::InjectMouseButton(window, 1, menuFrames == 81, x, y);
        }
        const bool told = world.playerFileNotice.find(g_guiVocabulary[153]) != std::wstring::npos;
        const bool made = world.money != 10'000'000 || world.lotStatus[4][5] != 0;
        if (menuFrames >= 83 && (told || made || menuFrames == 81 + kClickFrames)) {
            judgedAt = menuFrames;
            disk.reset();
            world.userFolder = savedFolder;
            cSettings::Instance().canSave = couldSave;
            refused = told && !made;
        }
    }

    // A new game on the start screen: its question looked at and answered
    // "Yes", a name typed at once by a quick typist, each key let go before
    // the next frame, looked at, and given up with Escape.
    void NameNewPlayer(cGameWorld& world)
    {
        if (menuFrames == 82 || menuFrames == 83)
            PressText(g_guiVocabulary[15], menuFrames == 82);
        if (menuFrames == 86)
            Shoot("confirm");
        if (menuFrames == 86 || menuFrames == 87)
            PressText(g_guiVocabulary[16], menuFrames == 86);
        const char* const keys[] = { "T", "E", "S", "S" };
        const int k = menuFrames - 87;
        if (k == 0 || k == 1)
            platform::InjectKey(window, "Left Shift", k == 0);
        if (k >= 0 && k < 4) {
            platform::InjectKey(window, keys[k], true);
            platform::InjectKey(window, keys[k], false);
        }
        if (menuFrames == 96) {
            Shoot("naming");
            typed = std::wstring(world.textEntry);
            platform::InjectKey(window, "Escape", true);
        }
    }

    bool CreditsInView() const
    {
        for (const test::GfxDraw& d : Draws())
            if (!d.text.empty())
                return d.y < size.height - 100;
        return false;
    }

    // In a level: its task dialog, the level after a few frames, the game
    // menu, and out through the menu's last button. The first level's task is
    // read to its end and closed with its button, as a new player does, so
    // the level shows where its jokers will stand.
    void OnLevel()
    {
        menuFrames = 0;
        ++levelFrames;
        const std::string level = "level_" + std::to_string(kLevels[next - 1]);
        if (levelFrames == 4 && next == 1)
            Shoot(level + "_task");
        if (levelFrames == 5 && next > 1)
            platform::InjectKey(window, "Escape", true);
        if (levelFrames >= 5 && levelFrames < 17 && next == 1 && cGameWorld::Instance().taskBookOpen)
            ReadTask((levelFrames - 5) % 2 == 0);
        // The dialog may close on the button's press: the button is let go
        // all the same, as a player's finger does, so that no press is still
        // down when the game menu opens.
        if (levelFrames == 17 && next == 1 && g_pInputDevice)
            PressArrow(false);
        if (levelFrames == 20)
            blendsBefore = engine::LargeSdlBlends();
        if (levelFrames == 40) {
            largeSdlBlends += engine::LargeSdlBlends() - blendsBefore;
            Shoot(level);
        }
        // The last level runs out of time here, for its end panel.
        const bool last = next == static_cast<int>(std::size(kLevels));
        cGameWorld& world = cGameWorld::Instance();
        if (levelFrames == 41 && last)
            world.levelElapsed = 2 * world.levelTimeLimit;
        if (levelFrames == 80 && last)
            Shoot("end");
        if (levelFrames == 41 && !last)
            platform::InjectKey(window, "Escape", true);
        if (levelFrames == 70 && next == 1)
            Shoot(level + "_menu"); // once it has faded in
        if ((levelFrames == (last ? 81 : 71) || levelFrames == (last ? 82 : 72)) && g_pInputDevice) {
            // the game menu's last button, "Main menu", or the end panel's
            // "Continue"
            const int x = size.width / 2, y = last ? Scene::ScaleY(984) : size.width == 1280 ? 576 : 433;
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, levelFrames == (last ? 81 : 71), x, y);
            // The map, not drawn under the profile screen here, would clear
            // the start request its play button left.
            world.menuChoice = -1;
        }
    }

    // Presses (or lets go of) the task dialog's button once it shows, else
    // its arrow to the next page.
    void ReadTask(bool down)
    {
        const std::wstring ok = g_guiVocabulary[23];
        if (down)
            okShown = std::any_of(Draws().begin(), Draws().end(), [&](const test::GfxDraw& d) { return d.text == ok; });
        if (okShown) {
            PressText(ok, down);
            return;
        }
        PressArrow(down);
    }
    // The task dialog's arrow to the next page.
    void PressArrow(bool down)
    {
        const int x = Scene::ScaleX(538) + Scene::ScaleX(73) / 2;
        const int y = Scene::ScaleY(300) + Scene::ScaleY(295) + Scene::ScaleY(49) / 2;
        g_pInputDevice->SetCursorPos(x, y);
        platform::InjectMouseButton(window, 1, down, x, y);
    }

    Size size;
    std::unique_ptr<test::FileSizeLimit> disk;
    test::TempFolder userFolder;
    std::wstring savedFolder;
    bool couldSave = false;
    int moneyBefore = 0;
    int frames = 0, menuFrames = 0, levelFrames = 0, next = 0, quitAt = 0, blendsBefore = 0;
    // The frame the purchase on the full disk was judged in (0: not yet), and
    // how many frames after the press it waits at most.
    int judgedAt = 0;
    static constexpr int kClickFrames = 300;
    bool okShown = false;
};

class ContactSheet : public WholeGameTest, public ::testing::WithParamInterface<Size> { };

TEST_P(ContactSheet, EveryScreenIsSavedAndLaidOut)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    SheetApp app(GetParam());
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.typed, L"Tess");
    EXPECT_TRUE(app.roomForOneFile && app.refused) << "the purchase on a full disk";
    for (const char* screen : { "start", "confirm", "naming", "options", "map", "results", "map_notice", "shop",
             "shop_not_saved", "level_1_task", "level_1", "level_1_menu", "level_2", "level_8", "level_14", "level_20",
             "level_26", "end", "credits" })
        EXPECT_TRUE(app.saved.count(screen)) << screen;
    for (const std::string& breach : app.breaches)
        ADD_FAILURE() << breach;
    EXPECT_EQ(app.largeSdlBlends, 0) << "large areas of a level's frames blended by SDL";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ContactSheet, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
