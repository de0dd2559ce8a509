#include "frontend/state_menu.h"

#include <algorithm>

#include "app/cursor_set.h"
#include "app/game_app.h"
#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/options_screen.h"
#include "frontend/result_screen.h"
#include "frontend/shop.h"
#include "frontend/start_screen.h"
#include "frontend/world_map.h"
#include "resources/log.h"
#include "scene/message_panel.h"
#include "scene/screen_manager.h"
#include "scene/text_entry.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/settings.h"

namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// The player-file notice: seconds on screen before a click takes it down, and
// the pixels from one of its lines to the next.
constexpr double kNoticeReadSeconds = 3.0;
constexpr int kNoticeLineHeight = 22;
// Its left edge, the margin of its plate round the lines, the pixels the
// plate keeps from a button, and the plate's colour.
constexpr int kNoticeX = 20;
constexpr int kNoticePad = 6;
constexpr int kNoticeGap = 4;
constexpr uint32_t kNoticePlate = 0xB4000000u;

template <class T> T* ScreenAt(int slot)
{
    return cScreenManager::Instance().Get<T>(slot);
}

void SwitchOffAndOn(int slot)
{
    if (Scene::Screen* screen = cScreenManager::Instance().GetScreen(slot)) {
        screen->SetActive(false);
        screen->SetActive(true);
    }
}

} // namespace

bool cStateMenu::Init(void* app)
{
    application = static_cast<cGameApp*>(app);
    cCursorSet::Instance().SetCursor(L"Standard", 1);
    cCursorSet::Instance().SetPosition(600, 500);
    const cSettings& settings = cSettings::Instance();
    logoRect = { 0, 0, settings.GetWidth(), settings.GetHeight() };
    LoadLogoTextures();
    cGameWorld& world = cGameWorld::Instance();
    world.SetPause(true);
    logoTimer.Restart();
    world.LoadTextStyles();
    return true;
}

void cStateMenu::Exit(void* /*application*/)
{
    ReleaseLogoTextures();
}

bool cStateMenu::Update(void* /*application*/)
{
    cGameWorld& world = cGameWorld::Instance();
    ApplicationKeys keys(application);
    ReadMouse(keys);
    BeginFrame();
    if (world.screenSizeChanged)
        ReloadScreens();
    // The level's screens, kept on between levels, follow the new size too.
    cScreenManager::Instance().ReloadScreensOfOtherSize();
    if (world.desktopTooSmall)
        return DrawResolutionNotice();

    // Escape skips the logos: loading starts in this very frame.
    if (world.keyEscape && world.logosPresent) {
        world.logosPresent = 0;
        world.loadingPhase = 1;
        world.keyEscape = 0;
    }
    RunOneScreen();

    if (world.quitRequested)
        world.menuChoice = 3;
    if (world.menuChoice == -1)
        world.levelActive = 0;
    if (world.menuChoice == 0) {
        world.levelEndStep = 0;
        if (application)
            application->OnMenuStartGame();
        world.textEntryActive = 0;
    } else if (world.menuChoice == 3) {
        if (application)
            application->RequestState(cGameApp::kStateExit);
        return false;
    }

    if (g_pGfx2D)
        g_pGfx2D->SetColor(kOpaqueWhite);
    if (!world.loadingPhase && !world.logosPresent) {
        DrawPlayerFileNotice();
        cCursorSet::Instance().Draw(16);
    }
    // A key latched at the end of one frame is seen by the screens of
    // exactly the next.
    world.keyEscape = 0;
    world.keyEnter = 0;
    HandleKeys(keys);
    // Print Screen takes the frame as drawn, before it is presented.
    world.TakeScreenshot();
    EndFrame();
    return true;
}

void cStateMenu::ReadMouse(iKeySource& keys)
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyLeftShift = 0;
    if (iInputDevice* input = g_pInputDevice) {
        if (input->HasButtonEvent(0)) {
            world.buttonEvent = 1;
            world.clickEvent = 1;
            input->ClearButtonEvent();
        }
        if (input->WasButtonClicked(0)) {
            world.leftClick = 1;
            world.clickEvent = 1;
            world.clickCursor = 1;
        }
        world.leftDown = input->IsButtonDown(0) ? 1 : 0;
        world.rightDown = input->IsButtonDown(1) ? 1 : 0;
    }
    if (keys.IsHeld(VK_LSHIFT)) {
        keys.ClearKey(VK_LSHIFT);
        world.keyLeftShift = 1;
    }
}

void cStateMenu::BeginFrame()
{
    if (g_pGfxDevice) {
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
        g_pGfxDevice->BeginScene();
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
    }
    if (g_pGfx2D)
        g_pGfx2D->ResetState(2.0f);
    // The notices keep clear of what this frame's screen hit-tests.
    Scene::Screen::ForgetClickTargets();
}

