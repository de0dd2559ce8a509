// The language tables of the world: place names, comic pages and level tasks
// in the settings' language, and the logo list of the start sequence.
#include "world/language_tables.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <string_view>

#include "resources/csv_table.h"
#include "resources/log.h"
#include "resources/package.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_sizes.h"

namespace {

// Text columns by language (rus, eng, ger, jap, fra, esp). tasks.csv has the
// German column before the English one.
constexpr int kPlaceColumns[6] = { 3, 4, 5, 6, 7, 8 };
constexpr int kComicColumns[6] = { 2, 3, 4, 5, 6, 7 };
constexpr int kComicExtraColumn = 8;
constexpr int kTaskColumns[6] = { 6, 8, 7, 9, 10, 11 };

// The text column of the language, or empty text for an unknown language.
std::wstring TextColumn(const cCsvTable& table, const int (&columns)[6])
{
    const int index = language::LanguageIndex();
    return index < 0 ? std::wstring() : table.GetString(columns[index]);
}

// Whether the row holds a text the game can show in the settings' language.
// An unknown language has no column (its texts are empty): a written text in
// any language's column counts for it.
bool HoldsText(const cCsvTable& table, const int (&columns)[6])
{
    if (language::LanguageIndex() >= 0)
        return language::IsWrittenText(TextColumn(table, columns));
    return std::any_of(std::begin(columns), std::end(columns),
        [&](int column) { return language::IsWrittenText(table.GetString(column)); });
}

bool IsWrittenCharacter(wchar_t c)
{
    const auto u = static_cast<uint32_t>(c);
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u > 0x10FFFF)
        return false;
    if ((u >= 0xD800 && u <= 0xDFFF) || u == 0xFFFD || (u >= 0xE000 && u <= 0xF8FF) || u >= 0xF0000)
        return false;
    return !(u >= 0xFDD0 && u <= 0xFDEF) && (u & 0xFFFE) != 0xFFFE;
}

// Opens the table for a check; on failure `fault` says that neither copy
// gives it.
bool OpenForCheck(cCsvTable& table, const std::wstring& name, std::wstring& copy, std::string& fault)
{
    if (language::OpenTable(table, name, &copy))
        return true;
    fault = "neither data/language.pkg nor data/language/ gives a row of it.";
    return false;
}

// The words of a fault of the copy read: `lack` is what it lacks.
std::string CopyLacks(const std::wstring& copy, const std::string& lack)
{
    if (copy == language::kPackage)
        return "the copy in data/language.pkg, which is read before the one in data/language/, " + lack + ".";
    return "the copy in data/language/, read as data/language.pkg gives none, " + lack + ".";
}

// Empty when a data row of the table is `wanted`; else what keeps it from
// serving: that neither copy gives it, or that the copy read `lack`s it.
template <class Wanted> std::string FaultUnlessARow(const std::wstring& name, Wanted wanted, const std::string& lack)
{
    cCsvTable table;
    std::wstring copy;
    std::string fault;
    if (!OpenForCheck(table, name, copy, fault))
        return fault;
    while (language::NextDataRow(table)) {
        if (wanted(table))
            return "";
    }
    return CopyLacks(copy, lack);
}

} // namespace

namespace language {

bool OpenTable(cCsvTable& table, const std::wstring& name, std::wstring* copy)
{
    bool packed = table.LoadFromPackage(kPackage, name);
    // Without a package that opens, its loose folder answers for it.
    if (copy) {
        cPackage package;
        packed = packed && package.Open(kPackage);
        *copy = packed ? kPackage : kLooseFolder + name;
    }
    return packed || table.Load(kLooseFolder + name);
}

bool IsWrittenText(const std::wstring& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsWrittenCharacter);
}

std::string TasksFault()
{
    return FaultUnlessARow(L"tasks.csv", [](const cCsvTable& table) { return table.GetInt(0) == 1; },
        "holds no task for level 1");
}

std::string TableFault(const std::wstring& name, const std::string& lack)
{
    cCsvTable table;
    std::wstring copy;
    std::string fault;
    return OpenForCheck(table, name, copy, fault) ? CopyLacks(copy, lack) : fault;
}

bool TasksReadable()
{
    return TasksFault().empty();
}

std::string ComicFault()
{
    // A level without pages, or a page missing, only closes its task dialog
    // there: the table serves as long as some campaign level has a page.
    return FaultUnlessARow(L"comic.csv",
        [](const cCsvTable& table) {
            const int level = table.GetInt(0);
            return level >= 1 && level < world::kLastLevel && table.GetInt(1) >= 1 && HoldsText(table, kComicColumns);
        },
        "holds no task page of any level in the settings' language");
}

std::string PlacesFault()
{
    // A lot without a row is named "place name not found": the table serves
    // as long as it names some building.
    return FaultUnlessARow(L"places.csv", [](const cCsvTable& table) { return HoldsText(table, kPlaceColumns); },
        "holds no name of any building in the settings' language");
}

