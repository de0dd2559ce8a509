// A scratch program folder: the test runs inside it (the file manager works
// relative to the working directory) and every search path and log observer
// it set is undone afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "support/temp_folder.h"

namespace test {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::current_path(m_folder.Path());
        cLog::Instance().SetObserver(
            [this](const wchar_t* kind, const std::wstring& line) { m_logged.push_back(kind + (L": " + line)); });
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        for (const std::wstring& path : std::vector(cFileManager::Instance().SearchPaths()))
            cFileManager::Instance().RemoveSearchPath(path);
        std::filesystem::current_path(m_previous);
    }

    std::wstring W(const std::string& s) const { return platform::NarrowToWide(s); }
    std::string Here(const std::string& name) const { return m_folder / name; }

    std::filesystem::path m_previous = std::filesystem::current_path();
    TempFolder m_folder;
    std::vector<std::wstring> m_logged;
};

} // namespace test
