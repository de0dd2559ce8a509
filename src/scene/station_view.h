// The station view (screen slot 4): the platforms of the grid, the station
// elements with their service animations and lamps, the trees among them and
// the decorations above the cars; which place lies under the mouse; the
// service state of each place; and, behind the settings' editor flag, the
// station editor bar. The world reaches the screen through Instance(), which
// is null while no screens exist; every call is then skipped.
//
// Which place field holds what here: the variant (upgrade stage 0..4) is the
// place's colour; the serving byte is serveFlag; the phase name, image name
// and lamp name are animationName, animationImage and lampName; the first,
// last and current frame of the animation are lampFrameCounter, frameCount
// and frame. A served car's service code is its itemCode, its car value its
// autoType and its hand-placed byte handPlaced. A fundament's built-place
// index is its content and its build stage its status.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

namespace Scene {

class StationView : public Screen {
public:
    // The page slots in use.
    static constexpr int kStationPage = 0;
    static constexpr int kTreesPage = 1;
    // The editor's item list: longer sources are cut.
    static constexpr int kListSize = 102;

    StationView();
    ~StationView() override;

    // The screen the screen manager holds in slot 4; null when there is none.
    static StationView* Instance();

    // Store the image size on the places of the type at the screen point.
    void GetElementImageSize(int type, int x, int y);
    void GetTreeImageSize(int type, int x, int y);

    // The level frame, in the order the screen manager calls them.
    // The station element under the mouse, -1 none; with checkDrop, only a
    // place that would take the car held by the mouse.
    virtual int GetPlaceUnderMouse(bool checkDrop);
    // The station, every frame whether visible or not.
    virtual void Draw();
    // The decorations above the cars.
    virtual void DrawDecorations();

    // The steps of Draw.
    void DrawPlatforms();
    void DrawPlatformFrame(int fundament);
    void DrawStationObjects();
    void DrawElement(int place);

    // Service state of a place (called by the car layer too).
    void UpdatePlaceState(int place);
    // Some served car of the place holds a car.
    bool HasPlaceAuto(int place) const;
    // The first served car of the place that came by a transfer leaves.
    void ReleasePlaceAuto(int place);
    // Erases the place; every place index kept elsewhere stays valid.
    void RemovePlace(int place);

    // Small drawing operations for the other screens.
    void DrawFoundation(int x, int y);
    // The place template's "_over.png" (over) or "_on.png" image at the
    // scaled design point.
    void DrawTemplateHover(int templateIndex, int x, int y, bool over);
    void DrawStationImage(const wchar_t* name, int x, int y, int alpha);
    // The image cut to percent of its width and height.
    void DrawStationImageScaled(const wchar_t* name, int x, int y, int percent, int alpha);

    // The station editor (only while the settings' editor flag is set).
    bool IsMouseOverBar() const;
    void DrawCategoryList();
    void DrawCategoryList0();
    void DrawCategoryList3();
    void DrawCategoryList5();
    void DrawPlacement();
    void DrawPlaceEditor();
    void EditDecorationPositions();
    void DrawFundamentEditor();
    void EditSuperOverPositions();
    void DrawDebugInfo();
    void DrawSolidRect(float x, float y, int width, int height, int a, int r, int g, int b);

    // Tests read the editor's list.
    int ListCount() const { return listCount; }
    int ListEntry(int i) const { return i >= 0 && i < listCount ? list[i] : -1; }

protected:
    void OnActivate() override;
    void OnDeactivate() override;

private:
    // The editor bar of the current mode, called by Draw.
    void DrawEditor();
    // One bar: the cells from the mode's first visible entry, the arrows.
    struct BarStyle;
    void DrawBar(const BarStyle& style, int& firstVisible);
    // The lamp over a service place at its element point.
    void DrawLamp(int place, int x, int y);
    // Erases the place from the list and moves every place index kept
    // elsewhere along: above it one down, equal to it cleared.
    void ErasePlace(int place);

    int list[kListSize] = {};
    int listCount = 0;
    int firstVisible0 = 0; // mode 0
    int firstVisible2 = 0; // modes 2 and 4
    int firstVisible3 = 0; // mode 3
    int firstVisible5 = 0; // mode 5
    // Mode 5 draws no cells in the frame after a click on one.
    bool skipCellsOnce = false;
    cTimer fadeInTimer;
};

} // namespace Scene
