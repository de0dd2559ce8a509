// Start-up of the game's application: the engine, its device and the display
// mode.
#include "app/game_app.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/clock.h"
#include "engine/gfx.h"
#include "frontend/options_screen.h"
#include "platform/utf16.h"
#include "platform/window.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "scene/screen_manager.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {
constexpr DWORD kFullScreenStyle = WS_POPUP;
constexpr DWORD kWindowedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kVideoModeFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_SYSMENU;
// The frame taken for a window whose window manager has not told its own
// yet (a window never shown with its caption): a common title bar, no
// borders. Without it a window exactly as high as the desktop would count as
// fitting, and its title bar would push its foot off the screen.
constexpr RECT kAssumedFrame { 0, 30, 0, 0 };
} // namespace

cGameApp::cGameApp()
    : states { &stateMenu, &stateLevel, &stateExit }
{
}

cGameApp::~cGameApp()
{
    // The states and the input process are members: they leave the stack and
    // the queue before they are destroyed, not after (Run has done this
    // already unless it was cut short).
    stateManager.PopAll(nullptr);
    processManager.RemoveAll(nullptr);
}

LRESULT cGameApp::MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CaptureMouseOnClick(hwnd, message);
    return cApplication::MsgProc(hwnd, message, wParam, lParam);
}

void cGameApp::SetStatesForTests(iProcess* menu, iProcess* level, iProcess* exit)
{
    states[kStateMenu] = menu;
    states[kStateLevel] = level;
    states[kStateExit] = exit;
}

void cGameApp::QueryDesktopSize(int& width, int& height)
{
    platform::GetDesktopSize(&width, &height);
}

void cGameApp::QueryUsableArea(int& width, int& height)
{
    // The desktop less the room the window manager keeps for its panels.
    QueryDesktopSize(width, height);
    int desktopWidth = 0, desktopHeight = 0, usableWidth = 0, usableHeight = 0;
    if (platform::GetDesktopSize(&desktopWidth, &desktopHeight)
        && platform::GetDesktopUsableSize(&usableWidth, &usableHeight)) {
        width -= std::max(0, desktopWidth - usableWidth);
        height -= std::max(0, desktopHeight - usableHeight);
    }
}

void cGameApp::StartEngine()
{
    InitEngine(522, &g_pGfxDevice, &g_pGfx2D);
}

void cGameApp::StopEngine()
{
    CloseEngine();
}

std::wstring cGameApp::GetDeviceErrorText(HRESULT code)
{
    switch (static_cast<uint32_t>(code)) {
    case 0x82000001u:
        return L"No DirectX 8.x installed.";
    case 0x82000002u:
        return L"Invalid window handle.";
    case 0x82000003u:
        return L"No compatible device found.";
    case 0x82000004u:
        return L"No device for windowed mode found.";
    case 0x82000005u:
        return L"No hardware device found.";
    case 0x82000006u:
        return L"Incompatible HAL.";
    case 0x82000007u:
        return L"No available HAL for windowed mode.";
    case 0x82000009u:
        return L"No available HAL for requested mode mode.";
    default:
        return L"Unknown error";
    }
}

void cGameApp::AddSearchPaths()
{
    // The program folder is the working folder. Only the part below it is
    // lower-cased by the file manager: a folder name above it keeps its case,
    // or the path would not exist on a case-sensitive file system.
    std::error_code ec;
    std::wstring folder = platform::PathToWide(std::filesystem::current_path(ec).string());
    for (wchar_t& c : folder) {
        if (c == L'\\')
            c = L'/';
    }
    if (folder.empty() || folder.back() != L'/')
        folder += L'/';
    cFileManager::Instance().AddSearchPath(folder + L"data");
    cFileManager::Instance().AddSearchPath(folder + L"data" + L"/sound");
}

