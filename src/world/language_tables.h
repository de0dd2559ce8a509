// Where the world's language tables come from, shared by their loaders: the
// entry of data/language.pkg, else the loose file in data/language/, and which
// text column holds the settings' language.
#pragma once

#include <string>

class cCsvTable;

namespace language {

constexpr wchar_t kPackage[] = L"data/language.pkg";
constexpr wchar_t kLooseFolder[] = L"data/language/";

// The table as an entry of the package, else the loose file of that name.
// False when neither gives a row.
bool OpenTable(cCsvTable& table, const std::wstring& name);

// Whether tasks.csv opens and holds the task of level 1, the one the map
// offers a new player: without it the map has no level to play.
bool TasksReadable();

// Index of the settings' language in the order rus, eng, ger, jap, fra, esp;
// -1 for any other code.
int LanguageIndex();

// How a row after the heading is taken: a first field starting with "*" ends
// the table, one starting with ";" is a comment.
enum class RowKind { Data, Comment, End };
RowKind KindOfRow(const cCsvTable& table);

// Steps to the next data row, past comment rows; false at the end row or the
// end of the table.
bool NextDataRow(cCsvTable& table);

} // namespace language
