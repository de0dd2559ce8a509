#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/utf16.h"
#include "player_files_fixture.h"

namespace fs = std::filesystem;

namespace test {
namespace {

    using FirstStart = PlayerFiles;

    // A folder nobody may write into, root included (the immutable flag), for
    // as long as the object lives.
    class WriteProtected {
    public:
        explicit WriteProtected(const std::string& path)
            : m_fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
        {
            if (::geteuid() != 0) {
                m_done = ::fchmod(m_fd, 0555) == 0;
                return;
            }
            int flags = 0;
            m_done = ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags |= FS_IMMUTABLE_FL, true)
                && ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ~WriteProtected()
        {
            int flags = 0;
            if (::geteuid() != 0) {
                ::fchmod(m_fd, 0755);
            } else if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
            }
            ::close(m_fd);
        }
        bool Done() const { return m_done; }

    private:
        int m_fd;
        bool m_done = false;
    };

    TEST_F(FirstStart, MakesTheFolderCopiesBothFilesAndReadsThem)
    {
        ASSERT_FALSE(fs::exists(UserFolder()));
        Load();

        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_TRUE(settings.canSave);
        EXPECT_EQ(world.userFolder, platform::NarrowToWide(UserFolder()));
        EXPECT_EQ(Bytes(UserFile("config.cfg")), Bytes("data/config.cfg"));
        EXPECT_EQ(Bytes(UserFile("us.txt")), Bytes("data/us.txt"));

        EXPECT_STREQ(settings.languageCode, L"eng");
        EXPECT_EQ(settings.GetWidth(), 1280);
        EXPECT_EQ(world.profileLastLevel[6], 1);
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
        EXPECT_EQ(world.profileLastLevel[1], 1);
        EXPECT_FALSE(world.SaveConfig());
        EXPECT_FALSE(world.SaveUsers());
        std::vector<std::string> names; // nothing landed in the program folder
        for (const auto& entry : fs::recursive_directory_iterator(program.Path()))
            names.push_back(fs::relative(entry.path(), program.Path()).string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string> { "data", "data/config.cfg", "data/us.txt" }));
        EXPECT_EQ(Bytes(program / "data/config.cfg"), before);
    }

    // A user folder that exists but cannot be written: the player's own
    // files are read, and the log and the screen say what cannot be written.
    TEST_F(FirstStart, AFolderThatCannotBeWrittenStillGivesThePlayersProfiles)
    {
        Load();
        Entries users = ReadEntries(UserFile("us.txt"));
        users[L"name 1"] = L"Mine";
        WriteEntries(UserFile("us.txt"), users);
        Entries config = DefaultConfig();
        config[L"x resolution"] = L"1024";
        config[L"y resolution"] = L"768";
        WriteEntries(UserFile("config.cfg"), config);
        const auto profiles = Bytes(UserFile("us.txt"));
        WriteProtected readOnly(UserFolder());
        if (!readOnly.Done())
            GTEST_SKIP() << "this file system cannot make a folder read-only";
        logLines.clear();
        Load();

        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_FALSE(settings.canSave);
        EXPECT_EQ(world.profileNames[1], L"Mine");
        EXPECT_EQ(settings.GetWidth(), 1024);
        EXPECT_TRUE(Logged(L"\" cannot be written ("));
        EXPECT_NE(world.playerFileNotice.find(platform::NarrowToWide(UserFolder())), std::wstring::npos);
        EXPECT_FALSE(world.SaveConfig());
        EXPECT_EQ(Bytes(UserFile("us.txt")), profiles);
    }

    // A start that cannot read its settings or profiles names the file and
    // the reason, in the log and for main to print, and ends.
    TEST_F(FirstStart, AStartThatCannotReadItsFilesSaysWhichAndWhy)
    {
        struct Case { const char* name; void (*spoil)(FirstStart&); const char* file; const wchar_t* why; };
        const Case cases[] = {
            { "no install settings", [](FirstStart& t) { fs::remove(t.program / "data/config.cfg"); },
                "data/config.cfg", L"it is missing" },
            { "no profiles anywhere", [](FirstStart& t) { fs::remove(t.program / "data/us.txt"); }, "data/us.txt",
                L"it is missing" },
            { "a folder in place", [](FirstStart& t) { fs::create_directories(t.UserFile("us.txt")); },
                "vandrel-first-eng/us.txt", L"it is not a file" },
            { "a UTF-8 copy", [](FirstStart& t) { std::ofstream(t.UserFile("us.txt")) << "[name 1]\r\nAda\r\n"; },
                "vandrel-first-eng/us.txt", L"it holds no entries" },
            { "beyond 1 MB",
                [](FirstStart& t) {
                    WriteEntries(t.UserFile("us.txt"), DefaultUsers());
                    fs::resize_file(t.UserFile("us.txt"), (1 << 20) + 2);
                },
                "vandrel-first-eng/us.txt", L"it is larger than 1 MB" },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            fs::remove_all(UserFolder());
            fs::create_directories(UserFolder());
            UseProgramFolder(DefaultConfig(), DefaultUsers());
            c.spoil(*this);
            logLines.clear();
            Load();
            EXPECT_EQ(world.quitRequested, 1);
            const std::wstring& failure = world.startFailure;
            EXPECT_NE(failure.find(platform::NarrowToWide(c.file)), std::wstring::npos) << failure;
            EXPECT_NE(failure.find(c.why), std::wstring::npos) << failure;
            EXPECT_TRUE(Logged(failure));
        }
        EXPECT_TRUE(Logged(L"error: us.pkg not found"));
    }

} // namespace
} // namespace test
