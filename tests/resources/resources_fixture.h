// A scratch program folder: the test runs inside it (the file manager works
// relative to the working directory) and every search path, alias and log
// observer it set is undone afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "support/temp_folder.h"

namespace test {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        m_previous = buffer;
        ASSERT_EQ(chdir(m_folder.Path().c_str()), 0);
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
            m_logged.push_back(std::wstring(kind) + L": " + message);
        });
    }

    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        auto& fm = cFileManager::Instance();
        const std::vector<std::wstring> paths = fm.SearchPaths();
        for (const std::wstring& p : paths)
            fm.RemoveSearchPath(p);
        ASSERT_EQ(chdir(m_previous.c_str()), 0);
    }

    std::wstring W(const std::string& s) const { return platform::NarrowToWide(s); }
    std::string Here(const std::string& name) const { return m_folder / name; }

    TempFolder m_folder;
    std::string m_previous;
    std::vector<std::wstring> m_logged;
};

} // namespace test
