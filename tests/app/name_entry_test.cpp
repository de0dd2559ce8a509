// A new player's name typed on the start screen through the system's key and
// text events, as a desktop sends them for a keyboard layout with accented
// letters: every letter the game's font has stays in the name, on the screen,
// in the world and in us.txt after a restart; a letter the font lacks is
// refused in words. A fast typist's name, every key of it (Enter included)
// pressed and let go before the game draws its next frame, comes out as typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/gui_vocabulary.h"
#include "support/menu_route.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

// One key as the desktop reports it: the key's name, Shift held, and the
// text the layout typed with it ("" for a dead key, which types nothing
// until the next key).
struct Stroke {
    const char* key;
    bool shift;
    const char* text;
    bool altGr = false;
};

struct Name {
    std::wstring expected;
    std::vector<Stroke> strokes;
    // Every stroke, Shift around it and Enter after them, before one frame.
    bool oneFrame = false;
};

const std::vector<Name> kNames = {
    // A German layout: ö has a key of its own.
    { L"Björn", { { "B", true, "B" }, { "J", false, "j" }, { ";", false, "ö" }, { "R", false, "r" },
                    { "N", false, "n" } } },
    // A dead diaeresis, then e.
    { L"Zoë", { { "Z", true, "Z" }, { "O", false, "o" }, { "'", true, "" }, { "E", false, "ë" } } },
    // A dead ring above, then A and o.
    { L"Ångström", { { "[", false, "" }, { "A", true, "Å" }, { "N", false, "n" }, { "G", false, "g" },
                       { "S", false, "s" }, { "T", false, "t" }, { "R", false, "r" }, { ";", false, "ö" },
                       { "M", false, "m" } } },
    { L"Bob", { { "B", true, "B" }, { "O", false, "o" }, { "B", false, "b" } }, true },
    // A German layout's AltGr+Q.
    { L"Eve@", { { "E", true, "E" }, { "V", false, "v" }, { "E", false, "e" }, { "Q", false, "@", true } }, true },
};

// An input method's letter, which comes as text without a key of its own,
// and which the game's font does not have.
constexpr const char* kForeignLetter = "\xE4\xB8\xAD"; // U+4E2D
constexpr int kLetterRefusedText = 47;

class NamingApp : public RecordedApp {
public:
    bool Frame() override
    {
        ++frames;
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (test::StartScreenOpen() || at > 0)
            Step(cGameWorld::Instance());
        return cGameApp::Frame() && frames < 3000;
    }

    std::vector<std::wstring> named, onScreen, inUsTxt;
    bool refusedInWords = false, refusedLetterLeftOut = false;
    std::string usTxt;

private:
    // Each name: "New game", "Yes", the old name taken back, the strokes
    // two frames apart, Enter, a look.
    // Then once more, with the foreign letter, a look at the hint and Escape.
    void Step(cGameWorld& world)
    {
        const int t = at++;
        if (t < 20)
            return;
        const int k = (t - 20) % 80;
        const size_t name = static_cast<size_t>((t - 20) / 80);
        if (k == 0 || k == 1)
            PressText(g_guiVocabulary[15], k == 0);
        if (k == 4 || k == 5)
            PressText(g_guiVocabulary[16], k == 4);
        // The field starts with the slot's name: taken back first.
        for (int i = 0; k == 7 && i < 12; ++i) {
            platform::InjectKey(window, "Backspace", true);
            platform::InjectKey(window, "Backspace", false);
        }
        if (name < kNames.size()) {
            const auto& strokes = kNames[name].strokes;
            const size_t s = static_cast<size_t>((k - 8) / 2);
            if (kNames[name].oneFrame && k == 8) {
                for (const Stroke& stroke : strokes)
                    TypeQuickly(stroke);
                platform::InjectKey(window, "Return", true);
                platform::InjectKey(window, "Return", false);
            } else if (k >= 8 && s < strokes.size() && !kNames[name].oneFrame)
                Type(strokes[s], k % 2 == 0);
            if (k == 60 && !kNames[name].oneFrame)
                platform::InjectKey(window, "Return", true);
            if (k == 61 && !kNames[name].oneFrame)
                platform::InjectKey(window, "Return", false);
            if (k == 70) {
                named.push_back(world.profileNames[world.currentProfile]);
                onScreen.push_back(Drawn(kNames[name].expected) ? kNames[name].expected : L"");
                std::ifstream file(usTxt, std::ios::binary);
                const std::string bytes((std::istreambuf_iterator<char>(file)), {});
                const std::wstring text
                    = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
                inUsTxt.push_back(text.find(kNames[name].expected) != std::wstring::npos ? kNames[name].expected : L"");
            }
            return;
        }
        if (k == 8)
            platform::InjectText(window, kForeignLetter);
        if (k == 12) {
            refusedInWords = Drawn(g_guiVocabulary[kLetterRefusedText]);
            refusedLetterLeftOut = std::wstring(world.textEntry).find(L'\u4E2D') == std::wstring::npos;
            platform::InjectKey(window, "Escape", true);
        }
        if (k == 14)
            test::QuitFromProfiles();
    }

    // The key goes down and up in one frame, Shift (held around it) in the
    // next.
    void Type(const Stroke& stroke, bool key)
    {
        if (!key) {
            if (stroke.shift)
                platform::InjectKey(window, "Left Shift", false);
            return;
        }
        if (stroke.shift)
            platform::InjectKey(window, "Left Shift", true);
        platform::InjectKey(window, stroke.key, true);
        if (*stroke.text)
            platform::InjectText(window, stroke.text);
        platform::InjectKey(window, stroke.key, false);
    }

    // Shift or AltGr, the key and the modifier again all go down and up
    // between two frames.
    void TypeQuickly(const Stroke& stroke)
    {
        const char* modifier = stroke.shift ? "Left Shift" : stroke.altGr ? "Right Alt" : nullptr;
        if (modifier)
            platform::InjectKey(window, modifier, true);
        platform::InjectKey(window, stroke.key, true);
        platform::InjectText(window, stroke.text);
        platform::InjectKey(window, stroke.key, false);
        if (modifier)
            platform::InjectKey(window, modifier, false);
    }

    bool Drawn(const std::wstring& text) const
    {
        for (const test::GfxDraw& d : Draws())
            if (d.text == text)
                return true;
        return false;
    }

    int frames = 0, at = 0;

public:
    void SetUsTxt(const std::string& path) { usTxt = path; }
};

TEST_F(WholeGameTest, TypedNamesKeepEveryLetterTheFontHasAndRefuseOthersInWords)
{
    test::TempFolder home;
    const std::string xdg = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    settings.LoadSettingsAndProfiles(world);
    ShowLogos();
    NamingApp app;
    app.SetUsTxt(home / "vandrel-first-eng/us.txt");
    EXPECT_TRUE(app.Run());
    std::vector<std::wstring> expected;
    for (const Name& name : kNames)
        expected.push_back(name.expected);
    EXPECT_EQ(app.named, expected);
    EXPECT_EQ(app.onScreen, expected);
    EXPECT_EQ(app.inUsTxt, expected);
    EXPECT_TRUE(app.refusedInWords);
    EXPECT_TRUE(app.refusedLetterLeftOut);

    // A restart reads the last name back from us.txt into the game's world.
    const int profile = world.currentProfile;
    for (std::wstring& name : world.profileNames)
        name.clear();
    settings.LoadSettingsAndProfiles();
    EXPECT_EQ(world.profileNames[profile], kNames.back().expected);
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
}

} // namespace
