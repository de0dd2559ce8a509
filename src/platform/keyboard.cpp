#include "platform/keyboard.h"

#include <SDL.h>

#include <array>

#include "platform/win_messages.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

std::array<bool, 256>& KeysDown()
{
    static std::array<bool, 256> keys {};
    return keys;
}

// The held modifiers as the last key event the pump took carried them. SDL's
// own state runs ahead: it has seen every event already fetched from the
// system, not just those taken so far.
SDL_Keymod& HeldModifiers()
{
    static SDL_Keymod mods = KMOD_NONE;
    return mods;
}

struct KeyCode {
    int32_t sdl;
    int virtualKey;
};

// Keys by the character or function SDL reports for them.
constexpr KeyCode kByKeycode[] = {
    { SDLK_BACKSPACE, VK_BACK },
    { SDLK_TAB, VK_TAB },
    { SDLK_RETURN, VK_RETURN },
    { SDLK_KP_ENTER, VK_RETURN },
    { SDLK_ESCAPE, VK_ESCAPE },
    { SDLK_SPACE, VK_SPACE },
    { SDLK_PAUSE, VK_PAUSE },
    { SDLK_CAPSLOCK, VK_CAPITAL },
    { SDLK_PAGEUP, VK_PRIOR },
    { SDLK_PAGEDOWN, VK_NEXT },
    { SDLK_END, VK_END },
    { SDLK_HOME, VK_HOME },
    { SDLK_LEFT, VK_LEFT },
    { SDLK_UP, VK_UP },
    { SDLK_RIGHT, VK_RIGHT },
    { SDLK_DOWN, VK_DOWN },
    { SDLK_PRINTSCREEN, VK_SNAPSHOT },
    { SDLK_INSERT, VK_INSERT },
    { SDLK_DELETE, VK_DELETE },
    { SDLK_LGUI, VK_LWIN },
    { SDLK_RGUI, VK_RWIN },
    { SDLK_APPLICATION, VK_APPS },
    { SDLK_KP_0, VK_NUMPAD0 },
    { SDLK_KP_MULTIPLY, VK_MULTIPLY },
    { SDLK_KP_PLUS, VK_ADD },
    { SDLK_KP_MINUS, VK_SUBTRACT },
    { SDLK_KP_PERIOD, VK_DECIMAL },
    { SDLK_KP_DIVIDE, VK_DIVIDE },
    { SDLK_NUMLOCKCLEAR, VK_NUMLOCK },
    { SDLK_SCROLLLOCK, VK_SCROLL },
    { SDLK_LSHIFT, VK_LSHIFT },
    { SDLK_RSHIFT, VK_RSHIFT },
    { SDLK_LCTRL, VK_LCONTROL },
    { SDLK_RCTRL, VK_RCONTROL },
    { SDLK_LALT, VK_LMENU },
    { SDLK_RALT, VK_RMENU },
    { SDLK_MODE, VK_RMENU }, // AltGr on some X11 layouts
    { SDLK_SEMICOLON, VK_OEM_1 },
    { SDLK_EQUALS, VK_OEM_PLUS },
    { SDLK_COMMA, VK_OEM_COMMA },
    { SDLK_MINUS, VK_OEM_MINUS },
    { SDLK_PERIOD, VK_OEM_PERIOD },
    { SDLK_SLASH, VK_OEM_2 },
    { SDLK_BACKQUOTE, VK_OEM_3 },
    { SDLK_LEFTBRACKET, VK_OEM_4 },
    { SDLK_BACKSLASH, VK_OEM_5 },
    { SDLK_RIGHTBRACKET, VK_OEM_6 },
    { SDLK_QUOTE, VK_OEM_7 },
};

// Keys by their position, as on a US keyboard.
constexpr KeyCode kByScancode[] = {
    { SDL_SCANCODE_0, '0' },
    { SDL_SCANCODE_SEMICOLON, VK_OEM_1 },
    { SDL_SCANCODE_EQUALS, VK_OEM_PLUS },
    { SDL_SCANCODE_COMMA, VK_OEM_COMMA },
    { SDL_SCANCODE_MINUS, VK_OEM_MINUS },
    { SDL_SCANCODE_PERIOD, VK_OEM_PERIOD },
    { SDL_SCANCODE_SLASH, VK_OEM_2 },
    { SDL_SCANCODE_GRAVE, VK_OEM_3 },
    { SDL_SCANCODE_LEFTBRACKET, VK_OEM_4 },
    { SDL_SCANCODE_BACKSLASH, VK_OEM_5 },
    { SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6 },
    { SDL_SCANCODE_APOSTROPHE, VK_OEM_7 },
    { SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102 },
};

