#include "app/cursor_set.h"

#include <cwchar>

#include "engine/gfx.h"

Private::cCursorSync g_cursorSync;

namespace {
// The image a cursor falls back to when it has no frame 0 at all.
const wchar_t* const kFallbackImage = L"standard0000.tga";
// Seconds between two animation frames.
constexpr double kFrameSeconds = 0.05;

std::wstring FrameImage(const std::wstring& name, uint32_t frame)
{
    wchar_t digits[16];
    std::swprintf(digits, 16, L"%04u", frame);
    return name + digits;
}
} // namespace

cCursorSet& cCursorSet::Instance()
{
    static cCursorSet cursors;
    return cursors;
}

cCursorSet::cCursorSet()
{
    frameTimer.Start();
}

bool cCursorSet::Load()
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0);
    const bool loaded = pages.Load(kFolder);
    if (g_pGfx2D)
        g_pGfx2D->SetColor(0xFFFFFFFF);
    return loaded;
}

bool cCursorSet::PagesReadable()
{
    CPageManager probe;
    return probe.Load(kFolder);
}

void cCursorSet::Release()
{
    pages.Unload();
}

void cCursorSet::SetCursor(const wchar_t* cursorName, int number)
{
    name = cursorName ? cursorName : L"";
    cursorId = static_cast<uint16_t>(number);
}

void cCursorSet::SetPosition(int newX, int newY)
{
    x = newX;
    y = newY;
}

void cCursorSet::Update()
{
    if (g_pInputDevice) {
        x = g_pInputDevice->GetMouseX();
        y = g_pInputDevice->GetMouseY();
    }
    if (advance == 0 && frameTimer.Elapsed() > kFrameSeconds) {
        frameTimer.Restart();
        advance = 1;
    }
}

void cCursorSet::Draw(int level)
{
    std::wstring image = FrameImage(name, frame);
    if (pages.HasImage(image.c_str())) {
        if (advance == 1) {
            ++frame;
            advance = 0;
        }
    } else {
        frame = 0;
        image = FrameImage(name, 0);
        if (pages.HasImage(image.c_str())) {
            if (advance == 1)
                ++frame;
            advance = 0;
        } else {
            image = kFallbackImage;
        }
    }
    if (g_pGfx2D)
        g_pGfx2D->SetDrawMode(9);
    pages.DrawImage(image.c_str(), x, y, 0, 0, 255, 255, 255, (level >> 4) * 255);
}

bool Private::cCursorSync::Update(void* /*application*/)
{
    cCursorSet::Instance().time = cClock::Instance().GetTime();
    return true;
}
