// What the game writes in each player file, row by row: a file is taken as
// whole only when it is exactly that, every value in the form and within the
// range the game writes it in.
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf16.h"
#include "resources/property_file.h"
#include "resources/text.h"
#include "world/player_file_rule.h"
#include "world/settings_values.h"
#include "world/world_sizes.h"

namespace world {

namespace {

    enum class Kind { Text, Name, Int, Volume, Awards, Bonus };

    struct Field {
        std::wstring key;
        Kind kind;
        int min = -kPlayerValueLimit;
        int max = kPlayerValueLimit;
    };

    std::wstring Numbered(const wchar_t* key, int n)
    {
        return key + std::to_wstring(n);
    }

    std::vector<Field> FieldsOf(PlayerFile kind)
    {
        std::vector<Field> fields;
        switch (kind) {
        case PlayerFile::Settings:
            fields = { { L"language", Kind::Text }, { L"music volume", Kind::Volume }, { L"mute", Kind::Int, 0, 1 },
                { L"screen mode", Kind::Int }, { L"sound volume", Kind::Volume }, { L"speech volume", Kind::Volume },
                { L"window center", Kind::Int }, { L"workplace", Kind::Int, 1, kProfiles },
                { L"x resolution", Kind::Int }, { L"y resolution", Kind::Int } };
            break;
        case PlayerFile::Profiles:
            for (int i = 1; i <= kProfiles; ++i) {
                fields.push_back({ Numbered(L"name ", i), Kind::Text });
                fields.push_back({ Numbered(L"last level ", i), Kind::Int, 0, kLastLevel });
                fields.push_back({ Numbered(L"drive ", i), Kind::Int });
                fields.push_back({ Numbered(L"awards ", i), Kind::Awards });
                fields.push_back({ Numbered(L"bonus level ", i), Kind::Bonus });
            }
            break;
        case PlayerFile::Highscores:
            // An empty name is written as "...".
            for (int r = 1; r <= 10; ++r) {
                fields.push_back({ Numbered(L"name", r), Kind::Name });
                fields.push_back({ Numbered(L"time", r), Kind::Int });
                fields.push_back({ Numbered(L"money", r), Kind::Int });
                fields.push_back({ Numbered(L"workplace", r), Kind::Int });
            }
            break;
        default:
            break;
        }
        return fields;
    }

    // A number as std::to_wstring writes it, within the range.
    bool IsInt(std::wstring_view text, int min, int max)
    {
        const int value = resources::ParseInt(text);
        return text == std::to_wstring(value) && value >= min && value <= max;
    }

    bool IsList(const std::wstring& text, int count)
    {
        const std::vector<int> values = ReadValueList(text, count);
        for (int value : values) {
            if (value != ClampPlayerValue(value))
                return false;
        }
        return WriteValueList(values.data(), count) == text;
    }

    bool IsVolume(const std::wstring& text)
    {
        const auto value = static_cast<float>(resources::ParseDouble(text));
        PropertyFile written;
        written.SetFloat(L"v", ClampVolume(value));
        return written.GetString(L"v") == text;
    }

    bool IsValue(const Field& field, const std::wstring& text)
    {
        switch (field.kind) {
        case Kind::Text:
            return true;
        case Kind::Name:
            return !text.empty();
        case Kind::Int:
            return IsInt(text, field.min, field.max);
        case Kind::Volume:
            return IsVolume(text);
        case Kind::Awards:
            return IsList(text, kAwards);
        case Kind::Bonus:
            return IsList(text, kBonusLevels);
        }
        return false;
    }

    bool IsPropertyFile(PlayerFile kind, const std::vector<uint8_t>& bytes)
    {
        PropertyFile file;
        if (!file.ParseExact(bytes))
            return false;
        const std::vector<Field> fields = FieldsOf(kind);
        if (file.Entries().size() != fields.size())
            return false;
        for (const Field& field : fields) {
            if (!file.HasKey(field.key) || !IsValue(field, file.GetString(field.key)))
                return false;
        }
        if (kind == PlayerFile::Settings) {
            // The reader puts its own in place of these, so they are written
            // back as the reader took them.
            return IsValidLanguageCode(file.GetString(L"language"))
                && HasDefinedScale(file.GetInt(L"x resolution", 0), file.GetInt(L"y resolution", 0));
        }
        return true;
    }

    // Lines cut at `end`; the text must end with it.
    bool SplitLines(const std::wstring& text, std::wstring_view end, std::vector<std::wstring>& lines)
    {
        size_t at = 0;
        while (at < text.size()) {
            const size_t next = text.find(end, at);
            if (next == std::wstring::npos)
                return false;
            lines.push_back(text.substr(at, next - at));
            at = next + end.size();
        }
        return true;
    }

    // "<key>;" followed by `count` numbers each ended by ';'.
    bool IsRow(const std::wstring& line, std::wstring_view key, int count)
    {
        if (line.compare(0, key.size(), key) != 0 || line.size() <= key.size() || line[key.size()] != L';')
            return false;
        size_t at = key.size() + 1;
        for (int i = 0; i < count; ++i) {
            const size_t end = line.find(L';', at);
            if (end == std::wstring::npos
                || !IsInt(std::wstring_view(line).substr(at, end - at), -kPlayerValueLimit, kPlayerValueLimit))
                return false;
            at = end + 1;
        }
        return at == line.size();
    }

    bool IsSavedGame(const std::wstring& text)
    {
        std::vector<std::wstring> lines;
        if (!SplitLines(text, L"\r", lines) || lines.size() != 7)
            return false;
        const std::pair<const wchar_t*, int> rows[]
            = { { L"XXXX", 0 }, { L"BANK", 1 }, { L"MONEY", 1 }, { L"COUNTER", kLevelTableSize },
                  { L"STATUS", kLevelTableSize }, { L"GELD", kLevelTableSize }, { L"LEVEL_TIME", kLevelTableSize } };
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!IsRow(lines[i], rows[i].first, rows[i].second))
                return false;
        }
        return true;
    }

    bool IsLotFile(const std::wstring& text)
    {
        std::vector<std::wstring> lines;
        if (!SplitLines(text, L"\r\r", lines))
            return false;
        for (const std::wstring& line : lines) {
            if (!IsRow(line, L"PLACE", 4))
                return false;
        }
        return true;
    }

} // namespace

bool IsWhatTheGameWrites(PlayerFile kind, const std::vector<uint8_t>& bytes)
{
    if (kind != PlayerFile::SavedGame && kind != PlayerFile::Station)
        return IsPropertyFile(kind, bytes);
    // Text that comes back as these very bytes: no odd byte, no broken pair.
    const std::wstring text = platform::Utf16LeToWide(bytes.data(), bytes.size());
    if (platform::WideToUtf16Le(text) != bytes)
        return false;
    return kind == PlayerFile::SavedGame ? IsSavedGame(text) : IsLotFile(text);
}

} // namespace world
