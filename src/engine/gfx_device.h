// The graphics device over an SDL renderer: a window's renderer at the game's
// logical size, or a software renderer drawing into an off-screen surface.
#pragma once

#include "engine/gfx.h"

class cGfxDevice : public iGfxDevice {
public:
    ~cGfxDevice() override;

    HRESULT Create(HWND window, int width, int height, int bitsPerPixel, int flags) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    HRESULT ApplyFullScreen() override;
    HRESULT SetDisplayMode(int width, int height, int bitsPerPixel, int refresh, int reserved1, int reserved2) override;
    HRESULT Clear(int rectCount, const RECT* rects, uint32_t flags, uint32_t color, float z, int stencil) override;
    HRESULT SaveScreenshot(
        const RECT* source, const RECT* target, const wchar_t* path, int quality, int reserved) override;
    int GetZombieBytes() override;
    HRESULT TestDevice() override;

    // Leaves or enters the desktop full screen as the last mode asked.
    void SyncWindowMode();

private:
    bool MakeOffscreenTarget(int width, int height);
    void PaceFrame();
    void DestroyRenderer();
};
