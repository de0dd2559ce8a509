// The helper of tools/save-kill-test.sh: saves the campaign and the station in
// a loop until it is killed, and checks afterwards that what is on disk loads.
//   vandrel_save_kill save     saves generation after generation, for ever;
//                              prints "saving" once the first one is written
//   vandrel_save_kill verify   loads both files; exit 0 when they are whole
// Each generation g writes values that all follow from g, so a file mixed
// from two generations, or cut short, does not pass.
// Run from the program folder (the one holding data/); the user folder comes
// from XDG_DATA_HOME as in the game.
#include <cstdio>
#include <cstring>
#include <string>

#include "world/game_world.h"

namespace {

constexpr int kLots = 10;

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
}

int Fail(const char* what, int g)
{
    std::fprintf(stderr, "vandrel_save_kill: %s (generation %d)\n", what, g);
    return 1;
}

int Verify(cGameWorld& world)
{
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
    // The lots are written after the game: they are of this generation or of
    // the one before.
    world.LoadLots();
    world.LoadLotsFromPackage();
    const int lots = world.fundaments[0].status;
    if (lots != g && lots != g - 1)
        return Fail("the lot file is of another generation", g);
    for (int k = 0; k < kLots; ++k) {
        const cFundament& f = world.fundaments[static_cast<size_t>(k)];
        if (f.status != lots + k || world.lotStatus[f.row][f.column] != lots + k
            || world.lotTable[f.row][f.column] != lots + k)
            return Fail("a lot is not of one generation", g);
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
        if (!world.SaveGame() || !world.SaveLots())
            return Fail("a save failed", g);
        if (std::strcmp(mode, "save-once") == 0)
            return 0;
        if (first) {
            std::printf("saving\n");
            std::fflush(stdout);
        }
    }
}
