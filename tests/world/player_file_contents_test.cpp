// config.cfg and us.txt both ways: what each key of a real file gives the
// game once read, and that a save writes every key back as the file held it.
#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "player_files_fixture.h"
#include "world/player_file_rule.h"

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

    // A player file counts as the game's own only when it is exactly what the
    // game writes: each case changes one value of a file the game wrote.
    TEST_F(PlayerContents, OnlyWhatTheGameWritesCountsAsWhole)
    {
        const auto properties = [this](Entries entries, const std::wstring& key, const wchar_t* value) {
            if (value)
                entries[key] = value;
            else
                entries.erase(key);
            WriteEntries(home / "entries", entries);
            return Bytes(home / "entries");
        };
        struct Case {
            const char* what;
            world::PlayerFile kind;
            std::wstring key;
            const wchar_t* value; // nullptr: the key left out
            bool whole;
        };
        using world::PlayerFile;
        const Case cases[] = {
            { "settings as written", PlayerFile::Settings, L"mute", L"1", true },
            { "mute 2", PlayerFile::Settings, L"mute", L"2", false },
            { "mute -1", PlayerFile::Settings, L"mute", L"-1", false },
            { "workplace 6", PlayerFile::Settings, L"workplace", L"6", true },
            { "workplace 7", PlayerFile::Settings, L"workplace", L"7", false },
            { "workplace 0", PlayerFile::Settings, L"workplace", L"0", false },
            { "a volume of nought", PlayerFile::Settings, L"music volume", L"   0.00000", true },
            { "a volume without its width", PlayerFile::Settings, L"music volume", L"0.50000", false },
            { "a volume above 1", PlayerFile::Settings, L"sound volume", L"   1.50000", false },
            { "a number with a leading zero", PlayerFile::Settings, L"window center", L"07", false },
            { "a number beyond the limit", PlayerFile::Settings, L"screen mode", L"1000000001", false },
            { "the limit", PlayerFile::Settings, L"screen mode", L"1000000000", true },
            { "a size without a layout", PlayerFile::Settings, L"x resolution", L"1024", false },
            { "a language of two letters", PlayerFile::Settings, L"language", L"en", false },
            { "a key left out", PlayerFile::Settings, L"speech volume", nullptr, false },
            { "profiles as written", PlayerFile::Profiles, L"last level 3", L"31", true },
            { "last level 32", PlayerFile::Profiles, L"last level 3", L"32", false },
            { "last level 0", PlayerFile::Profiles, L"last level 3", L"0", true },
            { "last level -1", PlayerFile::Profiles, L"last level 3", L"-1", false },
            { "twenty awards", PlayerFile::Profiles, L"awards 2", L"0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;", false },
            { "an award beyond the limit", PlayerFile::Profiles, L"awards 2",
                L"1000000001;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;", false },
            { "eleven bonus levels", PlayerFile::Profiles, L"bonus level 6", L"1;2;3;4;5;6;7;8;9;10;11;", false },
            { "ten bonus levels", PlayerFile::Profiles, L"bonus level 6", L"1;2;3;4;5;6;7;8;9;10;", true },
            { "any name", PlayerFile::Profiles, L"name 6", L"[x] ;;", true },
            { "a key too many", PlayerFile::Profiles, L"name 7", L"", false },
            { "a highscore table as written", PlayerFile::Highscores, L"name5", L"Ann", true },
            { "a name left empty", PlayerFile::Highscores, L"name5", L"", false },
            { "a time that is no number", PlayerFile::Highscores, L"time10", L"x", false },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            Entries base = c.kind == PlayerFile::Settings ? DefaultConfig() : DefaultUsers();
            if (c.kind == PlayerFile::Highscores) {
                base.clear();
                for (int r = 1; r <= 10; ++r) {
                    const std::wstring n = std::to_wstring(r);
                    base[L"name" + n] = L"...";
                    base[L"time" + n] = base[L"money" + n] = std::to_wstring(r * 10);
                    base[L"workplace" + n] = L"1";
                }
            }
            EXPECT_EQ(world::IsWhatTheGameWrites(c.kind, properties(base, c.key, c.value)), c.whole);
        }

        // The saved game: seven rows, fifty values in each table row, every
        // field and line ended.
        std::string tables;
        for (const char* key : { "COUNTER", "STATUS", "GELD", "LEVEL_TIME" }) {
            tables += key;
            for (int i = 0; i < 50; ++i)
                tables += ";" + std::to_string(i - 1);
            tables += ";\r";
        }
        const std::string save = "XXXX;\rBANK;5;\rMONEY;-7;\r" + tables;
        const std::pair<std::string, bool> saves[] = {
            { save, true },
            { save.substr(0, save.size() - 1), false }, // last line not ended
            { "XXXX;\rBANK;5;\rMONEY;-7;\r", false }, // tables missing
            { save + "ENDE;\r", false }, // a row too many
            { "XXXX;\rBANK;5;6;\rMONEY;-7;\r" + tables, false }, // a value too many
            { "XXXX;\rBANK;5\rMONEY;-7;\r" + tables, false }, // a field not ended
            { "XXXX;\rBANK;+5;\rMONEY;-7;\r" + tables, false },
            { "XXXX;\rMONEY;-7;\rBANK;5;\r" + tables, false }, // rows swapped
            { "XXXX;\rBANK;1000000000;\rMONEY;-1000000000;\r" + tables, true },
            { "XXXX;\rBANK;1000000001;\rMONEY;-7;\r" + tables, false },
        };
        for (const auto& [text, whole] : saves)
            EXPECT_EQ(world::IsWhatTheGameWrites(PlayerFile::SavedGame, SavedFiles::Utf16(text)), whole) << text;
        auto odd = SavedFiles::Utf16(save);
        odd.push_back('x');
        EXPECT_FALSE(world::IsWhatTheGameWrites(PlayerFile::SavedGame, odd));

        // The lot file: PLACE lines of four values, each ended by two CRs.
        const std::pair<std::string, bool> lots[] = {
            { "PLACE;20;2;3;9;\r\rPLACE;-1;6;6;0;\r\r", true },
            { "", true },
            { "PLACE;20;2;3;9;\r", false },
            { "PLACE;20;2;3;\r\r", false },
            { "PLACE;20;2;3;9;1;\r\r", false },
            { "PLACX;20;2;3;9;\r\r", false },
            { "PLACE;20;2;3;x;\r\r", false },
        };
        for (const auto& [text, whole] : lots)
            EXPECT_EQ(world::IsWhatTheGameWrites(PlayerFile::Station, SavedFiles::Utf16(text)), whole) << text;
    }

} // namespace
} // namespace test
