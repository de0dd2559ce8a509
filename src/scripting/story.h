// Story: the one object through which level scripts and the game talk. It
// holds the named flags and the queue of flag events, loads and releases the
// level script with its private Lua context, and calls script callbacks by
// name. Scripts see it as the global "Story"; the methods below the flag
// section are its Lua interface, one source file per family.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>

class Story {
public:
    struct FlagEvent {
        uint8_t a = 0; // both bytes are 0 when queued; nothing reads them
        uint8_t b = 0;
        std::string name;
    };

    static Story& Instance();
    Story(const Story&) = delete;
    Story& operator=(const Story&) = delete;

    // Flags: only a name's presence matters. Every SetFlag also queues an
    // event, which the level frame drains one per frame, oldest first.
    void SetFlag(const std::string& name);
    void SetFlagSilent(const std::string& name);
    void RemoveFlag(const std::string& name);
    bool FlagPresent(const std::string& name);
    void ClearFlags();
    bool HasFlagEvents() const;
    std::string LastFlag();
    void PopFlagEvent();
    void PushFlagEvent(const FlagEvent& event);

    // The level script: data/script/scene/level_setup_%02d.lua of the
    // world's level, run in a private context of its own. False when the
    // script is missing (logged), has no context, or its chunk failed.
    bool LoadLevelScript();
    bool LoadLevelScript31();
    // Loads the script and calls its "on_init"; false unless both ran
    // through, so that a level without a working script is not played.
    bool InitLevel();
    bool InitLevel31();
    void AfterInit();
    // Calls the level script's "on_load" when a script is loaded.
    void OnLoad();
    // Frees the repository slot and the context, so the next level loads.
    void ReleaseLevelScript();
    // Calls a global function of the level script; a missing function or an
    // error costs one log line and nothing else. False when it did not run
    // through (or no script is loaded).
    bool CallScriptFunction(const char* name);

    int ScriptId() const { return scriptId; }
    int ContextHandle() const { return contextHandle; }

    // ---- Flags, parameters and game state --------------------------------
    void Log(const std::string& text);
    void Console(const std::string& text);
    void SaveParam(int i, int value);
    void SaveCounter(int i, int value);
    int GetParameters(int i);
    void AddToParameters(int i, int delta);
    void SetState(int state);
    void SetGamePlayMode(int mode);
    int GetModus();
    int GetLevel();
    bool Pause();
    bool INTRO();
    void GameOver();
    int GetDifficult();
    bool Exist3();
    std::string GetLanguage();

    // ---- Time and sound --------------------------------------------------
    void SetTimeForLevel(int seconds);
    int GetTimeForLevel();
    int GetTotalTimerForLevel();
    int GetCurrTime();
    int GetCurrentTimerForLevel();
    int GetTimeLimit();
    void SetProcessTimeInStation(double seconds);
    double GetProcessTimeInStation();
    void SetProcessTimeInStack(double seconds);
    double GetProcessTimeInStack();
    void SpeedAnimationProcess(double speed);
    void StartMusic(const std::string& name);
    bool MusicPlay();
    void StopMusic();
    void StartSound(int code);
    void PlaySound(const char* name);

    // ---- Points, money, awards, bonuses and jokers -------------------------
    int GetMoney();
    void SetMoney(int money);
    void SetPoints(int points);
    int GetCurrentPoints();
    void MaxPoints(int points);
    void SetSpeedForPoints(double speed);
    void MinusPoints(int n);
    int GetMinusPoints();
    void NoMinusPoints(bool on);
    int GetPatience();
    void AddAward(int n);
    void SetAwards(int n, int value);
    bool Brutal();
    void SetBonusSystem(const std::string& name);
    std::string GetBonusSystem();
    void SetBonusConfiguration(int value);
    int GetClassAutoBonus();
    int GetTypeBonus();
    int GetBonusList();
    int GetStationBonus(int i);
    int GetXBonus();
    int GetXSuperBonus();
    void SetCounterBonusForSpecAuto(int i, int value);
    bool GetMyCombo(int length, int count);
    void AddJoker(int count);
    int GetJokerList(int type);
    void SetJoker(int value);
    int GetJoker();
    bool IfJoker();
    // Not bound to Lua: the points speed as SetSpeedForPoints stored it.
    double GetSpeedForPoints();

