#include "frontend/score_table.h"

#include <cwchar>
#include <utility>

#include "platform/folders.h"
#include "resources/property_file.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace Scene {

namespace {

    std::wstring Key(const wchar_t* format, int number)
    {
        wchar_t key[32];
        std::swprintf(key, 32, format, number);
        return key;
    }

    // Row a ranks below row b: less money, or as much money in more time.
    bool RanksBelow(const ScoreTable& t, int a, int b)
    {
        return t.scoreMoney[a] < t.scoreMoney[b]
            || (t.scoreMoney[a] == t.scoreMoney[b] && t.scoreTimes[a] > t.scoreTimes[b]);
    }

} // namespace

void ScoreTable::Reset()
{
    for (int i = 0; i < kRows; ++i) {
        scoreNames[i].clear();
        scoreTimes[i] = 0;
        scoreMoney[i] = 0;
        scoreWorkplaces[i] = -1;
    }
}

void ScoreTable::Read(PropertyFile& file)
{
    for (int r = 1; r <= kRows; ++r) {
        // No longer than a name typed into the table.
        scoreNames[r - 1] = file.GetString(Key(L"name%1d", r)).substr(0, world::kHighscoreNameLength);
        scoreTimes[r - 1] = world::ClampPlayerValue(file.GetInt(Key(L"time%1d", r), 0));
        scoreMoney[r - 1] = world::ClampPlayerValue(file.GetInt(Key(L"money%1d", r), 0));
        scoreWorkplaces[r - 1] = world::ClampPlayerValue(file.GetInt(Key(L"workplace%1d", r), 0));
    }
}

void ScoreTable::Write(PropertyFile& file) const
{
    for (int r = 1; r <= kRows; ++r) {
        const std::wstring& name = scoreNames[r - 1];
        file.SetString(Key(L"name%d", r), name.empty() ? L"..." : name);
        file.SetInt(Key(L"time%d", r), world::ClampPlayerValue(scoreTimes[r - 1]));
        file.SetInt(Key(L"money%d", r), world::ClampPlayerValue(scoreMoney[r - 1]));
        file.SetInt(Key(L"workplace%d", r), world::ClampPlayerValue(scoreWorkplaces[r - 1]));
    }
}

int ScoreTable::Insert(const std::wstring& name, int workplace, int time, int money)
{
    int row = -1;
    for (int i = 0; i < kRows; ++i) {
        const bool notMore = scoreMoney[i] <= 0 || scoreMoney[i] <= money;
        const bool notFaster = scoreMoney[i] != money || scoreTimes[i] >= time;
        if (notMore && notFaster) {
            row = i;
            break;
        }
    }
    if (row < 0)
        return -1;
    for (int i = kRows - 1; i > row; --i) {
        scoreNames[i] = std::move(scoreNames[i - 1]);
        scoreTimes[i] = scoreTimes[i - 1];
        scoreMoney[i] = scoreMoney[i - 1];
        scoreWorkplaces[i] = scoreWorkplaces[i - 1];
    }
    scoreNames[row] = name;
    scoreTimes[row] = time;
    scoreMoney[row] = money;
    scoreWorkplaces[row] = workplace;
    return row;
}

void ScoreTable::SwapRows(int a, int b)
{
    std::swap(scoreNames[a], scoreNames[b]);
    std::swap(scoreTimes[a], scoreTimes[b]);
    std::swap(scoreMoney[a], scoreMoney[b]);
    std::swap(scoreWorkplaces[a], scoreWorkplaces[b]);
}

void ScoreTable::Compact()
{
    // Adjacent swaps only, so equal rows keep their order; at most kRows
    // passes are needed.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 0; i + 1 < kRows; ++i) {
            if (RanksBelow(*this, i, i + 1)) {
                SwapRows(i, i + 1);
                swapped = true;
            }
        }
    }
}

std::wstring ScoreFilePath(int level)
{
    const std::wstring& user = cGameWorld::Instance().userFolder;
    if (user.empty())
        return {};
    wchar_t name[32];
    std::swprintf(name, 32, L"result_%02d.cfg", level);
    return user + L"/highscore/" + name;
}

std::vector<uint8_t> ScoreFileBytes(const ScoreTable& table)
{
    PropertyFile file;
    table.Write(file);
    return file.Bytes();
}

void MakeScoreFolder(const std::wstring& path)
{
    const std::wstring::size_type slash = path.rfind(L'/');
    if (slash != std::wstring::npos)
        platform::MakeFolders(resources::ToNativePath(path.substr(0, slash)));
}

bool SaveScoreFile(const ScoreTable& table, const std::wstring& path)
{
    if (path.empty())
        return false;
    MakeScoreFolder(path);
    return world::SavePlayerFile(cGameWorld::Instance(), L"Scene::SaveScoreFile", world::PlayerFile::Highscores, path,
        ScoreFileBytes(table));
}

} // namespace Scene
