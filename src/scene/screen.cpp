#include "scene/screen.h"

#include <exception>

#include "app/cursor_set.h"
#include "engine/gfx.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr double kFadeStepSeconds = 0.02;

    // A frame hit-tests a few dozen places; a state that never forgets them
    // (a level) keeps no more than these.
    constexpr std::size_t kClickTargetLimit = 256;

    std::vector<RECT>& ClickTargetList()
    {
        static std::vector<RECT> targets;
        return targets;
    }

    std::vector<RECT>& DrawnTextList()
    {
        static std::vector<RECT> texts;
        return texts;
    }

    void GetMouse(int& x, int& y)
    {
        x = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
        y = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    }
} // namespace

Screen::Screen(int x, int y, int width, int height)
    : screenX(x)
    , screenY(y)
    , screenWidth(width)
    , screenHeight(height)
{
    fadeTimer.Start();
}

Screen::~Screen() = default;

void Screen::SetActive(bool on)
{
    if (on == active)
        return;
    try {
        if (on) {
            // Visible from now on, so the screen draws (and fades in) in
            // this very frame.
            if (GetAlpha() == 0)
                colour = (colour & 0x00FFFFFFu) | 0x01000000u;
            pagesWidth = cSettings::Instance().GetWidth();
            OnActivate();
        } else {
            OnDeactivate();
        }
    } catch (const std::exception& e) {
        const std::wstring text = platform::NarrowToWide(e.what());
        if (on)
            cLog::Instance().Error(L"Exception[load textures]:%ls", text.c_str());
        else
            cLog::Instance().Error(L"Exception[free textures]:%ls", text.c_str());
    } catch (...) {
        if (on)
            cLog::Instance().Error(L"Exception in modul load textures");
        else
            cLog::Instance().Error(L"Exception in modul free textures");
    }
    active = on;
}

void Screen::UpdateFade()
{
    ResetTooltip();
    if (fadeTimer.Elapsed() < kFadeStepSeconds)
        return;
    uint32_t alpha = GetAlpha();
    if (active)
        alpha = alpha >= 224 ? 255 : alpha + 16;
    else
        alpha = alpha <= 31 ? 0 : alpha - 32;
    colour = (colour & 0x00FFFFFFu) | (alpha << 24);
    fadeTimer.Restart();
}

bool Screen::IsMouseInRect(int x1, int y1, int x2, int y2) const
{
    if (ClickTargetList().size() < kClickTargetLimit)
        ClickTargetList().push_back({ x1, y1, x2, y2 });
    if (cCursorSet::Instance().GetCurrentCursor() == kNoHitCursor)
        return false;
    int x = 0;
    int y = 0;
    GetMouse(x, y);
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

const std::vector<RECT>& Screen::ClickTargets()
{
    return ClickTargetList();
}

const std::vector<RECT>& Screen::DrawnTexts()
{
    return DrawnTextList();
}

void Screen::NoteText(const RECT& box)
{
    if (DrawnTextList().size() < kClickTargetLimit)
        DrawnTextList().push_back(box);
}

void Screen::NoteText(const wchar_t* text, int x, int y, iGfxFont* font)
{
    if (!text || !*text || !font)
        return;
    SIZE size {};
    font->MeasureText(text, &size);
    NoteText({ x, y, x + static_cast<int>(size.cx), y + static_cast<int>(size.cy) });
}

void Screen::ForgetClickTargets()
{
    ClickTargetList().clear();
    DrawnTextList().clear();
}

bool Screen::IsMouseOver() const
{
    if (!IsVisible())
        return false;
    int x = 0;
    int y = 0;
    GetMouse(x, y);
    if (x < screenX || x > screenX + screenWidth || y < screenY || y > screenY + screenHeight)
        return false;
    cGameWorld::Instance().mouseOverMenu = 1;
    return true;
}

void Screen::ResetTooltip()
{
    tooltipIdle = true;
    tooltipShown = false;
}

} // namespace Scene