template <size_t N> int Find(const KeyCode (&table)[N], int32_t sdl)
{
    for (const KeyCode& entry : table)
        if (entry.sdl == sdl)
            return entry.virtualKey;
    return 0;
}

int VirtualKeyFromKeycode(int32_t keycode)
{
    if (keycode >= 'a' && keycode <= 'z')
        return keycode - 'a' + 'A';
    if (keycode >= '0' && keycode <= '9')
        return keycode;
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return VK_F1 + (keycode - SDLK_F1);
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (keycode - SDLK_KP_1);
    return Find(kByKeycode, keycode);
}

int VirtualKeyFromScancode(int scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    return Find(kByScancode, scancode);
}

bool ModifierDown(int virtualKey, SDL_Keymod mods)
{
    switch (virtualKey) {
    case VK_SHIFT:
        return mods & KMOD_SHIFT;
    case VK_LSHIFT:
        return mods & KMOD_LSHIFT;
    case VK_RSHIFT:
        return mods & KMOD_RSHIFT;
    case VK_CONTROL:
        return mods & KMOD_CTRL;
    case VK_LCONTROL:
        return mods & KMOD_LCTRL;
    case VK_RCONTROL:
        return mods & KMOD_RCTRL;
    case VK_MENU:
        return mods & KMOD_ALT;
    case VK_LMENU:
        return mods & KMOD_LALT;
    case VK_RMENU:
        return mods & (KMOD_RALT | KMOD_MODE);
    default:
        return false;
    }
}

bool IsModifier(int virtualKey)
{
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU
        || (virtualKey >= VK_LSHIFT && virtualKey <= VK_RMENU);
}

} // namespace

int VirtualKeyFromSdl(int32_t keycode, int scancode)
{
    if (const int vk = VirtualKeyFromKeycode(keycode))
        return vk;
    return VirtualKeyFromScancode(scancode);
}

int16_t GetKeyState(int virtualKey)
{
    constexpr int16_t kDown = static_cast<int16_t>(0xFF80); // what Windows returns
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    bool down;
    if (IsModifier(virtualKey))
        down = ModifierDown(virtualKey, HeldModifiers());
    else
        down = KeysDown()[static_cast<size_t>(virtualKey)];
    int16_t state = down ? kDown : 0;
    // The lock toggles can change without a key event (focus coming back):
    // read from SDL.
    const SDL_Keymod locks = SDL_GetModState();
    if ((virtualKey == VK_CAPITAL && (locks & KMOD_CAPS)) || (virtualKey == VK_NUMLOCK && (locks & KMOD_NUM)))
        state |= 1;
    return state;
}

bool IsRussianKeyboardLayout()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    return SDL_GetKeyFromScancode(SDL_SCANCODE_A) == 0x0444; // ф
}

void NoteKeyState(int virtualKey, bool down)
{
    if (virtualKey >= 0 && virtualKey <= 255)
        KeysDown()[static_cast<size_t>(virtualKey)] = down;
}

void NoteHeldModifiers(uint16_t sdlModifiers)
{
    HeldModifiers() = static_cast<SDL_Keymod>(sdlModifiers);
}

void NoteHeldModifierKey(int virtualKey)
{
    switch (virtualKey) {
    case VK_LSHIFT:
        HeldModifiers() = KMOD_LSHIFT;
        break;
    case VK_RSHIFT:
        HeldModifiers() = KMOD_RSHIFT;
        break;
    case VK_LCONTROL:
        HeldModifiers() = KMOD_LCTRL;
        break;
    case VK_RCONTROL:
        HeldModifiers() = KMOD_RCTRL;
        break;
    case VK_LMENU:
        HeldModifiers() = KMOD_LALT;
        break;
    case VK_RMENU:
        HeldModifiers() = KMOD_RALT;
        break;
    default:
        HeldModifiers() = KMOD_NONE;
        break;
    }
}

void ForgetKeyStates()
{
    KeysDown().fill(false);
    HeldModifiers() = KMOD_NONE;
}

} // namespace platform