bool cGameApp::Init()
{
    cClock::Instance().Reset();
    AddSearchPaths();

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    StartEngine();
    SetClientSize(settings.GetWidth(), settings.GetHeight());
    CenterWindow();
    QueryDesktopSize(world.desktopWidth, world.desktopHeight);

    // The engine library may not have started at all; its device is then
    // missing rather than failing, and nothing may be called on it.
    if (!g_pGfxDevice || !g_pGfx2D) {
        cLog::Instance().Error(L"FAILED: %ls", GetDeviceErrorText(GFX_E_NO_DRIVER).c_str());
        StopEngine();
        return false;
    }
    const HRESULT hr = g_pGfxDevice->Create(window, world.desktopWidth, world.desktopHeight, 32, 1);
    if (FAILED(hr)) {
        cLog::Instance().Error(L"FAILED: %ls", GetDeviceErrorText(hr).c_str());
        StopEngine();
        return false;
    }
    g_pGfx2D->RestoreResources();
    g_pGfx2D->ReleaseResources();
    world.desktopTooSmall = 0;

    if (!FitsOnDesktop(settings.GetWidth(), settings.GetHeight()) && FitsOnDesktop(kSmallWidth, kSmallHeight)) {
        // A laptop's desktop: the game's smaller size fits where the
        // configured one does not.
        cLog::Instance().Write(L"cGameApp::Init -> The desktop (%dx%d) is smaller than %dx%d: starting at %dx%d",
            world.desktopWidth, world.desktopHeight, settings.GetWidth(), settings.GetHeight(), kSmallWidth,
            kSmallHeight);
        settings.SetResolution(kSmallWidth, kSmallHeight);
    }
    if (!FitsOnDesktop(settings.GetWidth(), settings.GetHeight())) {
        // Not an error: the game runs in a window of the desktop's size and
        // the main menu only shows the notice.
        ApplyDesktopTooSmallMode();
        world.desktopTooSmall = 1;
        return true;
    }
    // A window that would not fit with its title bar (one as wide or as high
    // as the desktop, or one that the desktop's panels leave no room for)
    // becomes full screen.
    if (settings.screenMode == 0 && !WindowFits(settings.GetWidth(), settings.GetHeight()))
        settings.screenMode = 1;
    if (settings.screenMode == 1) {
        TakeFullScreenSize();
        ApplyFullScreenMode();
    } else {
        ApplyWindowedMode();
        CenterWindow();
    }
    return true;
}

bool cGameApp::FitsOnDesktop(int width, int height)
{
    const cGameWorld& world = cGameWorld::Instance();
    return width <= world.desktopWidth && height <= world.desktopHeight;
}

bool cGameApp::WindowFits(int width, int height)
{
    int usableWidth = 0, usableHeight = 0;
    QueryUsableArea(usableWidth, usableHeight);
    RECT frame = kAssumedFrame;
    platform::GetWindowFrame(window, &frame);
    return width + frame.left + frame.right <= usableWidth && height + frame.top + frame.bottom <= usableHeight;
}

void cGameApp::RefuseWindow(int width, int height)
{
    cGameWorld& world = cGameWorld::Instance();
    int usableWidth = 0, usableHeight = 0;
    QueryUsableArea(usableWidth, usableHeight);
    cLog::Instance().Write(L"cGameApp::ApplyVideoMode -> A %dx%d window with its frame does not fit on the desktop's "
                           L"free %dx%d: staying full screen",
        width, height, usableWidth, usableHeight);
    world.fullScreen = 1;
    if (auto* options = cScreenManager::Instance().Get<Scene::OptionsScreen>(cScreenManager::kOptions))
        options->TellWindowRefused();
}

bool cGameApp::TakeFullScreenSize()
{
    cSettings& settings = cSettings::Instance();
    const bool design = FitsOnDesktop(kDesignWidth, kDesignHeight);
    const int width = design ? kDesignWidth : kSmallWidth;
    const int height = design ? kDesignHeight : kSmallHeight;
    if (settings.GetWidth() == width && settings.GetHeight() == height)
        return false;
    settings.SetResolution(width, height);
    return true;
}

