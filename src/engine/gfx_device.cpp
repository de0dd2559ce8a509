#include "engine/gfx_device.h"

#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "engine/engine_context.h"
#include "engine/gfx_font.h"
#include "engine/gfx_texture.h"
#include "platform/folders.h"
#include "platform/sdl_access.h"
#include "platform/utf16.h"
#include "resources/log.h"

namespace {

// The window can be minimised behind SDL's back under some window managers;
// the window events tell us as well.
bool g_minimised = false;

void WatchWindow(const SDL_Event& event, void*)
{
    if (event.type != SDL_WINDOWEVENT)
        return;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        g_minimised = true;
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
        g_minimised = false;
        break;
    default:
        break;
    }
}

bool IsDummyVideo()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver)
        driver = SDL_getenv("SDL_VIDEODRIVER");
    return driver && SDL_strcasecmp(driver, "dummy") == 0;
}

bool EndsWithNoCase(const std::string& text, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return text.size() >= n && SDL_strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

} // namespace

cGfxDevice::~cGfxDevice()
{
    DestroyRenderer();
    platform::RemoveSdlEventObserver(WatchWindow, nullptr);
    engine::GetContext().window = nullptr;
}

void cGfxDevice::DestroyRenderer()
{
    engine::Context& context = engine::GetContext();
    for (cGfxFont* font : context.fonts)
        font->DropAllLines();
    if (context.renderer)
        SDL_DestroyRenderer(context.renderer);
    if (context.targetWindow)
        SDL_DestroyWindow(context.targetWindow); // the target is its surface
    else if (context.target)
        SDL_FreeSurface(context.target);
    context.renderer = nullptr;
    context.target = nullptr;
    context.targetWindow = nullptr;
    ++context.generation;
}

