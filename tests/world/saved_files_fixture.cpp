#include "saved_files_fixture.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

#include "platform/utf16.h"
#include "resources/log.h"

namespace test {

void SavedFiles::SetUp()
{
    world.ResetToDefaults();
    world.userFolder = platform::NarrowToWide(user.Path());
    cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
        logged.push_back(std::wstring(kind) + L": " + message);
    });
}

void SavedFiles::TearDown()
{
    cLog::Instance().SetObserver(nullptr);
    world.ResetToDefaults();
}

std::vector<uint8_t> SavedFiles::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SavedFiles::Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool SavedFiles::Logged(const std::wstring& part) const
{
    for (const std::wstring& line : logged) {
        if (line.find(part) != std::wstring::npos)
            return true;
    }
    return false;
}

std::vector<uint8_t> SavedFiles::Utf16(const std::string& ascii)
{
    std::vector<uint8_t> bytes;
    for (char c : ascii) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(0);
    }
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
        world.levelTime[i] = 2147483647 - i;
    }
}

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previous[0] = limit.rlim_cur;
    m_previous[1] = limit.rlim_max;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit { m_previous[0], m_previous[1] };
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_handler);
}

} // namespace test
