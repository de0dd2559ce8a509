#include <gtest/gtest.h>

#include <SDL.h>

#include <tuple>
#include <vector>

#include "platform/keyboard.h"
#include "platform/message_pump.h"
#include "platform/test_events.h"
#include "platform/win_messages.h"
#include "platform/window_internal.h"

using namespace platform;

TEST(Keyboard, SdlKeysBecomeTheWindowsCodesTheGameTestsAndModifiersReadBothSides)
{
    const std::tuple<SDL_Keycode, SDL_Scancode, int> cases[] = { { SDLK_a, SDL_SCANCODE_A, 'A' },
        { SDLK_9, SDL_SCANCODE_9, '9' }, { SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27 }, { SDLK_F12, SDL_SCANCODE_F12, 123 },
        { SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13 }, { SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8 },
        { SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, 44 }, { SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0xA1 },
        { SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD }, { SDLK_KP_5, SDL_SCANCODE_KP_5, 0x65 },
        { SDLK_a, SDL_SCANCODE_Q, 'A' }, // French layout: the code follows the character, as on Windows
        { 0x0444, SDL_SCANCODE_A, 'A' }, { 0x044E, SDL_SCANCODE_PERIOD, 0xBE }, // Russian: codes of the positions
        { SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, 0 } };
    for (const auto& [keycode, scancode, expected] : cases)
        EXPECT_EQ(VirtualKeyFromSdl(keycode, scancode), expected) << keycode << " / " << scancode;

    // Held modifiers as the key events the pump took carried them.
    ASSERT_TRUE(InjectKey(nullptr, "Left Shift", true) && InjectKey(nullptr, "Right Alt", true));
    PeekMessage(nullptr, PM_REMOVE);
    EXPECT_TRUE(GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_RSHIFT) == 0);
    EXPECT_TRUE(GetKeyState(VK_RMENU) < 0 && GetKeyState(VK_CONTROL) == 0);
    SDL_SetModState(KMOD_CAPS);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1); // toggled, not held
    DiscardPendingMessages();
    // The headless driver has the US layout: A carries a Latin a.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    EXPECT_FALSE(IsRussianKeyboardLayout());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// On a layout whose characters the game has no code for (Cyrillic, Greek),
// each key is known by its place on the keyboard, as a US key there.
TEST(Keyboard, KeysOfOtherAlphabetsTakeTheCodeOfTheirPlace)
{
    std::vector<std::pair<SDL_Scancode, int>> places = { { SDL_SCANCODE_0, '0' }, { SDL_SCANCODE_SEMICOLON, 0xBA },
        { SDL_SCANCODE_EQUALS, 0xBB }, { SDL_SCANCODE_COMMA, 0xBC }, { SDL_SCANCODE_MINUS, 0xBD },
        { SDL_SCANCODE_PERIOD, 0xBE }, { SDL_SCANCODE_SLASH, 0xBF }, { SDL_SCANCODE_GRAVE, 0xC0 },
        { SDL_SCANCODE_LEFTBRACKET, 0xDB }, { SDL_SCANCODE_BACKSLASH, 0xDC }, { SDL_SCANCODE_RIGHTBRACKET, 0xDD },
        { SDL_SCANCODE_APOSTROPHE, 0xDE }, { SDL_SCANCODE_NONUSBACKSLASH, 0xE2 }, { SDL_SCANCODE_RETURN, 0 },
        { SDL_SCANCODE_KP_1, 0 } };
    for (int i = 0; i < 26; ++i)
        places.emplace_back(static_cast<SDL_Scancode>(SDL_SCANCODE_A + i), 'A' + i);
    for (int i = 0; i < 9; ++i)
        places.emplace_back(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i), '1' + i);
    for (const SDL_Keycode letter : { 0x0436, 0x03C9 }) // Cyrillic zhe, Greek omega
        for (const auto& [scancode, expected] : places)
            EXPECT_EQ(VirtualKeyFromSdl(letter, scancode), expected) << SDL_GetScancodeName(scancode);
}

// Keys held when the pending messages are dropped (the window lost, the
// focus gone) read as up afterwards: no key or modifier stays stuck down.
TEST(Keyboard, DroppingThePendingMessagesLetsGoOfEveryHeldKey)
{
    DiscardPendingMessages();
    const std::pair<const char*, int> held[] = { { "A", 'A' }, { "Escape", VK_ESCAPE }, { "Return", VK_RETURN },
        { "Space", VK_SPACE }, { "Left Ctrl", VK_CONTROL }, { "Left Shift", VK_SHIFT }, { "Left Alt", VK_MENU } };
    for (const auto& [name, code] : held)
        ASSERT_TRUE(InjectKey(nullptr, name, true)) << name;
    MSG msg {};
    while (PeekMessage(&msg, PM_REMOVE)) { }
    for (const auto& [name, code] : held)
        EXPECT_TRUE(GetKeyState(code) < 0) << name;
    DiscardPendingMessages();
    for (int code = 0; code < 256; ++code)
        EXPECT_FALSE(GetKeyState(code) < 0) << code;
}

// Key states are kept for the codes 0 to 255, the first and the last as any
// other; a code outside them is never held and noting it changes nothing.
TEST(Keyboard, KeyStatesCoverEveryCodeFromTheFirstToTheLastAndNoneBeyond)
{
    ForgetKeyStates();
    const std::pair<int, bool> codes[] = { { 0, true }, { 1, true }, { 'Z', true }, { 254, true }, { 255, true },
        { -1, false }, { 256, false }, { 257, false }, { 100000, false }, { -100000, false } };
    for (const auto& [code, kept] : codes) {
        NoteKeyState(code, true);
        EXPECT_EQ(GetKeyState(code) < 0, kept) << code;
    }
    for (const auto& [code, kept] : codes)
        EXPECT_EQ(GetKeyState(code) < 0, kept) << code; // each held by itself
    for (const auto& [code, kept] : codes) {
        NoteKeyState(code, false);
        EXPECT_EQ(GetKeyState(code), 0) << code;
    }

    // A modifier held by its code, as tests without the pump hold one: that
    // side alone; any other code holds none.
    const int sided[] = { VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU };
    for (const int held : sided) {
        NoteHeldModifierKey(held);
        for (const int code : sided)
            EXPECT_EQ(GetKeyState(code) < 0, code == held) << held << " / " << code;
    }
    NoteHeldModifierKey('A');
    for (const int code : { VK_SHIFT, VK_CONTROL, VK_MENU, static_cast<int>('A') })
        EXPECT_EQ(GetKeyState(code), 0) << code;
    ForgetKeyStates();
}
