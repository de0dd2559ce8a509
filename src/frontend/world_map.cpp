// The world map's activation, its per-frame entry, its buttons and the small
// drawing helpers the map, the panels and the intro share.
#include "frontend/world_map.h"

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scene/task_dialog.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kProfilesText = 22;
    constexpr int kReplayText = 21;
    constexpr int kPlayText = 23;
    constexpr int kHighscoresText = 28;
    constexpr int kButtonY = 950;
    constexpr int kButtonWidth = 205;
    constexpr int kButtonHeight = 49;
    // The map's own height below the screen's top edge; the rest is the map.
    constexpr int kFrameHeight = 158;

} // namespace

WorldMap::WorldMap()
    : Screen(0, 0, 0, 0)
{
    for (int level = 0; level < kTableSize; ++level)
        levelNumbers[level] = level + 100;
}

WorldMap::~WorldMap()
{
    OnDeactivate();
}

void WorldMap::OnActivate()
{
    SetColour(0);
    pages[kMapPage].Load(cSettings::Instance().GetWidth() == 1280 ? L"data/gui/interface/menu/menu_overlux"
                                                                  : L"data/gui/interface/menu/menu_overlux_1024");
    SetColour(MakeARGB(255, 255, 255, 255));
    starsTimer.Restart();
    bonusStarsTimer.Restart();
    noticeTimer.Restart();
    introTimer.Restart();
    demoTimer.Restart();
    starsFrame = 0;
    bonusStarsFrame = 0;
    starsFrameName = L"stars0000";
    bonusStarsFrameName = L"stars20000";
    noticeFading = 0;
    noticeAlpha = 150;
    introAlpha = 0;
    demoNextKind = 1;
}

void WorldMap::OnDeactivate()
{
    pages[kMapPage].Unload();
}

void WorldMap::Draw()
{
    const cSettings& settings = cSettings::Instance();
    screenY = settings.GetHeight() - ScaleY(kFrameHeight);
    UpdateFade();
    const cGameWorld& world = cGameWorld::Instance();
    if (world.furthestLevel == 1 && world.intro < 3)
        DrawIntro();
    else
        DrawMap();
}

int WorldMap::GetPinX(int level) const
{
    for (const cTaskRow& row : cGameWorld::Instance().taskRows) {
        if (row.level == level)
            return row.pinX;
    }
    return 0;
}

int WorldMap::GetPinY(int level) const
{
    for (const cTaskRow& row : cGameWorld::Instance().taskRows) {
        if (row.level == level)
            return row.pinY;
    }
    return 0;
}

bool WorldMap::HasFundamentOfKind(int kind) const
{
    for (const cFundament& fundament : cGameWorld::Instance().fundaments) {
        if (fundament.content == kind && fundament.status == 9)
            return true;
    }
    return false;
}

bool WorldMap::IsSelectable(int level) const
{
    return level >= 0 && level < kTableSize && selectable[level] == 1;
}

int WorldMap::GetDemoAlpha(int level) const
{
    return level >= 0 && level < kTableSize ? demoAlpha[level] : 0;
}

int WorldMap::GetDemoKind(int level) const
{
    return level >= 0 && level < kTableSize ? demoKind[level] : 0;
}

bool WorldMap::PlayButtonShown(int furthest) const
{
    const int level = cGameWorld::Instance().level;
    if (!IsSelectable(level))
        return false;
    const int unlocked = cGameWorld::Instance().furthestLevel;
    return (level >= 1 && level <= furthest + 1) || (level == unlocked && level >= 1 && level <= kCity)
        || cGameWorld::IsFirstLevelOfTriple(level);
}

