// The helper of tools/save-kill-test.sh: saves every player file in a loop
// until it is killed, and checks afterwards that what is on disk loads. Odd
// generations save as a trade in the shop does (the saved game and the lot
// file together), even ones as a level's result does (the saved game, the
// highscore tables and us.txt together); config.cfg follows each alone.
//   vandrel_save_kill save     saves generation after generation, for ever;
//                              prints "saving" once the first one is written
//   vandrel_save_kill verify   checks that every file is exactly as the game
//                              writes it and loads; exit 0 when they are
// Each generation g writes values that all follow from g, so a file mixed
// from two generations, or cut short, does not pass.
// Run from the program folder (the one holding data/); the user folder comes
// from XDG_DATA_HOME as in the game.
#include <cstdio>
#include <filesystem>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "frontend/score_table.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace {

constexpr int kLots = 10;
constexpr int kScoreLevels = 3;

std::wstring GenerationName(int g)
{
    return L"generation " + std::to_wstring(g);
}

void BuildStation(cGameWorld& world)
{
    world.level = 31;
    world.AddFundament(3, "plate", "plate2", 9);
    for (int k = 0; k < kLots; ++k)
        world.CreateLot(k, 9 - k, 3, 20 + k, 0, 0, 0);
}

void SetGeneration(cGameWorld& world, int g)
{
    world.bank = g;
    world.money = -g;
    for (int i = 0; i < 50; ++i) {
        world.levelCounter[i] = g + i;
        world.levelStatus[i] = (g + i) % 4 - 1;
        world.levelMoney[i] = g * 3 + i;
        world.levelTime[i] = g - i;
    }
    for (int k = 0; k < kLots; ++k)
        world.fundaments[static_cast<size_t>(k)].status = g + k;
    world.windowCenter = g;
    for (int p = 1; p <= 6; ++p) {
        world.profileNames[p] = GenerationName(g);
        world.profileDrive[p] = g + p;
    }
}

// Row r of every table of generation g: the ranking falls with r.
Scene::ScoreTable ScoresOf(int g)
{
    Scene::ScoreTable table;
    for (int r = 0; r < Scene::ScoreTable::kRows; ++r) {
        table.scoreNames[r] = GenerationName(g);
        table.scoreTimes[r] = g + r;
        table.scoreMoney[r] = g * 10 - r;
        table.scoreWorkplaces[r] = r % 6 + 1;
    }
    return table;
}

bool IsTrade(int g)
{
    return g % 2 == 1;
}

// The saved game with the lot file, or with the tables and us.txt, as one
// change; then the settings.
bool SaveGeneration(cGameWorld& world, int g)
{
    if (IsTrade(g)) {
        if (!world.SaveTrade())
            return false;
    } else {
        std::vector<world::PlayerFileBytes> files = { { world::PlayerFile::SavedGame, world::SavedGamePath(world),
            platform::WideToUtf16Le(world::SavedGameText(world)) } };
        for (int level = 1; level <= kScoreLevels; ++level) {
            Scene::MakeScoreFolder(Scene::ScoreFilePath(level));
            files.push_back(
                { world::PlayerFile::Highscores, Scene::ScoreFilePath(level), Scene::ScoreFileBytes(ScoresOf(g)) });
        }
        files.push_back({ world::PlayerFile::Profiles, world::ProfilesPath(world), world::ProfilesBytes(world) });
        if (!world::SavePlayerFilesTogether(world, L"vandrel_save_kill", files))
            return false;
    }
    return world::SaveSettingsFile(world);
}

// The generation a whole table is of; -1 when it is mixed, cut or missing.
int ScoresGeneration(int level)
{
    PropertyFile file;
    if (!file.Serialize(Scene::ScoreFilePath(level), false))
        return -1;
    Scene::ScoreTable table;
    table.Read(file);
    const int g = table.scoreTimes[0];
    for (int r = 0; r < Scene::ScoreTable::kRows; ++r) {
        if (table.scoreNames[r] != GenerationName(g) || table.scoreTimes[r] != g + r
            || table.scoreMoney[r] != g * 10 - r || table.scoreWorkplaces[r] != r % 6 + 1)
            return -1;
    }
    return g;
}

int Fail(const char* what, int g)
{
    std::fprintf(stderr, "vandrel_save_kill: %s (generation %d)\n", what, g);
    return 1;
}

