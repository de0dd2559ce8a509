#include "world/world_checks.h"

#include "resources/log.h"

namespace world {

bool CheckCell(const wchar_t* who, int row, int column)
{
    if (IsGridCell(row, column))
        return true;
    cLog::Instance().Error(L"%ls -> cell %d, %d lies outside the grid", who, row, column);
    return false;
}

bool CheckIndex(const wchar_t* who, const wchar_t* what, int index, std::size_t size)
{
    if (IsIndex(index, size))
        return true;
    cLog::Instance().Error(L"%ls -> %ls %d does not exist (%d known)", who, what, index, static_cast<int>(size));
    return false;
}

bool CheckCount(const wchar_t* who, int count)
{
    if (count >= 0 && count <= kMaxCountPerCall)
        return true;
    cLog::Instance().Error(L"%ls -> count %d is out of range (0 to %d)", who, count, kMaxCountPerCall);
    return false;
}

} // namespace world
