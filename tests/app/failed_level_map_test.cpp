// A level tried and failed, as the world map tells it afterwards: the real
// program, headless, level 3 started from the map, run out of time in play
// and left through its failed panel's Continue, which records no try.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "recorded_app.h"
#include "scene/gui_vocabulary.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

std::wstring Squeezed(const std::wstring& text)
{
    std::wstring out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](wchar_t c) { return !std::iswspace(c); });
    return out;
}

constexpr int kContinueText = 8;

// A player who has won levels 1 and 2 plays level 3: the task dialog closed,
// twice the time limit reached in play, and the failed panel's Continue
// pressed; back on the map, level 3 chosen and the mouse away from the pins.
class FailedLevelApp : public ScriptedApp {
public:
    FailedLevelApp()
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        steps.Add("the start screen", test::StartScreenOpen, [&world] {
            world.profileLastLevel[world.currentProfile] = world.furthestLevel = 3;
            test::PlayLevelFromMap(3);
        });
        steps.Add(
            "level 3's task dialog",
            [this] { return DrawnBy() == L"cStateGame" && ShowsImage("tutorial_menu_big.png"); },
            [this] { platform::InjectKey(window, "Escape", true); });
        steps.Add(
            "the task dialog closed",
            [this, &world] { return !world.taskBookOpen && !ShowsImage("tutorial_menu_big.png"); },
            [&world] { world.levelElapsed = 2 * world.levelTimeLimit; });
        steps.Add(
            "the failed panel", [this] { return ShowsText(g_guiVocabulary[kContinueText]); },
            [this] { PressText(g_guiVocabulary[kContinueText], true); });
        LetGoNextFrame();
        // Before the menu's first frame, which would start the level again
        // from the profile screen.
        steps.Add(
            "the main menu after the level", [this] { return TopState() == L"cStateMenu"; },
            [&world] {
                world.profilesOpen = 0;
                world.level = 3;
                g_pInputDevice->SetCursorPos(5, 5);
            });
        steps.Add(
            "the map, faded in", [] { return FadedIn(cScreenManager::kWorldMap); },
            [this] {
                for (const test::GfxDraw& d : Draws())
                    mapTexts += Squeezed(d.text);
            });
    }

    std::wstring mapTexts;
};

class FailedLevelMap : public WholeGameTest { };

// The map's words for a level whose failed try was not recorded are the
// words for one whose failed try was: not passed yet, never "not played".
TEST_F(FailedLevelMap, ALevelTriedAndFailedReadsNotPassedOnTheMap)
{
    ShowLogos();
    FailedLevelApp app;
    app.Run();
    EXPECT_EQ(app.steps.Unfinished(), "");
    ASSERT_FALSE(app.mapTexts.empty()) << "the map was not reached";
    EXPECT_EQ(world.levelStatus[3], -1);
    const std::wstring notPassed = Squeezed(g_guiVocabulary[119]);
    ASSERT_FALSE(notPassed.empty());
    EXPECT_NE(app.mapTexts.find(notPassed), std::wstring::npos) << platform::WideToNarrow(app.mapTexts);
}

} // namespace
