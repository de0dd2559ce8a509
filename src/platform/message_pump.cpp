#include "platform/message_pump.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "platform/keyboard.h"
#include "platform/sdl_access.h"
#include "platform/utf16.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

struct Queue {
    std::deque<MSG> messages;
    bool quitPosted = false;
    int quitCode = 0;
    WPARAM mouseButtons = 0; // MK_* of the buttons held, as the pump saw them
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

std::vector<std::pair<SdlEventObserver, void*>>& Observers()
{
    static std::vector<std::pair<SdlEventObserver, void*>> observers;
    return observers;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TheQueue().messages.push_back(MSG { window, message, wParam, lParam });
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    HWND window = WindowFromSdlId(event.windowID);
    if (!window)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Post(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        Post(window, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: {
        int w = 0, h = 0;
        SDL_GetWindowSize(SdlWindowOf(window), &w, &h);
        const WPARAM kind = event.event == SDL_WINDOWEVENT_RESTORED ? SIZE_RESTORED : SIZE_MAXIMIZED;
        Post(window, WM_SIZE, kind, MakeMouseLParam(w, h));
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        const WPARAM active = event.event == SDL_WINDOWEVENT_FOCUS_GAINED ? 1 : 0;
        Post(window, WM_ACTIVATEAPP, active, 0);
        Post(window, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
        Post(window, WM_NCACTIVATE, active, 0);
        break;
    }
    default:
        break;
    }
}

// The window a key or typed text goes to: a key with no focus window
// (injected, or while focus moves) still belongs to the game's window.
HWND KeyboardWindow(Uint32 sdlId)
{
    if (HWND window = WindowFromSdlId(sdlId))
        return window;
    const auto all = AllWindows();
    return all.empty() ? nullptr : all.front();
}

void TranslateKeyEvent(const SDL_KeyboardEvent& event)
{
    // A key event is translated only when no message waits, so its message
    // is the next one taken: the key state follows the messages in order.
    NoteHeldModifiers(event.keysym.mod);
    const int vk = VirtualKeyFromSdl(event.keysym.sym, event.keysym.scancode);
    if (vk == 0)
        return;
    const bool down = event.type == SDL_KEYDOWN;
    NoteKeyState(vk, down);
    // lParam as Windows fills it: repeat count 1, the scancode, bit 30 for a
    // key that was already down, bits 30 and 31 on release.
    LPARAM lParam = 1 | (static_cast<LPARAM>(event.keysym.scancode & 0xFF) << 16);
    if (!down)
        lParam |= static_cast<LPARAM>(0xC0000000u);
    else if (event.repeat)
        lParam |= static_cast<LPARAM>(0x40000000u);
    HWND window = KeyboardWindow(event.windowID);
    if (!window)
        return;
    Post(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), lParam);
}

void TranslateTextEvent(const SDL_TextInputEvent& event)
{
    HWND window = KeyboardWindow(event.windowID);
    if (!window)
        return;
    for (const wchar_t c : NarrowToWide(event.text))
        Post(window, WM_CHAR, static_cast<WPARAM>(c), 1);
}

void TranslateMouseButton(const SDL_MouseButtonEvent& event)
{
    HWND window = WindowFromSdlId(event.windowID);
    if (!window)
        return;
    UINT downMessage = 0;
    WPARAM flag = 0;
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        downMessage = WM_LBUTTONDOWN;
        flag = MK_LBUTTON;
        break;
    case SDL_BUTTON_RIGHT:
        downMessage = WM_RBUTTONDOWN;
        flag = MK_RBUTTON;
        break;
    case SDL_BUTTON_MIDDLE:
        downMessage = WM_MBUTTONDOWN;
        flag = MK_MBUTTON;
        break;
    default:
        return;
    }
    // Each button's up message follows its down message.
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    auto& buttons = TheQueue().mouseButtons;
    buttons = down ? (buttons | flag) : (buttons & ~flag);
    Post(window, down ? downMessage : downMessage + 1, buttons, MakeMouseLParam(event.x, event.y));
}

void Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        // The desktop asks the whole program to end: as if each window closed.
        for (HWND window : AllWindows())
            Post(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKeyEvent(event.key);
        break;
    case SDL_TEXTINPUT:
        TranslateTextEvent(event.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateMouseButton(event.button);
        break;
    default:
        break;
    }
}

void Take(const SDL_Event& event)
{
    NotifySdlEventObservers(event);
    Translate(event);
}

bool EventsReady()
{
    return SDL_WasInit(SDL_INIT_EVENTS) != 0 || SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

} // namespace

void AddSdlEventObserver(SdlEventObserver observer, void* user)
{
    Observers().emplace_back(observer, user);
}

void RemoveSdlEventObserver(SdlEventObserver observer, void* user)
{
    auto& list = Observers();
    list.erase(std::remove(list.begin(), list.end(), std::make_pair(observer, user)), list.end());
}

void NotifySdlEventObservers(const SDL_Event& event)
{
    // Copy: an observer may remove itself while being notified.
    const auto list = Observers();
    for (const auto& [observer, user] : list)
        observer(event, user);
}

bool PeekMessage(MSG* msg, UINT removeFlags)
{
    Queue& queue = TheQueue();
    if (queue.messages.empty() && SDL_WasInit(SDL_INIT_EVENTS)) {
        // Take events until one of them makes a message; the rest (mouse
        // motion, text, ...) only go to the observers.
        SDL_Event event;
        while (queue.messages.empty() && SDL_PollEvent(&event))
            Take(event);
    }
    MSG found;
    if (!queue.messages.empty()) {
        found = queue.messages.front();
        if (removeFlags & PM_REMOVE)
            queue.messages.pop_front();
    } else if (queue.quitPosted) {
        found = MSG { nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0 };
        if (removeFlags & PM_REMOVE)
            queue.quitPosted = false;
    } else {
        return false;
    }
    if (msg)
        *msg = found;
    return true;
}

int GetMessage(MSG* msg)
{
    MSG local;
    MSG* out = msg ? msg : &local;
    for (;;) {
        if (PeekMessage(out, PM_REMOVE))
            return out->message == WM_QUIT ? 0 : 1;
        SDL_Event event;
        if (!EventsReady() || !SDL_WaitEvent(&event)) {
            *out = MSG {};
            return -1;
        }
        Take(event);
    }
}

bool TranslateMessage(const MSG* /*msg*/)
{
    return false;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    const auto all = AllWindows();
    if (std::find(all.begin(), all.end(), msg->hwnd) == all.end())
        return 0;
    WNDPROC procedure = msg->hwnd->procedure;
    return procedure ? procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT DefWindowProc(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

void PostQuitMessage(int exitCode)
{
    TheQueue().quitPosted = true;
    TheQueue().quitCode = exitCode;
}

bool QuitPending()
{
    const Queue& queue = TheQueue();
    if (queue.quitPosted)
        return true;
    for (const MSG& msg : queue.messages) {
        if (msg.message == WM_CLOSE)
            return true;
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return false;
    // Pumping moves what the system has (SIGTERM becomes SDL's quit event)
    // into SDL's queue, where the loop finds it later.
    SDL_PumpEvents();
    if (SDL_HasEvent(SDL_QUIT))
        return true;
    SDL_Event events[32];
    const int count = SDL_PeepEvents(events, 32, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < count; ++i) {
        if (events[i].window.event == SDL_WINDOWEVENT_CLOSE)
            return true;
    }
    return false;
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Post(window, message, wParam, lParam);
    return true;
}

void DropMessagesFor(HWND window)
{
    auto& messages = TheQueue().messages;
    messages.erase(
        std::remove_if(messages.begin(), messages.end(), [window](const MSG& msg) { return msg.hwnd == window; }),
        messages.end());
}

void DiscardQueuedMessages()
{
    Queue& queue = TheQueue();
    queue.messages.clear();
    queue.quitPosted = false;
    queue.quitCode = 0;
    queue.mouseButtons = 0;
}

} // namespace platform
