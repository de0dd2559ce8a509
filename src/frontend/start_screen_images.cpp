// The start screen's full-screen pictures (also the backgrounds of the
// end-of-level panel, the result screen and the options) and the loading bar.
#include "frontend/start_screen.h"

#include "world/settings.h"

namespace Scene {

void StartScreen::DrawStartImage()
{
    pages[kStartPage].DrawImage(L"vandrel_start.png", 0, 0, 0, 0, 255, 255, 255, 255);
}

void StartScreen::DrawStartMenuImage()
{
    pages[kStartPage].DrawImage(L"vandrel_start_menu.png", 0, 0, 0, 0, 255, 255, 255, 255);
}

void StartScreen::DrawStationImage()
{
    pages[kStartPage].DrawImage(L"tankstelle.png", 0, 0, 0, 0, 255, 255, 255, 255);
}

void StartScreen::DrawLoadingBar(int /*unused*/, int percent)
{
    const cSettings& settings = cSettings::Instance();
    int y = static_cast<int>(370.0f / settings.scaleY);
    if (settings.GetWidth() == 1024)
        y += 15;
    const int x = static_cast<int>(550.0f / settings.scaleX);
    const int length = static_cast<int>(548.0f / settings.scaleX * static_cast<float>(percent) / 100.0f);
    const int height = static_cast<int>(40.0f / settings.scaleY);
    pages[kStartPage].DrawImage(L"loading_01.png", x, y, 0, 0, 255, 255, 255, 255);
    // Cut from the left; at 0 per cent nothing of the filled bar shows (a
    // width of 0 would draw it whole).
    if (length > 0)
        pages[kStartPage].DrawImage(L"loading_01_over.png", x, y, length, height, 255, 255, 255, 255);
}

} // namespace Scene
