#include "resources/csv_table.h"

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/text.h"

cCsvTable::cCsvTable(const std::wstring& path)
{
    if (!path.empty())
        Load(path);
}

bool cCsvTable::Load(const std::wstring& path)
{
    Clear();
    return Parse(cFileManager::Instance().OpenFile(path));
}

bool cCsvTable::LoadFromPackage(const std::wstring& packagePath, const std::wstring& name)
{
    Clear();
    return Parse(cFileManager::Instance().Open(packagePath, name));
}

void cCsvTable::Clear()
{
    m_columnCount = 0;
    m_rowCount = 0;
    m_rows.clear();
    m_currentRow = 0;
    m_hasRows = false;
}

namespace {

// One line from the text position; the run of line breaks after it is passed
// over. A line may be as long as the text: nothing bounds it but the text.
std::wstring_view ReadLine(std::wstring_view text, size_t& at)
{
    const size_t start = at;
    while (at < text.size() && text[at] != L'\r' && text[at] != L'\n')
        ++at;
    const std::wstring_view line = text.substr(start, at - start);
    while (at < text.size() && (text[at] == L'\r' || text[at] == L'\n'))
        ++at;
    // A NUL unit ended the line where it was once a C string.
    return line.substr(0, line.find(L'\0'));
}

} // namespace

bool cCsvTable::Parse(iFile* file)
{
    if (!file || !file->GetData()) {
        cFileManager::Instance().Release(file);
        return false;
    }
    // No BOM handling: a leading U+FEFF stays at the start of the first field.
    const std::wstring text = platform::Utf16LeToWide(file->GetData(), file->GetSize());
    size_t at = 0;
    for (std::wstring_view line = ReadLine(text, at); !line.empty(); line = ReadLine(text, at)) {
        std::vector<std::wstring> row;
        size_t i = 0;
        while (i < line.size()) {
            // Runs of separators count as one: empty fields vanish.
            while (i < line.size() && line[i] == m_separator)
                ++i;
            if (i >= line.size())
                break;
            const size_t start = i;
            while (i < line.size() && line[i] != m_separator)
                ++i;
            std::wstring_view piece = line.substr(start, i - start);
            if (!piece.empty() && piece.front() == m_quote)
                piece.remove_prefix(1);
            if (!piece.empty() && piece.back() == m_quote) // a lone quote is now empty
                piece.remove_suffix(1);
            row.emplace_back(piece);
        }
        if (static_cast<int>(row.size()) > m_columnCount)
            m_columnCount = static_cast<int>(row.size());
        m_rows.push_back(std::move(row));
    }
    cFileManager::Instance().Release(file);
    m_currentRow = 0;
    if (m_skipHeader && !m_rows.empty())
        m_currentRow = 1;
    m_rowCount = static_cast<int>(m_rows.size());
    // A table that is only its header has no row to stand on.
    m_hasRows = m_currentRow < m_rows.size();
    return m_hasRows;
}

bool cCsvTable::NextRow()
{
    if (m_hasRows) {
        ++m_currentRow;
        m_hasRows = m_currentRow < m_rows.size();
    }
    return m_hasRows;
}

std::wstring cCsvTable::GetString(int column) const
{
    if (column < 0 || column >= m_columnCount || m_currentRow >= m_rows.size())
        return {};
    const std::vector<std::wstring>& row = m_rows[m_currentRow];
    return static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : std::wstring();
}

int cCsvTable::GetInt(int column) const
{
    return resources::ParseInt(GetString(column));
}

float cCsvTable::GetFloat(int column) const
{
    return static_cast<float>(resources::ParseDouble(GetString(column)));
}
