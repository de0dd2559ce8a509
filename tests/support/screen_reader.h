// Reads back what a frame shows a player from its draw calls: the texts as
// they appear (their shadows left out) and the numbers the head-up display
// writes with digit images, each glyph named by the art tables and checked
// to stand where the one before it ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/layout_check.h"
#include "support/recording_gfx.h"

namespace test {

// A number written with digit images: its characters, a blank for each gap
// the pen left, its set (1: the large digits, 2: the small ones) and the
// rectangle its glyphs cover.
struct ImageNumber {
    std::wstring text;
    int set = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A text as the player sees it: not a black shadow under another text.
struct ShownText {
    std::wstring text;
    int x = 0, y = 0;
    uint32_t colour = 0;
};

// The numbers the frame wrote with digit images, in the order drawn. A glyph
// not drawn at its image's size, or not where the pen left the one before
// it (right after it, or a blank's gap further), is added to `faults`.
std::vector<ImageNumber> ReadImageNumbers(
    const RecordingGfx& gfx, const ImageCatalog& catalog, std::vector<std::string>& faults);

// The texts of the frame, shadows left out, in the order drawn.
std::vector<ShownText> ShownTexts(const RecordingGfx& gfx);

// The text drawn on the line of `label` (the same y) nearest right of it;
// empty when there is none.
std::wstring ValueRightOf(const std::vector<ShownText>& texts, const std::wstring& label);

// "mm:ss" of a time in seconds, as every clock of the game writes it.
std::wstring ClockText(int seconds);

// The whole text as a number, or -1 when it is not one.
int NumberIn(const std::wstring& text);

} // namespace test
