// Every key the game acts on or types with, pressed as a player presses it:
// an SDL key event through the message pump and the window procedure into the
// application's key table. The codes are the Windows virtual-key codes the
// game's states test.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/application.h"
#include "platform/keyboard.h"
#include "platform/test_events.h"
#include "platform/time_source.h"

namespace {

struct Key {
    const char* name; // as SDL names the key
    int code;
};

std::vector<Key> KeysTheGameKnows()
{
    std::vector<Key> keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back({ nullptr, c });
    for (char c = '0'; c <= '9'; ++c)
        keys.push_back({ nullptr, c });
    static const char* const functionKeys[]
        = { "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12" };
    for (int i = 0; i < 12; ++i)
        keys.push_back({ functionKeys[i], 0x70 + i });
    static const char* const keypadDigits[] = { "Keypad 0", "Keypad 1", "Keypad 2", "Keypad 3", "Keypad 4",
        "Keypad 5", "Keypad 6", "Keypad 7", "Keypad 8", "Keypad 9" };
    for (int i = 0; i < 10; ++i)
        keys.push_back({ keypadDigits[i], 0x60 + i });
    const Key others[] = { { "Keypad *", 0x6A }, { "Keypad +", 0x6B }, { "Keypad -", 0x6D }, { "Keypad .", 0x6E },
        { "Keypad /", 0x6F }, { "Keypad Enter", 0x0D }, { "Left", 0x25 }, { "Up", 0x26 }, { "Right", 0x27 },
        { "Down", 0x28 }, { "Left Shift", 0xA0 }, { "Right Shift", 0xA1 }, { "Left Ctrl", 0xA2 },
        { "Right Ctrl", 0xA3 }, { "Left Alt", 0xA4 }, { "Right Alt", 0xA5 }, { "Left GUI", 0x5B },
        { "Right GUI", 0x5C }, { "Application", 0x5D }, { "Backspace", 0x08 }, { "Tab", 0x09 }, { "Return", 0x0D },
        { "Pause", 0x13 }, { "CapsLock", 0x14 }, { "Escape", 0x1B }, { "Space", 0x20 }, { "PageUp", 0x21 },
        { "PageDown", 0x22 }, { "End", 0x23 }, { "Home", 0x24 }, { "PrintScreen", 0x2C }, { "Insert", 0x2D },
        { "Delete", 0x2E }, { "Numlock", 0x90 }, { "ScrollLock", 0x91 }, { ";", 0xBA }, { "=", 0xBB },
        { ",", 0xBC }, { "-", 0xBD }, { ".", 0xBE }, { "/", 0xBF }, { "`", 0xC0 }, { "[", 0xDB }, { "\\", 0xDC },
        { "]", 0xDD }, { "'", 0xDE } };
    keys.insert(keys.end(), std::begin(others), std::end(others));
    return keys;
}

// Presses each key in one frame, looks at the table in the next and lets go.
class KeyTableApp : public cApplication {
public:
    bool Init() override
    {
        SetClientSize(64, 48);
        return true;
    }
    bool PreFrame() override { return false; }
    bool Frame() override
    {
        const int step = frames++;
        const size_t index = static_cast<size_t>(step / 3);
        if (index >= keys.size())
            return false;
        const Key& key = keys[index];
        const std::string name = key.name ? key.name : std::string(1, static_cast<char>(key.code));
        switch (step % 3) {
        case 0:
            if (!platform::InjectKey(window, name.c_str(), true))
                failures.push_back(name + ": SDL does not know it");
            break;
        case 1: {
            std::vector<int> down;
            for (int code = 0; code < kKeyCount; ++code)
                if (IsKeyDown(code))
                    down.push_back(code);
            int taken = 0;
            bool shifted = false, altGr = false;
            TakePressedKey(&taken, &shifted, &altGr, nullptr);
            if (down != std::vector<int> { key.code } || taken != key.code)
                failures.push_back(name + ": " + std::to_string(down.size()) + " down, first "
                    + (down.empty() ? "-" : std::to_string(down[0])) + ", taken " + std::to_string(taken));
            const bool shift = key.code == 0xA0 || key.code == 0xA1, ctrl = key.code == 0xA2 || key.code == 0xA3;
            const bool alt = key.code == 0xA4 || key.code == 0xA5;
            if ((platform::GetKeyState(0x10) < 0) != shift || (platform::GetKeyState(0x11) < 0) != ctrl
                || (platform::GetKeyState(0x12) < 0) != alt || (platform::GetKeyState(key.code) < 0) != true
                || shifted != shift || altGr != (key.code == 0xA5))
                failures.push_back(name + ": the modifiers read wrong while it is held");
            platform::InjectKey(window, name.c_str(), false);
            break;
        }
        case 2:
            for (int code = 0; code < kKeyCount; ++code)
                if (IsKeyDown(code))
                    failures.push_back(name + ": still down after it was let go");
            break;
        }
        return true;
    }

    std::vector<Key> keys = KeysTheGameKnows();
    std::vector<std::string> failures;
    int frames = 0;
};

TEST(KeyTable, EveryKeyTheGameKnowsReachesItsTableAsItsWindowsCode)
{
    platform::DiscardPendingMessages();
    platform::SetTimeSourceForTests([] { return 1000.0; }); // every press is fresh when read
    KeyTableApp app;
    const bool ran = app.Run();
    platform::SetTimeSourceForTests(nullptr);
    ASSERT_TRUE(ran);
    EXPECT_EQ(app.frames, static_cast<int>(app.keys.size()) * 3 + 1);
    for (const std::string& failure : app.failures)
        ADD_FAILURE() << failure;
    platform::DiscardPendingMessages();
}

} // namespace
