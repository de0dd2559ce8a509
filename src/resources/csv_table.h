// Tables in UTF-16LE text with ';' between fields (the language tables and the
// logo list). The whole table is parsed at load; callers walk the rows with a
// cursor and read fields by column.
#pragma once

#include <string>
#include <vector>

#include "resources/file.h"

class cCsvTable {
public:
    cCsvTable() = default;
    explicit cCsvTable(const std::wstring& path);

    // A loose file through the file manager.
    bool Load(const std::wstring& path);
    // A package entry, or the loose file beside the package.
    bool LoadFromPackage(const std::wstring& packagePath, const std::wstring& name);
    // Parses a file from the file manager and gives it back to it.
    bool Parse(iFile* file);
    void Clear();

    bool NextRow();
    // Empty for a column outside the current row, or when there is no row.
    std::wstring GetString(int column) const;
    int GetInt(int column) const;
    float GetFloat(int column) const;

    int ColumnCount() const { return m_columnCount; }
    int RowCount() const { return m_rowCount; }
    bool HasRows() const { return m_hasRows; }
    void SetSkipHeader(bool skip) { m_skipHeader = skip; }

private:
    int m_columnCount = 0;
    int m_rowCount = 0;
    std::vector<std::vector<std::wstring>> m_rows;
    size_t m_currentRow = 0;
    bool m_hasRows = false;
    wchar_t m_separator = L';';
    wchar_t m_quote = L'"';
    bool m_skipHeader = false;
};
