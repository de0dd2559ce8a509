#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/keyboard.h"
#include "platform/win_messages.h"

using namespace platform;

namespace {

TEST(Keyboard, SdlKeysBecomeTheWindowsCodesTheGameTests)
{
    const struct {
        SDL_Keycode keycode;
        SDL_Scancode scancode;
        int expected;
    } cases[] = {
        { SDLK_a, SDL_SCANCODE_A, 'A' }, { SDLK_z, SDL_SCANCODE_Z, 'Z' }, { SDLK_0, SDL_SCANCODE_0, '0' },
        { SDLK_9, SDL_SCANCODE_9, '9' }, { SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27 },
        { SDLK_RETURN, SDL_SCANCODE_RETURN, 13 }, { SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13 },
        { SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8 }, { SDLK_DELETE, SDL_SCANCODE_DELETE, 46 },
        { SDLK_SPACE, SDL_SCANCODE_SPACE, 32 }, { SDLK_F1, SDL_SCANCODE_F1, 112 }, { SDLK_F12, SDL_SCANCODE_F12, 123 },
        { SDLK_LEFT, SDL_SCANCODE_LEFT, 37 }, { SDLK_DOWN, SDL_SCANCODE_DOWN, 40 },
        { SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, 44 }, { SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0xA1 },
        { SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0xA2 }, { SDLK_RALT, SDL_SCANCODE_RALT, 0xA5 },
        { SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD }, { SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, 0xC0 },
        { SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 0xDD }, { SDLK_KP_5, SDL_SCANCODE_KP_5, 0x65 },
        // French layout: the code follows the character, as on Windows.
        { SDLK_a, SDL_SCANCODE_Q, 'A' },
        // Russian layout: Cyrillic letters give the codes of their positions.
        { 0x0444, SDL_SCANCODE_A, 'A' }, { 0x044E, SDL_SCANCODE_PERIOD, 0xBE }, { 0x0451, SDL_SCANCODE_GRAVE, 0xC0 },
        { SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, 0 }, { SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromSdl(c.keycode, c.scancode), c.expected) << c.keycode << " / " << c.scancode;
}

TEST(Keyboard, ModifierStateReadsSdlWithBothSides)
{
    SDL_SetModState(static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RALT));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_RSHIFT), 0);
    EXPECT_LT(GetKeyState(VK_RMENU), 0);
    EXPECT_EQ(GetKeyState(VK_LMENU), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    SDL_SetModState(KMOD_CAPS);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1); // toggled, not held
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(GetKeyState(256), 0);

    // The headless driver has the US layout: A carries a Latin a.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    EXPECT_FALSE(IsRussianKeyboardLayout());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