void cGameApp::ClearDisplay()
{
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
    g_pGfx2D->ResetState(2.0f);
}

void cGameApp::ApplyFullScreenMode()
{
    const cSettings& settings = cSettings::Instance();
    g_pGfx2D->ReleaseResources();
    style = kFullScreenStyle;
    platform::SetWindowStyle(window, style);
    platform::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, 0);
    g_pGfxDevice->SetDisplayMode(settings.GetWidth(), settings.GetHeight(), 32, 0, 0, 0);
    g_pGfxDevice->ApplyFullScreen();
    g_pGfx2D->RestoreResources();
    ClearDisplay();
}

void cGameApp::ApplyWindowedMode()
{
    const cSettings& settings = cSettings::Instance();
    g_pGfx2D->ReleaseResources();
    style = kWindowedStyle;
    platform::SetWindowStyle(window, style);
    platform::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    g_pGfxDevice->SetDisplayMode(settings.GetWidth(), settings.GetHeight(), 32, 0, 0, 0);
    g_pGfx2D->RestoreResources();
    ClearDisplay();
    platform::ShowWindow(window, SW_SHOWNORMAL);
    platform::UpdateWindow(window);
    SetClientSize(settings.GetWidth(), settings.GetHeight());
}

void cGameApp::ApplyDesktopTooSmallMode()
{
    const cGameWorld& world = cGameWorld::Instance();
    g_pGfx2D->ReleaseResources();
    style = kWindowedStyle;
    platform::SetWindowStyle(window, style);
    platform::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, 0);
    g_pGfxDevice->SetDisplayMode(world.desktopWidth, world.desktopHeight, 32, 0, 0, 0);
    g_pGfx2D->RestoreResources();
    ClearDisplay();
    platform::ShowWindow(window, SW_SHOWNORMAL);
    platform::UpdateWindow(window);
    SetClientSize(world.desktopWidth, world.desktopHeight);
}

void cGameApp::ApplyVideoMode()
{
    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    if (!g_pGfxDevice || !g_pGfx2D)
        return;
    if (!world.fullScreen && settings.screenMode == 1 && !WindowFits(settings.GetWidth(), settings.GetHeight()))
        RefuseWindow(settings.GetWidth(), settings.GetHeight());
    if (world.fullScreen && TakeFullScreenSize()) {
        // Every screen loads its pages and fonts anew for the new size.
        world.screenSizeChanged = 1;
        world.languageChanged = 1;
    }
    const int w = settings.GetWidth();
    const int h = settings.GetHeight();
    if (world.fullScreen) {
        g_pGfx2D->ReleaseResources();
        style = kVideoModeFullScreenStyle;
        platform::SetWindowStyle(window, style);
        platform::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, 0);
        g_pGfxDevice->SetDisplayMode(w, h, 32, 0, 0, 0);
        g_pGfxDevice->ApplyFullScreen();
        g_pGfx2D->RestoreResources();
        ClearDisplay();
        settings.screenMode = 1;
        // The picture now fills the screen: the mouse's limits follow it, the
        // whole picture of the game's size (a window before may have been
        // smaller).
        clientWidth = w;
        clientHeight = h;
        world.rebindInput = 1;
        return;
    }
    g_pGfx2D->ReleaseResources();
    style = kWindowedStyle;
    platform::SetWindowStyle(window, style);
    platform::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    RECT placed {};
    platform::GetWindowRect(window, &placed);
    g_pGfxDevice->SetDisplayMode(w, h, 32, 0, 0, 0);
    g_pGfx2D->RestoreResources();
    ClearDisplay();
    platform::ShowWindow(window, SW_SHOWNORMAL);
    platform::UpdateWindow(window);
    platform::SetWindowPos(window, HWND_TOP, placed.left, placed.top, 0, 0, SWP_NOSIZE);
    SetClientSize(w, h);
    settings.screenMode = 0;
    // The input device follows the window to its new place.
    world.rebindInput = 1;
    if (world.windowCenter != 0)
        CenterWindow();
}
