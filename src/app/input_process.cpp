#include "app/input_process.h"

#include "app/application.h"
#include "app/cursor_set.h"
#include "engine/gfx.h"
#include "platform/keyboard.h"
#include "platform/window.h"
#include "resources/log.h"
#include "world/game_world.h"

uint8_t g_mouseCaptured = 1;
void* g_pInputAux = nullptr;

namespace {

// The device on the window, the mouse at the client centre and kept a few
// pixels inside the client area, where the cursor image still shows.
void AttachToWindow(cApplication& app)
{
    if (!g_pInputDevice)
        return;
    g_pInputDevice->SetWindow(app.GetWindow(), 1);
    g_pInputDevice->SetCursorPos(app.GetClientWidth() / 2, app.GetClientHeight() / 2);
    const RECT clip { 0, 0, app.GetClientWidth() - 4, app.GetClientHeight() - 4 };
    g_pInputDevice->SetCursorClip(&clip);
}

bool LeftControlDown()
{
    return (platform::GetKeyState(VK_LCONTROL) & 0x8000) != 0;
}

} // namespace

void CaptureMouseOnClick(HWND /*window*/, UINT message)
{
    if (g_mouseCaptured != 0 || message != WM_LBUTTONDOWN)
        return;
    g_mouseCaptured = 1;
    if (g_pInputDevice)
        g_pInputDevice->Acquire();
    platform::ShowCursor(false);
    cGameWorld::Instance().SetPause(false);
}

bool cInputProcess::Init(void* application)
{
    auto& app = *static_cast<cApplication*>(application);
    InitInput(app.GetInstance(), &g_pInputDevice, &g_pInputAux);
    AttachToWindow(app);
    // The station view finds the place under the mouse (hover, and where a
    // dragged car is dropped) through the world, which reads it from here.
    cGameWorld::SetMouseSource([](int& x, int& y) {
        x = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
        y = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    });
    app.ShowCursor(false);
    cLog::Instance().Write(L"cInputProcess::Init -> DirectInput initialized ok");
    app.GetProcessManager().Add(&g_cursorSync, application, 0.04);
    return true;
}

bool cInputProcess::Update(void* application)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.rebindInput != 0) {
        if (application)
            AttachToWindow(*static_cast<cApplication*>(application));
        world.rebindInput = 0;
    }
    if (g_mouseCaptured == 0 || !g_pInputDevice)
        return true;
    if (LeftControlDown() && world.fullScreen == 0) {
        g_pInputDevice->Unacquire();
        world.SetPause(true);
        platform::ShowCursor(true);
        g_mouseCaptured = 0;
        return true;
    }
    g_pInputDevice->Acquire();
    g_pInputDevice->Update();
    cCursorSet::Instance().Update();
    return true;
}

void cInputProcess::Exit(void* /*application*/)
{
    cGameWorld::SetMouseSource(nullptr);
    CloseInput();
}
