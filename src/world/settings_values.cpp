#include "world/settings_values.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <cwchar>

#include "resources/text.h"
#include "world/world_sizes.h"

namespace world {

bool IsValidLanguageCode(const std::wstring& code)
{
    return code.size() == 3 && std::all_of(code.begin(), code.end(), [](wchar_t c) { return c >= L'a' && c <= L'z'; });
}

bool HasDefinedScale(int width, int height)
{
    return (width == 1280 && height == 1024) || (width == 1024 && height == 768);
}

int ClampWorkplace(int workplace)
{
    return std::clamp(workplace, 1, kProfiles);
}

int ClampLevel(int level)
{
    return std::clamp(level, 0, kLastLevel);
}

std::vector<int> ReadValueList(const std::wstring& text, int count)
{
    std::vector<int> values(static_cast<size_t>(std::max(count, 0)), 0);
    size_t start = 0;
    for (int j = 0; j < count && start < text.size(); ++j) {
        size_t end = text.find(L';', start);
        if (end == std::wstring::npos)
            end = text.size();
        values[static_cast<size_t>(j)] = resources::ParseInt(std::wstring_view(text).substr(start, end - start));
        start = end + 1;
    }
    return values;
}

std::wstring WriteValueList(const int* values, int count)
{
    std::wstring text;
    for (int j = 0; j < count; ++j)
        text += std::to_wstring(values[j]) + L";";
    return text;
}

float ClampVolume(float volume)
{
    if (!std::isfinite(volume))
        return 1.0f;
    return std::clamp(volume, 0.0f, 1.0f);
}

std::wstring DateText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    wchar_t text[32];
    std::swprintf(text, 32, L"%02d:%02d:%02d", local.tm_year + 1900 - 2000, local.tm_mon + 1, local.tm_mday);
    return text;
}

} // namespace world
