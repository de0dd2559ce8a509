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

bool GuiVocabularyReadable()
{
    cCsvTable table;
    return language::OpenTable(table, L"gui_vocabular.csv") && language::NextDataRow(table);
}
