// Starting a profile anew: exactly its saved game, its station file and its
// highscore rows go, its progress and awards start again, and the profiles
// are written through the settings; nothing of the other profiles changes.
#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "support/log_capture.h"

namespace {

constexpr int kYesX = 640 + 40, kDialogButtonY = 512 + 80 + 1 - 90;

class ProfileResetTest : public test::ProfileTest {
protected:
    // A highscore table of the level with a row of each profile, profile p
    // holding the best money.
    void WriteTable(int level)
    {
        std::string text;
        for (int r = 1; r <= 10; ++r) {
            const int profile = r <= 6 ? r : -1;
            text += "[name" + std::to_string(r) + "]\nP" + std::to_string(profile) + "\n";
            text += "[time" + std::to_string(r) + "]\n" + std::to_string(10 * r) + "\n";
            text += "[money" + std::to_string(r) + "]\n" + std::to_string(1000 - 50 * r) + "\n";
            text += "[workplace" + std::to_string(r) + "]\n" + std::to_string(profile) + "\n";
        }
        std::filesystem::create_directories(user + "/highscore");
        const auto bytes = platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(text));
        char name[32];
        std::snprintf(name, sizeof name, "highscore/result_%02d.cfg", level);
        std::ofstream(UserPath(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    PropertyFile ReadTable(int level) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "highscore/result_%02d.cfg", level);
        return ReadUserFile(name);
    }
    // New game on profile p, yes, a name, then the OK button.
    void StartAnew(int p)
    {
        world.currentProfile = p;
        Click(test::kNewGameX + 10, test::kButtonLine + 10);
        Click(kYesX + 10, kDialogButtonY + 10);
        ASSERT_EQ(world.profileNameEntry, 1);
        std::fill(std::begin(world.textEntry), std::end(world.textEntry), L'\0');
        std::wcscpy(world.textEntry, L"Neu");
        Click(test::kOkX + 10, test::kButtonLine + 10);
        ASSERT_EQ(world.profileNameEntry, 0);
    }
};

TEST_F(ProfileResetTest, ANewGameRemovesExactlyThatProfilesFilesAndRows)
{
    for (int p : { 2, 5 }) {
        SCOPED_TRACE(p);
        for (int other = 1; other <= 6; ++other) {
            Touch(std::to_string(other));
            Touch(std::to_string(other) + "_bau");
            for (int& award : world.profileAwards[other])
                award = 1;
            world.profileLastLevel[other] = 9;
            world.profileNames[other] = L"P" + std::to_wstring(other);
        }
        WriteTable(1);
        WriteTable(2);
        std::filesystem::create_directories(user + "/save");
        Touch("save/" + std::to_string(p));

        StartAnew(p);

        for (int other = 1; other <= 6; ++other) {
            const bool reset = other == p;
            EXPECT_EQ(Exists(std::to_string(other)), !reset) << other;
            EXPECT_EQ(Exists(std::to_string(other) + "_bau"), !reset) << other;
            EXPECT_EQ(world.profileLastLevel[other], reset ? 1 : 9);
            EXPECT_EQ(world.profileAwards[other][0], reset ? 0 : 1);
            EXPECT_EQ(world.profileAwards[other][1], 1);
            EXPECT_EQ(world.profileAwards[other][20], reset ? 0 : 1);
        }
        // Nothing else of the user folder goes.
        EXPECT_TRUE(Exists("save/" + std::to_string(p)));
        EXPECT_EQ(world.furthestLevel, 1);
        EXPECT_EQ(world.profileNames[p], L"Neu");

        // The profile's row is blanked and sorted to the bottom; its number stays.
        for (int level : { 1, 2 }) {
            PropertyFile table = ReadTable(level);
            EXPECT_EQ(table.GetString(L"name10"), L"...");
            EXPECT_EQ(table.GetInt(L"money10", -5), 0);
            EXPECT_EQ(table.GetInt(L"workplace10", 0), p);
            for (int r = 1; r <= 9; ++r)
                EXPECT_NE(table.GetInt(L"workplace" + std::to_wstring(r), 0), p) << r;
            EXPECT_EQ(table.GetString(L"name1"), p == 1 ? L"P2" : L"P1");
        }

        // The profiles as written by the settings.
        PropertyFile users = ReadUserFile("us.txt");
        const std::wstring n = std::to_wstring(p);
        EXPECT_EQ(users.GetString(L"name " + n), L"Neu");
        EXPECT_EQ(users.GetInt(L"last level " + n, 0), 1);
        EXPECT_EQ(users.GetString(L"awards " + n).substr(0, 6), L"0;1;0;");
        const std::wstring other = p == 2 ? L"5" : L"2";
        EXPECT_EQ(users.GetInt(L"last level " + other, 0), 9);
        EXPECT_EQ(ReadUserFile("config.cfg").GetInt(L"workplace", 0), p);
    }
}

TEST_F(ProfileResetTest, DeletingASaveThatIsNotThereIsNoFault)
{
    test::LogCapture log;
    world.currentProfile = 3;
    EXPECT_TRUE(screen.DeleteProfileSave());
    EXPECT_TRUE(log.lines.empty());

    // Something in the way that cannot be removed is reported.
    std::filesystem::create_directories(user + "/3/inside");
    EXPECT_FALSE(screen.DeleteProfileSave());
    EXPECT_TRUE(log.Contains(L"Scene::MenuStart::DeleteProfileSave"));

    // Without a user folder nothing is touched.
    world.userFolder.clear();
    EXPECT_FALSE(screen.DeleteProfileSave());
}

} // namespace
