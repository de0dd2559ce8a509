// Run and its two message loops.
#include "app/application.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "engine/gfx.h"
#include "platform/message_pump.h"
#include "resources/log.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"

namespace {
const wchar_t* const kWindowTitle = L"(c) Vandrel";
}

bool cApplication::Run()
{
#ifdef __GLIBC__
    // Image pixels are large blocks freed when a screen is left: given their
    // own mappings they go back to the system at once, rather than staying in
    // the heap once malloc has raised its threshold to their size.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    if (!platform::RegisterWindowClass(windowClass))
        return false;
    window = platform::CreateWindowOfClass(className, kWindowTitle, style, x, y, clientWidth, clientHeight, instance);
    if (!window) {
        cLog::Instance().Error(L"cApplication::Run -> Unable to create the window: %s", platform::LastError().c_str());
        platform::UnregisterWindowClass(className, instance);
        return false;
    }
    platform::ShowWindow(window, SW_SHOWNORMAL);
    platform::UpdateWindow(window);
    SetClientSize(clientWidth, clientHeight);
    CenterWindow();

    if (!Init()) {
        platform::UnregisterWindowClass(className, instance);
        return true;
    }

    RunLoop(&cApplication::PreFrame, true);
    // A close that came while the first loop took the waiting messages ends
    // the program: the main loop would otherwise start over and lose it.
    const bool closed = g_appRunning == 0;

    if (Start() && !cGameWorld::Instance().quitRequested && !closed)
        RunLoop(&cApplication::Frame, false);

    ReleaseAll();
    Shutdown();
    platform::UnregisterWindowClass(className, instance);
    return true;
}

void cApplication::RunLoop(FrameStep step, bool stopMusicWhileInactive)
{
    g_appRunning = 1;
    g_appActive = 1;
    MSG msg {};
    platform::PeekMessage(&msg, PM_NOREMOVE);
    // A WM_QUIT has no window, so only g_appRunning ends the loop.
    while (!(msg.message == WM_QUIT && msg.hwnd == window) && g_appRunning != 0) {
        int got;
        if (g_appActive) {
            got = platform::PeekMessage(&msg, PM_REMOVE) ? 1 : 0;
        } else {
            if (stopMusicWhileInactive) {
                if (iSoundInstance* music = cGameWorld::Instance().musicStream)
                    music->Stop();
            }
            // Inactive: nothing is drawn and the thread sleeps until a
            // message comes.
            got = platform::GetMessage(&msg);
        }
        if (got != 0) {
            platform::TranslateMessage(&msg);
            platform::DispatchMessage(&msg);
            continue;
        }
        if (!g_appActive)
            continue;
        // A device that cannot draw (minimised, lost) skips the frame.
        if (g_pGfxDevice && g_pGfxDevice->TestDevice() == E_FAIL)
            continue;
        const bool goOn = (this->*step)();
        EndKeyFrame();
        if (!goOn)
            break;
    }
}
