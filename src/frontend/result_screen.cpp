#include "frontend/result_screen.h"

#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/start_screen.h"
#include "resources/property_file.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kContinueText = 8;
    constexpr int kMoneyText = 18;
    constexpr int kLevelText = 24;
    constexpr int kTimeText = 26;
    constexpr int kNameText = 29;
    constexpr int kHeadingText = 33;
    constexpr int kPointsText = 63;
    constexpr int kLevelPointsText = 131;
    // The longest name a new entry takes.
    constexpr int kNameLength = world::kHighscoreNameLength;
    // Rows 0 (the header) to 6 are drawn, so the first six table rows show.
    constexpr int kShownRows = 7;
    // Where a grid level's points stand below the table (design units).
    constexpr int kPointsLineY = 400;
    constexpr double kCursorHalf = 0.5;

    constexpr uint32_t kBlack = 0xFF000000;
    constexpr uint32_t kYellow = 0xFFFFFF00;
    constexpr uint32_t kWhite = 0xFFFFFFFF;

} // namespace

ResultScreen::ResultScreen()
    : Screen(0, 0, 0, 0)
{
}

ResultScreen::~ResultScreen()
{
    OnDeactivate();
}

void ResultScreen::OnActivate()
{
    SetColour(0);
    page1280.Load(L"data/gui/interface/menu/menu_highscore");
    page1024.Load(L"data/gui/interface/menu/menu_highscore_1024");
    SetColour(MakeARGB(255, 255, 255, 255));
    cursorHiddenTimer.Start();
    cursorShownTimer.Start();
    cursorPhase = -1;
}

void ResultScreen::OnDeactivate()
{
    page1280.Unload();
    page1024.Unload();
}

CPageManager& ResultScreen::Page()
{
    return cSettings::Instance().GetWidth() == 1280 ? page1280 : page1024;
}

void ResultScreen::Draw()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.resultScreenOpen)
        return;
    const cSettings& settings = cSettings::Instance();
    panelX = settings.GetWidth() / 2 - ScaleX(315);
    panelY = settings.GetHeight() / 2 - ScaleY(197);
    UpdateFade();
    IsMouseOver();
    if (auto* start = cScreenManager::Instance().Get<StartScreen>(cScreenManager::kStart)) {
        start->DrawStartMenuImage();
        start->DrawStationImage();
    }
    DrawTable();
    if (DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png",
            g_guiVocabulary[kContinueText], ScaleX(540), ScaleY(450) + ScaleY(510), ScaleX(205), ScaleY(49), 255, 255,
            255, 255, 255, 0))
        Continue();
}

void ResultScreen::LoadResults()
{
    const std::wstring path = ScoreFilePath(cGameWorld::Instance().level);
    PropertyFile file;
    if (path.empty() || !cGameWorld::Instance().ReadHighscoreFile(path, file)) {
        // A level played for the first time: its table starts empty and is
        // read back as written. When it could not be written, the table reads
        // as a file without entries would: empty names and 0 everywhere.
        table.Reset();
        SaveResults();
        PropertyFile written;
        if (path.empty() || !cGameWorld::Instance().ReadHighscoreFile(path, written)) {
            PropertyFile none;
            table.Read(none);
            return;
        }
        table.Read(written);
        return;
    }
    table.Read(file);
}

void ResultScreen::SaveResults()
{
    SaveScoreFile(table, ScoreFilePath(cGameWorld::Instance().level));
}

void ResultScreen::PrepareTable()
{
    cGameWorld& world = cGameWorld::Instance();
    world.LoadHighscores();
    world.highscoreTableReady = 1;
    LoadResults();
    newEntryRow = -1;
    if (world.levelOver && world.levelState) {
        // Points enter as they stand, below zero too: such a level pays
        // nothing, but its run still ranks above the rows of none.
        const int money = world.levelTimeLimit > 0 && world.drawStation == 1 ? world.levelReward + world.levelBonus
                                                                             : world.levelPoints;
        // A profile number from a hand-edited settings file names no one.
        const bool known = world.currentProfile >= 0 && world.currentProfile < world::kProfileNames;
        const std::wstring name = known ? world.profileNames[world.currentProfile] : std::wstring();
        newEntryRow = table.Insert(name, world.currentProfile, world.levelFinalTime, money);
    }
    if (newEntryRow < 0)
        return;
    cursorPhase = 0;
    world.textEntryActive = 1;
    world.textEntryMax = kNameLength;
    std::fill(std::begin(world.textEntry), std::end(world.textEntry), L'\0');
    // A longer name (a hand-edited profile file) is cut to what the entry takes.
    const std::wstring& name = table.scoreNames[newEntryRow];
    const std::size_t length = std::min<std::size_t>(name.size(), kNameLength);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), world.textEntry);
}

