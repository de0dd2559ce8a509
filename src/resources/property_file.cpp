#include "resources/property_file.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "resources/text.h"

// ---- dyn_array ----

dyn_array& dyn_array::Shared()
{
    static dyn_array buffer;
    return buffer;
}

dyn_array::~dyn_array()
{
    std::free(m_data);
}

void dyn_array::Resize(size_t n)
{
    const size_t capacity = (n + 3) & ~static_cast<size_t>(3);
    if (capacity < n || capacity > SIZE_MAX / 2 / sizeof(uint16_t))
        throw "dyn_array: Insufficient memory";
    void* grown = std::realloc(m_data, capacity * sizeof(uint16_t));
    if (!grown && capacity != 0)
        throw "dyn_array: Insufficient memory";
    m_data = static_cast<uint16_t*>(grown);
    m_capacity = capacity;
    if (m_count > n)
        m_count = n;
}

void dyn_array::Release()
{
    std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_count = 0;
}

uint16_t* dyn_array::At(size_t i)
{
    if (i >= m_capacity)
        Resize(i + 1);
    if (i >= m_count)
        m_count = i + 1;
    return m_data + i;
}

// ---- reading ----

namespace {

// The cutting rule of wcstok: runs of delimiters are skipped, and the one
// delimiter that ends a piece is consumed with it.
class Cutter {
public:
    explicit Cutter(std::wstring_view text) : m_text(text) { }

    std::optional<std::wstring> Next(std::wstring_view delimiters)
    {
        while (m_at < m_text.size() && delimiters.find(m_text[m_at]) != std::wstring_view::npos)
            ++m_at;
        if (m_at >= m_text.size())
            return std::nullopt;
        const size_t start = m_at;
        while (m_at < m_text.size() && delimiters.find(m_text[m_at]) == std::wstring_view::npos)
            ++m_at;
        std::wstring piece(m_text.substr(start, m_at - start));
        if (m_at < m_text.size())
            ++m_at;
        return piece;
    }

private:
    std::wstring_view m_text;
    size_t m_at = 0;
};

// The file's text through the shared buffer, BOM (either order) skipped and
// cut at the first NUL unit, as the C string it once was.
std::wstring ReadText(iFile* file)
{
    const uint32_t n = file->GetSize();
    if (n == 0)
        return {};
    dyn_array& buffer = dyn_array::Shared();
    buffer.At(static_cast<size_t>(n)); // room for n + 1 units
    auto* bytes = reinterpret_cast<uint8_t*>(buffer.At(0));
    uint32_t read = 0;
    file->Seek(0, 0);
    const bool ok = file->Read(bytes, n, 1, &read);
    std::wstring text = ok ? platform::Utf16LeToWide(bytes, read) : std::wstring();
    // Nothing stays resident between parses.
    buffer.Release();
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos)
        text.resize(nul);
    if (!text.empty() && (text[0] == 0xFEFF || text[0] == 0xFFFE))
        text.erase(0, 1);
    return text;
}

// A key line loses its first and last character (the brackets).
std::wstring KeyOf(const std::wstring& line)
{
    return resources::LowerCase(line.size() >= 2 ? line.substr(1, line.size() - 2) : std::wstring());
}

std::vector<std::wstring> Split(const std::wstring& value, std::wstring_view delimiters)
{
    std::vector<std::wstring> pieces;
    Cutter cutter(value);
    while (auto piece = cutter.Next(delimiters))
        pieces.push_back(std::move(*piece));
    return pieces;
}

} // namespace

bool PropertyFile::Parse(iFile* file, bool flag)
{
    Clear();
    if (file && !flag)
        ParseText(ReadText(file));
    cFileManager::Instance().Release(file);
    return !flag && !m_entries.empty();
}

void PropertyFile::ParseText(const std::wstring& text)
{
    Clear();
    Cutter cutter(text);
    std::optional<std::wstring> nextKey;
    for (;;) {
        auto key = nextKey ? std::move(nextKey) : cutter.Next(L"\r\n");
        nextKey.reset();
        if (!key)
            break;
        auto value = cutter.Next(L"\r\n");
        // An empty value is written as an empty line, which the cut skips: a
        // key line right after a key line, or as the last line, has an empty
        // value (an unnamed profile must not take the next key as its name).
        if (!value) {
            if (key->size() < 2 || key->front() != L'[' || key->back() != L']')
                break; // a last line that is no key
            value = std::wstring();
        } else if (value->size() >= 2 && value->front() == L'[' && value->back() == L']') {
            nextKey = std::move(value);
            value = std::wstring();
        }
        m_entries[KeyOf(*key)] = *value;
    }
}

bool PropertyFile::ParseExact(const std::vector<uint8_t>& bytes)
{
    Clear();
    const std::wstring text = platform::Utf16LeToWide(bytes.data(), bytes.size());
    if (text.empty() || text[0] != 0xFEFF)
        return false;
    size_t at = 1;
    while (at < text.size()) {
        const size_t keyEnd = text.find(L"\r\n", at);
        const size_t valueEnd = keyEnd == std::wstring::npos ? keyEnd : text.find(L"\r\n", keyEnd + 2);
        if (valueEnd == std::wstring::npos)
            break;
        const std::wstring key = text.substr(at, keyEnd - at);
        const std::wstring value = text.substr(keyEnd + 2, valueEnd - keyEnd - 2);
        if (key.size() < 2 || key.front() != L'[' || key.back() != L']' || m_entries.count(KeyOf(key))
            || value.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring::npos)
            break;
        m_entries[KeyOf(key)] = value;
        at = valueEnd + 2;
    }
    // Whole only when every line was taken and the game would write these
    // entries as exactly these bytes (its order, its case, nothing more).
    if (at == text.size() && !m_entries.empty() && Bytes() == bytes)
        return true;
    ParseText(text.substr(1));
    return false;
}
bool PropertyFile::ParseHashTerminated(iFile* file, bool flag)
{
    Clear();
    if (!file || flag)
        return false;
    const std::wstring text = ReadText(file);
    Cutter cutter(text);
    for (;;) {
        const auto key = cutter.Next(L"\r\n");
        const auto value = key ? cutter.Next(L"#") : std::nullopt;
        if (!value)
            break;
        m_entries[KeyOf(*key)] = *value;
    }
    return !m_entries.empty();
}

