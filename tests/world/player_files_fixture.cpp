#include "player_files_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "scene/gui_vocabulary.h"
#include "world/player_file_rule.h"

namespace test {

void PlayerFiles::SetUp()
{
    cGameWorld::Instance(); // built once against the test environment's folder
    // The words the screens tell the player in.
    if (g_guiVocabulary[1][0] == L'\0')
        LoadGuiVocabulary();
    m_savedFolder = std::filesystem::current_path();
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) {
        m_hadHome = true;
        m_savedHome = xdg;
    }
    setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    cLog::Instance().Shutdown();
    cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
        logLines.push_back(std::wstring(kind) + L": " + message);
    });
}

void PlayerFiles::TearDown()
{
    cLog::Instance().Shutdown();
    cLog::Instance().SetObserver(nullptr);
    std::filesystem::current_path(m_savedFolder);
    if (m_hadHome)
        setenv("XDG_DATA_HOME", m_savedHome.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    world.ResetToDefaults();
    settings.ResetToDefaults();
}

void PlayerFiles::Load()
{
    world.ResetToDefaults();
    settings.ResetToDefaults();
    settings.LoadSettingsAndProfiles(world);
}

void PlayerFiles::UseProgramFolder(const Entries& config, const Entries& users)
{
    std::filesystem::create_directories(program / "data");
    WriteEntries(program / "data/config.cfg", config);
    WriteEntries(program / "data/us.txt", users);
    std::filesystem::current_path(program.Path());
}

void PlayerFiles::WriteEntries(const std::string& path, const Entries& entries)
{
    PropertyFile file;
    for (const auto& [key, value] : entries)
        file.SetString(key, value);
    ASSERT_TRUE(file.Serialize(platform::NarrowToWide(path), true)) << path;
}

Entries PlayerFiles::ReadEntries(const std::string& path)
{
    PropertyFile file;
    file.Serialize(platform::NarrowToWide(path), false);
    return Entries(file.Entries().begin(), file.Entries().end());
}

std::vector<uint8_t> PlayerFiles::Bytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

void PlayerFiles::Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool PlayerFiles::Logged(const std::wstring& part) const
{
    return std::any_of(logLines.begin(), logLines.end(),
        [&](const std::wstring& line) { return line.find(part) != std::wstring::npos; });
}

Entries PlayerFiles::DefaultConfig()
{
    return { { L"language", L"eng" }, { L"x resolution", L"1280" }, { L"y resolution", L"1024" },
        { L"music volume", L"   1.00000" }, { L"sound volume", L"   1.00000" }, { L"speech volume", L"   1.00000" },
        { L"workplace", L"1" }, { L"screen mode", L"0" }, { L"mute", L"0" }, { L"window center", L"0" } };
}

Entries PlayerFiles::DefaultUsers()
{
    Entries users;
    for (int i = 1; i <= 6; ++i) {
        const std::wstring n = std::to_wstring(i);
        users[L"name " + n] = L"";
        users[L"last level " + n] = L"1";
        users[L"drive " + n] = L"0";
        const std::wstring ten = L"0;0;0;0;0;0;0;0;0;0;";
        users[L"awards " + n] = ten + ten + L"0;";
        users[L"bonus level " + n] = ten;
    }
    return users;
}

void SavedFiles::SetUp()
{
    PlayerFiles::SetUp();
    world.ResetToDefaults();
    world.userFolder = platform::NarrowToWide(home.Path());
}

std::vector<uint8_t> SavedFiles::Utf16(const std::string& ascii)
{
    std::vector<uint8_t> bytes;
    for (char c : ascii)
        bytes.insert(bytes.end(), { static_cast<uint8_t>(c), 0 });
    return bytes;
}

void SavedFiles::FillCampaign()
{
    world.bank = 123456;
    world.money = -42;
    for (int i = 0; i < 50; ++i) {
        world.levelCounter[i] = i;
        world.levelStatus[i] = i % 4 - 1;
        world.levelMoney[i] = i * 1000 - 7;
        world.levelTime[i] = world::kPlayerValueLimit - i;
    }
}

} // namespace test
