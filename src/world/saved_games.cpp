// The campaign's saved game: bank, money and the four per-level tables of the
// current profile, in the file named by the profile number.
#include <string>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/csv_table.h"
#include "resources/file.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace {

const wchar_t kLineEnd = L'\r';

std::wstring ProfileFileName(int profile)
{
    return std::to_wstring(profile);
}

void AppendTable(std::wstring& text, const wchar_t* key, const int (&values)[world::kLevelTableSize])
{
    text += key;
    text += L';';
    for (int value : values) {
        text += std::to_wstring(world::ClampPlayerValue(value));
        text += L';';
    }
    text += kLineEnd;
}

// Entry i of the table = field i + 1; a row cut short leaves the rest of the
// table as the presets made it.
void ReadTable(const cCsvTable& table, int (&values)[world::kLevelTableSize])
{
    for (int i = 0; i < world::kLevelTableSize; ++i) {
        const std::wstring field = table.GetString(i + 1);
        if (field.empty())
            return;
        values[i] = world::ClampPlayerValue(resources::ParseInt(field));
    }
}

// Whether any row is one the game writes, the end marker included.
bool HasSavedGameRow(cCsvTable& table)
{
    for (bool row = table.HasRows(); row; row = table.NextRow()) {
        for (const wchar_t* known :
            { L"XXXX", L"BANK", L"MONEY", L"COUNTER", L"STATUS", L"GELD", L"LEVEL_TIME", L"ENDE" }) {
            if (table.GetString(0) == known)
                return true;
        }
    }
    return false;
}

void ReadValue(const cCsvTable& table, int& value)
{
    const std::wstring field = table.GetString(1);
    if (!field.empty())
        value = world::ClampPlayerValue(resources::ParseInt(field));
}

} // namespace

namespace world {

std::wstring UserFilePath(const cGameWorld& world, const std::wstring& name)
{
    if (world.userFolder.empty())
        return {};
    std::wstring path = world.userFolder;
    if (path.back() != L'/')
        path += L'/';
    return path + name;
}

std::wstring SavedGamePath(const cGameWorld& world)
{
    return UserFilePath(world, ProfileFileName(world.currentProfile));
}

bool WritePlayerFile(const wchar_t* who, const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    if (path.empty()) {
        cLog::Instance().Error(L"%ls -> there is no user folder; nothing is saved.", who);
        return false;
    }
    if (!platform::WriteFileAtomic(resources::ToNativePath(path), bytes)) {
        cLog::Instance().Error(L"%ls -> unable to write \"%ls\"; the old file is kept.", who, path.c_str());
        return false;
    }
    return true;
}

std::wstring SavedGameText(const cGameWorld& world)
{
    std::wstring text = L"XXXX;";
    text += kLineEnd;
    text += L"BANK;" + std::to_wstring(world::ClampPlayerValue(world.bank)) + L";" + kLineEnd;
    text += L"MONEY;" + std::to_wstring(world::ClampPlayerValue(world.money)) + L";" + kLineEnd;
    AppendTable(text, L"COUNTER", world.levelCounter);
    AppendTable(text, L"STATUS", world.levelStatus);
    AppendTable(text, L"GELD", world.levelMoney);
    AppendTable(text, L"LEVEL_TIME", world.levelTime);
    return text;
}

void ReadSavedGameRows(cGameWorld& world, cCsvTable& table)
{
    for (bool row = table.HasRows(); row; row = table.NextRow()) {
        const std::wstring key = table.GetString(0);
        if (key == L"ENDE")
            break;
        if (key == L"BANK")
            ReadValue(table, world.bank);
        else if (key == L"MONEY")
            ReadValue(table, world.money);
        else if (key == L"COUNTER")
            ReadTable(table, world.levelCounter);
        else if (key == L"STATUS")
            ReadTable(table, world.levelStatus);
        else if (key == L"GELD")
            ReadTable(table, world.levelMoney);
        else if (key == L"LEVEL_TIME")
            ReadTable(table, world.levelTime);
    }

    // Gold (2) on every campaign level wins the campaign.
    int gold = 0;
    for (int level = 1; level <= 30; ++level) {
        if (world.levelStatus[level] == 2)
            ++gold;
    }
    if (gold == 30) {
        world.campaignWon = 1;
        world.campaignStage = 5;
    } else {
        world.campaignWon = 0;
    }
}

} // namespace world

bool cGameWorld::SaveGame()
{
    const std::wstring path = world::SavedGamePath(*this);
    return world::SavePlayerFile(*this, L"cGameWorld::SaveGame", world::PlayerFile::SavedGame, path,
        platform::WideToUtf16Le(world::SavedGameText(*this)));
}

bool cGameWorld::LoadGame()
{
    for (int i = 0; i < world::kLevelTableSize; ++i) {
        levelStatus[i] = -1;
        levelMoney[i] = 0;
        levelCounter[i] = 0;
        levelTime[i] = 0;
        addParkingAutos[i] = 0;
    }
    money = 0;
    bank = 0;

    world::SettlePlayerFiles(*this);
    // An absolute path: the save is never looked for under the search paths.
    const std::wstring path = world::SavedGamePath(*this);
    std::vector<uint8_t> bytes;
    const world::FileState state = world::ReadPlayerFile(world::PlayerFile::SavedGame, path, bytes);
    if (state == world::FileState::Missing)
        return false;
    if (state == world::FileState::Damaged)
        world::TellNotReadWhole(*this, L"cGameWorld::LoadGame", world::PlayerFile::SavedGame, path);
    cCsvTable table;
    if (bytes.empty() || !table.Load(path) || !HasSavedGameRow(table))
        return false;
    table.Load(path); // from the first row again
    world::ReadSavedGameRows(*this, table);
    return true;
}
