// Swapping cars on the grid and the car previews of the station view:
// placeholders until that part of the layer is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::DrawSwapFundamentAutos() { }

bool MenuTransport::IsAdjacent(int /*row1*/, int /*column1*/, int /*row2*/, int /*column2*/) { return false; }

void MenuTransport::DrawCarPreviewScaled(int /*autoType*/, int /*x*/, int /*y*/) { }

void MenuTransport::DrawCarPreview(int /*autoType*/, int /*x*/, int /*y*/) { }

} // namespace Scene
