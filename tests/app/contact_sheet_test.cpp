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
#include "scene/task_dialog.h"
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

// GUI texts the run presses or looks for.
constexpr int kContinueText = 8;
constexpr int kNewGameText = 15;
constexpr int kYesText = 16;
constexpr int kMainMenuText = 22;
constexpr int kTaskOkText = 23;
constexpr int kTableNameText = 29; // the result table's column head
constexpr int kPriceText = 92;
constexpr int kNotSavedText = 153;
// How long a level is played before it is shot: its large blends are counted
// meanwhile.
constexpr double kPlaySeconds = 1.0 / 3.0;

class SheetApp : public ScriptedApp {
public:
    explicit SheetApp(Size size)
        : size(size)
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        LookAtTheStartScreen(world);
        NameNewPlayer(world);
        steps.Add(
            "the start screen again, the naming given up", [this] { return ShowsText(g_guiVocabulary[kNewGameText]); },
            [&world] {
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevels[0]);
            });
        for (size_t i = 0; i < std::size(kLevels); ++i) {
            PlayLevel(world, i);
            const int level = kLevels[i];
            const std::string back = "the main menu after level " + std::to_string(level);
            const auto inMenu = [this] { return TopState() == L"cStateMenu"; };
            if (i == 0) {
                LookAtTheMap(world, back);
            } else if (i == 1) {
                VisitTheShop(world, back);
            } else if (i + 1 < std::size(kLevels)) {
                // as from the profile screen, which the map would not override
                steps.Add(back, inMenu, [&world, i] {
                    world.profilesOpen = 1;
                    test::PlayLevelFromMap(kLevels[i + 1]);
                });
            } else {
                steps.Add(back, inMenu, [] { test::QuitFromProfiles(); });
            }
        }
        // The credits' first frame also holds what the menu drew before it
        // asked for them, unpresented.
        steps.Add("the credits", [this] { return DrawnBy() == L"cStateExit"; });
        steps.Add(
            "the credits, their first line well in view", [this] { return CreditsInView(); },
            [this] {
                Shoot("credits");
                platform::InjectKey(window, "Escape", true);
            });
        steps.EndOfGame("the game's end after the credits");
    }
    ~SheetApp() override { Judge(); }

    std::set<std::string> saved;
    std::vector<std::string> breaches;
    std::wstring typed; // the new player's name as typed
    bool roomForOneFile = false, refused = false; // the trade on a full disk
    int largeSdlBlends = 0;

