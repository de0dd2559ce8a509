#include "scene/task_dialog.h"

#include <algorithm>
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    constexpr int kTitleText = 24;
    constexpr int kOkText = 23;
    // Text is laid out and centred in this design width.
    constexpr int kTextWidth = 416;

    int LineHeight(iGfxFont* font)
    {
        if (!font)
            return 0;
        SIZE size {};
        font->MeasureText(L"Ag", &size);
        return size.cy;
    }

} // namespace

TaskDialog::TaskDialog()
    : Screen(0, 0, 0, 0)
{
}

TaskDialog::~TaskDialog()
{
    OnDeactivate();
}

void TaskDialog::OnActivate()
{
    SetColour(0);
    taskPage.Load(L"data/gui/interface/menu/menu_task");
    taskPage1024.Load(L"data/gui/interface/menu/menu_task_1024");
    SetColour(MakeARGB(255, 255, 255, 255));
    lastPageSeen = false;
}

void TaskDialog::OnDeactivate()
{
    taskPage.Unload();
    taskPage1024.Unload();
}

void TaskDialog::Reset()
{
    lastPageSeen = false;
}

void TaskDialog::ResetPage()
{
    currentPage = 1;
}

void TaskDialog::Draw()
{
    const cSettings& settings = cSettings::Instance();
    screenX = settings.GetWidth() / 2 - screenWidth / 2;
    screenY = static_cast<int>(settings.GetHeight() / 2 - screenHeight / 2 - 50 / settings.scaleY);
    UpdateFade();
    IsMouseOver();
    if (cGameWorld::Instance().taskBookOpen)
        DrawDialog();
}

void TaskDialog::Close()
{
    cGameWorld& world = cGameWorld::Instance();
    world.taskBookOpen = 0;
    world.SetPause(false);
    world.hudMenuState = 3;
    world.brightening = 1;
}

void TaskDialog::DrawDialog()
{
    cGameWorld& world = cGameWorld::Instance();
    SetColour(MakeARGB(255, 255, 255, 255));

    pageCount = 1;
    const cComicRow* row = nullptr;
    for (const cComicRow& r : world.comicRows) {
        pageCount = std::max(pageCount, r.page);
        if (r.page == currentPage)
            row = &r;
    }
    if (pageCount == 1 || world.level < world.furthestLevel)
        lastPageSeen = true;

    if (!row) {
        // Nothing to tell on this page: the level runs at once.
        Close();
        world.taskIntroPending = 0;
        Story::Instance().StopMusic();
        world.gameMenuClosed = 1;
        return;
    }

    const int y0 = ScaleY(300);
    // The row is copied: a click below may not change the rows, but the
    // pointer must not outlive this frame's look at the list either.
    const cComicRow page = *row;
    // The page's picture lies on the dialog, right of the text.
    taskPage1024.DrawImage(L"tutorial_menu_big.png", ScaleX(120), y0, 0, 0, 255, 255, 255, 255);
    taskPage1024.DrawImage(page.extraText.c_str(), ScaleX(640), y0 + ScaleY(35), 0, 0, 255, 255, 255, 255);

    wchar_t title[kGuiTextLength + 16];
    std::swprintf(title, sizeof title / sizeof title[0], L"%ls %d", g_guiVocabulary[kTitleText], world.level);
    DrawShadowedText(title, ScaleX(140 + 40), y0 + ScaleY(60), ScaleX(kTextWidth), g_fontBig);
    DrawShadowedText(page.text, ScaleX(140 + 40), y0 + ScaleY(110), ScaleX(kTextWidth), g_fontNormal2);

    const int arrowY = y0 + ScaleY(295);
    const int arrowW = ScaleX(73);
    const int arrowH = ScaleY(49);
    if (currentPage > 1
        && DoImageButton(L"button_left_off.png", L"button_left_over.png", ScaleX(162), arrowY, arrowW, arrowH))
        --currentPage;
    if (currentPage < pageCount
        && DoImageButton(L"button_right_off.png", L"button_right_over.png", ScaleX(538), arrowY, arrowW, arrowH)) {
        ++currentPage;
        if (currentPage == pageCount)
            lastPageSeen = true;
    }
    if (lastPageSeen
        && DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png", g_guiVocabulary[kOkText],
            ScaleX(280), y0 + ScaleY(360), ScaleX(205), ScaleY(49), 255, 255, 255, 255, 255, 255)) {
        Close();
        world.jokerRequested = 1;
    }
}

void TaskDialog::DrawShadowedText(const std::wstring& source, int x, int y, int width, iGfxFont* font)
{
    cGameWorld& world = cGameWorld::Instance();
    world.FormatText(false, source, width, font);
    // The engine draws one line per call, so the laid-out lines are drawn
    // one under the other rather than as one text.
    const int lineHeight = LineHeight(font);
    for (int i = 0; i < world.formatLineCount; ++i) {
        text = world.formatLines[i];
        const int lineY = y + i * lineHeight;
        SetColour(MakeARGB(255, 0, 0, 0));
        DrawTextCentered(false, text.c_str(), x + 1, lineY + 1, width, font);
        SetColour(MakeARGB(255, 255, 255, 255));
        DrawTextCentered(false, text.c_str(), x, lineY, width, font);
    }
}

bool TaskDialog::DoImageButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int width, int height)
{
    const int alpha = GetAlpha();
    cGameWorld& world = cGameWorld::Instance();
    if (!IsMouseInRect(x, y, x + width, y + height)) {
        taskPage1024.DrawImage(offImage, x, y, 0, 0, 255, 255, 255, alpha);
        return false;
    }
    taskPage1024.DrawImage(overImage, x, y, 0, 0, 255, 255, 255, alpha);
    if (!world.leftClick)
        return false;
    world.leftClick = 0;
    return true;
}

bool TaskDialog::DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage,
    const wchar_t* label, int x, int y, int width, int height, int r, int g, int b, int overR, int overG, int overB)
{
    int offset = ScaleY(5);
    if (font && font == g_fontNormal2)
        offset = ScaleY(13);
    else if (font && font == g_fontSmall)
        offset = ScaleY(10);

    const int alpha = GetAlpha();
    const bool hovered = IsMouseInRect(x, y, x + width, y + height);
    const bool clicked = DoImageButton(offImage, overImage, x, y, width, height);
    if (hovered) {
        SetColour(MakeARGB(alpha, overR, overG, overB));
        DrawTextCentered(alt, label, x + 1, y + offset + 1, width, font);
    } else {
        SetColour(MakeARGB(alpha, r, g, b));
        DrawTextCentered(alt, label, x, y + offset, width, font);
    }
    if (clicked)
        Story::Instance().PlaySound("menu_clk");
    return clicked;
}

} // namespace Scene
