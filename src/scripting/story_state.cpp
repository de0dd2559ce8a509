// Story methods: flags, parameters and game state. The flag methods are the
// Story's own (story.cpp); these give scripts their parameter tables, the log
// and the coarse state of the game.
#include <cwchar>

#include "resources/log.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_sizes.h"

namespace {

constexpr int kGridCells = 10;

// A service place (types 6..11) stands on the cell.
bool CellHasServicePlace(const cGameWorld& world, int row, int column)
{
    for (const cPlace& place : world.places) {
        if (place.row == row && place.column == column && place.type >= 6 && place.type <= 11)
            return true;
    }
    return false;
}

} // namespace

namespace Scripting {

bool CheckScriptIndex(const wchar_t* method, int index, int size)
{
    if (index >= 0 && index < size)
        return true;
    cLog::Instance().Warning(L"Story::%ls -> index %d is outside 0..%d, ignored", method, index, size - 1);
    return false;
}

} // namespace Scripting

void Story::Log(const std::string& text)
{
    if (text == "nill") {
        cLog::Instance().Write(L"empty parameter  from script  s. Map.Log(....)");
        return;
    }
    // The text is a message, never a format: a '%' in it is written as it is.
    cLog::Instance().Write(L"%ls", NarrowToWide(text.c_str()).c_str());
}

void Story::Console(const std::string&) { }

void Story::SaveParam(int i, int value)
{
    if (Scripting::CheckScriptIndex(L"SaveParam", i, world::kLevelTableSize))
        cGameWorld::Instance().saveParams[i] = value;
}

void Story::SaveCounter(int i, int value)
{
    if (Scripting::CheckScriptIndex(L"SaveCounter", i, world::kSaveCounters))
        cGameWorld::Instance().saveCounters[i] = value;
}

int Story::GetParameters(int i)
{
    if (!Scripting::CheckScriptIndex(L"GetParameters", i, world::kIndexTable))
        return 0;
    return cGameWorld::Instance().parameters[i];
}

void Story::AddToParameters(int i, int delta)
{
    if (!Scripting::CheckScriptIndex(L"AddToParameters", i, world::kIndexTable))
        return;
    int& entry = cGameWorld::Instance().parameters[i];
    // Unsigned arithmetic wraps like the game's counters did, without the
    // undefined overflow of a signed sum.
    entry = static_cast<int>(static_cast<unsigned>(entry) + static_cast<unsigned>(delta));
}

void Story::SetState(int state)
{
    // With 0 the in-level bar raises "on_level_finish"; 1 ends the level.
    cGameWorld::Instance().levelState = state == 1 ? 1 : 0;
}

void Story::SetGamePlayMode(int mode)
{
    cGameWorld::Instance().gamePlayMode = mode == 1 ? 1 : 0;
}

int Story::GetModus()
{
    return cGameWorld::Instance().gameMode;
}

int Story::GetLevel()
{
    return cGameWorld::Instance().level;
}

bool Story::Pause()
{
    return cGameWorld::Instance().IsPaused();
}

bool Story::INTRO()
{
    return cGameWorld::Instance().intro == 1;
}

void Story::GameOver()
{
    cGameWorld& world = cGameWorld::Instance();
    // The level is over and the end-of-level evaluation is due; the level
    // start clears both again.
    world.levelOver = 1;
    world.evaluatePending = 1;
    // Paused as every other pause is, with the music quieted.
    world.SetPause(true);
    world.autoOnMouse = -1;
}

int Story::GetDifficult()
{
    // The settings carry no difficulty key, so every level plays at 0.
    return 0;
}

bool Story::Exist3()
{
    const cGameWorld& world = cGameWorld::Instance();
    bool set[kGridCells][kGridCells];
    for (int row = 0; row < kGridCells; ++row) {
        for (int column = 0; column < kGridCells; ++column)
            set[row][column] = CellHasServicePlace(world, row, column);
    }
    for (int a = 0; a < kGridCells; ++a) {
        for (int b = 0; b + 2 < kGridCells; ++b) {
            if (set[a][b] && set[a][b + 1] && set[a][b + 2])
                return true;
            if (set[b][a] && set[b + 1][a] && set[b + 2][a])
                return true;
        }
    }
    return false;
}

std::string Story::GetLanguage()
{
    const wchar_t* code = cSettings::Instance().languageCode;
    return WideToNarrow(std::wstring(code, wcsnlen(code, 4)));
}
