#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/keyboard.h"
#include "platform/win_messages.h"

using namespace platform;

namespace {

struct KeyCase {
    SDL_Keycode keycode;
    SDL_Scancode scancode;
    int expected;
};

TEST(Keyboard, SdlKeysBecomeTheWindowsCodesTheGameTests)
{
    const KeyCase cases[] = {
        { SDLK_a, SDL_SCANCODE_A, 'A' },
        { SDLK_q, SDL_SCANCODE_Q, 'Q' },
        { SDLK_z, SDL_SCANCODE_Z, 'Z' },
        { SDLK_0, SDL_SCANCODE_0, '0' },
        { SDLK_9, SDL_SCANCODE_9, '9' },
        { SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27 },
        { SDLK_RETURN, SDL_SCANCODE_RETURN, 13 },
        { SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13 },
        { SDLK_TAB, SDL_SCANCODE_TAB, 9 },
        { SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8 },
        { SDLK_DELETE, SDL_SCANCODE_DELETE, 46 },
        { SDLK_SPACE, SDL_SCANCODE_SPACE, 32 },
        { SDLK_HOME, SDL_SCANCODE_HOME, 36 },
        { SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33 },
        { SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34 },
        { SDLK_F1, SDL_SCANCODE_F1, 112 },
        { SDLK_F4, SDL_SCANCODE_F4, 115 },
        { SDLK_F10, SDL_SCANCODE_F10, 121 },
        { SDLK_F12, SDL_SCANCODE_F12, 123 },
        { SDLK_LEFT, SDL_SCANCODE_LEFT, 37 },
        { SDLK_UP, SDL_SCANCODE_UP, 38 },
        { SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39 },
        { SDLK_DOWN, SDL_SCANCODE_DOWN, 40 },
        { SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, 44 },
        { SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0xA0 },
        { SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0xA1 },
        { SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0xA2 },
        { SDLK_LALT, SDL_SCANCODE_LALT, 0xA4 },
        { SDLK_RALT, SDL_SCANCODE_RALT, 0xA5 },
        { SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD },
        { SDLK_PERIOD, SDL_SCANCODE_PERIOD, 0xBE },
        { SDLK_COMMA, SDL_SCANCODE_COMMA, 0xBC },
        { SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 0xBA },
        { SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, 0xC0 },
        { SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 0xDE },
        { SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 0xDB },
        { SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 0xDD },
        { SDLK_KP_5, SDL_SCANCODE_KP_5, 0x65 },
        // A French layout: the key where US keyboards have Q gives 'a', and
        // the code follows the character, as on Windows.
        { SDLK_a, SDL_SCANCODE_Q, 'A' },
        // A Russian layout: the keys carry Cyrillic letters; their codes are
        // those of the positions, which the Russian key table is built on.
        { 0x0444, SDL_SCANCODE_A, 'A' },
        { 0x044E, SDL_SCANCODE_PERIOD, 0xBE },
        { 0x0431, SDL_SCANCODE_COMMA, 0xBC },
        { 0x0451, SDL_SCANCODE_GRAVE, 0xC0 },
        // Keys the game has no code for.
        { SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, 0 },
        { SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0 },
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(VirtualKeyFromSdl(c.keycode, c.scancode), c.expected)
            << "keycode " << c.keycode << " scancode " << c.scancode;
}

TEST(Keyboard, ModifierStateReadsSdlWithBothSides)
{
    SDL_SetModState(static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RALT));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_NE(GetKeyState(VK_LSHIFT) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_RSHIFT), 0);
    EXPECT_LT(GetKeyState(VK_MENU), 0);
    EXPECT_LT(GetKeyState(VK_RMENU), 0);
    EXPECT_EQ(GetKeyState(VK_LMENU), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(VK_LCONTROL), 0);

    SDL_SetModState(KMOD_LCTRL);
    EXPECT_NE(GetKeyState(VK_LCONTROL) & 0x8000, 0);
    // "Any of the top four bits", as the game tests Shift.
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0xF000, 0);

    SDL_SetModState(KMOD_CAPS);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1); // toggled, not held
    SDL_SetModState(KMOD_NONE);

    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(256), 0);
}

} // namespace

namespace {

TEST(Keyboard, RussianLayoutIsToldByTheLetterOnTheKeyOfA)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    // The headless driver has the US layout: A carries a Latin a.
    EXPECT_EQ(SDL_GetKeyFromScancode(SDL_SCANCODE_A), SDLK_a);
    EXPECT_FALSE(IsRussianKeyboardLayout());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
