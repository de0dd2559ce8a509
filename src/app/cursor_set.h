// The game's own mouse cursor: an animated image from the texture pages of
// data/gui/cursor, drawn last in every frame at the mouse position. The system
// cursor stays hidden while the game holds the mouse (input_process.h).
#pragma once

#include <cstdint>
#include <string>

#include "app/clock.h"
#include "app/process.h"
#include "resources/page_manager.h"

class cCursorSet {
public:
    // Made on first use and kept until the program ends.
    static cCursorSet& Instance();

    cCursorSet(const cCursorSet&) = delete;
    cCursorSet& operator=(const cCursorSet&) = delete;

    // The cursor images; false when the page set cannot be read.
    bool Load();
    // Whether the page set's descriptor (data/gui/cursor/descriptor.xml)
    // reads; needs no device. The start is refused without it.
    static bool PagesReadable();
    static constexpr const wchar_t* kFolder = L"data/gui/cursor";
    void Release();

    // Chooses the cursor by name ("Standard", "Click"); the number goes with
    // it (1 Standard, 2 Click) and is what GetCurrentCursor reports. The frame
    // number stays: a cursor with fewer frames wraps on its next draw.
    void SetCursor(const wchar_t* cursorName, int number);
    uint16_t GetCurrentCursor() const { return cursorId; }
    void SetPosition(int newX, int newY);

    // Per input tick while the game holds the mouse: follows the mouse and
    // makes the next frame due once 0.05 s have passed since the last one.
    void Update();
    // Draws the current frame at the cursor position with the alpha
    // (level >> 4) × 255, so 16 is opaque; steps a due frame, wrapping to
    // frame 0 when the next numbered image is missing.
    void Draw(int level);

    const std::wstring& GetName() const { return name; }
    uint32_t GetFrame() const { return frame; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    bool IsAdvanceDue() const { return advance != 0; }

    // The frame clock's time, copied in by the cursor synchroniser.
    double time = 0.0;

private:
    cCursorSet();

    std::wstring name = L"Standard";
    uint16_t cursorId = 1;
    CPageManager pages;
    uint32_t frame = 0;
    int32_t x = 0;
    int32_t y = 0;
    cTimer frameTimer;
    uint8_t advance = 1;
};

namespace Private {

// Copies the frame clock's time into the cursor set every 0.04 s.
class cCursorSync : public iProcess {
public:
    cCursorSync()
        : iProcess(L"__unnamed__")
    {
    }
    bool Update(void* application) override;
};

} // namespace Private

extern Private::cCursorSync g_cursorSync;
