#include "engine/gfx.h"

iGfxDevice* g_pGfxDevice = nullptr;
iGfx2D* g_pGfx2D = nullptr;
iInputDevice* g_pInputDevice = nullptr;

HRESULT InitEngine(int, iGfxDevice** device, iGfx2D** gfx2d)
{
    if (device)
        *device = nullptr;
    if (gfx2d)
        *gfx2d = nullptr;
    return E_FAIL;
}

void CloseEngine() {}

HRESULT InitInput(HINSTANCE, iInputDevice** device, void** aux)
{
    if (device)
        *device = nullptr;
    if (aux)
        *aux = nullptr;
    return E_FAIL;
}

void CloseInput() {}