// After a new screen mode each screen of the main menu loads its pages for
// the new size; the frame then goes on as usual.
void cStateMenu::ReloadScreens()
{
    if (g_pGfxDevice) {
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
        g_pGfxDevice->BeginScene();
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
    }
    if (g_pGfx2D)
        g_pGfx2D->ResetState(2.0f);
    for (int slot :
        { cScreenManager::kOptions, cScreenManager::kStart, cScreenManager::kWorldMap, cScreenManager::kShop })
        SwitchOffAndOn(slot);
    if (g_pGfxDevice) {
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
    }
    cGameWorld::Instance().screenSizeChanged = 0;
}

// Player files that could not be read or written, told at the foot of the
// menu screens, a line each, the last line lowest, and raised above any button
// or other place a click acts on that a line would hide, but below the
// screens' texts and not beyond the screen's lower half. A screen without room
// there for every line shows the first ones it has room for, with the count
// of those still to come (one line above the texts where no line has room
// below them). A click takes the lines shown down once they have been on
// screen for kNoticeReadSeconds and brings the next ones; the click that
// brought them (a save on Continue) does not.
void cStateMenu::DrawPlayerFileNotice()
{
    cGameWorld& world = cGameWorld::Instance();
    const std::wstring& notice = world.playerFileNotice;
    if (notice.empty()) {
        noticeOnScreen.clear();
        return;
    }
    const double now = g_pClock->GetTime();
    if (notice != noticeOnScreen) {
        noticeOnScreen = notice;
        noticeShownAt = now;
        noticeLines.clear();
        noticeFirst = noticeShown = 0;
    } else if (world.clickEvent && now - noticeShownAt >= kNoticeReadSeconds) {
        // None shown yet (no font to draw them in): all of them are taken.
        noticeFirst = noticeShown > 0 ? noticeFirst + noticeShown : noticeLines.size();
        noticeShownAt = now;
        if (noticeFirst >= noticeLines.size()) {
            world::ClearPlayerFileNotice(world);
            noticeOnScreen.clear();
            return;
        }
    }
    if (!g_pGfx2D || !g_fontNormal2)
        return;
    if (noticeLines.empty() || noticeFont != g_fontNormal2) {
        // Measured once, when the notice comes (or the fonts are made anew),
        // not every frame.
        noticeFont = g_fontNormal2;
        noticeLines.clear();
        noticeWidths.clear();
        noticeLineBox = kNoticeLineHeight;
        for (size_t at = 0; at <= notice.size();) {
            const size_t end = std::min(notice.find(L'\n', at), notice.size());
            noticeLines.push_back(notice.substr(at, end - at));
            SIZE size {};
            g_fontNormal2->MeasureText(noticeLines.back().c_str(), &size);
            noticeWidths.push_back(static_cast<int>(size.cx));
            noticeLineBox = std::max(noticeLineBox, static_cast<int>(size.cy));
            at = end + 1;
        }
        noticeFirst = std::min(noticeFirst, noticeLines.size() - 1);
    }
    // As many lines as there is room for below the screen's texts; else one
    // line above them, or where the notice stood when there is room for none.
    const int lowest = cSettings::Instance().GetHeight() - 40;
    int bottom = -1;
    std::wstring more;
    int width = 0;
    const auto place = [&](size_t lines, bool overTexts) {
        noticeShown = lines;
        const size_t rest = noticeLines.size() - noticeFirst - lines;
        more = rest > 0 ? L"  (+" + std::to_wstring(rest) + L")" : L"";
        width = NoticeWidth(more);
        bottom = NoticeBottom(lowest, static_cast<int>(lines), width, overTexts);
        return bottom >= 0;
    };
    size_t lines = noticeLines.size() - noticeFirst;
    while (lines > 0 && !place(lines, false))
        --lines;
    if (bottom < 0 && !place(1, true))
        bottom = lowest;
    const int raise = static_cast<int>(noticeShown - 1) * kNoticeLineHeight;
    int y = bottom - raise;
    // On a dark plate, so that it reads on any ground (the grass, the sky).
    const float left = kNoticeX - kNoticePad, right = static_cast<float>(kNoticeX + width + kNoticePad);
    const float top = static_cast<float>(y - kNoticePad);
    const float foot = static_cast<float>(bottom + noticeLineBox + kNoticePad);
    const GfxVertex plate[6]
        = { { left, top, kNoticePlate }, { right, top, kNoticePlate }, { right, foot, kNoticePlate },
              { left, top, kNoticePlate }, { right, foot, kNoticePlate }, { left, foot, kNoticePlate } };
    g_pGfx2D->DrawTriangles(plate, 2);
    g_pGfx2D->SetColor(kOpaqueWhite);
    for (size_t i = noticeFirst; i < noticeFirst + noticeShown; ++i) {
        const bool last = i + 1 == noticeFirst + noticeShown;
        g_pGfx2D->DrawText(g_fontNormal2, kNoticeX, y, (last ? noticeLines[i] + more : noticeLines[i]).c_str(), 0);
        y += kNoticeLineHeight;
    }
}