bool PropertyFile::ParseMultiline(iFile* file, bool flag)
{
    Clear();
    if (!file || flag)
        return false;
    const std::wstring text = ReadText(file);
    Cutter cutter(text);
    for (;;) {
        auto key = cutter.Next(L"\n");
        const auto value = key ? cutter.Next(L"[") : std::nullopt;
        if (!value)
            break;
        key->pop_back(); // the CR before the line feed
        // Only the first key keeps its '[': each later one lost it to the
        // value's cut before it. Either way the brackets go.
        if (!key->empty() && (*key)[0] == L'[')
            key->erase(0, 1);
        if (!key->empty() && key->back() == L']')
            key->pop_back();
        m_entries[resources::LowerCase(*key)] = value->size() >= 2 ? value->substr(0, value->size() - 2) : L"";
    }
    return !m_entries.empty();
}

// ---- writing ----

bool PropertyFile::Serialize(const std::wstring& path, bool save)
{
    if (!save) {
        const std::wstring found = cFileManager::Instance().ResolvePath(path);
        if (!found.empty() && !resources::FitsPlayerFileLimit(L"PropertyFile::Serialize", found)) {
            Clear();
            return false;
        }
        return Parse(cFileManager::Instance().OpenFile(path));
    }
    if (m_entries.empty())
        return false;
    const std::vector<uint8_t> bytes = Bytes();
    const std::wstring target = resources::NormalisePath(path);
    if (!platform::WriteFileAtomic(resources::ToNativePath(target), bytes)) {
        cLog::Instance().Error(L"PropertyFile::Serialize -> unable to write \"%ls\".", target.c_str());
        return false;
    }
    return true;
}

std::vector<uint8_t> PropertyFile::Bytes() const
{
    std::vector<uint8_t> bytes;
    platform::AppendUtf16Le(bytes, L"\xFEFF");
    for (const auto& [key, value] : m_entries) {
        platform::AppendUtf16Le(bytes, L"[");
        platform::AppendUtf16Le(bytes, key);
        platform::AppendUtf16Le(bytes, L"]\r\n");
        platform::AppendUtf16Le(bytes, value);
        platform::AppendUtf16Le(bytes, L"\r\n");
    }
    return bytes;
}

// ---- entries ----

void PropertyFile::SetString(const std::wstring& key, const std::wstring& value, bool append)
{
    const std::wstring lower = resources::LowerCase(key);
    const auto it = m_entries.find(lower);
    if (append && it != m_entries.end())
        it->second += L" " + value;
    else
        m_entries[lower] = value;
}

void PropertyFile::SetInt(const std::wstring& key, int value, bool append)
{
    SetString(key, std::to_wstring(value), append);
}

void PropertyFile::SetFloat(const std::wstring& key, float value, bool append)
{
    // "%10.5f" in the C locale: width 10, five decimals, '.' as the point.
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                      std::chars_format::fixed, 5);
    std::wstring text(digits, result.ptr);
    if (text.size() < 10)
        text.insert(0, 10 - text.size(), L' ');
    SetString(key, text, append);
}

bool PropertyFile::HasKey(const std::wstring& key)
{
    if (m_entries.empty())
        return false;
    const auto it = m_entries.find(resources::LowerCase(key));
    if (it == m_entries.end())
        return false;
    m_current = it;
    return true;
}

const std::wstring& PropertyFile::GetString(const std::wstring& key)
{
    return HasKey(key) ? m_current->second : m_default;
}

int PropertyFile::GetInt(const std::wstring& key, int defaultValue)
{
    return HasKey(key) ? resources::ParseInt(m_current->second) : defaultValue;
}

float PropertyFile::GetFloat(const std::wstring& key, float defaultValue)
{
    return HasKey(key) ? static_cast<float>(resources::ParseDouble(m_current->second)) : defaultValue;
}

std::vector<std::wstring> PropertyFile::GetStringList(const std::wstring& key)
{
    return HasKey(key) ? Split(m_current->second, L"\t,;") : std::vector<std::wstring>();
}

std::vector<std::wstring> PropertyFile::GetLineList(const std::wstring& key)
{
    return HasKey(key) ? Split(m_current->second, L"\r\n") : std::vector<std::wstring>();
}

std::vector<int> PropertyFile::GetIntList(const std::wstring& key)
{
    std::vector<int> out;
    if (HasKey(key)) {
        for (const std::wstring& piece : Split(m_current->second, L" \t,;"))
            out.push_back(resources::ParseInt(piece));
    }
    return out;
}

std::vector<float> PropertyFile::GetFloatList(const std::wstring& key)
{
    std::vector<float> out;
    if (HasKey(key)) {
        for (const std::wstring& piece : Split(m_current->second, L" \t,;"))
            out.push_back(static_cast<float>(resources::ParseDouble(piece)));
    }
    return out;
}