int LanguageIndex()
{
    static constexpr std::wstring_view kCodes[6] = { L"rus", L"eng", L"ger", L"jap", L"fra", L"esp" };
    const wchar_t* code = cSettings::Instance().languageCode;
    const std::wstring_view language(code, wcsnlen(code, 4));
    for (int i = 0; i < 6; ++i) {
        if (language == kCodes[i])
            return i;
    }
    return -1;
}

RowKind KindOfRow(const cCsvTable& table)
{
    const std::wstring first = table.GetString(0);
    if (!first.empty() && first.front() == L'*')
        return RowKind::End;
    if (!first.empty() && first.front() == L';')
        return RowKind::Comment;
    return RowKind::Data;
}

bool NextDataRow(cCsvTable& table)
{
    while (table.NextRow()) {
        switch (KindOfRow(table)) {
        case RowKind::End:
            return false;
        case RowKind::Comment:
            continue;
        case RowKind::Data:
            return true;
        }
    }
    return false;
}

} // namespace language

void cGameWorld::LoadPlaceNames()
{
    placeNameRows.clear();
    cCsvTable table;
    if (!language::OpenTable(table, L"places.csv")) {
        cLog::Instance().Error(L"File places.csv not found");
        return;
    }
    while (language::NextDataRow(table)) {
        placeNameRows.push_back(cPlaceNameRow { table.GetInt(1), table.GetInt(2), TextColumn(table, kPlaceColumns) });
    }
}

std::wstring cGameWorld::GetPlaceName(int id, int key2) const
{
    for (const cPlaceNameRow& row : placeNameRows) {
        if (row.id == id && row.key2 == key2)
            return row.text;
    }
    return L"place name not found";
}

void cGameWorld::LoadComic(int comic)
{
    comicRows.clear();
    cCsvTable table;
    if (!language::OpenTable(table, L"comic.csv")) {
        cLog::Instance().Error(L"File %ls not found", (std::wstring(language::kLooseFolder) + L"comic.csv").c_str());
        return;
    }
    while (language::NextDataRow(table)) {
        if (table.GetInt(0) != comic)
            continue;
        comicRows.push_back(cComicRow {
            table.GetInt(0), table.GetInt(1), TextColumn(table, kComicColumns), table.GetString(kComicExtraColumn) });
    }
}

void cGameWorld::GetComicText(int level)
{
    for (const cTaskRow& row : taskRows) {
        if (row.level == level) {
            taskText = row.text;
            taskId = level;
            return;
        }
    }
    taskText = L"not found";
}

void cGameWorld::LoadTasks()
{
    taskRows.clear();
    cCsvTable table;
    if (!language::OpenTable(table, L"tasks.csv")) {
        cLog::Instance().Error(L"File %ls not found", (std::wstring(language::kLooseFolder) + L"tasks.csv").c_str());
        // One row the map can show; its zero flag selects no level task.
        cTaskRow missing;
        missing.text = L"NOT FOUND";
        taskRows.push_back(missing);
        return;
    }
    while (language::NextDataRow(table)) {
        cTaskRow row;
        row.level = table.GetInt(0);
        row.pinX = table.GetInt(1);
        row.pinY = table.GetInt(2);
        row.lotRow = table.GetInt(3);
        row.lotCol = table.GetInt(4);
        row.requiredKind = table.GetInt(5);
        row.text = TextColumn(table, kTaskColumns);
        taskRows.push_back(row);
    }
    if (taskRows.empty())
        cLog::Instance().Error(L"cGameWorld::LoadTasks -> %ls holds no task; the map shows no level.",
            (std::wstring(language::kLooseFolder) + L"tasks.csv").c_str());
}

void cGameWorld::SelectTaskText(int id)
{
    for (const cTaskRow& row : taskRows) {
        if (row.level == id) {
            taskText = row.text;
            taskId = id;
            return;
        }
    }
    taskText = L"not found";
}

void cGameWorld::SelectLevelTask(int id)
{
    for (const cTaskRow& row : taskRows) {
        if (row.level == id && row.requiredKind != 0) {
            taskLotRow = row.lotRow;
            taskLotColumn = row.lotCol;
            taskKind = row.requiredKind;
            return;
        }
    }
    taskKind = -1;
}

void cGameWorld::LoadLogoList()
{
    static constexpr wchar_t kPath[] = L"data/logos/list.csv";
    logoCount = 0;
    cCsvTable table;
    if (!table.Load(kPath)) {
        cLog::Instance().Error(L"File %ls not found", kPath);
        return;
    }
    while (language::NextDataRow(table)) {
        if (logoCount >= world::kLogos) {
            cLog::Instance().Warning(
                L"cGameWorld::LoadLogoList -> \"%ls\" lists more than %d logos; the rest are not shown", kPath,
                world::kLogos);
            break;
        }
        // Durations are seconds with a fraction; read them at full precision.
        logoNames[logoCount] = table.GetString(0);
        logoFadeInStep[logoCount] = resources::ParseDouble(table.GetString(1));
        logoHoldTime[logoCount] = resources::ParseDouble(table.GetString(2));
        logoFadeOutStep[logoCount] = resources::ParseDouble(table.GetString(3));
        ++logoCount;
    }
}