int cStateMenu::NoticeWidth(const std::wstring& more) const
{
    int width = 0;
    for (size_t i = noticeFirst; i < noticeFirst + noticeShown; ++i)
        width = std::max(width, noticeWidths[i]);
    if (more.empty())
        return width;
    SIZE size {};
    g_fontNormal2->MeasureText((noticeLines[noticeFirst + noticeShown - 1] + more).c_str(), &size);
    return std::max(width, static_cast<int>(size.cx));
}

int cStateMenu::NoticeBottom(int lowest, int lines, int width, bool overTexts) const
{
    const int raise = (lines - 1) * kNoticeLineHeight;
    const int reach = kNoticePad + kNoticeGap; // from the lines to a button or a text
    const auto covers = [&](const RECT& r, int bottom) {
        return r.left - reach < kNoticeX + width && r.right + reach > kNoticeX && r.top - reach < bottom + noticeLineBox
            && r.bottom + reach > bottom - raise;
    };
    // A button's label goes with its button.
    const auto onAButton = [](const RECT& text) {
        const int x = (text.left + text.right) / 2, y = (text.top + text.bottom) / 2;
        const auto& targets = Scene::Screen::ClickTargets();
        return std::any_of(targets.begin(), targets.end(),
            [&](const RECT& r) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; });
    };
    // Each step moves the notice's plate above a place it would cover, so it
    // ends where it covers none, or gives up half way up the screen: the
    // notice stays at the foot, clear of the panels and the pictures of the
    // screen's middle, which are no places of either kind.
    const int ceiling = cSettings::Instance().GetHeight() / 2;
    for (int bottom = lowest; bottom - raise - reach >= ceiling;) {
        int above = bottom;
        for (const RECT& r : Scene::Screen::ClickTargets()) {
            if (covers(r, bottom))
                above = std::min(above, r.top - reach - noticeLineBox);
        }
        for (const RECT& r : Scene::Screen::DrawnTexts()) {
            if (!covers(r, bottom) || onAButton(r))
                continue;
            if (!overTexts)
                return -1;
            above = std::min(above, r.top - reach - noticeLineBox);
        }
        if (above == bottom)
            return bottom;
        bottom = above;
    }
    return -1;
}

// The only thing shown on a desktop below 1024 x 768; a click ends the game.
bool cStateMenu::DrawResolutionNotice()
{
    cGameWorld& world = cGameWorld::Instance();
    if (g_pGfx2D) {
        g_pGfx2D->SetColor(kOpaqueWhite);
        if (g_fontNormal2)
            g_pGfx2D->DrawText(g_fontNormal2, world.desktopWidth / 2 - 350, world.desktopHeight / 2,
                L"The desktop resolution must be at least 1024x768", 0);
    }
    // The cursor goes into this frame, before it is presented.
    cCursorSet::Instance().Draw(16);
    if (g_pGfxDevice) {
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
    }
    if (world.clickEvent) {
        world.quitRequested = 1;
        cLog::Instance().Write(L"error: resolution < min ");
    }
    return true;
}

void cStateMenu::RunOneScreen()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.restartLevel) {
        // The level asked to be played again: it starts at once, running,
        // without its task dialog; no screen is drawn.
        world.menuChoice = 0;
        world.restartLevel = 0;
        world.taskBookOpen = 0;
        world.resultScreenOpen = 0;
        world.shopOpen = 0;
        world.gameMenuClosed = 1;
        world.SetPause(false);
        return;
    }
    if (world.logosPresent) {
        UpdateLogos();
        return;
    }
    if (world.loadingPhase) {
        if (world.startMusicStarted == 0)
            PlayStartMusic();
        if (auto* start = ScreenAt<Scene::StartScreen>(cScreenManager::kStart))
            start->DrawStartImage();
        LoadWithProgress();
        return;
    }
    if (world.profilesOpen) {
        world.logosPresent = world.loadingPhase = 0;
        if (auto* start = ScreenAt<Scene::StartScreen>(cScreenManager::kStart))
            start->Draw();
        if (auto* messagePanel = ScreenAt<Scene::MessagePanel>(cScreenManager::kMessagePanel))
            messagePanel->Draw();
        return;
    }
    if (world.optionsOpen) {
        world.logosPresent = world.loadingPhase = 0;
        if (auto* options = ScreenAt<Scene::OptionsScreen>(cScreenManager::kOptions))
            options->Draw();
        return;
    }
    world.logosPresent = world.loadingPhase = 0;
    if (world.highscoresOpen) {
        if (auto* resultScreen = ScreenAt<Scene::ResultScreen>(cScreenManager::kResultScreen))
            resultScreen->Draw();
    } else if (world.shopInMainMenu) {
        if (auto* shop = ScreenAt<Scene::Shop>(cScreenManager::kShop))
            shop->Update();
    } else if (auto* map = ScreenAt<Scene::WorldMap>(cScreenManager::kWorldMap)) {
        map->Draw();
    }
}

void cStateMenu::EndFrame()
{
    if (g_pGfxDevice) {
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
    }
    cGameWorld& world = cGameWorld::Instance();
    world.ClearMouseClicks();
    world.buttonEvent = 0;
}
