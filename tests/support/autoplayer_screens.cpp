// What the autoplayer looks at besides playing: the screen state each frame
// shows, named so that every state is drawn and checked once a run, and the
// side trips that lead to screens a plain run passes by.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/utf16.h"
#include "scene/gui_vocabulary.h"
#include "support/autoplayer.h"
#include "world/game_world.h"

namespace test {

namespace {

    constexpr int kOptionsText = 6;
    constexpr int kQuitText = 20;
    constexpr int kCloseText = 49;
    constexpr int kPriceText = 92;
    // A state that does not settle within this many frames is not checked.
    constexpr int kSettleLimit = 400;

    bool StartsWith(const std::wstring& text, const std::wstring& head)
    {
        return text.compare(0, head.size(), head) == 0;
    }

} // namespace

// The top state, the screens and dialogs open over it, the end panel's phase
// and the level: what makes one screen state differ from another. States that
// pass or fade by themselves (loading, the cup fading in and out, the rating
// still being worked out, credits not yet in view) have no name.
std::string Autoplayer::ScreenState()
{
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    const std::vector<GfxDraw> none;
    const std::vector<GfxDraw>& draws = gfx ? gfx->draws : none;
    if (top == L"cStateExit") {
        // The credits once their first line has come well into view.
        const auto line = std::find_if(draws.begin(), draws.end(), [](const GfxDraw& d) { return !d.text.empty(); });
        return line != draws.end() && line->y < height - 100 ? "credits" : "";
    }
    if (top == L"cStateMenu") {
        if (world.logosPresent || world.loadingPhase)
            return "";
        if (world.profilesOpen)
            return world.restartConfirmOpen ? "start_restart" : world.profileNameEntry ? "start_naming" : "start";
        if (world.optionsOpen)
            return "start_options";
        if (world.highscoresOpen)
            return "highscores";
        if (world.shopInMainMenu) {
            if (!world.shopOpen)
                return "";
            const bool bubble = std::any_of(draws.begin(), draws.end(),
                [](const GfxDraw& d) { return StartsWith(d.text, g_guiVocabulary[kPriceText]); });
            return (phase == Phase::Station ? "shop_station" : "shop_for_level_" + std::to_string(level))
                + (bubble ? "_bubble" : "");
        }
        if (world.intro == 1 || world.intro == 2)
            return "map_intro_" + std::to_string(world.intro);
        return "map_level_" + std::to_string(world.level) + (world.taskTextIsNotice ? "_build_first" : "");
    }
    if (top != L"cStateGame")
        return "";
    const std::string name = "level_" + std::to_string(world.level);
    if (world.taskBookOpen)
        return name + "_task";
    if (world.optionsOpen)
        return name + "_options";
    if (!world.gameMenuClosed)
        return name + "_menu";
    if (world.resultScreenOpen)
        return name + "_results";
    if (world.levelOver || world.resultsShown) {
        if (world.evaluatePending)
            return "";
        if (!world.levelState)
            return name + (world.timeOutFailure ? "_time_over" : world.gameOverPanelShown ? "_failed" : "_not_passed");
        if (!world.medalText.empty() && world.cupPhase != 3)
            return world.cupPhase == 2 ? name + "_cup" : "";
        return name + "_statistics";
    }
    if (world.levelTimeLimit > 0 && world.levelElapsed > world.levelTimeLimit)
        return name + "_over_time";
    return name;
}

// After each frame: a state not seen before waits kSettleFrames, is then
// drawn for real and checked.
void Autoplayer::WatchScreen(bool drawn)
{
    const std::string state = ScreenState();
    if (state == pendingScreen && !state.empty()) {
        lastScreen = state;
        if (drawn) {
            CheckScreen();
            pendingScreen.clear();
        } else if (frames - pendingSince > kSettleLimit) {
            pendingScreen.clear();
        }
        return;
    }
    if (std::getenv("VANDREL_AUTOPLAY_TRACE") && state != lastScreen)
        std::fprintf(stderr, "frame %d screen \"%s\"\n", frames, state.c_str());
    lastScreen = state;
    if (state == pendingScreen)
        return;
    pendingScreen = std::find(screensChecked.begin(), screensChecked.end(), state) == screensChecked.end() ? state : "";
    pendingSince = frames;
}

// The frame just drawn through the layout check; saved as
// test-output/journey_<width>_<state>.png when VANDREL_JOURNEY_SHOTS is set.
void Autoplayer::CheckScreen()
{
    const std::string name = std::to_string(width) + "_" + pendingScreen;
    screensChecked.push_back(pendingScreen);
    for (std::string& breach : checkScreen ? checkScreen(name, *gfx) : std::vector<std::string> {})
        breaches.push_back(std::move(breach));
    if (std::getenv("VANDREL_JOURNEY_SHOTS") && g_pGfxDevice) {
        std::error_code ignored;
        std::filesystem::create_directories("test-output", ignored);
        g_pGfxDevice->SaveScreenshot(
            nullptr, nullptr, platform::NarrowToWide("test-output/journey_" + name + ".png").c_str(), 90, 0);
    }
}

// Before the new game: the options of the start screen, opened and closed.
bool Autoplayer::DecideStartTrip()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!lookAround || startTrip >= 2)
        return false;
    if (startTrip == 0) {
        if (!world.profilesOpen || world.restartConfirmOpen || world.profileNameEntry)
            return false;
        if (!ClickText(g_guiVocabulary[kOptionsText]))
            stuck = L"no options button on the start screen";
        startTrip = 1;
        tripWaits = 0;
        return true;
    }
    if (world.optionsOpen && !world.profilesOpen) {
        if (!ClickText(g_guiVocabulary[kCloseText]))
            stuck = L"no close button in the options";
        startTrip = 2;
    } else if (++tripWaits > 100) {
        stuck = L"the start screen's options did not open";
    }
    return true;
}

// In the first level, once it runs: the game menu, its options, closed.
bool Autoplayer::DecideLevelTrip()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!lookAround || level != 1 || levelTrip >= 3 || world.taskBookOpen || world.levelOver)
        return false;
    if (levelTrip == 0) {
        Key("Escape");
        levelTrip = 1;
        tripWaits = 0;
        return true;
    }
    const bool open = levelTrip == 1 ? !world.gameMenuClosed : world.optionsOpen != 0;
    if (!open) {
        if (++tripWaits > 100)
            stuck = levelTrip == 1 ? L"the game menu did not open" : L"the level's options did not open";
        return true;
    }
    if (!ClickText(g_guiVocabulary[levelTrip == 1 ? kOptionsText : kCloseText]))
        stuck = levelTrip == 1 ? L"no options button in the game menu" : L"no close button in the level's options";
    ++levelTrip;
    tripWaits = 0;
    return true;
}

// After the last level: from the map to the start screen, quit, and the
// credits looked at and ended with Escape.
void Autoplayer::DecideCredits()
{
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    if (top == L"cStateExit") {
        if (std::find(screensChecked.begin(), screensChecked.end(), "credits") != screensChecked.end()
            && !creditsEnded) {
            creditsEnded = true;
            Key("Escape");
        }
        return;
    }
    if (leaving)
        return;
    if (!world.profilesOpen) {
        Key("Escape");
        return;
    }
    if (!ClickText(g_guiVocabulary[kQuitText])) {
        stuck = L"no quit button on the start screen";
        return;
    }
    finished = leaving = true;
}

} // namespace test
