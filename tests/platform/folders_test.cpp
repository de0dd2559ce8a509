// Where the player's folder and the lock live, and the player-file writes and
// reads that must never report a failure as success or leave a file changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/single_instance.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

// Sets the variables a case names (nullopt: unset) and puts every one back after.
class Environment {
public:
    Environment()
    {
        for (const char* name : kNames)
            m_saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
    }
    ~Environment()
    {
        for (size_t i = 0; i < std::size(kNames); ++i)
            Set(kNames[i], m_saved[i]);
    }
    static void Set(const char* name, const std::optional<std::string>& value)
    {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }

private:
    static constexpr const char* kNames[] = { "XDG_DATA_HOME", "HOME", "XDG_RUNTIME_DIR", "TMPDIR" };
    std::vector<std::optional<std::string>> m_saved;
};

// The same folder, however many slashes join its names.
std::string Normal(const std::string& path)
{
    return fs::path(path).lexically_normal().string();
}

TEST(Folders, PlayerFolderAndLockFollowTheEnvironment)
{
    const Environment restore;
    const std::nullopt_t unset = std::nullopt;
    const struct {
        std::optional<std::string> dataHome, home;
        std::string userFolder;
    } users[] = {
        { "/data", "/home/ann", "/data/vandrel-first-en" },
        { "/data///", "/home/ann", "/data/vandrel-first-en" },
        { "/", "/home/ann", "/vandrel-first-en" },
        { "relative/data", "/home/ann", "/home/ann/.local/share/vandrel-first-en" }, // not absolute: ignored
        { "", "/home/ann", "/home/ann/.local/share/vandrel-first-en" },
        { unset, "/home/ann/", "/home/ann/.local/share/vandrel-first-en" },
        { unset, "", "" },
        { unset, unset, "" },
        { "relative", unset, "" },
    };
    for (const auto& c : users) {
        Environment::Set("XDG_DATA_HOME", c.dataHome);
        Environment::Set("HOME", c.home);
        EXPECT_EQ(Normal(UserFolderPath("en")), c.userFolder) << c.dataHome.value_or("(unset)") << " / "
                                                      << c.home.value_or("(unset)");
    }
    const struct {
        std::optional<std::string> runtime, tmp;
        std::string lock;
    } locks[] = {
        { "/run/user/7", "/var/tmp", "/run/user/7/MyApp1.0.lock" },
        { "/run/user/7//", unset, "/run/user/7/MyApp1.0.lock" },
        { "/", unset, "/MyApp1.0.lock" },
        { "run/user/7", "/var/tmp", "/var/tmp/MyApp1.0.lock" }, // not absolute: ignored
        { unset, "/var/tmp/", "/var/tmp/MyApp1.0.lock" },
        { unset, unset, "/tmp/MyApp1.0.lock" },
    };
    for (const auto& c : locks) {
        Environment::Set("XDG_RUNTIME_DIR", c.runtime);
        Environment::Set("TMPDIR", c.tmp);
        EXPECT_EQ(Normal(InstanceLockPath("MyApp1.0")), c.lock) << c.runtime.value_or("(unset)") << " / "
                                                        << c.tmp.value_or("(unset)");
    }
}

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Folders, AWriteThatCannotBeMadeSaysSoAndChangesNothing)
{
    test::TempFolder folder;
    // The longest name a folder takes: no temporary beside it can be named.
    const std::string longest(255, 'n');
    const std::vector<uint8_t> old = { 'o', 'l', 'd' }, next = { 'n', 'e', 'w', '!' };
    ASSERT_TRUE(WriteFileAtomic(folder / "plain", old));
    std::ofstream(folder / longest) << "old";
    const auto before = Names(folder.Path());
    const struct {
        std::string path;
        const char* why;
    } cases[] = {
        { folder.Path() + "/", "a folder, no file name" },
        { folder / "missing/save.dat", "the folder does not exist" },
        { folder / "plain/save.dat", "the folder is a file" },
        { folder / longest, "no temporary name fits" },
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(WriteFileAtomic(c.path, next)) << c.why;
        EXPECT_EQ(Names(folder.Path()), before) << c.why; // no temporary left behind
    }
    std::vector<uint8_t> bytes;
    for (const std::string& name : { std::string("plain"), longest }) {
        EXPECT_TRUE(ReadWholeFile(folder / name, bytes));
        EXPECT_EQ(bytes, old) << name.size();
    }
}

TEST(Folders, ASuccessfulWriteClearsOnlyItsOwnLeftOverTemporaries)
{
    test::TempFolder folder;
    const auto make = [&](const std::string& name) { ASSERT_TRUE(WriteFileAtomic(folder / name, { 1 })); };
    make("save.dat.tmp-3");
    make("save.dat.tmp-97");
    fs::create_symlink("save.dat", folder / "save.dat.tmp-5"); // a link is removed, never followed
    make("save.dat.tmp-");                                       // no number: not one of ours
    make("other.dat.tmp-4");                                     // another file's
    make("xsave.dat.tmp-4");
    fs::create_directory(folder / "save.dat.tmp-6"); // only files and links go
    ASSERT_TRUE(WriteFileAtomic(folder / "save.dat", { 1, 2, 3 }));
    EXPECT_EQ(Names(folder.Path()),
        (std::vector<std::string> { "other.dat.tmp-4", "save.dat", "save.dat.tmp-", "save.dat.tmp-6", "xsave.dat.tmp-4" }));
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(folder / "save.dat", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t> { 1, 2, 3 }));
}

TEST(Folders, ReadWholeFileFailsOnAnythingButAReadableFile)
{
    test::TempFolder folder;
    ASSERT_TRUE(WriteFileAtomic(folder / "big", std::vector<uint8_t>(200000, 7)));
    ASSERT_TRUE(WriteFileAtomic(folder / "empty", {}));
    const struct {
        std::string path;
        bool read;
        size_t size;
    } cases[] = {
        { folder / "big", true, 200000 }, // more than one read's worth
        { folder / "empty", true, 0 },
        { folder / "missing", false, 0 },
        { folder.Path(), false, 0 },
        { "/proc/self/mem", false, 0 }, // a regular file whose read fails
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = { 9, 9 }; // what was there before never stays
        EXPECT_EQ(ReadWholeFile(c.path, bytes), c.read) << c.path;
        EXPECT_EQ(bytes.size(), c.size) << c.path;
    }
}

} // namespace