private:
    // Saves the frame last presented and checks its layout.
    void Shoot(const std::string& screen)
    {
        const std::string name = std::to_string(size.width) + "_" + screen;
        if (!SaveFrame("sheet_" + name))
            return;
        saved.insert(screen);
        CheckFrame(name, breaches);
    }

    // The start screen and its options, each once it has faded in.
    void LookAtTheStartScreen(cGameWorld& world)
    {
        steps.Add(
            "the start screen, faded in", [] { return test::StartScreenOpen() && FadedIn(cScreenManager::kStart); },
            [this, &world] {
                Shoot("start");
                OpenOptionsFromStart(world);
            });
        steps.Add(
            "the options, faded in", [] { return FadedIn(cScreenManager::kOptions); },
            [this, &world] {
                Shoot("options");
                world.optionsOpen = 0;
                world.profilesOpen = 1;
            });
    }

    // A new game on the start screen: its question looked at and answered
    // "Yes", a name typed at once by a quick typist, each key let go before
    // the next frame, looked at, and given up with Escape.
    void NameNewPlayer(cGameWorld& world)
    {
        steps.Add(
            "the start screen's New game button", [this] { return ShowsText(g_guiVocabulary[kNewGameText]); },
            [this] { PressText(g_guiVocabulary[kNewGameText], true); });
        LetGoNextFrame();
        steps.Add(
            "the question whether to start a new game", [this] { return ShowsText(g_guiVocabulary[kYesText]); },
            [this] {
                Shoot("confirm");
                PressText(g_guiVocabulary[kYesText], true);
            });
        // The keys from the frame the Yes is let go on, one a frame.
        const char* const keys[] = { "T", "E", "S", "S" };
        for (int k = 0; k < 4; ++k)
            steps.Add(
                "the frame for the key " + std::string(keys[k]), [] { return true; },
                [this, k, key = keys[k]] {
                    if (k == 0)
                        LetGo();
                    if (k == 0 || k == 1)
                        platform::InjectKey(window, "Left Shift", k == 0);
                    platform::InjectKey(window, key, true);
                    platform::InjectKey(window, key, false);
                });
        steps.Add(
            "the name field with four letters typed",
            [this, &world] {
                const std::wstring entry(world.textEntry);
                return world.profileNameEntry && entry.size() == 4 && (ShowsText(entry) || ShowsText(entry + L"_"));
            },
            [this, &world] {
                Shoot("naming");
                typed = std::wstring(world.textEntry);
                platform::InjectKey(window, "Escape", true);
            });
    }

    // Back on the map: it is looked at with two regions of pins and the
    // furthest level chosen, then its result table; then level 2.
    void LookAtTheMap(cGameWorld& world, const std::string& back)
    {
        steps.Add(
            back, [this] { return TopState() == L"cStateMenu"; },
            [&world] {
                world.profileLastLevel[world.currentProfile] = 12;
                world.level = 12;
            });
        steps.Add(
            "the map, faded in", [] { return FadedIn(cScreenManager::kWorldMap); },
            [this, &world] {
                Shoot("map");
                OpenHighscores(world);
            });
        steps.Add(
            "the result table, faded in",
            [&world] { return world.highscoreTableReady && FadedIn(cScreenManager::kResultScreen); },
            [this, &world] {
                Shoot("results");
                world.optionsOpen = world.highscoresOpen = world.resultScreenOpen = 0;
            });
        steps.Add(
            "the map without the table", [this] { return !ShowsText(g_guiVocabulary[kTableNameText]); },
            [&world] {
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevels[1]);
            });
    }

    // Back on the map the next time: a locked pin's notice, then the shop
    // with a lot's price bubble and a purchase the disk has no room for; then
    // the next level.
    void VisitTheShop(cGameWorld& world, const std::string& back)
    {
        // The furthest level needs a building not yet built: its pin,
        // pointed at, says so on the map, and the shop's banner asks for it.
        steps.Add(
            back, [this] { return TopState() == L"cStateMenu"; },
            [&world] {
                world.profileLastLevel[world.currentProfile] = 11;
                world.level = 10;
                if (g_pInputDevice)
                    g_pInputDevice->SetCursorPos(Scene::ScaleX(370), Scene::ScaleY(410)); // the pin of level 11
            });
        steps.Add(
            "the map, faded in, with the notice of the pin pointed at",
            [&world] { return FadedIn(cScreenManager::kWorldMap) && world.taskTextIsNotice; },
            [this, &world] {
                Shoot("map_notice");
                world.money = 1000;
                if (g_pInputDevice)
                    g_pInputDevice->SetCursorPos(Scene::ScaleX(50), Scene::ScaleY(750)); // the city pin
            });
        ClickCityPin();
        steps.Add(
            "the shop, faded in", [&world] { return world.shopOpen && FadedIn(cScreenManager::kShop); },
            [&world] {
                // pointing at the lot the next level needs, for its price bubble
                if (g_pInputDevice)
                    g_pInputDevice->SetCursorPos(LotX(world), LotY(world));
            });
        steps.Add(
            "the lot's price bubble", [this] { return ShowsTextWith(g_guiVocabulary[kPriceText]); },
            [this, &world] {
                Shoot("shop");
                BuyOnAFullDisk(world);
            });
        LetGoNextFrame();
        // The disk stays full until the trade is told or made; only then is
        // it judged.
        steps.Add(
            "the purchase told or made", [&world] { return Told(world) || Made(world); },
            [this, &world] {
                refused = Told(world) && !Made(world);
                Judge();
            });
        steps.Add(
            "the shop's notice that the purchase was not saved",
            [this] { return FadedIn(cScreenManager::kShop) && ShowsTextWith(g_guiVocabulary[kNotSavedText]); },
            [this, &world] {
                Shoot("shop_not_saved");
                world.money = moneyBefore;
                platform::InjectKey(window, "Escape", true);
            });
        steps.Add(
            "the shop left", [&world] { return !world.shopOpen; },
            [&world] {
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevels[2]);
            });
    }

    // The lot the next level needs, in the shop.
    static int LotX(const cGameWorld& world) { return world.cellX[4][5] + Scene::ScaleX(73); }
    static int LotY(const cGameWorld& world) { return world.cellY[4][5] + Scene::ScaleY(158); }
    static bool Told(const cGameWorld& world)
    {
        return world.playerFileNotice.find(g_guiVocabulary[kNotSavedText]) != std::wstring::npos;
    }
    static bool Made(const cGameWorld& world) { return world.money != 10'000'000 || world.lotStatus[4][5] != 0; }

    // A click on the lot pointed at, with the money for it, on a disk with
    // room for the station file but not the saved game: the trade is not
    // made and the notice at the foot of the shop says so.
    void BuyOnAFullDisk(cGameWorld& world)
    {
        // The run saves nothing; here the player's files have a folder.
        savedFolder = std::exchange(world.userFolder, platform::NarrowToWide(userFolder.Path()));
        couldSave = std::exchange(cSettings::Instance().canSave, true);
        moneyBefore = world.money;
        world.money = 10'000'000;
        const size_t game = world::SavedGameText(world).size() * 2, station = world::LotFileText(world).size() * 2;
        roomForOneFile = station < game;
        disk = std::make_unique<test::FileSizeLimit>((game + station) / 2);
        Press(LotX(world), LotY(world), true);
    }

    // The disk has room again and the run saves nothing again.
    void Judge()
    {
        if (!disk)
            return;
        disk.reset();
        cGameWorld::Instance().userFolder = savedFolder;
        cSettings::Instance().canSave = couldSave;
    }

    // A level: its task dialog, the level after a moment of play, the game
    // menu, and out through the menu's last button; the last level runs out
    // of time instead, and is left through its end panel. The first level's
    // task is read to its end and closed with its button, as a new player
    // does, so the level shows where its jokers will stand.
    void PlayLevel(cGameWorld& world, size_t i)
    {
        const std::string level = "level_" + std::to_string(kLevels[i]);
        const bool last = i + 1 == std::size(kLevels);
        steps.Add(level, [this] { return DrawnBy() == L"cStateGame"; });
        if (i == 0) {
            steps.Add(
                "level 1's task dialog, faded in",
                [&world] { return world.taskBookOpen && FadedIn(cScreenManager::kTask); },
                [this, level] { Shoot(level + "_task"); });
            ReadTask(world);
        } else {
            steps.Add(
                level + "'s task dialog", [this] { return ShowsImage("tutorial_menu_big.png"); },
                [this] { platform::InjectKey(window, "Escape", true); });
        }
        steps.Add(
            level + " lit, its task dialog closed",
            [this, &world] {
                return !world.taskBookOpen && !ShowsImage("tutorial_menu_big.png") && !world.brightening
                    && !world.darkening && FadedIn(cScreenManager::kHud);
            },
            [this] { blendsBefore = engine::LargeSdlBlends(); });
        steps.Hold(level + " played a moment", kPlaySeconds, [this, &world, level, last] {
            largeSdlBlends += engine::LargeSdlBlends() - blendsBefore;
            Shoot(level);
            if (last)
                world.levelElapsed = 2 * world.levelTimeLimit; // for its end panel
            else
                platform::InjectKey(window, "Escape", true);
        });
        if (last) {
            steps.Add(
                "the end panel", [this] { return ShowsText(g_guiVocabulary[kContinueText]); },
                [this, &world] {
                    Shoot("end");
                    PressText(g_guiVocabulary[kContinueText], true);
                    // The map, not drawn under the profile screen here, would
                    // clear the start request its play button left.
                    world.menuChoice = -1;
                });
        } else {
            steps.Add(
                "the game menu", [this] { return ShowsText(g_guiVocabulary[kMainMenuText]); },
                [this, &world, i, level] {
                    if (i == 0)
                        Shoot(level + "_menu");
                    PressText(g_guiVocabulary[kMainMenuText], true);
                    world.menuChoice = -1;
                });
        }
        steps.Add(
            "the press held a frame", [] { return true; },
            [this, &world] {
                LetGo();
                world.menuChoice = -1;
            });
    }

    // Presses the task dialog's button once it shows, else its arrow to the
    // next page, lets go, and reads on once the page has turned.
    void ReadTask(cGameWorld& world)
    {
        steps.Add(
            "level 1's task page", [&world] { return world.taskBookOpen && FadedIn(cScreenManager::kTask); },
            [this, &world] {
                const bool ok = ShowsText(g_guiVocabulary[kTaskOkText]);
                if (ok)
                    PressText(g_guiVocabulary[kTaskOkText], true);
                else
                    Press(Scene::ScaleX(538) + Scene::ScaleX(73) / 2,
                        Scene::ScaleY(300) + Scene::ScaleY(295) + Scene::ScaleY(49) / 2, true);
                // The dialog may close on the press: the button is let go all
                // the same, as a player's finger does, so that no press is
                // still down when the game menu opens.
                LetGoNextFrame();
                if (ok) {
                    steps.Add("level 1's task dialog closed by its button", [&world] { return !world.taskBookOpen; });
                    return;
                }
                const int page = Dialog()->GetCurrentPage();
                steps.Add(
                    "level 1's next task page", [page] { return Dialog()->GetCurrentPage() != page; },
                    [this, &world] { ReadTask(world); });
            });
    }

    static Scene::TaskDialog* Dialog()
    {
        return cScreenManager::Instance().Get<Scene::TaskDialog>(cScreenManager::kTask);
    }

    bool CreditsInView() const
    {
        for (const test::GfxDraw& d : Draws())
            if (!d.text.empty())
                return d.y < size.height - 100;
        return false;
    }

    Size size;
    std::unique_ptr<test::FileSizeLimit> disk;
    test::TempFolder userFolder;
    std::wstring savedFolder;
    bool couldSave = false;
    int moneyBefore = 0;
    int blendsBefore = 0;
};

class ContactSheet : public WholeGameTest, public ::testing::WithParamInterface<Size> { };

TEST_P(ContactSheet, EveryScreenIsSavedAndLaidOut)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    SheetApp app(GetParam());
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.steps.Unfinished(), "");
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