void ResultScreen::TakeTypedName()
{
    if (newEntryRow < 0)
        return;
    const cGameWorld& world = cGameWorld::Instance();
    table.scoreNames[newEntryRow] = std::wstring(world.textEntry, wcsnlen(world.textEntry, world::kTextEntryLength));
}

void ResultScreen::DrawShadowed(const wchar_t* text, int x, int y, int width, iGfxFont* font, uint32_t colour, int drop)
{
    SetColour(kBlack);
    if (width > 0)
        DrawTextCentered(false, text, x + 2, y + drop, width, font);
    else if (g_pGfx2D && font)
        g_pGfx2D->DrawText(font, x + 2, y + drop, text, 0);
    SetColour(colour);
    if (width > 0)
        DrawTextCentered(false, text, x, y, width, font);
    else if (g_pGfx2D && font)
        g_pGfx2D->DrawText(font, x, y, text, 0);
}

void ResultScreen::DrawTable()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.highscoreTableReady)
        PrepareTable();

    if (newEntryRow >= 0) {
        TakeTypedName();
        if (cursorPhase == 0 && cursorHiddenTimer.Elapsed() > kCursorHalf) {
            cursorHiddenTimer.Restart();
            cursorShownTimer.Start();
            cursorPhase = 1;
        } else if (cursorPhase == 1 && cursorShownTimer.Elapsed() > kCursorHalf) {
            cursorHiddenTimer.Restart();
            cursorShownTimer.Restart();
            cursorPhase = 0;
        }
    }

    const int x0 = panelX + ScaleX(40);
    const int y0 = panelY;
    // A dark ground under the heading, the table and the level's points line
    // below it, so their yellow and white read on whatever picture lies behind.
    const bool pointsLine = world.levelTimeLimit == 0 && world.levelPoints > 0;
    PaintRect(x0, y0 - ScaleY(8), ScaleX(565), ScaleY(pointsLine ? kPointsLineY + 36 : 90 + 40 * kShownRows + 8), 170,
        16, 20, 32);
    wchar_t text[300];
    std::swprintf(text, 300, L"%ls", g_guiVocabulary[kHeadingText]);
    DrawShadowed(text, x0, y0, ScaleX(550), g_fontNormal2, kYellow, 2);
    std::swprintf(text, 300, L"%ls %d", g_guiVocabulary[kLevelText], world.level);
    DrawShadowed(text, x0, y0 + ScaleY(40), ScaleX(550), g_fontBig, kYellow, 2);

    for (int k = 0; k < kShownRows; ++k)
        DrawRow(k, x0, y0);

    // The column headers go over the header row's boxes.
    const int headerY = y0 + ScaleY(92);
    DrawShadowed(L"N", x0 + ScaleX(32), headerY, 0, g_fontNormal2, kYellow, 2);
    DrawShadowed(g_guiVocabulary[kNameText], x0 + ScaleX(165), headerY, 0, g_fontNormal2, kYellow, 2);
    DrawShadowed(g_guiVocabulary[kTimeText], x0 + ScaleX(320), headerY, ScaleX(110), g_fontNormal2, kYellow, 2);
    const bool paid = world.levelTimeLimit > 0 && world.drawStation == 1;
    DrawShadowed(g_guiVocabulary[paid ? kMoneyText : kPointsText], x0 + ScaleX(440), headerY, ScaleX(110),
        g_fontNormal2, kYellow, 2);

    if (pointsLine) {
        std::swprintf(text, 300, L"%ls: %d", g_guiVocabulary[kLevelPointsText], world.levelPoints);
        DrawShadowed(text, x0, y0 + ScaleY(kPointsLineY), ScaleX(550), g_fontNormal2, kYellow, 1);
    }
}