    // ---- Cars and the road -----------------------------------------------
    void AddAuto(int type, int variant, const std::string& name);
    void SetAutoParameters(int type, int colourGroup, int value);
    void SetAutoClass(int type, int autoClass, int secondClass);
    int GetAutoClass(int type);
    int GetRandomAuto(int kind);
    int GetRandomAutoByTyp(int autoClass);
    bool GetAutoByTyp();
    void SetAutoByTyp(bool on);
    void SetOffsetForAuto(int a, int b, int c, int d);
    void SetObjectOffsets(int a, int b, int c, int d);
    bool IHaveSpecAuto(int type);
    bool ICreateSpecAuto(int type);
    void AddSpecAuto(int ignored, int type);
    void SetColor(int row, int column, int colour);
    bool MouseAuto();
    bool MouseAsAuto();
    void SetHelpAuto(int on);
    void SetDamage(int mode);
    int GetDamage();
    int GetNotDamage();
    int GetWorkingAuto();
    bool Transfer();
    void SetParkingAutos(int count);
    int GetParkingAutos();
    int GetAddParkingAutos(int i);
    void SetParkingLot(int value);
    int GetParkingLot();
    void SetAutoBahn(int id, double speed, int a);
    void SetAutoBahnSpeed(int id, double speed, int a);
    void SetAutoBahnPoints(int id, int x1, int y1, int x2, int y2);
    void SetAutoBahnPointsCity(int a, int b, int c, int d, int e, int f, int g);
    int GetXAutobahn();
    int GetYAutobahn();
    void SetDistanceAutobahn(int d);
    void SetProcentAnotherCarsAutobahn(int percent);
    void SetStepAutobahn(int step);
    void SetAutobahnDelay(double seconds);
    int GetOnlyAutobahn();
    void SetOnlyAutobahn(int ignored);
    void TakeFromAutobahn(int on);
    void EnableAutoForAutobahn(int a, int b, int flag);
    void DisableAutoForAutobahn(int a, int b);
    void EnableClassAutoForAutobahn(int a, int autoClass);
    bool IsEnableClassAutoForAutobahn(int autoClass);
    bool ExistInAutobahn(int type);
    int GetRandomAutoAutobahn(int road);
    void AddTransportToAutobahn(int road, int count);
    void AddTransportToCity(int a, int b, int c, int d);
    void SetAutobahnAutosPerType(int ignored);
    void ChoiceAutobahnAutos(int type);
    int GetLeftRight();
    int GetAutoColor(int type);

    // ---- The stack -------------------------------------------------------
    void SetStackCoordinateAndDirection(int slot, int x, int y, int direction);
    void SetToStackCoordinate(int slot, int x, int y);
    void SetFromStackCoordinate(int slot, int x, int y);
    void AddToStack(int slot, int car);
    int GetAutoFromStack(int slot);
    int StackFree(int slot);
    int GetCurrentStack();
    void EnableAutoForStack(int autoClass);
    void EnableAutoTypForStack(int type);
    int GetCounterEnableAuto();
    int GetElementEnableAuto(int i);
    int GetCounterEnableClassAuto();
    int GetElementEnableClassAuto(int i);
    void TakeFromStack(int value);
    int GetTakeFromStack();
    void StackParameterToTask(int a, int b, int c, int d);
    void StackCounter(int count, int limit, int flag);
    // Not bound: the screens ask these. A slot is occupied when its car is
    // not -1; a stack without slots is full and empty at once.
    bool IsStackFull();
    bool IsStackEmpty();
    // Not every slot is occupied but the managers are not at the stack limit;
    // otherwise whether every slot is occupied.
    bool IsStackBusy();
    // Not bound: whether the car types allowed into the stack include this
    // one; count receives how many types the list holds, found or not.
    bool HasEnabledAutoType(int type, int& count);
    // Not bound: puts the car into the slot with that id without driving it
    // in: only the car, the occupied state (2) and the slot's timer and
    // settle timer are set. An id that no slot has changes nothing.
    void PutAutoIntoStack(int slot, int car);

