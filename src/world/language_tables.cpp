// The language tables of the world: place names, comic pages and level tasks
// in the settings' language, and the logo list of the start sequence.
#include "world/language_tables.h"

#include <cwchar>
#include <string_view>

#include "resources/csv_table.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace language {

bool OpenTable(cCsvTable& table, const std::wstring& name)
{
    return table.LoadFromPackage(kPackage, name) || table.Load(kLooseFolder + name);
}

bool TasksReadable()
{
    cCsvTable table;
    if (!OpenTable(table, L"tasks.csv"))
        return false;
    while (NextDataRow(table)) {
        if (table.GetInt(0) == 1)
            return true;
    }
    return false;
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

namespace {

// The text column of the language, or empty text for an unknown language.
std::wstring TextColumn(const cCsvTable& table, const int (&columns)[6])
{
    const int index = language::LanguageIndex();
    return index < 0 ? std::wstring() : table.GetString(columns[index]);
}

// Text columns by language (rus, eng, ger, jap, fra, esp). tasks.csv has the
// German column before the English one.
constexpr int kPlaceColumns[6] = { 3, 4, 5, 6, 7, 8 };
constexpr int kComicColumns[6] = { 2, 3, 4, 5, 6, 7 };
constexpr int kComicExtraColumn = 8;
constexpr int kTaskColumns[6] = { 6, 8, 7, 9, 10, 11 };

} // namespace

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
