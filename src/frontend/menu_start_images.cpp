// The start screen's full-screen pictures, also the backgrounds of the
// end-of-level panel, the result screen and the options.
#include "frontend/menu_start.h"

namespace Scene {

void MenuStart::DrawStartMenuImage()
{
    pages[kStartPage].DrawImage(L"vandrel_start_menu.png", 0, 0, 0, 0, 255, 255, 255, 255);
}

void MenuStart::DrawStationImage()
{
    pages[kStartPage].DrawImage(L"tankstelle.png", 0, 0, 0, 0, 255, 255, 255, 255);
}

} // namespace Scene
