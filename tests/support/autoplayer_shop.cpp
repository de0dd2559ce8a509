// The autoplayer in the shop: the building the next level asks for, bought
// with a click, or on the station level the lots at will its money pays for.
#include <algorithm>

#include "scene/design_units.h"
#include "support/autoplayer.h"
#include "world/game_world.h"

namespace test {

namespace {

    using Scene::ScaleX;
    using Scene::ScaleY;

    bool InGrid(const cFundament& f)
    {
        return f.row >= 0 && f.row < 10 && f.column >= 0 && f.column < 10;
    }

} // namespace

// The shop, entered by the city pin: the building a level asks for, or (on
// the station level) the lots at will that the money pays for, cheapest
// first; Escape leaves.
void Autoplayer::DecideShop()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.shopOpen) {
        if (!shopLeaving) {
            if (!ClickPin(kCityLevel))
                stuck = L"no city pin";
            return;
        }
        if (phase == Phase::Station) {
            current.moneyAfter = world.money;
            reports.push_back(current);
            ++level;
        }
        phase = Phase::Map;
        backOnMap = true;
        lotsTried.clear();
        shopLeaving = false;
        shopClicks = 0;
        lotCounted = -1;
        return;
    }
    if (shopLeaving) {
        Key("Escape");
        return;
    }
    // The lot clicked last: bought or not.
    if (!lotsTried.empty()) {
        const cFundament& f = world.fundaments[static_cast<std::size_t>(lotsTried.back())];
        if (InGrid(f) && world.lotStatus[f.row][f.column] != 0 && lotCounted != lotsTried.back()) {
            lotCounted = lotsTried.back();
            ++lotsBought;
            if (phase == Phase::Buying) {
                current.buildingBought = f.lotValue;
                shopLeaving = true;
                Key("Escape");
                return;
            }
            ++current.lotsBought;
        }
    }
    if (!BuyLot(phase == Phase::Buying ? buildingKind : -1) || shopClicks > 5) {
        if (phase == Phase::Buying) {
            stuck = L"the building of level " + std::to_wstring(level) + L" is not bought with "
                + std::to_wstring(world.money);
            return;
        }
        for (const cFundament& f : world.fundaments)
            current.lotsLeft
                += InGrid(f) && world.lotFreeBuy[f.row][f.column] == 1 && !world.lotStatus[f.row][f.column];
        shopLeaving = true;
        Key("Escape");
    }
}

// Clicks the lot of the kind (-1: the cheapest lot at will the money pays
// for that was not tried); false when there is none.
bool Autoplayer::BuyLot(int kind)
{
    const cGameWorld& world = cGameWorld::Instance();
    int best = -1;
    for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
        const cFundament& f = world.fundaments[i];
        if (!InGrid(f) || world.lotStatus[f.row][f.column] != 0 || f.lotValue > world.money)
            continue;
        if (kind >= 0 ? f.content != kind : world.lotFreeBuy[f.row][f.column] != 1)
            continue;
        if (kind < 0 && std::find(lotsTried.begin(), lotsTried.end(), static_cast<int>(i)) != lotsTried.end())
            continue;
        if (best < 0 || f.lotValue < world.fundaments[static_cast<std::size_t>(best)].lotValue)
            best = static_cast<int>(i);
    }
    if (best < 0)
        return false;
    const cFundament& f = world.fundaments[static_cast<std::size_t>(best)];
    lotsTried.push_back(best);
    ++shopClicks;
    Click(world.cellX[f.row][f.column] + ScaleX(73), world.cellY[f.row][f.column] + ScaleY(158));
    return true;
}

} // namespace test