void WorldMap::DrawButtons(int furthest)
{
    cGameWorld& world = cGameWorld::Instance();
    const int y = ScaleY(kButtonY);
    const int w = ScaleX(kButtonWidth);
    const int h = ScaleY(kButtonHeight);

    // Escape acts as the profiles button, which is then not drawn.
    bool toProfiles = world.keyEscape != 0;
    if (!toProfiles)
        toProfiles = DoButton(false, g_fontNormal2, L"button_short_off", L"button_short_over",
            g_guiVocabulary[kProfilesText], ScaleX(246), y, w, h, 149, 60, 60, 255, 255, 255);
    if (toProfiles) {
        world.keyEscape = 0;
        world.menuChoice = -1;
        world.profilesOpen = 1;
        world.SaveConfig();
        world.textEntryActive = 0;
    }

    if (DoButton(false, g_fontNormal2, L"button_short_off", L"button_short_over", g_guiVocabulary[kHighscoresText],
            ScaleX(537), y, w, h, 149, 60, 60, 255, 255, 255)) {
        world.highscoresOpen = 1;
        world.highscoreTableReady = 0;
        world.resultScreenOpen = 1;
        if (Screen* resultScreen = cScreenManager::Instance().GetScreen(cScreenManager::kResultScreen))
            resultScreen->SetActive(true);
    }

    if (!PlayButtonShown(furthest))
        return;
    const wchar_t* label = g_guiVocabulary[world.level < world.furthestLevel ? kReplayText : kPlayText];
    if (!DoButton(false, g_fontNormal2, L"button_short_off", L"button_short_over", label, ScaleX(828), y, w, h, 149, 60,
            60, 255, 255, 255))
        return;
    // The main-menu state starts the level; it opens paused with its task dialog.
    world.menuChoice = 0;
    if (Screen* levelBackground = cScreenManager::Instance().GetScreen(cScreenManager::kLevelBackground))
        levelBackground->SetActive(false);
    world.darkening = 1;
    world.tintStep = 15;
    world.darkTintTarget = 150;
    world.taskBookOpen = 1;
    if (auto* task = cScreenManager::Instance().Get<TaskDialog>(cScreenManager::kTask))
        task->ResetPage();
    Story::Instance().StopMusic();
    world.SetPause(true);
    world.gameMenuClosed = 1;
}

bool WorldMap::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* text, int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB)
{
    int offset = ScaleY(5);
    if (font && font == g_fontNormal2)
        offset = ScaleY(13);
    else if (font && font == g_fontSmall)
        offset = ScaleY(10);
    const int alpha = GetAlpha();
    const auto colour = [alpha](int r, int g, int b) {
        return MakeARGB(
            static_cast<uint32_t>(alpha), static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
    };
    if (!IsMouseInRect(x, y, x + w, y + h)) {
        pages[kMapPage].DrawImage(offImage, x, y, 0, 0, 255, 255, 255, alpha);
        SetColour(colour(offR, offG, offB));
        DrawTextCentered(alt, text, x, y + offset, w, font);
        return false;
    }
    pages[kMapPage].DrawImage(overImage, x, y, 0, 0, 255, 255, 255, alpha);
    SetColour(colour(overR, overG, overB));
    DrawTextCentered(alt, text, x + 1, y + offset + 1, w, font);
    cGameWorld& world = cGameWorld::Instance();
    if (!world.leftClick)
        return false;
    Story::Instance().PlaySound("menu_clk");
    world.leftClick = 0;
    return true;
}

void WorldMap::DrawMapImage(const wchar_t* name, int x, int y, int r, int g, int b, int alpha)
{
    pages[kMapPage].DrawImage(name, ScaleX(x), ScaleY(y), 0, 0, r, g, b, alpha);
}

void WorldMap::DrawShadowed(
    const wchar_t* text, int x, int y, int width, iGfxFont* font, uint32_t colour, int drop, uint32_t shadow)
{
    SetColour(shadow);
    DrawTextCentered(false, text, x + drop, y + drop, width, font);
    SetColour(colour);
    DrawTextCentered(false, text, x, y, width, font);
}

void WorldMap::DrawTextRightAligned(bool alt, const wchar_t* text, int x, int y, iGfxFont* font)
{
    DrawTextRightEnd(alt, text, x, y, font);
    if (!font || !text || !*text)
        return;
    SIZE size {};
    font->MeasureText(text, &size);
    NoteText({ x - static_cast<int>(size.cx), y, x, y + static_cast<int>(size.cy) });
}

} // namespace Scene
