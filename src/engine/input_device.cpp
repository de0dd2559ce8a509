// The mouse device: SDL's mouse events, taken in as the platform's message
// pump shows them, become the position, the held buttons, the clicks and the
// wheel the game polls once per input tick.
#include <SDL.h>

#include <algorithm>
#include <array>

#include "engine/engine_context.h"
#include "engine/gfx.h"
#include "platform/sdl_access.h"

iInputDevice* g_pInputDevice = nullptr;

namespace {

constexpr int kButtons = 3;

int ButtonIndex(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

class cInputDevice : public iInputDevice {
public:
    cInputDevice() { platform::AddSdlEventObserver(&cInputDevice::OnEvent, this); }
    ~cInputDevice() override
    {
        Unacquire();
        platform::RemoveSdlEventObserver(&cInputDevice::OnEvent, this);
    }
    cInputDevice(const cInputDevice&) = delete;
    cInputDevice& operator=(const cInputDevice&) = delete;

    void Acquire() override
    {
        if (m_acquired)
            return;
        m_acquired = true;
        ApplyClip();
    }

    void Unacquire() override
    {
        if (!m_acquired)
            return;
        m_acquired = false;
        // The mouse is the player's again: nothing stays held, and whatever
        // happens until it is taken back is not the game's.
        m_pending = {};
        m_held = {};
        m_clicks = {};
        m_events = {};
        m_wheel = 0;
        if (m_window)
            SDL_SetWindowMouseRect(m_window, nullptr);
    }

    void Update() override
    {
        m_x = m_pendingX;
        m_y = m_pendingY;
        Clamp(&m_x, &m_y);
        for (int b = 0; b < kButtons; ++b) {
            m_held[b] = m_pending.held[b];
            m_clicks[b] += m_pending.clicks[b];
            m_events[b] = m_events[b] || m_pending.events[b];
            m_pending.clicks[b] = 0;
            m_pending.events[b] = false;
        }
        m_wheel += m_pending.wheel;
        m_pending.wheel = 0;
    }

    void SetWindow(HWND window, int) override
    {
        if (m_window && m_acquired)
            SDL_SetWindowMouseRect(m_window, nullptr);
        m_window = platform::SdlWindowOf(window);
        ApplyClip();
    }

    void SetCursorClip(const RECT* clip) override
    {
        m_hasClip = clip && clip->right > clip->left && clip->bottom > clip->top;
        if (m_hasClip)
            m_clip = *clip;
        ApplyClip();
        Clamp(&m_x, &m_y);
        Clamp(&m_pendingX, &m_pendingY);
    }

    void SetCursorPos(int x, int y) override
    {
        Clamp(&x, &y);
        m_x = m_pendingX = x;
        m_y = m_pendingY = y;
        if (m_window) {
            int wx = 0;
            int wy = 0;
            engine::LogicalToWindow(x, y, &wx, &wy);
            SDL_WarpMouseInWindow(m_window, wx, wy);
        }
    }

    void ClearButtonEvent() override { m_events = {}; }
    int GetMouseX() override { return m_x; }
    int GetMouseY() override { return m_y; }

    int GetWheelDelta() override
    {
        int delta = m_wheel;
        m_wheel = 0;
        return delta;
    }

    bool IsButtonDown(int button) override { return Valid(button) && m_held[button]; }

    bool WasButtonClicked(int button) override
    {
        if (!Valid(button) || m_clicks[button] == 0)
            return false;
        --m_clicks[button];
        return true;
    }

    bool HasButtonEvent(int button) override { return Valid(button) && m_events[button]; }

private:
    static bool Valid(int button) { return button >= 0 && button < kButtons; }

    static void OnEvent(const SDL_Event& event, void* user) { static_cast<cInputDevice*>(user)->Take(event); }

    void Take(const SDL_Event& event)
    {
        switch (event.type) {
        case SDL_MOUSEMOTION:
            if (event.motion.which == SDL_TOUCH_MOUSEID)
                break;
            m_pendingX = event.motion.x;
            m_pendingY = event.motion.y;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int b = ButtonIndex(event.button.button);
            if (b < 0 || event.button.which == SDL_TOUCH_MOUSEID)
                break;
            m_pendingX = event.button.x;
            m_pendingY = event.button.y;
            if (!m_acquired)
                break;
            bool down = event.type == SDL_MOUSEBUTTONDOWN;
            // A click is a press and its release; a release whose press the
            // game never saw (the click that took the mouse back) is none.
            if (!down && m_pending.held[b])
                ++m_pending.clicks[b];
            m_pending.held[b] = down;
            m_pending.events[b] = true;
            break;
        }
        case SDL_MOUSEWHEEL:
            if (!m_acquired || event.wheel.which == SDL_TOUCH_MOUSEID)
                break;
            m_pending.wheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            break;
        default:
            break;
        }
    }

    // The clip holds the cursor inside it (right and bottom excluded), as a
    // clipped system cursor would be held.
    void Clamp(int* x, int* y) const
    {
        if (!m_hasClip || !m_acquired)
            return;
        *x = std::clamp(*x, m_clip.left, m_clip.right - 1);
        *y = std::clamp(*y, m_clip.top, m_clip.bottom - 1);
    }

    void ApplyClip()
    {
        if (!m_window || !m_acquired)
            return;
        if (!m_hasClip) {
            SDL_SetWindowMouseRect(m_window, nullptr);
            return;
        }
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        engine::LogicalToWindow(m_clip.left, m_clip.top, &left, &top);
        engine::LogicalToWindow(m_clip.right, m_clip.bottom, &right, &bottom);
        SDL_Rect rect { left, top, std::max(1, right - left), std::max(1, bottom - top) };
        SDL_SetWindowMouseRect(m_window, &rect);
    }

    struct Pending {
        std::array<bool, kButtons> held {};
        std::array<int, kButtons> clicks {};
        std::array<bool, kButtons> events {};
        int wheel = 0;
    };

    SDL_Window* m_window = nullptr;
    bool m_acquired = false;
    bool m_hasClip = false;
    RECT m_clip;
    Pending m_pending;
    int m_pendingX = 0;
    int m_pendingY = 0;
    int m_x = 0;
    int m_y = 0;
    std::array<bool, kButtons> m_held {};
    std::array<int, kButtons> m_clicks {};
    std::array<bool, kButtons> m_events {};
    int m_wheel = 0;
};

} // namespace

HRESULT InitInput(HINSTANCE, iInputDevice** device, void** aux)
{
    if (!g_pInputDevice)
        g_pInputDevice = new cInputDevice;
    if (device)
        *device = g_pInputDevice;
    if (aux)
        *aux = nullptr;
    return S_OK;
}

void CloseInput()
{
    delete g_pInputDevice;
    g_pInputDevice = nullptr;
}
