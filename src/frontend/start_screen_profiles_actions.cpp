// What the profile screen's buttons do, and its button, hint and name field.
#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <system_error>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "frontend/start_screen_profiles_layout.h"
#include "frontend/world_map.h"
#include "resources/log.h"
#include "resources/text.h"
#include "scene/design_units.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/saved_game_rows.h"

namespace Scene {

using namespace ProfileLayout;

namespace {

    constexpr double kNameCursorStep = 0.1; // seconds between blinks
    constexpr int kHintWidth = 542;

    // The typed text, at most limit characters of the entry's buffer.
    std::wstring TypedText(const cGameWorld& world, std::size_t limit)
    {
        const std::size_t length = wcsnlen(world.textEntry, world::kTextEntryLength);
        return std::wstring(world.textEntry, std::min(length, limit));
    }

    // The entry emptied, then holding the text; a longer text (a hand-edited
    // profile file) is cut to limit and never runs past the buffer.
    void FillTextEntry(cGameWorld& world, const std::wstring& text, std::size_t limit)
    {
        std::fill(std::begin(world.textEntry), std::end(world.textEntry), L'\0');
        const std::size_t length = std::min({ text.size(), limit, std::size_t(world::kTextEntryLength - 1) });
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), world.textEntry);
    }

} // namespace

bool StartScreen::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* label, int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB)
{
    const int offset = font && font == g_fontNormal2 ? ScaleY(13) : ScaleY(5);
    const uint32_t alpha = GetAlpha();
    const bool hovered = IsMouseInRect(x, y, x + w, y + h);
    pages[kStartPage].DrawImage(hovered ? overImage : offImage, x, y, 0, 0, 255, 255, 255, 255);
    if (!hovered) {
        SetColour(MakeARGB(alpha, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b)));
        DrawTextCentered(alt, label, x, y + offset, w, font);
        return false;
    }
    SetColour(
        MakeARGB(alpha, static_cast<uint32_t>(overR), static_cast<uint32_t>(overG), static_cast<uint32_t>(overB)));
    DrawTextCentered(alt, label, x + 1, y + 1 + offset, w, font);
    cGameWorld& world = cGameWorld::Instance();
    if (!world.clickEvent)
        return false;
    world.ResetFlags();
    return true;
}

void StartScreen::DrawHint(int x, int y, const wchar_t* text)
{
    hintDrawn = true;
    SetColour(kBlack);
    DrawTextCentered(false, text, x + 1, y + 4, ScaleX(kHintWidth), g_fontNormal2);
    SetColour(kWhite);
    DrawTextCentered(false, text, x, y + 3, ScaleX(kHintWidth), g_fontNormal2);
}

void StartScreen::DrawNameField(int x, int y, int max)
{
    // The name is only drawn here: the profile takes it when the player
    // confirms the new game or plays.
    cGameWorld& world = cGameWorld::Instance();
    world.textEntryMax = max;
    if (nameCursorTimer.Elapsed() > kNameCursorStep) {
        nameCursorTimer.Restart();
        nameCursorShown = !nameCursorShown;
    }
    std::wstring text = TypedText(world, world::kTextEntryLength);
    if (nameCursorShown)
        text += L'_';
    if (!g_pGfx2D || !g_fontNormal2)
        return;
    SetColour(kBlack);
    g_pGfx2D->DrawText(g_fontNormal2, x + 1, y + 1, text.c_str(), 0);
    SetColour(kYellow);
    g_pGfx2D->DrawText(g_fontNormal2, x, y, text.c_str(), 0);
}

bool StartScreen::DeleteProfileSave()
{
    // Removed where the saved game is written, so that the next start of the
    // profile cannot load the old progress.
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring path = world::UserFilePath(world, std::to_wstring(world.currentProfile));
    if (path.empty())
        return false;
    std::error_code error;
    std::filesystem::remove(resources::ToNativePath(path), error);
    if (error) {
        cLog::Instance().Error(L"Scene::MenuStart::DeleteProfileSave -> unable to delete \"%ls\".", path.c_str());
        return false;
    }
    return true;
}

void StartScreen::StartNameEntry()
{
    cGameWorld& world = cGameWorld::Instance();
    world.restartConfirmOpen = 0;
    world.profileNameEntry = 1;
    namingLastLevel = world.profileLastLevel[world.currentProfile];
    namingDrive = world.profileDrive[world.currentProfile];
    world.profileLastLevel[world.currentProfile] = 1;
    FillTextEntry(world, world.profileNames[world.currentProfile], kProfileNameLength);
    // The name field keeps this limit; the same from the first frame, so no
    // key typed before it shows can make the name longer.
    world.textEntryMax = kProfileNameLength;
    world.textEntryActive = 1;
    nameCursorTimer.Restart();
    nameCursorShown = false;
}

void StartScreen::CancelNameEntry()
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEscape = 0;
    world.profileNameEntry = 0;
    world.textEntryActive = 0;
    world.profileLastLevel[world.currentProfile] = namingLastLevel;
    world.profileDrive[world.currentProfile] = namingDrive;
    world.currentDrive = namingDrive;
}

void StartScreen::ConfirmNewGame()
{
    cGameWorld& world = cGameWorld::Instance();
    const int profile = world.currentProfile;
    world.profileLastLevel[profile] = 1;
    world.keyEnter = 0;
    world.profileNameEntry = 0;
    world.furthestLevel = 1;
    if (world.textEntryActive) {
        world.textEntryActive = 0;
        world.profileNames[profile] = TypedText(world, kProfileNameLength);
    }
    // The station goes only now: a name entry given up keeps it.
    world.DeleteLotSave();
    DeleteProfileSave();
    RemoveProfileScores();
    std::fill(std::begin(world.profileAwards[profile]), std::end(world.profileAwards[profile]), 0);
    world.profileAwards[profile][1] = 1;
    world.SaveConfig();
}

void StartScreen::PlayProfile()
{
    cGameWorld& world = cGameWorld::Instance();
    const int profile = world.currentProfile;
    // A profile file that names no level starts at the first one.
    world.furthestLevel = std::max(world.profileLastLevel[profile], 1);
    world.currentDrive = world.profileDrive[profile];
    if (world.textEntryActive) {
        world.textEntryActive = 0;
        world.profileNames[profile] = TypedText(world, kProfileNameLength);
    }
    world.SaveConfig();
    world.profilesOpen = 0;
    world.gameMode = 1;
    Story::Instance().PlaySound("menu_clk");

    world.level = world.furthestLevel;
    world.LoadLotsFromPackage();
    world.LoadGame();
    world.GetComicText(world.furthestLevel);
    world.LoadHighscores();
    if (world.furthestLevel != 1)
        return; // the main menu goes on to the world map
    // A new game opens with the station shop and the map's introduction.
    world.intro = 1;
    if (auto* map = cScreenManager::Instance().Get<WorldMap>(cScreenManager::kWorldMap))
        map->EnterBuildLevel();
}

void StartScreen::QuitFromProfiles()
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEscape = 0;
    FillTextEntry(world, world.profileNames[world.currentProfile], world::kTextEntryLength - 1);
    world.textEntryActive = 0;
    world.menuChoice = 3;
    world.profilesOpen = 0;
    world.SaveConfig();
    world.ClearMessages();
}

void StartScreen::OpenOptions()
{
    cGameWorld& world = cGameWorld::Instance();
    if (Screen* options = cScreenManager::Instance().GetScreen(cScreenManager::kOptions))
        options->SetActive(true);
    world.profilesOpen = 0;
    world.loadingPhase = 0;
    world.optionsOpen = 1;
}

} // namespace Scene
