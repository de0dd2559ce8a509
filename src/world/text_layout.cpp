// cGameWorld::FormatText: lays a text out into the world's line buffer for
// the interface language. Word languages wrap at spaces, "chi" and "jap" wrap
// at any character, "heb" pads its single lines for alignment. "#" (and "~" in
// word mode) forces a break.
//
// The buffers are fixed (kFormatLines lines of kFormatLineLength - 1
// characters, kFormattedTextLength - 1 characters joined): longer text is cut
// with a warning, never written past them.
#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gfx.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr size_t kMaxLineChars = world::kFormatLineLength - 1;
constexpr size_t kMaxTextChars = world::kFormattedTextLength - 1;
// Single lines get at most this many alignment spaces on a side.
constexpr int kMaxSideSpaces = 123;

int TextWidth(iGfxFont* font, const std::wstring& text)
{
    if (!font)
        return 0;
    SIZE size;
    font->MeasureText(text.c_str(), &size);
    return size.cx;
}

bool IsBreak(wchar_t c)
{
    return c == L'#' || c == L'~';
}

bool IsWordEnd(wchar_t c)
{
    return c == L' ' || IsBreak(c);
}

bool HasBreak(const std::wstring& text)
{
    return text.find_first_of(L"#~") != std::wstring::npos;
}

// Spaces that fill `room` pixels in steps of `step` pixels, halved when asked.
// A step of 0 or less (a font that gives a space no width) gives none.
int SpaceCount(int room, int step, bool halve, int limit)
{
    if (step <= 0)
        return 0;
    int count = room / step;
    if (halve)
        count /= 2;
    return std::clamp(count, 0, limit);
}

// Collects the lines of one layout within the buffer's bounds.
class LineCollector {
public:
    bool Full() const { return m_lines.size() >= static_cast<size_t>(world::kFormatLines); }
    bool Cut() const { return m_cut; }
    void MarkCut() { m_cut = true; }
    const std::vector<std::wstring>& Lines() const { return m_lines; }

    // Appends a character to the open line; false when the line is full and
    // the character was dropped.
    bool Append(std::wstring& line, wchar_t c)
    {
        if (line.size() >= kMaxLineChars) {
            m_cut = true;
            return false;
        }
        line.push_back(c);
        return true;
    }

    void Close(std::wstring& line)
    {
        if (Full()) {
            m_cut = true;
        } else {
            if (line.size() > kMaxLineChars) {
                line.resize(kMaxLineChars);
                m_cut = true;
            }
            m_lines.push_back(line);
        }
        line.clear();
    }

private:
    std::vector<std::wstring> m_lines;
    bool m_cut = false;
};

void LayOutWords(const std::wstring& text, int maxWidth, iGfxFont* font, LineCollector& out)
{
    const std::wstring work = text + L"#";
    std::wstring line;
    size_t i = 0;
    for (; i < work.size() && !out.Full(); ++i) {
        const wchar_t c = work[i];
        if (!IsWordEnd(c)) {
            out.Append(line, c);
            continue;
        }
        // The next word, up to and including the character that ends it.
        size_t end = i + 1;
        while (end < work.size() && !IsWordEnd(work[end]))
            ++end;
        const std::wstring word = work.substr(i + 1, std::min(end + 1, work.size()) - (i + 1));
        if (IsBreak(c) || TextWidth(font, line) + TextWidth(font, word) > maxWidth)
            out.Close(line);
        else
            out.Append(line, c);
    }
    if (i < work.size())
        out.MarkCut();
}

void LayOutCharacters(const std::wstring& text, int maxWidth, iGfxFont* font, LineCollector& out)
{
    std::wstring line;
    size_t i = 0;
    for (; i < text.size() && !out.Full(); ++i) {
        const wchar_t c = text[i];
        if (c == L'#') {
            out.Close(line);
            continue;
        }
        const bool kept = out.Append(line, c);
        // The character that makes the line too wide still ends it.
        if ((kept && TextWidth(font, line) > maxWidth) || i + 1 == text.size())
            out.Close(line);
    }
    if (i < text.size())
        out.MarkCut();
}

} // namespace

void cGameWorld::FormatText(bool centre, const std::wstring& text, int maxWidth, iGfxFont* font)
{
    const wchar_t* code = cSettings::Instance().languageCode;
    const std::wstring_view language(code, wcsnlen(code, 4));
    const bool byCharacters = language == L"chi" || language == L"jap";
    const bool hebrew = language == L"heb";

    LineCollector out;
    std::wstring joined;
    const int spaceWidth = TextWidth(font, L" ");

    bool oneLine;
    if (byCharacters)
        oneLine = !HasBreak(text) && (text.size() <= 9 || TextWidth(font, text) <= maxWidth);
    else
        oneLine = text.size() < 10 || (!HasBreak(text) && TextWidth(font, text) <= maxWidth);

    if (oneLine) {
        std::wstring line = text;
        const int lineWidth = TextWidth(font, text);
        const int room = maxWidth - lineWidth;
        int padding = 0;
        if (!byCharacters) {
            if (hebrew) {
                const int n = SpaceCount(room, spaceWidth, centre, kMaxSideSpaces);
                line = std::wstring(n, L' ') + line + (centre ? std::wstring(n, L' ') : std::wstring());
            }
            if (centre)
                padding = SpaceCount(room, spaceWidth + 2, true, kMaxSideSpaces);
        } else if (centre) {
            int firstWidth = TextWidth(font, text.substr(0, 1));
            if (firstWidth == 0)
                firstWidth = 16;
            padding = SpaceCount(room, firstWidth, true, kMaxSideSpaces);
        }
        out.Close(line);
        joined = std::wstring(padding, L' ') + out.Lines().front() + L"\n";
    } else {
        if (byCharacters)
            LayOutCharacters(text, maxWidth, font, out);
        else
            LayOutWords(text, maxWidth, font, out);
        for (const std::wstring& line : out.Lines()) {
            int padding = 0;
            if (centre && !byCharacters)
                padding = SpaceCount(maxWidth - TextWidth(font, line), spaceWidth, true, world::kFormattedTextLength);
            joined += std::wstring(padding, L' ') + line + L"\n";
            if (joined.size() > kMaxTextChars)
                break;
        }
    }

    formatLineCount = static_cast<int>(out.Lines().size());
    for (size_t i = 0; i < out.Lines().size(); ++i) {
        const std::wstring& line = out.Lines()[i];
        std::copy(line.begin(), line.end(), formatLines[i]);
        formatLines[i][line.size()] = L'\0';
    }
    bool cut = out.Cut();
    if (joined.size() > kMaxTextChars) {
        joined.resize(kMaxTextChars);
        cut = true;
    }
    std::copy(joined.begin(), joined.end(), formattedText);
    formattedText[joined.size()] = L'\0';
    if (cut)
        cLog::Instance().Warning(L"cGameWorld::FormatText -> text cut to %d lines of at most %d characters",
            formatLineCount, static_cast<int>(kMaxLineChars));
}