bool cGfxDevice::MakeOffscreenTarget(int width, int height)
{
    engine::Context& context = engine::GetContext();
    if (SDL_WasInit(SDL_INIT_VIDEO))
        context.targetWindow = SDL_CreateWindow("", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    if (context.targetWindow) {
        SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
        context.renderer = SDL_CreateRenderer(context.targetWindow, -1, SDL_RENDERER_SOFTWARE);
        context.rendererName = "software (off-screen)";
        context.target = context.renderer ? SDL_GetWindowSurface(context.targetWindow) : nullptr;
        if (!context.target)
            DestroyRenderer();
    }
    // Without a video subsystem the renderer draws straight into a surface.
    if (!context.renderer) {
        context.target = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        if (context.target)
            context.renderer = SDL_CreateSoftwareRenderer(context.target);
        context.rendererName = "software (off-screen)";
    }
    if (!context.renderer) {
        cLog::Instance().Error(L"cGfxDevice::Create -> Unable to make an off-screen target: %s", SDL_GetError());
        DestroyRenderer();
        return false;
    }
    SDL_SetRenderDrawBlendMode(context.renderer, SDL_BLENDMODE_BLEND);
    SDL_FillRect(context.target, nullptr, SDL_MapRGBA(context.target->format, 0, 0, 0, 255));
    return true;
}

HRESULT cGfxDevice::Create(HWND window, int width, int height, int, int)
{
    engine::Context& context = engine::GetContext();
    SDL_Window* sdl = platform::SdlWindowOf(window);
    if (window && !sdl) {
        cLog::Instance().Error(L"cGfxDevice::Create -> The window has no SDL window");
        return GFX_E_INVALID_WINDOW;
    }
    if (width <= 0 || height <= 0) {
        cLog::Instance().Error(L"cGfxDevice::Create -> Invalid size %i x %i", width, height);
        return GFX_E_NO_DEVICE;
    }
    DestroyRenderer();
    platform::RemoveSdlEventObserver(WatchWindow, nullptr);
    platform::AddSdlEventObserver(WatchWindow, nullptr);
    g_minimised = false;
    context.window = sdl;
    context.wantFullScreen = false;
    context.logicalWidth = width;
    context.logicalHeight = height;
    // Stretched images (logos, full-screen scaling) look smoother filtered.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");

    if (!sdl || IsDummyVideo())
        return MakeOffscreenTarget(width, height) ? S_OK : GFX_E_NO_DEVICE;

    context.renderer = engine::CreateWindowRenderer(sdl);
    if (!context.renderer) {
        cLog::Instance().Error(L"cGfxDevice::Create -> Unable to create a renderer: %s", SDL_GetError());
        return GFX_E_NO_DEVICE;
    }
    SDL_SetRenderDrawBlendMode(context.renderer, SDL_BLENDMODE_BLEND);
    SDL_RenderSetLogicalSize(context.renderer, width, height);
    return S_OK;
}

void cGfxDevice::SyncWindowMode()
{
    engine::Context& context = engine::GetContext();
    if (!context.window)
        return;
    bool isFull = (SDL_GetWindowFlags(context.window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (isFull != context.wantFullScreen)
        SDL_SetWindowFullscreen(context.window, context.wantFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

HRESULT cGfxDevice::BeginScene()
{
    if (!engine::GetContext().renderer)
        return E_FAIL;
    SyncWindowMode();
    return S_OK;
}

HRESULT cGfxDevice::EndScene()
{
    return engine::GetContext().renderer ? S_OK : E_FAIL;
}

// Frames are paced to the display's refresh rate (60 Hz when the display
// does not say): a renderer that cannot wait for the vertical sync (software,
// or a virtual display whose sync is only claimed) would otherwise draw as
// fast as it can and keep a core busy. Where the present did wait, the period
// is over and nothing more is waited.
void cGfxDevice::PaceFrame()
{
    engine::Context& context = engine::GetContext();
    if (!context.window || context.target)
        return;
    int hz = 60;
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(context.window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
        hz = mode.refresh_rate;
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t period = frequency / static_cast<uint64_t>(hz);
    const uint64_t now = SDL_GetPerformanceCounter();
    const uint64_t due = context.lastPresentTicks + period;
    // Less than a millisecond to go is not worth a sleep that may oversleep.
    if (context.lastPresentTicks == 0 || now + frequency / 1000 >= due) {
        // A late frame starts the next period from now: the game never races
        // to catch up.
        context.lastPresentTicks = now;
        return;
    }
    engine::ScopedTime waited(context.paceNanoseconds);
    SDL_Delay(static_cast<Uint32>((due - now) * 1000 / frequency));
    context.lastPresentTicks = due;
}

HRESULT cGfxDevice::Present()
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return E_FAIL;
    {
        engine::ScopedTime timed(context.presentNanoseconds);
        SDL_RenderPresent(context.renderer);
    }
    PaceFrame();
    ++context.frame;
    for (cGfxFont* font : context.fonts)
        font->DropStaleLines(context.frame);
    if (context.frame % 64 == 0)
        engine::ReleaseIdleTextures();
    return S_OK;
}

HRESULT cGfxDevice::ApplyFullScreen()
{
    engine::Context& context = engine::GetContext();
    context.wantFullScreen = true;
    SyncWindowMode();
    return S_OK;
}

HRESULT cGfxDevice::SetDisplayMode(int width, int height, int, int, int, int)
{
    engine::Context& context = engine::GetContext();
    if (width <= 0 || height <= 0 || !context.renderer) {
        cLog::Instance().Error(L"cGfxDevice::SetDisplayMode -> Invalid mode %i x %i", width, height);
        return E_FAIL;
    }
    // Windowed unless ApplyFullScreen follows; the switch itself waits for
    // the next frame so that re-applying full screen does not flicker.
    context.wantFullScreen = false;
    context.logicalWidth = width;
    context.logicalHeight = height;
    if (context.target) {
        if (context.target->w == width && context.target->h == height)
            return S_OK;
        DestroyRenderer();
        return MakeOffscreenTarget(width, height) ? S_OK : E_FAIL;
    }
    return SDL_RenderSetLogicalSize(context.renderer, width, height) == 0 ? S_OK : E_FAIL;
}

HRESULT cGfxDevice::Clear(int, const RECT*, uint32_t, uint32_t color, float, int)
{
    SDL_Renderer* renderer = engine::GetContext().renderer;
    if (!renderer)
        return E_FAIL;
    // The back buffer has no alpha of its own: a clear is always opaque.
    SDL_SetRenderDrawColor(renderer, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF, 255);
    SDL_RenderClear(renderer);
    return S_OK;
}

namespace {

// The area of the output, in output pixels, that shows the logical rectangle.
SDL_Rect LogicalToOutput(const engine::Context& context, const SDL_Rect& area)
{
    int outW = 0;
    int outH = 0;
    if (context.target || SDL_GetRendererOutputSize(context.renderer, &outW, &outH) != 0 || outW <= 0 || outH <= 0)
        return area;
    // The letterbox SDL fits the logical size into, at one scale for both axes.
    double scale
        = std::min(static_cast<double>(outW) / context.logicalWidth, static_cast<double>(outH) / context.logicalHeight);
    double left = (outW - context.logicalWidth * scale) / 2;
    double top = (outH - context.logicalHeight * scale) / 2;
    return SDL_Rect { static_cast<int>(std::lround(left + area.x * scale)),
        static_cast<int>(std::lround(top + area.y * scale)), std::max(1, static_cast<int>(std::lround(area.w * scale))),
        std::max(1, static_cast<int>(std::lround(area.h * scale))) };
}

} // namespace

HRESULT cGfxDevice::SaveScreenshot(const RECT* source, const RECT*, const wchar_t* path, int, int)
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer || !path || !*path)
        return E_FAIL;
    SDL_Rect bounds { 0, 0, context.logicalWidth, context.logicalHeight };
    SDL_Rect area = bounds;
    if (source)
        area = SDL_Rect { source->left, source->top, source->right - source->left, source->bottom - source->top };
    if (!SDL_IntersectRect(&area, &bounds, &area)) {
        cLog::Instance().Error(L"cGfxDevice::SaveScreenshot -> Empty area");
        return E_FAIL;
    }

    SDL_Rect output = LogicalToOutput(context, area);
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, output.w, output.h, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* sized = nullptr;
    SDL_Surface* rgb = nullptr;
    bool ok = shot
        && SDL_RenderReadPixels(context.renderer, &output, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch) == 0;
    if (ok && (output.w != area.w || output.h != area.h)) {
        // Full screen is drawn scaled: the picture keeps the game's size.
        sized = SDL_CreateRGBSurfaceWithFormat(0, area.w, area.h, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(shot, SDL_BLENDMODE_NONE);
        ok = sized && SDL_BlitScaled(shot, nullptr, sized, nullptr) == 0;
    }
    if (ok)
        ok = (rgb = SDL_ConvertSurfaceFormat(sized ? sized : shot, SDL_PIXELFORMAT_RGB24, 0)) != nullptr;

    std::string file = platform::WideToPath(path);
    if (ok) {
        std::filesystem::path parent = std::filesystem::path(file).parent_path();
        if (!parent.empty())
            platform::MakeFolders(parent.string());
        if (EndsWithNoCase(file, ".jpg") || EndsWithNoCase(file, ".jpeg"))
            ok = IMG_SaveJPG(rgb, file.c_str(), 90) == 0;
        else
            ok = IMG_SavePNG(rgb, file.c_str()) == 0;
    }
    if (!ok)
        cLog::Instance().Error(
            L"cGfxDevice::SaveScreenshot -> Unable to write \"%ls\": %s", path, SDL_GetError());
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(sized);
    SDL_FreeSurface(shot);
    return ok ? S_OK : E_FAIL;
}

int cGfxDevice::GetZombieBytes()
{
    return static_cast<int>(std::clamp<int64_t>(engine::GetContext().liveBytes, 0, INT_MAX));
}

HRESULT cGfxDevice::TestDevice()
{
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return E_FAIL;
    if (context.window && (g_minimised || (SDL_GetWindowFlags(context.window) & SDL_WINDOW_MINIMIZED)))
        return E_FAIL;
    return S_OK;
}
