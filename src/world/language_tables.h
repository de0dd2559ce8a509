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
// False when neither gives a row. `copy`, when given, is set to the path the
// rows came from: the package, or the loose file.
bool OpenTable(cCsvTable& table, const std::wstring& name, std::wstring* copy = nullptr);

// Not empty, and made of written characters only: no control characters, no
// surrogates or U+FFFD (bytes that did not decode), no private-use or
// non-character code points.
bool IsWrittenText(const std::wstring& text);

// What keeps a table of the start from serving the game, in words: which copy
// was read (the package's comes before the loose one) and what it lacks;
// empty when it serves. tasks.csv must hold the task of level 1, the one the
// map offers a new player; comic.csv a page of some campaign level's task
// dialog; places.csv the name of some building. A table that lacks only some
// pages or names serves: a level's task dialog closes where its pages end, and
// a lot without a name is "place name not found". A text in the settings'
// language column must be written text.
std::string TasksFault();
std::string ComicFault();
std::string PlacesFault();

// The words of a table's fault: which copy of it is read and that it `lack`s
// something, or that neither copy gives it.
std::string TableFault(const std::wstring& name, const std::string& lack);

// Whether tasks.csv serves: TasksFault() is empty.
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
