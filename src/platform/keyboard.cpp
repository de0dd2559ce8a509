#include "platform/keyboard.h"

#include <SDL.h>

#include <array>

#include "platform/win_messages.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

std::array<bool, 256>& KeysDown()
{
    static std::array<bool, 256> keys{};
    return keys;
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
    switch (keycode) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_LSHIFT: return VK_LSHIFT;
    case SDLK_RSHIFT: return VK_RSHIFT;
    case SDLK_LCTRL: return VK_LCONTROL;
    case SDLK_RCTRL: return VK_RCONTROL;
    case SDLK_LALT: return VK_LMENU;
    case SDLK_RALT:
    case SDLK_MODE: return VK_RMENU; // AltGr
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
    }
}

// The code of the key's position on a US keyboard.
int VirtualKeyFromScancode(int scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    default: return 0;
    }
}

bool ModifierDown(int virtualKey, SDL_Keymod mods)
{
    switch (virtualKey) {
    case VK_SHIFT: return mods & KMOD_SHIFT;
    case VK_LSHIFT: return mods & KMOD_LSHIFT;
    case VK_RSHIFT: return mods & KMOD_RSHIFT;
    case VK_CONTROL: return mods & KMOD_CTRL;
    case VK_LCONTROL: return mods & KMOD_LCTRL;
    case VK_RCONTROL: return mods & KMOD_RCTRL;
    case VK_MENU: return mods & KMOD_ALT;
    case VK_LMENU: return mods & KMOD_LALT;
    case VK_RMENU: return mods & (KMOD_RALT | KMOD_MODE);
    default: return false;
    }
}

bool IsModifier(int virtualKey)
{
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU ||
           (virtualKey >= VK_LSHIFT && virtualKey <= VK_RMENU);
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
    const SDL_Keymod mods = SDL_GetModState();
    bool down;
    if (IsModifier(virtualKey))
        down = ModifierDown(virtualKey, mods);
    else
        down = KeysDown()[static_cast<size_t>(virtualKey)];
    int16_t state = down ? kDown : 0;
    if ((virtualKey == VK_CAPITAL && (mods & KMOD_CAPS)) || (virtualKey == VK_NUMLOCK && (mods & KMOD_NUM)))
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

void ForgetKeyStates()
{
    KeysDown().fill(false);
}

} // namespace platform
