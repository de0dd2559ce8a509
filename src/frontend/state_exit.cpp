#include "frontend/state_exit.h"

#include "app/application.h"
#include "engine/gfx.h"
#include "platform/time_source.h"
#include "world/game_world.h"

namespace {
constexpr int kEscapeKey = 27;
} // namespace

cStateExit::~cStateExit()
{
    ReleaseTextures();
}

bool cStateExit::Init(void* /*application*/)
{
    return true;
}

void cStateExit::Exit(void* /*application*/) { }

void cStateExit::ReleaseTextures()
{
    delete background;
    background = nullptr;
    delete frame;
    frame = nullptr;
    pictureSet.Unload();
    pictureSetLoaded = false;
}

bool cStateExit::Update(void* application)
{
    // The credits are for a player who has played: a quit before any level
    // was left ends the program at once.
    if (!cGameWorld::Instance().levelLeftInRun)
        return false;
    auto* app = static_cast<cApplication*>(application);
    if (app && app->IsKeyDown(kEscapeKey)) {
        app->ClearKey(kEscapeKey);
        ReleaseTextures();
        return false;
    }
    if (!loaded) {
        LoadCredits();
        loaded = 1;
    }
    const double now = platform::NowMilliseconds();
    if (now - lastStep > kStepMilliseconds) {
        lastStep = now;
        scrollY -= kScrollStep;
    }

    if (g_pGfxDevice) {
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
        g_pGfxDevice->BeginScene();
    }
    if (g_pGfx2D)
        g_pGfx2D->SetDrawMode(0);
    if (!DrawCredits()) {
        ReleaseTextures();
        return false;
    }
    if (g_pGfxDevice) {
        g_pGfxDevice->EndScene();
        g_pGfxDevice->Present();
    }
    return true;
}
