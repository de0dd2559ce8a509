// The GUI text table: the interface texts of the settings' language, read
// from gui_vocabular.csv and addressed by fixed numbers (text k is the k-th
// data row). It lives for the whole run and is loaded again after every
// change of language.
#pragma once

constexpr int kGuiTextCount = 156;
// Units per entry, the terminator included.
constexpr int kGuiTextLength = 1024;

extern wchar_t g_guiVocabulary[kGuiTextCount][kGuiTextLength];

// Fills the table from entry 0 on; entries behind the last data row keep what
// they held. A missing table is logged and leaves the texts as they are.
void LoadGuiVocabulary();

// Whether the table can be read and holds at least one text: without it every
// button would be blank, so the game does not start.
bool GuiVocabularyReadable();
