// The checks of values that level scripts hand to Story (script_index.h).
#include <cmath>

#include "resources/log.h"
#include "scripting/script_index.h"
#include "world/world_sizes.h"

namespace Scripting {

bool CheckScriptCell(const wchar_t* method, int row, int column)
{
    if (row >= 0 && row < world::kGridSize && column >= 0 && column < world::kGridSize)
        return true;
    cLog::Instance().Warning(L"Story::%ls -> cell %d, %d lies outside the grid, ignored", method, row, column);
    return false;
}

bool CheckScriptCount(const wchar_t* method, int count, int limit)
{
    if (count >= 0 && count <= limit)
        return true;
    cLog::Instance().Warning(L"Story::%ls -> count %d is outside 0..%d, ignored", method, count, limit);
    return false;
}

bool CheckScriptRange(const wchar_t* method, const wchar_t* what, int value, int low, int high)
{
    if (value >= low && value <= high)
        return true;
    cLog::Instance().Warning(L"Story::%ls -> %ls %d is outside %d..%d, ignored", method, what, value, low, high);
    return false;
}

bool CheckScriptText(const wchar_t* method, const std::string& text)
{
    if (text.size() <= kMaxScriptText)
        return true;
    cLog::Instance().Warning(
        L"Story::%ls -> a text of %zu bytes is longer than %zu, ignored", method, text.size(), kMaxScriptText);
    return false;
}

bool CheckScriptRoom(const wchar_t* method, size_t length, int adding)
{
    if (adding >= 0 && length <= kMaxScriptListLength && static_cast<size_t>(adding) <= kMaxScriptListLength - length)
        return true;
    cLog::Instance().Warning(L"Story::%ls -> %d more entries would pass the %zu a level may set up, ignored", method,
        adding, kMaxScriptListLength);
    return false;
}

bool CheckScriptNumber(const wchar_t* method, double value)
{
    if (std::isfinite(value))
        return true;
    cLog::Instance().Warning(L"Story::%ls -> %f is not a number that can be used, ignored", method, value);
    return false;
}

} // namespace Scripting
