#include "scene/gui_vocabulary.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "resources/csv_table.h"
#include "resources/log.h"
#include "world/language_tables.h"
#include "world/settings.h"

wchar_t g_guiVocabulary[kGuiTextCount][kGuiTextLength] = {};

namespace {

// The text column of the settings' language: Russian and German have their
// own, every other language reads the English one.
int TextColumn()
{
    const wchar_t* code = cSettings::Instance().languageCode;
    if (std::wcsncmp(code, L"rus", 4) == 0)
        return 3;
    if (std::wcsncmp(code, L"ger", 4) == 0)
        return 4;
    return 2;
}

// The texts the screens draw, by number; the rows between them are numbers
// no screen reads (127 labels a level-number panel nothing shows). 103 to
// 117 label the task lines a level script sets.
constexpr bool IsDrawn(int n)
{
    constexpr int kDrawn[][2] = { { 0, 29 }, { 31, 31 }, { 33, 36 }, { 46, 47 }, { 49, 49 }, { 56, 56 },
        { 60, 60 }, { 63, 68 }, { 70, 71 }, { 75, 75 }, { 77, 78 }, { 90, 97 }, { 99, 100 }, { 103, 124 },
        { 128, 139 }, { 141, 155 } };
    for (const auto& [first, last] : kDrawn) {
        if (n >= first && n <= last)
            return true;
    }
    return false;
}

// The number a row's first column holds, or -1 when it holds none (it is
// empty, or not made of digits alone). Any number past the last text's is
// kGuiTextCount.
int RowNumber(const std::wstring& first)
{
    if (first.empty() || !std::all_of(first.begin(), first.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return -1;
    int number = 0;
    for (const wchar_t c : first) {
        number = number * 10 + (c - L'0');
        if (number >= kGuiTextCount)
            return kGuiTextCount;
    }
    return number;
}

} // namespace

void LoadGuiVocabulary()
{
    cCsvTable table;
    if (!language::OpenTable(table, L"gui_vocabular.csv")) {
        cLog::Instance().Error(L"File gui_vocabular.csv not found");
        return;
    }
    const int column = TextColumn();
    int entry = 0;
    // The cursor starts on the header row; each NextRow steps past it.
    while (language::NextDataRow(table)) {
        if (entry == kGuiTextCount) {
            cLog::Instance().Warning(
                L"LoadGuiVocabulary -> gui_vocabular.csv has more than %i texts; the rest are left out.",
                kGuiTextCount);
            break;
        }
        const std::wstring text = table.GetString(column);
        // Every entry keeps its terminator: a longer text is cut.
        if (text.size() >= static_cast<size_t>(kGuiTextLength)) {
            cLog::Instance().Warning(
                L"LoadGuiVocabulary -> text %i is longer than %i characters; it is cut.", entry, kGuiTextLength - 1);
        }
        wchar_t* target = g_guiVocabulary[entry];
        const size_t length = std::min(text.size(), static_cast<size_t>(kGuiTextLength - 1));
        std::fill(target, target + kGuiTextLength, L'\0');
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), target);
        ++entry;
    }
}

int FirstUnusableGuiText()
{
    cCsvTable table;
    if (!language::OpenTable(table, L"gui_vocabular.csv"))
        return 0;
    const int column = TextColumn();
    int entry = 0;
    for (; entry < kGuiTextCount && language::NextDataRow(table); ++entry) {
        // A text is found by its row alone. A row whose first column holds
        // another number than the row's tells of a row left out or put in
        // before it, which moves every text after it: the first such text is
        // named. A first column without a number says nothing.
        if (const int number = RowNumber(table.GetString(0)); number >= 0 && number != entry) {
            cLog::Instance().Error(L"FirstUnusableGuiText -> row %i of gui_vocabular.csv is numbered %ls, not %i: a "
                                   L"row is missing or one too many before it.",
                entry, table.GetString(0).c_str(), entry);
            return entry;
        }
        if (!IsDrawn(entry))
            continue;
        if (!language::IsWrittenText(table.GetString(column))) {
            cLog::Instance().Error(L"FirstUnusableGuiText -> text %i of gui_vocabular.csv is empty or no text.", entry);
            return entry;
        }
    }
    for (; entry < kGuiTextCount; ++entry) {
        if (IsDrawn(entry)) {
            cLog::Instance().Error(L"FirstUnusableGuiText -> gui_vocabular.csv ends before text %i.", entry);
            return entry;
        }
    }
    return -1;
}

bool GuiVocabularyReadable()
{
    return FirstUnusableGuiText() < 0;
}
