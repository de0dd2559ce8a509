// config.cfg and us.txt both ways: what each key of a real file gives the
// game once read, and that a save writes every key back as the file held it.
#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "player_files_fixture.h"

namespace test {
namespace {

    using PlayerContents = PlayerFiles;

    // One setting of config.cfg: its text in the file and what the game makes of it.
    struct Setting {
        const wchar_t* key;
        const wchar_t* text;
        float (*read)(const cGameWorld&, const cSettings&);
        float want;
    };

    // Two players' files with a different value in every key, so that a key read
    // into or written from the wrong field shows.
    struct Contents {
        const char* what;
        std::vector<Setting> config;
        int profile;
    };

    std::wstring List(int first, int count)
    {
        std::wstring text;
        for (int i = 0; i < count; ++i)
            text += std::to_wstring((first + i * 3) % 23) + L";";
        return text;
    }

    TEST_F(PlayerContents, EveryKeyIsReadIntoItsValueAndWrittenBackAsTheFileHeldIt)
    {
        const Contents cases[] = {
            { "small screen, quiet",
                {
                    { L"language", L"eng",
                        [](const cGameWorld&, const cSettings& s) {
                            return std::wcscmp(s.languageCode, L"eng") == 0 ? 1.0f : 0.0f;
                        },
                        1.0f },
                    { L"x resolution", L"1024",
                        [](const cGameWorld&, const cSettings& s) { return float(s.GetWidth()); }, 1024.0f },
                    { L"y resolution", L"768",
                        [](const cGameWorld&, const cSettings& s) { return float(s.GetHeight()); }, 768.0f },
                    { L"music volume", L"   0.25000",
                        [](const cGameWorld& w, const cSettings&) { return w.musicVolume; }, 0.25f },
                    { L"sound volume", L"   0.50000",
                        [](const cGameWorld& w, const cSettings&) { return w.soundVolume; }, 0.5f },
                    { L"speech volume", L"   0.75000",
                        [](const cGameWorld& w, const cSettings&) { return w.speechVolume; }, 0.75f },
                    { L"workplace", L"4", [](const cGameWorld& w, const cSettings&) { return float(w.currentProfile); },
                        4.0f },
                    { L"screen mode", L"1",
                        [](const cGameWorld& w, const cSettings& s) { return float(s.screenMode * 10 + w.fullScreen); },
                        11.0f },
                    { L"mute", L"1", [](const cGameWorld&, const cSettings& s) { return float(s.mute); }, 1.0f },
                    { L"window center", L"3",
                        [](const cGameWorld& w, const cSettings&) { return float(w.windowCenter); }, 3.0f },
                },
                4 },
            { "full size, loud",
                {
                    { L"language", L"eng",
                        [](const cGameWorld&, const cSettings& s) {
                            return std::wcscmp(s.folderLanguageCode, L"eng") == 0 ? 1.0f : 0.0f;
                        },
                        1.0f },
                    { L"x resolution", L"1280", [](const cGameWorld&, const cSettings& s) { return s.scaleX; }, 1.0f },
                    { L"y resolution", L"1024", [](const cGameWorld&, const cSettings& s) { return s.scaleY; }, 1.0f },
                    { L"music volume", L"   0.60000",
                        [](const cGameWorld& w, const cSettings&) { return w.musicPlayVolume; }, 0.6f },
                    { L"sound volume", L"   0.90000",
                        [](const cGameWorld& w, const cSettings&) { return w.effectsVolume; }, 0.9f },
                    { L"speech volume", L"   0.10000",
                        [](const cGameWorld& w, const cSettings&) { return w.speechVolume; }, 0.1f },
                    { L"workplace", L"6", [](const cGameWorld& w, const cSettings&) { return float(w.currentProfile); },
                        6.0f },
                    { L"screen mode", L"0",
                        [](const cGameWorld& w, const cSettings& s) { return float(s.screenMode * 10 + w.fullScreen); },
                        0.0f },
                    { L"mute", L"0", [](const cGameWorld&, const cSettings& s) { return float(s.mute); }, 0.0f },
                    { L"window center", L"0",
                        [](const cGameWorld& w, const cSettings&) { return float(w.windowCenter); }, 0.0f },
                },
                6 },
        };
        for (const Contents& c : cases) {
            SCOPED_TRACE(c.what);
            Entries config;
            for (const Setting& s : c.config)
                config[s.key] = s.text;
            Entries users;
            for (int i = 1; i <= 6; ++i) {
                const std::wstring n = std::to_wstring(i);
                users[L"name " + n] = i == 2 ? L"" : L"Player \u00e9" + std::to_wstring(i * c.profile);
                users[L"last level " + n] = std::to_wstring((i * 7 + c.profile) % 31);
                users[L"drive " + n] = std::to_wstring(i * c.profile);
                users[L"awards " + n] = List(i + c.profile, 21);
                users[L"bonus level " + n] = List(i * 2 + c.profile, 10);
            }
            std::filesystem::remove_all(UserFolder());
            UseProgramFolder(config, users);
            Load();
            ASSERT_TRUE(world.playerFileNotice.empty()) << testing::PrintToString(logLines);

            for (const Setting& s : c.config)
                EXPECT_FLOAT_EQ(s.read(world, settings), s.want) << testing::PrintToString(std::wstring(s.key));
            EXPECT_FLOAT_EQ(world.musicWorkLevel2 + world.musicWorkLevel3, 2 * world.musicVolume);
            for (int i = 1; i <= 6; ++i) {
                SCOPED_TRACE(i);
                const std::wstring n = std::to_wstring(i);
                EXPECT_EQ(world.profileNames[i], users[L"name " + n]);
                EXPECT_EQ(std::to_wstring(world.profileLastLevel[i]), users[L"last level " + n]);
                EXPECT_EQ(std::to_wstring(world.profileDrive[i]), users[L"drive " + n]);
                std::wstring awards, bonus;
                for (int j = 0; j < world::kAwards; ++j)
                    awards += std::to_wstring(world.profileAwards[i][j]) + L";";
                for (int j = 0; j < world::kBonusLevels; ++j)
                    bonus += std::to_wstring(world.profileBonusLevels[i][j]) + L";";
                EXPECT_EQ(awards, users[L"awards " + n]);
                EXPECT_EQ(bonus, users[L"bonus level " + n]);
            }
            // The map starts from the last level of the chosen player.
            EXPECT_EQ(world.furthestLevel, world.profileLastLevel[c.profile]);

            ASSERT_TRUE(world.SaveConfig());
            EXPECT_EQ(Bytes(UserFile("config.cfg")), Bytes(program / "data/config.cfg"));
            EXPECT_EQ(Bytes(UserFile("us.txt")), Bytes(program / "data/us.txt"));
        }
    }

} // namespace
} // namespace test
