// CSV reader: any bytes as a table; every field of every row is read as
// text, integer and float, and past the row's end.
#include <cstdint>

#include "resources/csv_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    cMemoryFile file(data, static_cast<uint32_t>(size));
    cCsvTable table;
    if (!table.Parse(&file))
        return 0;
    do {
        for (int column = -1; column <= table.ColumnCount(); ++column) {
            table.GetString(column);
            table.GetInt(column);
            table.GetFloat(column);
        }
    } while (table.NextRow());
    table.GetString(0);
    return 0;
}
