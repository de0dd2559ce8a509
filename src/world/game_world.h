// The one object that holds the whole game state. Every subsystem reaches it
// through cGameWorld::Instance() and reads and writes its fields directly; the
// fields are grouped by topic in the cWorld*Fields structs it is made of.
//
// The object is large (the highscore tables and the text-layout buffer alone
// are well over 100 KB): it lives in static storage and is never copied onto
// the stack.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "world/world_effects_fields.h"
#include "world/world_level_fields.h"
#include "world/world_player_fields.h"
#include "world/world_screen_fields.h"
#include "world/world_station_fields.h"

class iGfxFont;

class cGameWorld : public cWorldLevelFields,
                   public cWorldStationFields,
                   public cWorldEffectsFields,
                   public cWorldPlayerFields,
                   public cWorldScreenFields {
public:
    // Built on the first call (which loads the settings and profiles) and kept
    // until the program ends.
    static cGameWorld& Instance();

    cGameWorld(const cGameWorld&) = delete;
    cGameWorld& operator=(const cGameWorld&) = delete;

    // True while an overlay screen is open; the station view and the vehicles
    // layer then skip their per-frame updates.
    bool IsOverlayActive() const;
    bool IsPaused() const { return paused != 0; }

    // Both clear clickEvent and leftClick, after a click was consumed.
    void ResetFlags();
    void ClearMouseClicks();

    // Screen positions of the grid cells for the settings' scale factors.
    void ComputeLayout();
    // Even-odd crossing test; each edge is half-open in y.
    static bool PointInPolygon(int count, const int* xs, const int* ys, int px, int py);
    // The mouse lies inside the outline of the cell; false for a cell outside
    // the grid.
    bool IsMouseOverPlace(int row, int column) const;
    bool IsMouseOverPlace(int row, int column, int mouseX, int mouseY) const;
    // Where IsMouseOverPlace reads the mouse; the input code installs it.
    using MouseSource = std::function<void(int& x, int& y)>;
    static void SetMouseSource(MouseSource source);

    // Positions 1..6 of the highscore tables of levels 1..furthestLevel, from
    // the highscore files of the user folder. Always true.
    bool LoadHighscores();

    void ClearMessages();
    void ClearMenuFlag(const std::string& name);
    static std::wstring NarrowToWideString(std::string_view text);

    // Rewrites config.cfg and us.txt in the user folder (see settings.h).
    // False when a file could not be written; the old file is then intact.
    bool SaveConfig();
    bool SaveUsers();

    // Tests only: every field back to its construction default, without
    // loading anything.
    void ResetToDefaults();

    // ---- Language tables (language_tables.cpp) -------------------------
    // The tables come from data/language.pkg, else from data/language/; only
    // the column of the settings' language is kept.
    void LoadPlaceNames();
    std::wstring GetPlaceName(int id, int key2) const;
    void LoadComic(int comic);
    void LoadTasks();
    void SelectTaskText(int id);
    void SelectLevelTask(int id);
    // data/logos/list.csv: at most kLogos logos; the constructor calls it.
    void LoadLogoList();

    // ---- Text layout, styles, messages, pause, screenshots ---------------
    // Lays text out into formatLines and formattedText for the current
    // language, in lines at most maxWidth pixels wide where words allow.
    void FormatText(bool centre, const std::wstring& text, int maxWidth, iGfxFont* font);
    void LoadTextStyles();
    void ApplyTextColour();
    void PushMessage(const std::wstring& text, const std::wstring& text2, const std::wstring& text3,
                     double duration, double value2);
    void PopMessage(const std::wstring& text);
    void SetPause(bool on);
    // Saves a requested screenshot to screenshots/ of the user folder.
    void TakeScreenshot();

private:
    cGameWorld();
    ~cGameWorld() = default;
};
