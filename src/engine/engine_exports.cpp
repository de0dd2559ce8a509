#include <SDL_image.h>
#include <SDL_ttf.h>

#include <utility>

#include "engine/engine_context.h"
#include "engine/engine_testing.h"
#include "engine/gfx_2d.h"
#include "engine/gfx_device.h"

iGfxDevice* g_pGfxDevice = nullptr;
iGfx2D* g_pGfx2D = nullptr;

namespace {
cGfxDevice* g_device = nullptr;
cGfx2D* g_gfx2d = nullptr;
} // namespace

namespace engine {

Context& GetContext()
{
    static Context context;
    return context;
}

void LogicalToWindow(int x, int y, int* wx, int* wy)
{
    const Context& context = GetContext();
    float fx = static_cast<float>(x);
    float fy = static_cast<float>(y);
    if (context.renderer && !context.target) {
        int ix = 0;
        int iy = 0;
        SDL_RenderLogicalToWindow(context.renderer, fx, fy, &ix, &iy);
        *wx = ix;
        *wy = iy;
        return;
    }
    *wx = x;
    *wy = y;
}

bool ReadPixel(int x, int y, uint32_t* argb)
{
    const Context& context = GetContext();
    if (!context.renderer || !argb || x < 0 || y < 0 || x >= context.logicalWidth || y >= context.logicalHeight)
        return false;
    SDL_Rect rect { x, y, 1, 1 };
    Uint32 pixel = 0;
    if (SDL_RenderReadPixels(context.renderer, &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0)
        return false;
    *argb = pixel;
    return true;
}

bool ReadFrame(std::vector<uint32_t>* argb, int* width, int* height)
{
    const Context& context = GetContext();
    if (!context.renderer || !argb || !width || !height || context.logicalWidth <= 0 || context.logicalHeight <= 0)
        return false;
    argb->assign(static_cast<size_t>(context.logicalWidth) * static_cast<size_t>(context.logicalHeight), 0);
    SDL_Rect rect { 0, 0, context.logicalWidth, context.logicalHeight };
    if (SDL_RenderReadPixels(context.renderer, &rect, SDL_PIXELFORMAT_ARGB8888, argb->data(), context.logicalWidth * 4)
        != 0)
        return false;
    *width = context.logicalWidth;
    *height = context.logicalHeight;
    return true;
}

int TextRasterisations()
{
    return GetContext().textRasterisations;
}

void SetRasterisationObserver(std::function<void(const std::wstring&)> observer)
{
    GetContext().rasterisationObserver = std::move(observer);
}

void SetMeasurementObserver(std::function<void(const std::wstring&)> observer)
{
    GetContext().measurementObserver = std::move(observer);
}

int TexturesCreated()
{
    return GetContext().texturesCreated;
}

int TextureUploads()
{
    return GetContext().textureUploads;
}

int TextureReuploads()
{
    return GetContext().textureReuploads;
}

int LargeSdlBlends()
{
    return GetContext().largeSdlBlends;
}

uint64_t DrawNanoseconds()
{
    return GetContext().drawNanoseconds;
}

uint64_t PresentNanoseconds()
{
    return GetContext().presentNanoseconds;
}

uint64_t PaceNanoseconds()
{
    return GetContext().paceNanoseconds;
}

} // namespace engine

HRESULT InitEngine(int, iGfxDevice** device, iGfx2D** gfx2d)
{
    if (!g_device) {
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
        g_device = new cGfxDevice;
        g_gfx2d = new cGfx2D(g_device);
        g_pGfxDevice = g_device;
        g_pGfx2D = g_gfx2d;
    }
    if (device)
        *device = g_device;
    if (gfx2d)
        *gfx2d = g_gfx2d;
    return S_OK;
}

void CloseEngine()
{
    delete g_gfx2d;
    delete g_device;
    g_gfx2d = nullptr;
    g_device = nullptr;
    g_pGfx2D = nullptr;
    g_pGfxDevice = nullptr;
    // Fonts the game still holds keep the font library open.
    if (engine::GetContext().fonts.empty() && TTF_WasInit())
        TTF_Quit();
    IMG_Quit();
}
