#include <gtest/gtest.h>

#include <tinyxml2.h>

#include "platform/folders.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/xml_stream.h"
#include "support/temp_folder.h"

namespace {

// log.xml is UTF-16; the XML reader takes UTF-8.
std::string ReadAsUtf8(const std::string& path)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(platform::ReadWholeFile(path, bytes));
    return platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size()));
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return m_nowMs; });
        cLog::SetFolder(platform::NarrowToWide(m_folder.Path()));
        cLog::Instance().Init();
        ASSERT_TRUE(cLog::Instance().IsOpen());
    }

    void TearDown() override
    {
        cLog::Instance().Shutdown();
        cLog::SetFolder(L"");
        platform::SetTimeSourceForTests(nullptr);
    }

    double m_nowMs = 5000.0;
    test::TempFolder m_folder;
};

} // namespace

TEST_F(LogTest, MessagesWithMarkupAndNonAsciiTextParseUnchanged)
{
    const std::wstring tricky = L"a < b && c > d \"q\" '\u00e4\u0444' \U0001F697";
    cLog::Instance().Error(L"cFileManager::Open -> Unable to find \"%ls\" in package \"%ls\".", L"<x&y>.csv",
                           L"data/language.pkg");
    m_nowMs += 125370.0;
    cLog::Instance().Warning(L"%ls", tricky.c_str());
    cLog::Instance().Write(L"%s %d", "gr\xc3\xbcn", 42); // 8-bit text is UTF-8

    // Well-formed while the game still runs, and after it closes the log.
    for (int pass = 0; pass < 2; ++pass) {
        const std::string text = ReadAsUtf8(m_folder / "log.xml");
        EXPECT_NE(text.find("<?xml-stylesheet type=\"text/xsl\" href=\"data/log/log_en.xsl\" ?>"), std::string::npos);
        tinyxml2::XMLDocument doc;
        ASSERT_EQ(doc.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS) << text;
        const tinyxml2::XMLElement* log = doc.FirstChildElement("log");
        ASSERT_NE(log, nullptr);
        ASSERT_NE(log->FirstChildElement("creationDate"), nullptr);
        ASSERT_NE(log->FirstChildElement("creationTime"), nullptr);
        const auto* error = log->FirstChildElement("error");
        const auto* warning = log->FirstChildElement("warning");
        const auto* message = log->FirstChildElement("message");
        ASSERT_TRUE(error && warning && message);
        EXPECT_STREQ(error->GetText(),
                     "[00:00:00] cFileManager::Open -> Unable to find \"<x&y>.csv\" in package \"data/language.pkg\".");
        EXPECT_EQ(platform::NarrowToWide(warning->GetText()), L"[02:05:37] " + tricky);
        EXPECT_STREQ(message->GetText(), "[02:05:37] gr\xc3\xbcn 42");
        cLog::Instance().Shutdown();
    }
}

TEST_F(LogTest, ObserverSeesEveryEntryAndLongMessagesAreCut)
{
    std::vector<std::wstring> seen;
    cLog::Instance().SetObserver([&](const wchar_t* kind, const std::wstring& m) { seen.push_back(kind + (L":" + m)); });
    cLog::Instance().Write(L"%ls", std::wstring(5000, L'x').c_str());
    cLog::Instance().Error(L"bad \x01 char");
    cLog::Instance().SetObserver(nullptr);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_LE(seen[0].size(), std::wstring(L"message:").size() + 1023);
    const std::string text = ReadAsUtf8(m_folder / "log.xml");
    tinyxml2::XMLDocument doc;
    EXPECT_EQ(doc.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS);
}

TEST_F(LogTest, MinutesPastNinetyNineKeepTheirDigits)
{
    m_nowMs += 100.0 * 60000.0 + 1234.0;
    cLog::Instance().Warning(L"late");
    const std::string text = ReadAsUtf8(m_folder / "log.xml");
    EXPECT_NE(text.find("<warning>[100:01:23] late</warning>"), std::string::npos);
}

TEST(XmlStream, SameNameSameHandleAndEndTagsInnermostFirst)
{
    test::TempFolder folder;
    XmlStreamSetFolder(platform::NarrowToWide(folder.Path()));
    const int h = XmlStreamOpen(L"Out.XML", L"");
    ASSERT_GE(h, 0);
    EXPECT_EQ(XmlStreamOpen(L"out.xml", L"s.xsl"), h); // no second header
    EXPECT_TRUE(XmlStreamOpenElement(h, L"a"));
    EXPECT_TRUE(XmlStreamWriteInt(h, -5));
    EXPECT_TRUE(XmlStreamOpenElement(h, L"b"));
    EXPECT_TRUE(XmlStreamWriteHex(h, 0xBEEF));
    EXPECT_TRUE(XmlStreamWriteBool(h, true));
    EXPECT_TRUE(XmlStreamOpenElement(h, L"c"));
    EXPECT_TRUE(XmlStreamWriteChar(h, L'&'));
    EXPECT_TRUE(XmlStreamWriteDouble(h, 1.5));
    EXPECT_TRUE(XmlStreamClose(h));
    EXPECT_FALSE(XmlStreamWriteText(h, L"gone"));
    EXPECT_FALSE(XmlStreamCloseElement(-1));
    XmlStreamSetFolder(L"");

    const std::string text = ReadAsUtf8(folder / "out.xml");
    EXPECT_EQ(text, "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n"
                    "<a>-5<b>0xbeeftrue<c>&amp;1.500000e+00</c>\n</b>\n</a>\n");
}

TEST(XmlStream, UnwritableFolderGivesNoHandle)
{
    XmlStreamSetFolder(L"/nonexistent/folder");
    EXPECT_EQ(XmlStreamOpen(L"log.xml", L""), -1);
    XmlStreamSetFolder(L"");
}
