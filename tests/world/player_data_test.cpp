#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

#include "platform/utf16.h"
#include "player_files_fixture.h"

namespace fs = std::filesystem;

namespace test {
namespace {

    using PlayerData = PlayerFiles;

    // A missing or unreadable config.cfg is made again from the install copy,
    // and never causes the player's profiles to be written over.
    TEST_F(PlayerData, EditedProfilesSurviveAMissingOrUnreadableConfig)
    {
        for (const bool missing : { true, false }) {
            SCOPED_TRACE(missing ? "missing" : "empty");
            Load();
            Entries users = ReadEntries(UserFile("us.txt"));
            users[L"name 2"] = L"Edited";
            users[L"last level 2"] = L"7";
            WriteEntries(UserFile("us.txt"), users);
            const auto edited = Bytes(UserFile("us.txt"));
            if (missing)
                fs::remove(UserFile("config.cfg"));
            else
                std::ofstream(UserFile("config.cfg"), std::ios::trunc).close(); // no entries

            Load();
            EXPECT_EQ(world.quitRequested, 0);
            EXPECT_EQ(world.profileNames[2], L"Edited");
            EXPECT_EQ(world.profileLastLevel[2], 7);
            EXPECT_EQ(Bytes(UserFile("us.txt")), edited);
            // The empty one is not overwritten either.
            EXPECT_EQ(Bytes(UserFile("config.cfg")).empty(), !missing);
        }
    }

    // us.txt cut short before the last profiles: what was read is used, and
    // the file as it was is kept aside before it is first written over.
    TEST_F(PlayerData, ACutShortProfileFileIsKeptBeforeItIsWrittenOver)
    {
        Load();
        Entries users = DefaultUsers();
        users[L"name 1"] = L"Ada";
        users[L"name 3"] = L"Cy";
        users[L"name 5"] = L"Eve";
        WriteEntries(UserFile("us.txt"), users);
        auto bytes = Bytes(UserFile("us.txt"));
        const std::wstring text = platform::Utf16LeToWide(bytes.data(), bytes.size());
        bytes.resize(text.find(L"[name 4]") * 2);
        Write(UserFile("us.txt"), bytes);

        Load();
        EXPECT_EQ(world.profileNames[1], L"Ada");
        EXPECT_TRUE(Logged(L"us.txt holds no \"name 4\""));
        EXPECT_TRUE(world.SaveConfig() && world.SaveConfig());
        EXPECT_EQ(Bytes(UserFile("us.txt.unreadable")), bytes);
        EXPECT_FALSE(fs::exists(UserFile("us.txt.unreadable2")));
    }

    TEST_F(PlayerData, AFailedWriteKeepsTheOldFilesAndReportsFailure)
    {
        Load();
        const auto config = Bytes(UserFile("config.cfg"));
        const auto users = Bytes(UserFile("us.txt"));
        // Tests run as root, where a read-only folder stops nothing: block the
        // temporary files the writes go through with folders of the same name.
        fs::create_directory(UserFile("config.cfg.tmp"));
        fs::create_directory(UserFile("us.txt.tmp"));

        world.musicVolume = 0.25f;
        world.profileNames[1] = L"Lost";
        EXPECT_FALSE(world.SaveConfig());
        EXPECT_EQ(Bytes(UserFile("config.cfg")), config);
        EXPECT_EQ(Bytes(UserFile("us.txt")), users);

        // Only the profiles blocked: the settings are written, the result is still false.
        fs::remove(UserFile("config.cfg.tmp"));
        EXPECT_FALSE(world.SaveConfig());
        EXPECT_NE(Bytes(UserFile("config.cfg")), config);
        EXPECT_EQ(Bytes(UserFile("us.txt")), users);

        // A folder in place of the file fails the write and stays.
        fs::remove(UserFile("us.txt"));
        fs::create_directory(UserFile("us.txt"));
        EXPECT_FALSE(world.SaveUsers());
        EXPECT_TRUE(fs::is_directory(UserFile("us.txt")));
    }

