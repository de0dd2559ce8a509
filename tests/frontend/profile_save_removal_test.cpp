// A new game removes the profile's saved game where it is written: a save
// that is not there is no fault, one that cannot be removed is told in the
// log and answered false, and without a user folder nothing is removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontend/start_screen.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "scene/hud_fixture.h"

namespace {

class ProfileSaveRemovalTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& line) {
            if (std::wstring(kind) == L"error")
                errors.push_back(line);
        });
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        test::HudTest::TearDown();
    }
    std::vector<std::wstring> errors;
};

TEST_F(ProfileSaveRemovalTest, TheSaveGoesOrTheFailureIsTold)
{
    enum class Save { File, None, FolderWithAFile, NoUserFolder };
    const struct {
        const char* what;
        Save save;
        bool removed;
        bool told;
    } cases[] = {
        { "a saved game", Save::File, true, false },
        { "none saved", Save::None, true, false },
        { "a folder in its place that holds a file", Save::FolderWithAFile, false, true },
        { "no user folder", Save::NoUserFolder, false, false },
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::filesystem::path user = folder / ("user" + std::to_string(++n));
        std::filesystem::create_directories(user);
        world.userFolder = c.save == Save::NoUserFolder ? L"" : platform::NarrowToWide(user.string());
        world.currentProfile = 4;
        for (const int profile : { 3, 4, 5 })
            std::ofstream(user / (std::to_string(profile) + "_bau")) << "station";
        if (c.save == Save::File || c.save == Save::NoUserFolder)
            std::ofstream(user / "4") << "saved game";
        if (c.save == Save::FolderWithAFile) {
            std::filesystem::create_directories(user / "4");
            std::ofstream(user / "4" / "inside") << "x";
        }
        for (const int profile : { 3, 5 })
            std::ofstream(user / std::to_string(profile)) << "another profile's game";
        errors.clear();

        Scene::StartScreen screen;
        EXPECT_EQ(screen.DeleteProfileSave(), c.removed);
        EXPECT_EQ(std::filesystem::exists(user / "4"), c.save != Save::File && c.save != Save::None);
        for (const int profile : { 3, 5 })
            EXPECT_TRUE(std::filesystem::exists(user / std::to_string(profile))) << "only that profile's save goes";
        EXPECT_TRUE(std::filesystem::exists(user / "4_bau")) << "the station is not the saved game";
        ASSERT_EQ(errors.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_NE(errors[0].find(platform::NarrowToWide((user / "4").string())), std::wstring::npos)
                << "the log names the file";
        }
    }
}

} // namespace
