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

// The number of the first text the screens draw that the table lacks, leaves
// empty or fills with what is no text (characters that did not decode, control
// characters, private or unassigned code points); -1 when every such text is
// there. A table that cannot be read lacks text 0. The screens would draw such
// a text as a blank button or title, so the game does not start without it.
// Nor does it start when a row's first column holds a number other than the
// row's place (a row left out or put in before it would move the texts after
// it): that place is given. A first column without a number is not read.
int FirstUnusableGuiText();

// Whether every text the screens draw is there: FirstUnusableGuiText() < 0.
bool GuiVocabularyReadable();