    // A comma locale where one is installed; the files always use '.'.
    bool UseCommaLocale()
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU.UTF-8", "de_DE" }) {
            if (std::setlocale(LC_NUMERIC, name))
                return true;
        }
        return false;
    }

    void RoundTrip(PlayerFiles& test, cGameWorld& world, cSettings& settings)
    {
        world.musicVolume = 0.25f;
        world.speechVolume = 0.75f;
        world.currentProfile = 3;
        world.windowCenter = 1;
        settings.SetResolution(1024, 768);
        settings.screenMode = settings.mute = 1;
        const std::wstring names[7] = { L"", L"", L"M\u00fcller \u00d6zt\u00fcrk", L"\u0416\u043e\u0440\u0430",
            L"\u8eca \U0001F697", L"with space", L"x]" };
        for (int i = 1; i <= 6; ++i) {
            world.profileNames[i] = names[i];
            world.profileLastLevel[i] = i * 5;
            world.profileDrive[i] = i % 2;
            for (int j = 0; j < 21; ++j)
                world.profileAwards[i][j] = world.profileBonusLevels[i][j % 10] = (i + j) % 10;
        }
        ASSERT_TRUE(world.SaveConfig());

        test.logLines.clear();
        test.Load();
        for (int i = 1; i <= 6; ++i) {
            EXPECT_EQ(world.profileNames[i], names[i]) << i;
            EXPECT_EQ(world.profileLastLevel[i], i * 5) << i;
            EXPECT_EQ(world.profileDrive[i], i % 2) << i;
            for (int j = 0; j < 21; ++j)
                EXPECT_EQ(world.profileAwards[i][j], (i + j) % 10) << i << "," << j;
            for (int j = 11; j < 21; ++j)
                EXPECT_EQ(world.profileBonusLevels[i][j % 10], (i + j) % 10) << i << "," << j;
        }
        EXPECT_FLOAT_EQ(world.musicVolume, 0.25f);
        EXPECT_FLOAT_EQ(world.speechVolume, 0.75f);
        EXPECT_EQ(world.currentProfile, 3);
        EXPECT_EQ(world.furthestLevel, 15);
        EXPECT_EQ(world.windowCenter + world.fullScreen + settings.mute, 3);
        EXPECT_FLOAT_EQ(settings.scaleY, 1.33f);
        EXPECT_TRUE(test.logLines.empty()) << testing::PrintToString(test.logLines);
    }

    // Profiles and settings read back as written, also in a comma locale
    // where one is installed (the files always use '.'); an empty value reads
    // as empty.
    TEST_F(PlayerData, SaveAndLoadRoundTripAlsoInACommaLocale)
    {
        for (const bool comma : { false, true }) {
            SCOPED_TRACE(comma ? "comma locale" : "C locale");
            Load();
            if (comma && !UseCommaLocale())
                break; // none installed
            RoundTrip(*this, world, settings);
            EXPECT_EQ(ReadEntries(UserFile("config.cfg"))[L"music volume"], L"   0.25000");
            EXPECT_EQ(ReadEntries(UserFile("us.txt"))[L"name 1"], L"");
            std::setlocale(LC_NUMERIC, "C");
        }
    }

    TEST_F(PlayerData, HostileValuesAreClamped)
    {
        Entries config = DefaultConfig();
        for (const auto& [key, value] : Entries { { L"language", L"../../x" }, { L"workplace", L"99" },
                 { L"x resolution", L"100000" }, { L"y resolution", L"-4" }, { L"startlevel", L"500" },
                 { L"music volume", L"1e30" } })
            config[key] = value;
        Entries users = DefaultUsers();
        for (const auto& [key, value] : Entries { { L"awards 6", L"1;" }, { L"last level 6", L"500" },
                 { L"bonus level 6", L"" }, { L"awards 5", L"7;" + std::wstring(200, L'9') + L";" },
                 { L"last level 5", L"-2147483648" } })
            users[key] = value;
        UseProgramFolder(config, users);
        Load();

        EXPECT_TRUE(fs::is_directory(UserFolder()));
        EXPECT_FALSE(fs::exists(home / "x"));
        EXPECT_EQ(std::tuple(world.currentProfile, settings.GetHeight(), world.level, world.musicVolume),
            std::tuple(6, 1024, 31, 1.0f));
        EXPECT_EQ(world.profileAwards[6][0], 1);
        EXPECT_EQ(world.profileAwards[6][20] | world.profileBonusLevels[6][9], 0);
        EXPECT_EQ(std::pair(world.profileAwards[5][0], world.profileAwards[5][1]), std::pair(7, 2147483647));
        EXPECT_EQ(std::pair(world.profileLastLevel[5], world.profileLastLevel[6]), std::pair(0, 31));
        EXPECT_EQ(world.furthestLevel, 31);
        // The tables bound the highscore reader whatever a screen sets.
        for (int furthest : { 31, 199, 200, 100000 }) {
            world.furthestLevel = furthest;
            EXPECT_TRUE(world.LoadHighscores());
        }
        EXPECT_EQ(world.highscoreWorkplace[199][6], 1);
    }

    TEST_F(PlayerData, HighscoresFillPositionsOneToSix)
    {
        Load();
        fs::create_directories(UserFolder() + "/highscore");
        WriteEntries(UserFolder() + "/highscore/result_03.cfg",
            { { L"name1", L"Ann" }, { L"time1", L"95" }, { L"money1", L"1200" }, { L"workplace1", L"2" },
                { L"name3", L"Cy" }, { L"time3", L"40" }, { L"workplace3", L"4" } });
        world.highscoreNames[2][1] = L"stale";
        world.highscoreNames[3][7] = L"seventh";
        world.highscoreTime[3][2] = 77;
        world.furthestLevel = 3;
        EXPECT_TRUE(world.LoadHighscores());

        EXPECT_EQ(std::tuple(world.highscoreNames[3][1], world.highscoreTime[3][1], world.highscoreMoney[3][1]),
            std::tuple(std::wstring(L"Ann"), 95, 1200));
        EXPECT_EQ(world.highscoreNames[3][3], L"Cy");
        EXPECT_EQ(world.highscoreMoney[3][3], 0); // missing key
        EXPECT_EQ(world.highscoreTime[3][2], 0); // missing position
        EXPECT_EQ(world.highscoreNames[3][7], L"seventh"); // positions 7..10 are not touched
        // A level without a file keeps the defaults.
        EXPECT_EQ(std::pair(world.highscoreNames[2][1], world.highscoreWorkplace[2][1]), std::pair(std::wstring(), 1));
    }

} // namespace
} // namespace test
