// The managers' moves, the transfers and the grid cars: placeholders until
// that part of the layer is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::UpdateTransfer() { }

bool MenuTransport::TransferByHints() { return false; }

void MenuTransport::DrawTransfersToPlaces() { }

void MenuTransport::DrawTransfers() { }

void MenuTransport::DrawTransfersToFundaments() { }

void MenuTransport::DrawGridAutos() { }

void MenuTransport::ClearAround(int /*row*/, int /*column*/) { }

} // namespace Scene
