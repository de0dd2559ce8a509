// The campaign world map of the main menu (screen slot 7). It shows the thirty
// levels as pins placed by the task table, how far the current profile has
// come, and lets the player pick an unlocked level and start it; the city pin
// enters the station-building level 31 in the shop. The panels around the map
// (bank, description, level info, profile line) are in world_map_panels.cpp
// and the first-visit intro in world_map_intro.cpp.
//
// The map keeps its page in slot 0 and draws its buttons from there too.
#pragma once

#include <string>

#include "app/clock.h"
#include "scene/screen.h"

class iGfxFont;

namespace Scene {

class WorldMap : public Screen {
public:
    // Indexed by level 0..31; 31 is the city.
    static constexpr int kTableSize = 32;
    static constexpr int kCity = 31;
    static constexpr int kLastCampaignLevel = 30;

    WorldMap();
    ~WorldMap() override;

    // One frame of the screen: the intro while the profile is new, else the map.
    virtual void Draw();
    void DrawMap();

    // The design position of a level's pin from its first task row; 0 without one.
    int GetPinX(int level) const;
    int GetPinY(int level) const;
    // Some station fundament of the kind is built (value 9).
    bool HasFundamentOfKind(int kind) const;

    // Panels (world_map_panels.cpp).
    void DrawBank();
    void DrawDescription();
    void DrawLevelInfo(int level, int status);
    void DrawProfileLine();
    // Offered panels that the map itself does not draw.
    void DrawLockedNotice();
    void DrawLevelNumber(int level, int ignored);
    void DrawSpeechBubble(int ignored, const std::wstring& text, int x, int y);

    // The first-visit intro (world_map_intro.cpp).
    void EnterBuildLevel();
    void DrawIntro();
    void DrawBonusMap();

    // What the map worked out in its last frame, for the tests and the panels.
    int GetHoveredPin() const { return hoveredPin; }
    bool IsSelectable(int level) const;
    const std::wstring& GetHintText() const { return hintText; }
    int GetNoticeAlpha() const { return noticeAlpha; }
    int GetIntroAlpha() const { return introAlpha; }
    int GetDemoAlpha(int level) const;
    int GetDemoKind(int level) const;
    int GetDemoNextKind() const { return demoNextKind; }
    int GetDemoFadingLevel() const { return demoFadingLevel; }
    int GetStarsFrame() const { return starsFrame; }
    int GetBonusStarsFrame() const { return bonusStarsFrame; }

    // The map's button, drawn from the map's own page: the label centred,
    // one pixel lower and to the right while hovered; true when clicked.
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* text,
        int x, int y, int w, int h, int offR, int offG, int offB, int overR, int overG, int overB);

protected:
    void OnActivate() override;
    void OnDeactivate() override;

private:
    static constexpr int kMapPage = 0;

    // DrawMap's steps.
    void ReadTaskRows();
    void StepStarAnimations();
    void DrawPathsAndMirages(int furthest);
    void DrawCityPin();
    void EnterShop();
    void StepBackFromLockedLevel();
    bool DrawLevelPin(int level);
    void ShowLockNotice(int level);
    void DrawButtons(int furthest);
    bool PlayButtonShown(int furthest) const;

    // The intro's steps.
    void ResetDemonstration();
    void StartBuildLevel();
    void OpenShopStation();
    void LeaveIntroShop();
    void DrawIntroButton();
    void DrawIntroText(
        int textNumber, int width, int x, int y, bool fiveLineLift, uint32_t shadow, uint32_t colour, int shadowDrop);

    // An image of the map's page at a design position.
    void DrawMapImage(const wchar_t* name, int x, int y, int r, int g, int b, int alpha);
    void DrawShadowed(
        const wchar_t* text, int x, int y, int width, iGfxFont* font, uint32_t colour, int drop, uint32_t shadow);
    void DrawTextRightAligned(bool alt, const wchar_t* text, int x, int y, iGfxFont* font);
    void DrawWrappedLines(int x, int top, int width);

    // Rebuilt every frame from the task table, the lots and the ratings.
    int pinX[kTableSize] = {};
    int pinY[kTableSize] = {};
    int requiredKind[kTableSize] = {};
    int lotRow[kTableSize] = {};
    int lotCol[kTableSize] = {};
    int selectable[kTableSize] = {};

    int hoveredPin = -1;
    int starsFrame = 0;
    std::wstring starsFrameName = L"stars0000";
    int bonusStarsFrame = 0;
    std::wstring bonusStarsFrameName = L"stars20000";
    cTimer starsTimer;
    cTimer bonusStarsTimer;

    // The description panel.
    std::wstring hintText;
    int noticeAlpha = 150; // a lock notice's pulse, 150 .. 255 (drawn as its colour)
    int noticeFading = 0;
    cTimer noticeTimer;

    // The intro.
    int introAlpha = 0;
    cTimer introTimer;
    int demoPinX[kTableSize] = {};
    int demoPinY[kTableSize] = {};
    int demoAlpha[kTableSize] = {};
    int demoKind[kTableSize] = {};
    int demoNextKind = 1;
    int demoFadingLevel = 1;
    cTimer demoTimer;

    // Read only by DrawLevelNumber: nothing writes it, so each level shows
    // its own number.
    int levelNumbers[kTableSize] = {};
};

} // namespace Scene
