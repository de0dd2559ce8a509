// Do-nothing bodies of the shop operations the world map calls, until the
// shop's own take their place.
#include "frontend/menu_buy.h"

namespace Scene {

void MenuBuy::LayoutStation() { }

void MenuBuy::FlagRandomFundaments() { }

} // namespace Scene