    // ---- Places, lots and building -----------------------------------------
    void AddPlace(int id, const std::string& name, int value);
    void AddPlaceLot(int id, const std::string& name, int a, int b, int c);
    void AddFundament(int id, const std::string& texture, const std::string& texture2, int value);
    void CreatePlace(int type, int row, int column, int direction);
    void CreatePlace111(int type, int row, int column, int direction, int extra);
    void CreateFundament(int texture, int row, int column, int direction, int value);
    void CreateLot(int a, int b, int c, int d, int e, int f, int g);
    void PlaceTexture(int number, const std::string& name);
    void SetLotForBuild(int row, int column);
    void AddToLink(int a, int b, int c, int d);
    int GetPlaceCounter(int type);
    int GetFreePlace();
    int CounterNotBadStation();
    int GetPlaceForRepaire();
    int ExistWorkPlace(int type);
    int GetPlaceProperty(int type);
    int GetPlace();
    void SetPlaceProperty(int index, int value);
    int GetStatePlace(int index);
    void SetStatePlace(int index, int state);
    void SetActiveUnactivePlace(int type, int x, int y, int a, int b);
    void ChangeNumberInOver(int ignored, int x, int y, int code);
    int GetColorPlace(int row, int column);
    void AddAutoToFundament(int row, int column, int car);
    void SetBuildingStatus(int row, int column, int status);
    int GetBuildingStatus(int row, int column);
    bool PlaceIsBuild(int kind);
    bool ExistPlaceForBuild();
    int GetFreeLot();
    int GetProcentBuilding();
    int GetBuild();
    void SetBuild(int value);
    void SetDrawStation(int on);
    int GetX();
    int GetY();
    int GetWorkingPlace();
    int GetNeededPlace();
    // Not bound: the index of the first place with that type, screen point
    // and level (the place's direction, the fourth value of CreatePlace);
    // -1 when none.
    int FindPlaceAt(int type, int x, int y, int level);

    // ---- Upgrades and staff ----------------------------------------------
    int GetBeton();
    void SetBeton();
    int GetCrane();
    void SetCrane();
    int GetModern53();
    int GetAntifog();
    int GetAntiCloud();
    int GetWerbung();
    int GetConsultant();
    int GetProfi();
    void SetProfi(int value);
    int GetEntertainment();
    int GetUpdate();
    void SetUpdate(int value);
    int GetUpdateColor();
    int GetUpdateX();
    int GetUpdateY();
    int GetCurrentUpgrade();
    void ClearUpgrades();
    void SetTuv(int value);
    void SetManager(int count);
    int GetManager();

    // ---- Weather, effects and light --------------------------------------
    void StartSnow(int mode, int n, int c);
    void AddSnow(int n);
    void MinusSnow(int n);
    void StopSnow();
    void SetSpeedSnow(double speed);
    void StartRain(int n);
    void StopRain();
    void SetSpeedRain(double speed);
    void SetWind(int wind);
    void StartFog();
    void StopFog();
    void SetFogAlpha(int alpha);
    void StartClouds(int ignored);
    void StopClouds();
    void SetCloudStop(bool stop);
    void SetCloudAlpha(int a, int b);
    void AddCloud(int a, int b, int c, int d, int e, int f);
    void AddTextureCloud(int id, const std::string& texture, float alpha);
    void AddBalon(int a, int b, int c, int d, int e, int f);
    void AddTextureBalon(int id, const std::string& texture);
    void CreateEffects(int id, const std::string& texture, int a, int b, int c);
    void EffectTextureExt(int id, const std::string& texture);
    void CreateMyEffects(int place, int type, int a, float speed, int x, int y);
    void DeleteMyEffects(int id);
    void DeleteEffect(int type, int place, int x, int y);
    int ActiveEffects(int type);
    // Not bound: erases the first running effect of the type standing at
    // (x, y); nothing when there is none.
    void EraseEffectAt(int type, int x, int y);
    void StartSmoke(int place);
    void SetLevelColor(const std::string& component, int value);
    int GetLevelColor(const std::string& component, int ignored);
    bool IsDunkel();
    void StartDunkler();
    void StartHeller();
    void SetLimitForColorChange(int limit);

    // ---- Messages, tasks and GUI -----------------------------------------
    void SetMessage(int n, int value, int target);
    void ActivateMessageStatus(int n);
    bool GetMessageStatus(int n);
    int GetMessageReal(int n);
    int GetMessageTarget(int n);
    int GetActive();
    int GetActiveParam();
    void Message(int id);
    int GetCurrentTask();
    int GetCurrentService();
    void AddIcon(int id, const std::string& texture);
    void DeleteIcon(int id);
    void SetSpeedIcon(float speed);
    void AddBody(int id, const std::string& texture);
    void AddMyBody(int id, int x, int y);
    void AddOver(int id, const std::string& texture);
    void SetTypOver(int id, int type);
    void AddMyOver(int id, int x, int y);
    void AddSuperOver(int a, int b, int c);
    void SetMenuCorner(const std::string& corner);

private:
    Story() = default;
    bool LoadAndRun(const wchar_t* path);

    int scriptId = -1;
    int contextHandle = -1;
    std::map<std::string, bool> flags;
    std::deque<FlagEvent> flagEvents;
};

// Text between the game's wide strings and the scripts' 8-bit strings.
std::string WideToNarrow(const std::wstring& text);
std::wstring NarrowToWide(const char* text);
