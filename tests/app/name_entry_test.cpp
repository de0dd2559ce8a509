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
    { L"Björn",
        { { "B", true, "B" }, { "J", false, "j" }, { ";", false, "ö" }, { "R", false, "r" }, { "N", false, "n" } } },
    // A dead diaeresis, then e.
    { L"Zoë", { { "Z", true, "Z" }, { "O", false, "o" }, { "'", true, "" }, { "E", false, "ë" } } },
    // A dead ring above, then A and o.
    { L"Ångström",
        { { "[", false, "" }, { "A", true, "Å" }, { "N", false, "n" }, { "G", false, "g" }, { "S", false, "s" },
            { "T", false, "t" }, { "R", false, "r" }, { ";", false, "ö" }, { "M", false, "m" } } },
    { L"Bob", { { "B", true, "B" }, { "O", false, "o" }, { "B", false, "b" } }, true },
    // A German layout's AltGr+Q.
    { L"Eve@", { { "E", true, "E" }, { "V", false, "v" }, { "E", false, "e" }, { "Q", false, "@", true } }, true },
};

// An input method's letter, which comes as text without a key of its own,
// and which the game's font does not have.
constexpr const char* kForeignLetter = "\xE4\xB8\xAD"; // U+4E2D
constexpr int kLetterRefusedText = 47;

constexpr int kNewGameText = 15;
constexpr int kYesText = 16;
constexpr int kTypeNameHint = 155;

class NamingApp : public ScriptedApp {
public:
    // Each name: "New game", "Yes", the old name taken back, the strokes
    // two frames apart, Enter, a look. Then once more, with the foreign
    // letter, a look at the hint and Escape.
    NamingApp()
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        for (const Name& name : kNames) {
            StartNewGame(world);
            if (name.oneFrame) {
                steps.Add(
                    "the frame for " + platform::WideToNarrow(name.expected), [] { return true; },
                    [this, &name] {
                        for (const Stroke& stroke : name.strokes)
                            TypeQuickly(stroke);
                        platform::InjectKey(window, "Return", true);
                        platform::InjectKey(window, "Return", false);
                    });
            } else {
                for (const Stroke& stroke : name.strokes) {
                    steps.Add(
                        "the frame for " + std::string(stroke.key), [] { return true; },
                        [this, &stroke] { Type(stroke, true); });
                    steps.Add(
                        "the frame after it", [] { return true; }, [this, &stroke] { Type(stroke, false); });
                }
                steps.Add(
                    "the frame for Enter", [] { return true; },
                    [this] { platform::InjectKey(window, "Return", true); });
                steps.Add(
                    "the frame after it", [] { return true; },
                    [this] { platform::InjectKey(window, "Return", false); });
            }
            steps.Add(
                "the new game confirmed", [this, &world] { return !world.profileNameEntry && NewGameShown(); },
                [this, &world, &name] {
                    named.push_back(world.profileNames[world.currentProfile]);
                    onScreen.push_back(ShowsText(name.expected) ? name.expected : L"");
                    std::ifstream file(usTxt, std::ios::binary);
                    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
                    const std::wstring text
                        = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
                    inUsTxt.push_back(text.find(name.expected) != std::wstring::npos ? name.expected : L"");
                });
        }
        StartNewGame(world);
        steps.Add(
            "the frame for the foreign letter", [] { return true; },
            [this] { platform::InjectText(window, kForeignLetter); });
        steps.Add(
            "the foreign letter taken or refused",
            [this, &world] {
                return ShowsText(g_guiVocabulary[kLetterRefusedText])
                    || std::wstring(world.textEntry).find(L'\u4E2D') != std::wstring::npos;
            },
            [this, &world] {
                refusedInWords = ShowsText(g_guiVocabulary[kLetterRefusedText]);
                refusedLetterLeftOut = std::wstring(world.textEntry).find(L'\u4E2D') == std::wstring::npos;
                platform::InjectKey(window, "Escape", true);
            });
        steps.Add(
            "the naming given up", [this] { return NewGameShown(); }, [] { test::QuitFromProfiles(); });
        steps.EndOfGame("the game's end from the start screen");
    }

    std::vector<std::wstring> named, onScreen, inUsTxt;
    bool refusedInWords = false, refusedLetterLeftOut = false;
    std::string usTxt;

private:
    bool NewGameShown() const { return test::StartScreenOpen() && ShowsText(g_guiVocabulary[kNewGameText]); }

    // "New game", "Yes", and in the name field that opens, the slot's old
    // name taken back.
    void StartNewGame(cGameWorld& world)
    {
        steps.Add(
            "the start screen's New game button", [this] { return NewGameShown(); },
            [this] { PressText(g_guiVocabulary[kNewGameText], true); });
        LetGoNextFrame();
        steps.Add(
            "the question whether to start a new game", [this] { return ShowsText(g_guiVocabulary[kYesText]); },
            [this] { PressText(g_guiVocabulary[kYesText], true); });
        LetGoNextFrame();
        steps.Add(
            "the name field",
            [this, &world] { return world.profileNameEntry && ShowsText(g_guiVocabulary[kTypeNameHint]); },
            [this] {
                for (int i = 0; i < 12; ++i) {
                    platform::InjectKey(window, "Backspace", true);
                    platform::InjectKey(window, "Backspace", false);
                }
            });
        steps.Add("the name field emptied", [&world] { return world.textEntry[0] == L'\0'; });
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
};

TEST_F(WholeGameTest, TypedNamesKeepEveryLetterTheFontHasAndRefuseOthersInWords)
{
    test::TempFolder home;
    const std::string xdg = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    settings.LoadSettingsAndProfiles(world);
    ShowLogos();
    NamingApp app;
    app.usTxt = home / "vandrel-first-eng/us.txt";
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.steps.Unfinished(), "");
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
