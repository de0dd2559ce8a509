// Saved game and lot file readers and their whole-file checks: any bytes as
// a save, as the lots of a station the script built, and as the world map's
// lot table. Nothing may reach past a world table.
#include <cstdint>
#include <vector>

#include "resources/csv_table.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace {

bool Parse(cCsvTable& table, const uint8_t* data, size_t size)
{
    // The reader gives the file back to the file manager, which leaves a
    // file it did not hand out alone; this one lives on the stack.
    cMemoryFile file(data, static_cast<uint32_t>(size));
    return table.Parse(&file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    static cGameWorld& world = []() -> cGameWorld& {
        cGameWorld& w = cGameWorld::Instance();
        w.ResetToDefaults();
        return w;
    }();

    // A station of lots on the edge cells and one in the middle.
    world.fundaments.clear();
    for (int cell : { 0, 5, 9, 19 }) {
        cFundament f;
        f.row = f.gridRow = cell;
        f.column = f.gridColumn = 19 - cell;
        f.content = cell - 1;
        world.fundaments.push_back(f);
    }

    cCsvTable save;
    if (Parse(save, data, size))
        world::ReadSavedGameRows(world, save);
    cCsvTable lots;
    if (Parse(lots, data, size))
        world::ReadLotRows(world, lots);
    cCsvTable lotTable;
    if (Parse(lotTable, data, size))
        world::ReadLotTableRows(world, lotTable);
    // The check that decides whether a file is moved aside before a save.
    const std::vector<uint8_t> bytes(data, data + size);
    world::IsWhatTheGameWrites(world::PlayerFile::SavedGame, bytes);
    world::IsWhatTheGameWrites(world::PlayerFile::Station, bytes);
    return 0;
}
