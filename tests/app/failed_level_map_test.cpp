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

class FailedLevelApp : public RecordedApp {
public:
    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        ++frames;
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (top == L"cStateGame")
            OnLevel(world);
        else if (!played && test::StartScreenOpen() && ++menuFrames == 20) {
            // a player who has won levels 1 and 2
            world.profileLastLevel[world.currentProfile] = world.furthestLevel = 3;
            played = true;
            test::PlayLevelFromMap(3);
        } else if (levelFrames > 0 && ++mapFrames == 1) {
            // back from the level: its pin chosen on the map, the mouse away from the pins
            world.profilesOpen = 0;
            world.level = 3;
            g_pInputDevice->SetCursorPos(5, 5);
        } else if (mapFrames == 40) {
            for (const test::GfxDraw& d : Draws())
                mapTexts += Squeezed(d.text);
        }
        return cGameApp::Frame() && mapFrames < 40 && frames < 3000;
    }

    std::wstring mapTexts;

private:
    // The task dialog closed, twice the time limit reached in play, and the
    // failed panel's Continue pressed.
    void OnLevel(cGameWorld& world)
    {
        ++levelFrames;
        if (levelFrames == 11)
            platform::InjectKey(window, "Escape", true);
        if (levelFrames == 30)
            world.levelElapsed = 2 * world.levelTimeLimit;
        if (levelFrames == 70 || levelFrames == 71)
            PressText(g_guiVocabulary[8], levelFrames == 70);
    }

    int frames = 0, menuFrames = 0, levelFrames = 0, mapFrames = 0;
    bool played = false;
};

class FailedLevelMap : public WholeGameTest { };

// The map's words for a level whose failed try was not recorded are the
// words for one whose failed try was: not passed yet, never "not played".
TEST_F(FailedLevelMap, ALevelTriedAndFailedReadsNotPassedOnTheMap)
{
    ShowLogos();
    FailedLevelApp app;
    app.Run();
    ASSERT_FALSE(app.mapTexts.empty()) << "the map was not reached";
    EXPECT_EQ(world.levelStatus[3], -1);
    const std::wstring notPassed = Squeezed(g_guiVocabulary[119]);
    ASSERT_FALSE(notPassed.empty());
    EXPECT_NE(app.mapTexts.find(notPassed), std::wstring::npos) << platform::WideToNarrow(app.mapTexts);
}

} // namespace
