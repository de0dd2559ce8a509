#include "app/plain_app.h"

#include "app/clock.h"
#include "engine/gfx.h"
#include "platform/window.h"
#include "resources/log.h"

bool cPlainApp::Init()
{
    cClock::Instance().Reset();
    InitEngine(522, &g_pGfxDevice, &g_pGfx2D);
    platform::SetWindowStyle(window, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    SetClientSize(kWidth, kHeight);
    CenterWindow();
    if (!g_pGfxDevice) {
        cLog::Instance().Error(L"FAILED: %ls", L"No compatible device found.");
        return false;
    }
    const HRESULT hr = g_pGfxDevice->Create(window, kWidth, kHeight, 32, 1);
    if (FAILED(hr)) {
        cLog::Instance().Error(L"FAILED: %ls", L"No compatible device found.");
        CloseEngine();
        return false;
    }
    g_pGfxDevice->SetDisplayMode(kWidth, kHeight, 32, 0, 0, 0);
    // Making the renderer may make the system window anew, at the desktop's
    // corner: place it again, as the windowed display sequence does.
    platform::ShowWindow(window, SW_SHOWNORMAL);
    SetClientSize(kWidth, kHeight);
    CenterWindow();
    return true;
}

bool cPlainApp::PreFrame()
{
    return false;
}

bool cPlainApp::Frame()
{
    g_pGfxDevice->BeginScene();
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, MakeARGB(255, 0, 0, 0), 0.0f, 0);
    g_pGfxDevice->EndScene();
    g_pGfxDevice->Present();
    ++frames;
    cClock::Instance().Update();
    return true;
}

bool cPlainApp::Shutdown()
{
    CloseEngine();
    return true;
}
