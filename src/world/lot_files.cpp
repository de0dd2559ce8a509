// The station's lot file "<profile>_bau": one "PLACE" line per fundament with
// its value, row, column and building status.
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_access.h"
#include "platform/quit_watchdog.h"
#include "platform/utf16.h"
#include "resources/csv_table.h"
#include "resources/file.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"
#include "world/world_checks.h"

namespace {

std::wstring LotFileName(int profile)
{
    return std::to_wstring(profile) + L"_bau";
}

struct PlaceRow {
    int value = 0;
    int row = 0;
    int column = 0;
    int status = 0;
};

// A "PLACE" row with its four fields; false for any other row, and for a
// PLACE row cut short, which is passed over with a log line.
bool ReadPlaceRow(const cCsvTable& table, const wchar_t* who, PlaceRow& place)
{
    if (table.GetString(0) != L"PLACE")
        return false;
    int* const fields[] = { &place.value, &place.row, &place.column, &place.status };
    for (int i = 0; i < 4; ++i) {
        const std::wstring field = table.GetString(i + 1);
        if (field.empty()) {
            cLog::Instance().Warning(L"%ls -> a PLACE line has %d of its 4 values; it is skipped.", who, i);
            return false;
        }
        *fields[i] = world::ClampPlayerValue(resources::ParseInt(field));
    }
    return true;
}

bool IsRegularFile(const std::wstring& path)
{
    platform::NoteFileAccess();
    struct stat st { };
    return ::stat(resources::ToNativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

namespace world {

std::wstring LotFileText(const cGameWorld& world)
{
    std::wstring text;
    for (const cFundament& f : world.fundaments) {
        text += L"PLACE;" + std::to_wstring(ClampPlayerValue(f.content)) + L";"
            + std::to_wstring(ClampPlayerValue(f.row)) + L";" + std::to_wstring(ClampPlayerValue(f.column)) + L";"
            + std::to_wstring(ClampPlayerValue(f.status)) + L";\r\r";
    }
    return text;
}

void ReadLotRows(cGameWorld& world, cCsvTable& table)
{
    const wchar_t* const who = L"cGameWorld::LoadLots";
    for (bool row = table.HasRows(); row; row = table.NextRow()) {
        PlaceRow place;
        if (!ReadPlaceRow(table, who, place))
            continue;
        const int i = FindFirst(world.fundaments, [&](const cFundament& f) {
            return f.row == place.row && f.column == place.column && f.content == place.value;
        });
        if (i < 0)
            continue;
        // The fundament matched the file's cell; the grids are written only
        // for a cell that lies inside them.
        if (!CheckCell(who, place.row, place.column))
            continue;
        cFundament& f = world.fundaments[static_cast<size_t>(i)];
        f.status = place.status;
        world.lotStatus[place.row][place.column] = place.status;
        world.lotFundamentTexture[place.row][place.column] = f.textureId;
        world.lotPlaceType[place.row][place.column] = f.content;
        world.lotPlaceValue[place.row][place.column] = f.lotValue;
        world.lotInteractive[place.row][place.column] = f.paramA;
        world.lotSellable[place.row][place.column] = f.paramB;
    }
}

void ReadLotTableRows(cGameWorld& world, cCsvTable& table)
{
    for (bool row = table.HasRows(); row; row = table.NextRow()) {
        PlaceRow place;
        if (!ReadPlaceRow(table, L"cGameWorld::LoadLotsFromPackage", place))
            continue;
        if (!CheckCell(L"cGameWorld::LoadLotsFromPackage", place.row, place.column))
            continue;
        world.lotTable[place.row][place.column] = place.status;
    }
}

std::wstring LotFilePath(const cGameWorld& world)
{
    return UserFilePath(world, LotFileName(world.currentProfile));
}

} // namespace world

bool cGameWorld::SaveTrade()
{
    // The saved game goes first: the money decides whether the trade was
    // made, and the lot file follows it. A quit waits for both.
    const platform::QuitWatchdogHold hold;
    return world::SavePlayerFilesTogether(*this, L"cGameWorld::SaveTrade",
        { world::PlayerFile::SavedGame, world::SavedGamePath(*this),
            platform::WideToUtf16Le(world::SavedGameText(*this)) },
        { world::PlayerFile::Station, world::LotFilePath(*this), platform::WideToUtf16Le(world::LotFileText(*this)) });
}

bool cGameWorld::SaveLots()
{
    const std::wstring path = world::LotFilePath(*this);
    return world::SavePlayerFile(*this, L"cGameWorld::SaveLots", world::PlayerFile::Station, path,
        platform::WideToUtf16Le(world::LotFileText(*this)));
}

void cGameWorld::LoadLots()
{
    world::SettlePlayerFiles(*this);
    const std::wstring path = world::LotFilePath(*this);
    std::vector<uint8_t> bytes;
    const world::FileState state = world::ReadPlayerFile(world::PlayerFile::Station, path, bytes);
    if (state == world::FileState::Damaged)
        world::TellNotReadWhole(*this, L"cGameWorld::LoadLots", world::PlayerFile::Station, path);
    cCsvTable table;
    if (!bytes.empty() && table.Load(path))
        world::ReadLotRows(*this, table);
}

void cGameWorld::LoadLotsFromPackage()
{
    for (auto& row : lotTable) {
        for (int& cell : row)
            cell = 0;
    }
    const std::wstring package = world::UserFilePath(*this, L"save.pkg");
    if (package.empty())
        return;
    world::SettlePlayerFiles(*this);
    const std::wstring name = LotFileName(currentProfile);
    cCsvTable table;
    // Only a package that exists is opened: the file manager would otherwise
    // look into a folder "save" beside it, which nothing of ours writes.
    bool loaded = IsRegularFile(package) && table.LoadFromPackage(package, name);
    // The game's own station file, read and told as at the shop.
    const std::wstring loose = world::UserFilePath(*this, name);
    if (!loaded) {
        std::vector<uint8_t> bytes;
        if (world::ReadPlayerFile(world::PlayerFile::Station, loose, bytes) == world::FileState::Damaged)
            world::TellNotReadWhole(*this, L"cGameWorld::LoadLotsFromPackage", world::PlayerFile::Station, loose);
        loaded = !bytes.empty() && table.Load(loose);
    }
    if (loaded)
        world::ReadLotTableRows(*this, table);
}

bool cGameWorld::DeleteLotSave()
{
    // Removed where SaveLots writes it, so that a new game starts without the
    // old station; a trade a crash cut short is settled first, so that no
    // lot file of it comes back later.
    world::SettlePlayerFiles(*this);
    const std::wstring path = world::LotFilePath(*this);
    if (path.empty())
        return false;
    if (::unlink(resources::ToNativePath(path).c_str()) != 0 && IsRegularFile(path)) {
        cLog::Instance().Error(L"cGameWorld::DeleteLotSave -> unable to delete \"%ls\".", path.c_str());
        return false;
    }
    return true;
}
