// A log that cannot be made (the player's folder is missing or not a folder)
// stops nothing: the entries still reach the observer, no file appears, and
// a stream that did not open refuses every write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/xml_stream.h"
#include "support/temp_folder.h"

TEST(LogFolder, ALogThatCannotBeMadeStillReachesTheObserver)
{
    test::TempFolder folder;
    std::ofstream(folder / "file") << "not a folder";
    for (const std::string& where : { folder / "missing", folder / "file" }) {
        cLog::SetFolder(platform::NarrowToWide(where));
        EXPECT_EQ(XmlStreamOpen(L"other.xml", L""), -1) << where;
        cLog& log = cLog::Instance();
        log.Init();
        std::vector<std::wstring> seen;
        log.SetObserver([&](const wchar_t* kind, const std::wstring& m) { seen.push_back(kind + (L":" + m)); });
        log.Error(L"%ls", L"first");
        log.Write(L"%d", 2);
        log.SetObserver(nullptr);
        log.Shutdown();
        EXPECT_EQ(seen, (std::vector<std::wstring> { L"error:first", L"message:2" })) << where;
    }
    cLog::SetFolder(L""); // back to the working folder, where it starts
    EXPECT_FALSE(XmlStreamOpenElement(-1, L"a") || XmlStreamWriteText(-1, L"a") || XmlStreamCloseElement(-1)
        || XmlStreamClose(-1));
    // Nothing was made in the folders that could not take the log.
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}