void ResultScreen::DrawRow(int k, int x0, int y0)
{
    const int y = y0 + ScaleY(90 + 40 * k);
    const int h = ScaleY(38);
    // Only the new entry's row stands out; the header row (k 0) never does.
    const int alpha = k > 0 && k - 1 == newEntryRow ? 255 : 55;
    DrawBox(x0 + ScaleX(15), y, ScaleX(35), h, alpha, 6, 29, 255);
    DrawBox(x0 + ScaleX(60), y, ScaleX(250), h, alpha, 6, 29, 255);
    DrawBox(x0 + ScaleX(320), y, ScaleX(110), h, alpha, 6, 29, 255);
    DrawBox(x0 + ScaleX(440), y, ScaleX(110), h, alpha, 6, 29, 255);
    if (k == 0)
        return;

    const int row = k - 1;
    wchar_t text[300];
    std::swprintf(text, 300, L"%d", k);
    SetColour(kBlack);
    DrawTextRight(false, text, x0 + ScaleX(40) + 2, y + 2, g_fontNormal2);
    SetColour(kYellow);
    DrawTextRight(false, text, x0 + ScaleX(40), y, g_fontNormal2);

    const bool isNew = row == newEntryRow;
    std::swprintf(text, 300, isNew && cursorPhase == 1 ? L"%ls_" : L"%ls", table.scoreNames[row].c_str());
    DrawShadowed(text, x0 + ScaleX(62), y, 0, g_fontNormal2, isNew ? kYellow : kWhite, 2);

    const int time = table.scoreTimes[row];
    const int minutes = time / 60;
    const int seconds = std::max(0, time - 60 * minutes);
    std::swprintf(text, 300, L"%02d:%02d", minutes, seconds);
    DrawShadowed(text, x0 + ScaleX(320), y, ScaleX(110), g_fontNormal2, kWhite, 2);
    std::swprintf(text, 300, L"%d", table.scoreMoney[row]);
    DrawShadowed(text, x0 + ScaleX(440), y, ScaleX(110), g_fontNormal2, kWhite, 2);
}

void ResultScreen::DrawBox(int x, int y, int w, int h, int a, int r, int g, int b)
{
    PaintRect(x, y, w, h, a, r, g, b);
}

void ResultScreen::DrawTextRight(bool alt, const wchar_t* text, int x, int y, iGfxFont* font)
{
    DrawTextRightEnd(alt, text, x, y, font);
}

bool ResultScreen::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* label, int x, int y, int w, int h, int r, int g, int b, int overR, int overG, int overB)
{
    int offset = ScaleY(5);
    if (font && font == g_fontNormal2)
        offset = ScaleY(13);
    else if (font && font == g_fontSmall)
        offset = ScaleY(10);
    const int alpha = GetAlpha();
    if (!IsMouseInRect(x, y, x + w, y + h)) {
        Page().DrawImage(offImage, x, y, 0, 0, 255, 255, 255, alpha);
        SetColour(MakeARGB(static_cast<uint32_t>(alpha), static_cast<uint32_t>(r), static_cast<uint32_t>(g),
            static_cast<uint32_t>(b)));
        DrawTextCentered(alt, label, x, y + offset, w, font);
        return false;
    }
    Page().DrawImage(overImage, x, y, 0, 0, 255, 255, 255, alpha);
    SetColour(MakeARGB(static_cast<uint32_t>(alpha), static_cast<uint32_t>(overR), static_cast<uint32_t>(overG),
        static_cast<uint32_t>(overB)));
    DrawTextCentered(alt, label, x + 1, y + 1 + offset, w, font);
    cGameWorld& world = cGameWorld::Instance();
    if (!world.leftClick)
        return false;
    Story::Instance().PlaySound("menu_clk");
    world.leftClick = 0;
    return true;
}

} // namespace Scene
