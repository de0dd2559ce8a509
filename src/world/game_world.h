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
class PropertyFile;

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
    // Where the car on a grid cell is drawn, in the screen's pixels: the
    // middle of its image on the middle of the cell's hit area.
    void GridCarPoint(int row, int column, int& x, int& y) const;
    // Where IsMouseOverPlace reads the mouse; the input code installs it.
    using MouseSource = std::function<void(int& x, int& y)>;
    static void SetMouseSource(MouseSource source);

    // Positions 1..6 of the highscore tables of levels 1..furthestLevel, from
    // the highscore files of the user folder. Always true.
    bool LoadHighscores();
    // Reads a level's highscore file (see world/player_file_rule.h): false
    // for a missing one and for one that holds no row.
    bool ReadHighscoreFile(const std::wstring& path, PropertyFile& scores);

    void ClearMessages();
    void ClearMenuFlag(const std::string& name);
    static std::wstring NarrowToWideString(std::string_view text);

    // Rewrites config.cfg and us.txt in the user folder (see settings.h).
    // False when a file could not be written; the old file is then intact.
    bool SaveConfig();
    bool SaveUsers();

    // ---- Saved games and the station's lot file (saved_games.cpp,
    // lot_files.cpp) ----
    // The files "<profile>" and "<profile>_bau" of the user folder, never of
    // the install folders. The writers replace the whole file or leave the old
    // one as it was; they log and answer false when they could not write.
    bool SaveGame();
    // Presets the campaign tables, then reads the save; false when there is
    // no readable save (the presets stay).
    bool LoadGame();
    bool SaveLots();
    // The saved building status of each lot the level script created.
    void LoadLots();
    // The lot file into lotTable (the entry of the user folder's save.pkg
    // first, then the loose file).
    void LoadLotsFromPackage();
    // Removes the lot file where SaveLots writes it; false when it could not.
    bool DeleteLotSave();
    // A trade in the shop: the saved game and the lot file written together,
    // so that both hold it or neither does. False when either could not be
    // written or is read-only: both are then as they were, and the player is
    // told.
    bool SaveTrade();

    // ---- Editor output (editor_output.cpp) ----
    // The station as Lua source under "editor/" of the user folder, when that
    // folder exists. Does nothing unless editorOutput is set or the level is
    // the station-building one. False when a file could not be written.
    bool WriteEditorScripts();
    static std::string GetCarTypeName(int autoType);

    // ---- Places, fundaments and lots (world_places.cpp, world_lots.cpp) ----
    // Row and column name a grid cell; a cell outside the tables is refused
    // with a log line. Places of type 100 and above are decorations placed by
    // screen position.
    void AddPlace(int id, const std::string& name, int value);
    void AddPlaceLot(int id, const std::string& name, int a, int b, int c);
    void AddFundament(int id, const std::string& texture, const std::string& texture2, int direction);
    void SetOffsetForAuto(int id, int x, int y, int direction);
    void SetObjectOffsets(int id, int direction, int x, int y);
    void CreatePlace(int type, int row, int column, int direction);
    void CreatePlace111(int type, int x, int y, int state, int extra);
    void AddMyOver(int id, int x, int y, int direction);
    void CreateFundament(int textureId, int row, int column, int direction, int value);
    void CreateLot(int row, int column, int textureId, int placeType, int a, int b, int c);
    // A car standing on the cell's fundament, drawn opaque.
    void AddAutoToFundament(int row, int column, int autoType);
    void PlaceTexture(int type, const std::string& name);
    void SetColor(int row, int column, int colour);
    void SetLimitForColorChange(int limit);
    void ApplyComboToPlace(int place, int length);
    void SetPlaceAuto(int place, int autoType);
    void RelayoutPlaces();
    int FindFundamentAt(int row, int column) const;
    bool IsCellSet(int row, int column) const;
    bool Exist3() const;
    // The class of the car on the cell, -1 none; keeps its type in
    // lastCellAutoType.
    int GetClassAt(int row, int column);
    void AddHelpHint(int index);
    int FindNeighbourPairClass(int index);

    // ---- Decorations, effects and weather (world_decorations.cpp,
    // world_effects.cpp, world_weather.cpp) ----
    void AddBody(int id, const std::string& texture);
    void AddMyBody(int id, int x, int y);
    void AddOver(int id, const std::string& texture);
    void SetTypOver(int id, int type);
    void AddSuperOver(int id, int x, int y);
    void AddBalon(int id, int x1, int y1, int x2, int y2, int steps);
    void AddCloud(int id, int x1, int y1, int x2, int y2, int steps);
    void AddTextureBalon(int id, const std::string& texture);
    void AddTextureCloud(int id, const std::string& texture, float alpha);
    void CreateEffects(int id, const std::string& texture, int frames, int valueB, int valueC);
    void EffectTextureExt(int id, const std::string& texture);
    void CreateMyEffects(int owner, int type, int randomStart, float speed, int x, int y, int row, int column);
    bool NoBlockingEffect() const;
    bool IsEffectNearlyDone(int row, int column) const;
    void ClearFundamentWithEffect(int fundament, int type);
    void StartRain(int count);
    void StartSnow(int mode, int count, int wind);
    void AddSnow(int count);
    void SetWind(int wind);
    void MinusSnow(int count);
    void ClearWeather();

    // ---- Car types, roads and the random choice of cars (world_cars.cpp,
    // world_road.cpp) ----
    void AddAuto(int type, int variant, const std::string& name);
    std::string GetAutoTypeName(int type, int variant) const;
    int GetAutoTypeValue(int type) const;
    // The type's class, -1 when no type has the id.
    int GetAutoTypeClass(int type) const;
    // Each answers a car type, or -1 when no type qualifies.
    int GetRandomAuto(int colour);
    int GetRandomStackAutoType();
    int GetRandomAutoAutobahn(int road);
    void SetAutoBahn(int id, double speed, int kind);
    void SetAutoBahnPoints(int id, int x1, int y1, int x2, int y2);
    void SetAutoBahnPointsCity(int id, int x1, int y1, int x2, int y2, int segment, int value);
    void SetAutoBahnSpeed(int id, double speed, int mode);
    void AddTransportToAutobahn(int road, int count);
    void AddTransportToCity(int road, int segment, int type, int offset);
    void SpawnAutobahnAuto(int road, int type);
    bool ExistInAutobahn(int type) const;
    void EnableAutoTypForStack(int type);
    void EnableAutoForStack(int autoClass);
    void EnableClassAutoForAutobahn(int road, int autoClass);
    bool IsEnableClassAutoForAutobahn(int autoClass) const;
    bool IsClassEnabledForAutobahn(int road, int autoClass) const;
    void EnableAutoForAutobahn(int road, int type, int flag);
    void DisableAutoForAutobahn(int road, int type);
    bool IsAutoEnabledForAutobahn(int road, int type) const;

    // ---- The stack and service at places (world_stack.cpp,
    // world_service.cpp) ----
    void SetStackCoordinateAndDirection(int id, int x, int y, int direction);
    void SetToStackCoordinate(int id, int x, int y);
    void SetFromStackCoordinate(int id, int x, int y);
    // Puts a car into the slot and drives it in from 30 pixels above.
    void AddToStack(int slot, int autoType);
    void DriveAutoIntoStack(int slot, int x1, int y1, int x2, int y2);
    // itemCode: the colour group or work code the car is served with;
    // handPlaced: 1 for the player's drop, 0 for a managers' transfer.
    void PutAutoOnPlace(int place, int itemCode, int handPlaced);
    void FinishServiceAtPlace(int place);
    int FindPlaceAutoAt(int row, int column) const;
    int GetPlaceAutoTypeAt(int row, int column) const;
    int FindPlaceAutoOfClassAt(int row, int column, int autoClass) const;

    // ---- Transfers, flying values, jokers and the combo log
    // (world_transfers.cpp, world_jokers.cpp) ----
    void StartTransferFromPlace(int placeAuto, int x1, int y1, int x2, int y2);
    void StartTransferToFundament(int fundament, int type, int x1, int y1, int x2, int y2);
    void StartTransfer(int type, int x1, int y1, int x2, int y2);
    void AddPointsMarker(int place);
    void AddPointsMarkerAtFundament(int fundament);
    void AddFlyingMarker(int value);
    // A flying value arrived at the bar: the points it carries count now (a
    // penalty's minus credits nothing).
    void CreditFlyingValue(const cFlyingMarker& marker);
    // Every value still flying arrives at once, as when the game ends.
    void LandFlyingValues();
    void AddJoker(int count);
    void AddJokerSlot();
    // The car on the mouse goes back where it came from: to its grid cell, a
    // joker or bomb to the bar, a station's car to its stack slot while that
    // is free, else to the road (without the penalty of a dropped car).
    void PutBackHeldCar();
    void AddSpecAuto(int row, int column, int type);
    void AddComboRecord(int length, int autoClass);
    bool GetMyCombo(int length, int count) const;

    // ---- Small rules of the grid used by the operations above
    // (world_grid_rules.cpp) ----
    static bool IsFirstLevelOfTriple(int level);
    void AddSpecAutoEntry(int type);
    void AddLeavingAuto(int placeAuto);

    // ---- Combos (world_place_combos.cpp, world_fundament_combos.cpp,
    // world_combo_apply.cpp) ----
    // Appends a cell to the selection of changed cells; a full selection
    // refuses the cell with a log line.
    bool AddSelectedCell(int index, int row, int column);
    bool IsSelectedCell(int row, int column) const;
    bool HasCombo(int direction, int count, int autoClass) const;
    int FindAutoCombos();
    int MeasureAutoRunVertical(int row, int column, int autoClass);
    int MeasureAutoRunHorizontal(int row, int column, int autoClass);
    bool IsAutoOfClassAt(int row, int column, int autoClass) const;
    void AddAutoCombo(int direction, int row, int column, int autoClass);
    void ApplyPlaceCombos();
    int FindFundamentCombos();
    int RebuildFundamentCombos();
    void AddFundamentCombo(int direction, int row, int column, int autoClass);
    void ApplyFundamentCombos();
    void ApplyFundamentCombosKeepJoker();
    // The colour group of a car type, -1 when no type has the id.
    int GetAutoTypeColour(int type) const;
    // Plays data/sound/wav/<name>.wav on a free effect slot; nothing without
    // a sound engine, with mute on or with every slot busy.
    void PlayEffectSound(const char* name);

    // ---- The grid, parking and special cars (world_gravity.cpp,
    // world_parking.cpp, world_special_cars.cpp) ----
    // Both return false when the supply of new cars was held back (a car
    // still moving or held, or a combo's effect still young).
    bool DropAutosIntoFreeFundaments();
    bool SupplyFreeFundaments();
    void MoveStackAutosToFundaments();
    bool NoFreeFundament() const;
    int FindFreeFundament();
    void AddIcon(int id, const std::string& texture);
    void DeleteIcon(int id);
    bool IHaveSpecAuto(int type) const;
    bool ICreateSpecAuto(int type) const;
    void RemoveSpecAuto(int type);
    void SpawnSpecAuto(int type);
    void SetLotForBuild(int row, int column);
    void FinishLotBuild();
    void AddManager();
    void SetParkingAutos(int count);
    void ChoiceAutobahnAutos(int type);
    bool IsChosenAutobahnAuto(int type) const;
    void AddToLink(int a, int b, int c, int d);
    void CheckParkingFull();
    void PreparePlaceImages();

    // Where the mouse is, through the installed source; (0, 0) without one.
    static void GetMousePosition(int& x, int& y);

    // Tests only: every field back to its construction default, without
    // loading anything.
    void ResetToDefaults();

    // ---- Language tables (language_tables.cpp) -------------------------
    // The tables come from data/language.pkg, else from data/language/; only
    // the column of the settings' language is kept.
    void LoadPlaceNames();
    std::wstring GetPlaceName(int id, int key2) const;
    void LoadComic(int comic);
    // The task text of the level's first task row into taskText, and the
    // level into taskId; "not found" (taskId kept) when it has none.
    void GetComicText(int level);
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
