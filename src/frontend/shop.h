// The shop (screen slot 2), which runs the station-building level 31 inside the
// main menu: the game clock and the script's "on_timer", the city streets
// with their cars, the station's lots to buy, extend or sell, planted trees,
// the money and the task line, and the leave button, which saves the game and
// the lot file and releases the level script. What the player buys, extends
// or sells is saved the moment the money changes hands, so the purchases
// outlast any way the game ends; a trade that cannot be saved is not made.
// During the first-visit intro
// the same screen draws the finished station lot by lot and takes no input.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

struct cAutobahnAuto;
struct cFundament;

namespace Scene {

class Shop : public Screen {
public:
    // The shop's page; the base class's buttons draw from it as well.
    static constexpr int kShopPage = 32;

    Shop();
    ~Shop() override;

    // One frame: the intro backdrop while the intro is at its first step,
    // else the building level while shopInMainMenu is set, else nothing.
    virtual void Update();
    void UpdateBuildPhase();
    void DrawLevelBuild();

    // ---- Lots (shop_lots.cpp) ----------------------------------------
    // Screen positions of the lot grid's cells; clears the lot tables.
    void LayoutStation();
    // Only the screen positions of the cells, for the present screen size.
    static void LayoutCells();
    // Every lot: platform, task frame, hover offer, click, building; then the
    // fade-in of new buildings. The hovered lot's speech bubble waits for
    // DrawPendingBubble.
    void DrawStation();
    // The bubble of the lot DrawStation found under the mouse, drawn once
    // the trees, cars and weather are, so none of them hides it.
    void DrawPendingBubble();
    // The price of the first lot on the cell, 0 when none.
    int GetLotPrice(int row, int col) const;
    // Every lot of an element kind (above 0) is built.
    bool IsStationComplete() const;
    // No lot that this cell's links require is still unbuilt.
    bool AreLotLinksBuilt(int row, int col) const;
    bool IsMouseOverLot(int row, int col) const;
    void DrawLotBubble(int mode, const std::wstring& name, int x, int y, int price);

    // ---- City traffic, decoration, intro reveal (shop_city.cpp) ------
    void DrawTraffic();
    void MoveTraffic();
    bool AdvanceCarSegment(cAutobahnAuto& car, int street, int segment);
    bool IsCarBlocked(const cAutobahnAuto& car) const;
    bool IsRoadBusyNear(int street, int x, int y) const;
    void DrawDecorPlaces();
    void DrawHeldTree();
    // Sets up the intro reveal: a third of the lots visible, the next chosen.
    void FlagRandomFundaments();
    void DrawIntroReveal();
    void PickRandomSlot();
    int RevealSlot() const { return revealSlot; }
    // The station's script is missing or failed before its "on_init" ran
    // through: the shop's next frame ends it (as a stopped script does).
    void RefuseStation() { refused = true; }

protected:
    void OnActivate() override;
    void OnDeactivate() override;

    // An image of the shop's page at its natural size, in the level tint.
    void DrawTinted(const std::wstring& name, int x, int y, int alpha);
    // The yellow status line under the money.
    void DrawTaskLine();
    // Saves, releases the level script and hands the map back.
    void Leave();
    // The station's script failed or was stopped: the shop ends as a level
    // that cannot be played, back to the map with its notice.
    void LeaveRefused();
    // A purchase, extension or sale of the lot: the lot goes to `state` and
    // the money changes by `amount`, saved at once in the saved game and the
    // lot file together. Kept only when both hold it; otherwise the money and
    // the lot are as before, the player is told, and the result is false.
    bool Trade(cFundament& f, int state, int amount);

    // The speech bubble over a hovered lot: its name (none: no bubble), the
    // point it hangs from, its price and what a click does (DrawLotBubble).
    struct LotBubble {
        std::wstring name;
        int x = 0;
        int y = 0;
        int price = 0;
        int mode = 0;
    };
    LotBubble pendingBubble;
    cTimer revealTimer;
    cTimer trafficTimer;
    cTimer blinkTimer;
    int blinkAlpha = 0;
    bool blinkFalling = false;
    int revealSlot = 0;
    bool refused = false;
};

// An 8-bit image name as a wide string.
std::wstring WidenName(const std::string& name);

} // namespace Scene