// Each file as the game wrote it, not only readable.
bool AllWhole(cGameWorld& world)
{
    using world::PlayerFile;
    const std::wstring profile = std::to_wstring(world.currentProfile);
    std::vector<std::pair<PlayerFile, std::wstring>> files = { { PlayerFile::SavedGame, profile },
        { PlayerFile::Station, profile + L"_bau" }, { PlayerFile::Settings, L"config.cfg" },
        { PlayerFile::Profiles, L"us.txt" } };
    for (int level = 1; level <= kScoreLevels; ++level)
        files.emplace_back(PlayerFile::Highscores, Scene::ScoreFilePath(level));
    std::vector<uint8_t> bytes;
    for (const auto& [kind, name] : files) {
        const std::wstring path = name[0] == L'/' ? name : world::UserFilePath(world, name);
        if (world::ReadPlayerFile(kind, path, bytes) != world::FileState::Whole)
            return false;
    }
    return true;
}

int Verify(cGameWorld& world)
{
    if (!AllWhole(world))
        return Fail("a player file is not as the game writes it", -1);
    if (!world.LoadGame())
        return Fail("the saved game does not load", -1);
    const int g = world.bank;
    if (world.money != -g)
        return Fail("money does not match the bank", g);
    for (int i = 0; i < 50; ++i) {
        if (world.levelCounter[i] != g + i || world.levelStatus[i] != (g + i) % 4 - 1
            || world.levelMoney[i] != g * 3 + i || world.levelTime[i] != g - i)
            return Fail("a level table is not of one generation", g);
    }
    // The lots are saved with the game at odd generations, the tables and
    // us.txt at even ones: once the game is read they are of the last such
    // generation, and nothing of a save waits beside them.
    world.LoadLots();
    world.LoadLotsFromPackage();
    const int lots = world.fundaments[0].status;
    if (lots != (IsTrade(g) ? g : g - 1))
        return Fail("the lot file is of another generation", g);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(platform::WideToPath(world.userFolder))) {
        if (entry.path().extension() == ".pending")
            return Fail("a save of several files is still waiting", g);
    }
    for (int k = 0; k < kLots; ++k) {
        const cFundament& f = world.fundaments[static_cast<size_t>(k)];
        if (f.status != lots + k || world.lotStatus[f.row][f.column] != lots + k
            || world.lotTable[f.row][f.column] != lots + k)
            return Fail("a lot is not of one generation", g);
    }
    // config.cfg and us.txt were read as the world was built; the settings
    // are written after the rest.
    if (world.windowCenter != g && world.windowCenter != g - 1)
        return Fail("config.cfg is of another generation", g);
    const int result = IsTrade(g) ? g - 1 : g;
    const int users = world.profileDrive[1] - 1;
    if (users != result)
        return Fail("us.txt is of another generation than the saved game's result", g);
    for (int p = 1; p <= 6; ++p) {
        if (world.profileNames[p] != GenerationName(users) || world.profileDrive[p] != users + p)
            return Fail("a profile of us.txt is not of one generation", g);
    }
    for (int level = 1; level <= kScoreLevels; ++level) {
        if (ScoresGeneration(level) != result)
            return Fail("a highscore table is not whole or of another generation than the saved game's result", g);
    }
    std::printf("%d\n", g);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "";
    cGameWorld& world = cGameWorld::Instance();
    if (world.quitRequested || world.userFolder.empty())
        return Fail("the settings could not be loaded (run from the program folder)", -1);
    BuildStation(world);

    if (std::strcmp(mode, "verify") == 0)
        return Verify(world);
    if (std::strcmp(mode, "save") != 0 && std::strcmp(mode, "save-once") != 0) {
        std::fprintf(stderr, "usage: vandrel_save_kill save|save-once|verify\n");
        return 2;
    }
    int g = world.LoadGame() ? world.bank + 1 : 1;
    for (bool first = true;; first = false, ++g) {
        SetGeneration(world, g);
        if (!SaveGeneration(world, g))
            return Fail("a save failed", g);
        // Once: up to the first result, so that every file is there.
        if (std::strcmp(mode, "save-once") == 0 && !IsTrade(g))
            return 0;
        if (first) {
            std::printf("saving\n");
            std::fflush(stdout);
        }
    }
}
