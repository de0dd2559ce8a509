#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tinyxml2.h>

#include "platform/utf16.h"
#include "player_files_fixture.h"

namespace fs = std::filesystem;

namespace test {
namespace {

    using FirstStart = PlayerFiles;

    // log.xml is UTF-16; an XML reader must accept it whole once it is closed.
    bool IsWellFormedLog(const std::string& path, std::string& problem)
    {
        const auto bytes = PlayerFiles::Bytes(path);
        std::string text = platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size()));
        if (text.rfind("\xEF\xBB\xBF", 0) == 0)
            text.erase(0, 3);
        const size_t declarationEnd = text.find("?>");
        if (declarationEnd == std::string::npos) {
            problem = "no declaration";
            return false;
        }
        // The declaration names UTF-16; the reader gets the text as UTF-8.
        text.erase(0, declarationEnd + 2);
        tinyxml2::XMLDocument document;
        if (document.Parse(text.c_str()) != tinyxml2::XML_SUCCESS) {
            problem = document.ErrorStr();
            return false;
        }
        return document.FirstChildElement("log") != nullptr;
    }

    TEST_F(FirstStart, MakesTheFolderCopiesBothFilesAndReadsThem)
    {
        ASSERT_FALSE(fs::exists(UserFolder()));
        Load();

        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_TRUE(settings.canSave);
        ASSERT_TRUE(fs::is_directory(UserFolder()));
        EXPECT_EQ(world.userFolder, platform::NarrowToWide(UserFolder()));
        EXPECT_EQ(Bytes(UserFile("config.cfg")), Bytes("data/config.cfg"));
        EXPECT_EQ(Bytes(UserFile("us.txt")), Bytes("data/us.txt"));

        EXPECT_STREQ(settings.languageCode, L"eng");
        EXPECT_STREQ(settings.folderLanguageCode, L"eng");
        EXPECT_EQ(settings.strings[0], L"eng");
        EXPECT_EQ(settings.GetWidth(), 1280);
        EXPECT_EQ(settings.GetHeight(), 1024);
        EXPECT_FLOAT_EQ(settings.scaleX, 1.0f);
        EXPECT_EQ(settings.screenMode, 0);
        EXPECT_EQ(world.fullScreen, 0);
        EXPECT_EQ(settings.mute, 0);
        EXPECT_FLOAT_EQ(world.musicVolume, 1.0f);
        EXPECT_FLOAT_EQ(world.soundVolume, 1.0f);
        EXPECT_FLOAT_EQ(world.speechVolume, 1.0f);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, 1.0f);
        EXPECT_EQ(world.currentProfile, 1);
        EXPECT_EQ(world.level, 0);
        for (int i = 1; i <= 6; ++i) {
            EXPECT_TRUE(world.profileNames[i].empty()) << i;
            EXPECT_EQ(world.profileLastLevel[i], 1) << i;
            EXPECT_EQ(world.profileAwards[i][20], 0) << i;
        }
        EXPECT_EQ(world.furthestLevel, 1);
        EXPECT_EQ(world.dateText.size(), 8u);

        cLog::Instance().Shutdown();
        ASSERT_TRUE(fs::exists(UserFile("log.xml")));
        std::string problem;
        EXPECT_TRUE(IsWellFormedLog(UserFile("log.xml"), problem)) << problem;
    }

    TEST_F(FirstStart, ASecondLanguageHasItsOwnFolderAndProfiles)
    {
        Load();
        const auto englishUsers = Bytes(UserFile("us.txt"));

        Entries config = DefaultConfig();
        config[L"language"] = L"ger";
        Entries users = DefaultUsers();
        users[L"name 1"] = L"J\u00fcrgen";
        UseProgramFolder(config, users);
        Load();

        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_TRUE(fs::is_directory(UserFolder("ger")));
        EXPECT_EQ(world.userFolder, platform::NarrowToWide(UserFolder("ger")));
        EXPECT_STREQ(settings.languageCode, L"ger");
        EXPECT_EQ(world.profileNames[1], L"J\u00fcrgen");
        EXPECT_EQ(Bytes(UserFile("us.txt")), englishUsers);
        EXPECT_EQ(ReadEntries(UserFile("us.txt", "ger"))[L"name 1"], L"J\u00fcrgen");
    }

    TEST_F(FirstStart, WithoutAUserFolderTheGameRunsAndWritesNothing)
    {
        // A folder below a regular file can never be made, not even by root.
        std::ofstream(home / "file") << "x";
        setenv("XDG_DATA_HOME", (home / "file/below").c_str(), 1);
        UseProgramFolder(DefaultConfig(), DefaultUsers());
        const auto before = Bytes(program / "data/config.cfg");
        Load();

        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_FALSE(settings.canSave);
        EXPECT_TRUE(world.userFolder.empty());
        EXPECT_TRUE(Logged(L"unable to create the user folder"));
        EXPECT_EQ(settings.GetWidth(), 1280);
        EXPECT_EQ(world.profileLastLevel[1], 1);

        world.musicVolume = 0.5f;
        EXPECT_FALSE(world.SaveConfig());
        EXPECT_FALSE(world.SaveUsers());
        EXPECT_TRUE(Logged(L"cGameWorld::SaveConfig -> there is no user folder"));
        // Nothing landed in the program folder, log.xml included.
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(program.Path()))
            names.push_back(fs::relative(entry.path(), program.Path()).string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string> { "data", "data/config.cfg", "data/us.txt" }));
        EXPECT_EQ(Bytes(program / "data/config.cfg"), before);
    }

    TEST_F(FirstStart, MissingInstallSettingsEndTheStart)
    {
        fs::create_directories(program / "data");
        fs::current_path(program.Path());
        Load();
        EXPECT_EQ(world.quitRequested, 1);
        EXPECT_FALSE(fs::exists(UserFolder()));
    }

    TEST_F(FirstStart, MissingProfilesEndTheStart)
    {
        UseProgramFolder(DefaultConfig(), DefaultUsers());
        fs::remove(program / "data/us.txt");
        Load();
        EXPECT_EQ(world.quitRequested, 1);
        EXPECT_TRUE(Logged(L"error: us.pkg not found"));
    }

} // namespace
} // namespace test
