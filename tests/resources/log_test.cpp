#include <gtest/gtest.h>

#include <tinyxml2.h>

#include <functional>
#include <locale.h>

#include "platform/folders.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/xml_stream.h"
#include "support/temp_folder.h"

TEST(Log, MessagesWithMarkupAndOddTextParseUnchangedWhileOpenAndAfter)
{
    double nowMs = 5000.0;
    platform::SetTimeSourceForTests([&] { return nowMs; });
    test::TempFolder folder;
    cLog::SetFolder(platform::NarrowToWide(folder.Path()));
    cLog& log = cLog::Instance();
    log.Init();
    std::vector<std::wstring> seen;
    log.SetObserver([&](const wchar_t* kind, const std::wstring& m) { seen.push_back(kind + (L":" + m)); });
    uselocale(LC_GLOBAL_LOCALE); // the thread follows the program's locale
    const std::wstring tricky = L"a < b && c > d \"q\" '\u00e4\u0444' \U0001F697 \x01";
    log.Error(L"Unable to find \"%ls\" in package \"%ls\".", L"<x&y>.csv", L"data/language.pkg");
    nowMs += 100.0 * 60000.0 + 1234.0; // minutes past 99 keep their digits
    log.Warning(L"%ls", tricky.c_str());
    log.Write(L"%s %d", "gr\xc3\xbcn", 42); // 8-bit text is UTF-8
    log.Write(L"%ls", std::wstring(5000, L'x').c_str());
    log.SetObserver(nullptr);
    EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), LC_GLOBAL_LOCALE); // and still does after formatting
    EXPECT_EQ(seen.size() == 4 ? seen[3].size() : 0, std::wstring(L"message:").size() + 1023); // cut
    for (int pass = 0; pass < 2; ++pass) { // well-formed while the game runs and after the log closes
        std::vector<uint8_t> bytes; // log.xml is UTF-16; the XML reader takes UTF-8
        ASSERT_TRUE(platform::ReadWholeFile(folder / "log.xml", bytes));
        const std::string text = platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size()));
        tinyxml2::XMLDocument doc;
        ASSERT_EQ(doc.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS) << text;
        const tinyxml2::XMLElement* root = doc.FirstChildElement("log");
        ASSERT_TRUE(root && root->FirstChildElement("creationDate"));
        const auto *error = root->FirstChildElement("error"), *warning = root->FirstChildElement("warning"),
                   *message = root->FirstChildElement("message");
        ASSERT_TRUE(error && warning && message);
        EXPECT_STREQ(error->GetText(), "[00:00:00] Unable to find \"<x&y>.csv\" in package \"data/language.pkg\".");
        const std::wstring kept = L"[100:01:23] " + tricky.substr(0, tricky.size() - 1); // \x01 is replaced
        EXPECT_EQ(platform::NarrowToWide(warning->GetText()).rfind(kept, 0), 0u);
        EXPECT_STREQ(message->GetText(), "[100:01:23] gr\xc3\xbcn 42");
        log.Shutdown();
    }
    const int stream = XmlStreamOpen(L"other.xml", L""); // a closed stream takes nothing more
    EXPECT_TRUE(stream >= 0 && XmlStreamClose(stream) && !XmlStreamWriteText(stream, L"gone"));
    cLog::SetFolder(L""), platform::SetTimeSourceForTests(nullptr);
}

// A script logging in a loop: log.xml stops near its limit with a last entry
// saying so and stays well-formed; the observer still sees every entry.
TEST(Log, AFloodOfEntriesStopsAtTheLimitWithALastWordAndStaysWellFormed)
{
    test::TempFolder folder;
    cLog::SetFolder(platform::NarrowToWide(folder.Path()));
    cLog& log = cLog::Instance();
    log.Init();
    int seen = 0;
    log.SetObserver([&](const wchar_t*, const std::wstring&) { ++seen; });
    const std::wstring line(1000, L'x');
    const int entries = static_cast<int>(3 * kLogLimitBytes / 2000);
    for (int i = 0; i < entries; ++i)
        log.Write(L"%d %ls", i, line.c_str());
    log.SetObserver(nullptr);
    EXPECT_EQ(seen, entries);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "log.xml", bytes));
    EXPECT_LE(bytes.size(), kLogLimitBytes + 4096);
    EXPECT_GE(bytes.size(), kLogLimitBytes - 4096);
    const std::string text = platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size()));
    tinyxml2::XMLDocument doc;
    ASSERT_EQ(doc.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* last = doc.FirstChildElement("log")->LastChildElement();
    ASSERT_TRUE(last);
    EXPECT_STREQ(last->Name(), "warning");
    EXPECT_NE(std::string(last->GetText()).find("later entries are left out"), std::string::npos);
    log.Shutdown();
    cLog::SetFolder(L"");
}

// Each entry's prefix is minutes, seconds and hundredths since the log opened;
// a stream's file holds its elements nested as opened, their end tags always
// on disk, innermost first.
TEST(Log, EntriesCarryTheirTimeAndStreamsNestTheirElements)
{
    double nowMs = 7000.0;
    platform::SetTimeSourceForTests([&] { return nowMs; });
    test::TempFolder folder;
    cLog::SetFolder(platform::NarrowToWide(folder.Path()));
    cLog& log = cLog::Instance();
    log.Init();
    const std::pair<double, const char*> times[] = { { 9.9, "[00:00:00]" }, { 10.0, "[00:00:01]" },
        { 999.0, "[00:00:99]" }, { 1000.0, "[00:01:00]" }, { 59999.0, "[00:59:99]" }, { 60000.0, "[01:00:00]" },
        { 754321.0, "[12:34:32]" }, { -5000.0, "[00:00:00]" } };
    for (const auto& [after, prefix] : times) {
        nowMs = 7000.0 + after;
        log.Write(L"%d", 1);
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "log.xml", bytes));
    const std::string text = platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size()));
    tinyxml2::XMLDocument doc;
    ASSERT_EQ(doc.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS) << text;
    const tinyxml2::XMLElement* entry = doc.FirstChildElement("log")->FirstChildElement("message");
    for (const auto& [after, prefix] : times) {
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetText(), std::string(prefix) + " 1") << after;
        entry = entry->NextSiblingElement("message");
    }
    log.Shutdown();

    const int stream = XmlStreamOpen(L"Nest.XML", L"style.xsl");
    ASSERT_GE(stream, 0);
    EXPECT_EQ(XmlStreamOpen(L"nest.xml", L""), stream); // open already: the same stream
    // What follows the declaration and the stylesheet instruction.
    auto file = [&] {
        const std::wstring head = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n"
                                  L"<?xml-stylesheet type=\"text/xsl\" href=\"style.xsl\" ?>\n";
        std::vector<uint8_t> b;
        platform::ReadWholeFile(folder / "nest.xml", b);
        const std::wstring w = platform::Utf16LeToWide(b.data(), b.size());
        return w.rfind(head, 0) == 0 ? platform::WideToNarrow(w.substr(head.size())) : "no head";
    };
    EXPECT_TRUE(XmlStreamOpenElement(stream, L"a") && XmlStreamOpenElement(stream, L"b"));
    EXPECT_EQ(file(), "<a><b></b>\n</a>\n");
    EXPECT_TRUE(XmlStreamWriteText(stream, L"x<y") && XmlStreamCloseElement(stream));
    EXPECT_EQ(file(), "<a><b>x&lt;y</b>\n</a>\n");
    EXPECT_TRUE(XmlStreamOpenElement(stream, L"c") && XmlStreamClose(stream));
    EXPECT_EQ(file(), "<a><b>x&lt;y</b>\n<c></c>\n</a>\n");
    for (const int handle : { stream, -1, 1000 })
        EXPECT_FALSE(XmlStreamOpenElement(handle, L"d") || XmlStreamWriteText(handle, L"e")
            || XmlStreamCloseElement(handle) || XmlStreamClose(handle)) << handle;
    cLog::SetFolder(L""), platform::SetTimeSourceForTests(nullptr);
}

// Each value writer's text as the stream's file holds it, one element per
// value; a stream that is not open takes none of them.
TEST(Log, ValueWritersPutTheirTextInTheFile)
{
    test::TempFolder folder;
    cLog::SetFolder(platform::NarrowToWide(folder.Path()));
    const int stream = XmlStreamOpen(L"values.xml", L"");
    ASSERT_GE(stream, 0);
    const std::tuple<const char*, std::function<bool(int)>, std::wstring> cases[] = {
        { "int", [](int h) { return XmlStreamWriteInt(h, 0); }, L"0" },
        { "negative int", [](int h) { return XmlStreamWriteInt(h, -2147483647 - 1); }, L"-2147483648" },
        { "int", [](int h) { return XmlStreamWriteInt(h, 42); }, L"42" },
        { "true", [](int h) { return XmlStreamWriteBool(h, true); }, L"true" },
        { "false", [](int h) { return XmlStreamWriteBool(h, false); }, L"false" },
        { "hex 0", [](int h) { return XmlStreamWriteHex(h, 0); }, L"0x0" },
        { "hex", [](int h) { return XmlStreamWriteHex(h, 0xBEEF); }, L"0xbeef" },
        { "hex all bits", [](int h) { return XmlStreamWriteHex(h, 0xFFFFFFFFu); }, L"0xffffffff" },
        { "byte", [](int h) { return XmlStreamWriteByteHex(h, 0x0A); }, L"0xa" },
        { "byte all bits", [](int h) { return XmlStreamWriteByteHex(h, 0xFF); }, L"0xff" },
        { "char", [](int h) { return XmlStreamWriteChar(h, L'\u00e4'); }, L"\u00e4" },
        { "char markup", [](int h) { return XmlStreamWriteChar(h, L'<'); }, L"&lt;" },
        { "null pointer", [](int h) { return XmlStreamWritePointer(h, nullptr); }, L"0x00000000" },
        { "pointer", [](int h) { return XmlStreamWritePointer(h, reinterpret_cast<void*>(0xAB12)); }, L"0x0000ab12" },
        { "float", [](int h) { return XmlStreamWriteFloat(h, 1.5f); }, L"1.5" },
        { "float tenth", [](int h) { return XmlStreamWriteFloat(h, -0.1f); }, L"-0.1" },
        { "float whole", [](int h) { return XmlStreamWriteFloat(h, 100.0f); }, L"100" },
        { "float 8 digits", [](int h) { return XmlStreamWriteFloat(h, 3.14159265f); }, L"3.1415927" },
        { "float large", [](int h) { return XmlStreamWriteFloat(h, 123456789.0f); }, L"1.2345679e+08" },
        { "double", [](int h) { return XmlStreamWriteDouble(h, 1.5); }, L"1.500000e+00" },
        { "double small", [](int h) { return XmlStreamWriteDouble(h, -0.000123); }, L"-1.230000e-04" },
        { "double 0", [](int h) { return XmlStreamWriteDouble(h, 0.0); }, L"0.000000e+00" },
        { "double large", [](int h) { return XmlStreamWriteDouble(h, 2.5e100); }, L"2.500000e+100" },
    };
    setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a decimal comma, where the system has it, changes nothing
    std::wstring expected = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n";
    for (const auto& [what, write, text] : cases) {
        EXPECT_TRUE(XmlStreamOpenElement(stream, L"v") && write(stream) && XmlStreamCloseElement(stream)) << what;
        expected += L"<v>" + text + L"</v>\n";
    }
    setlocale(LC_NUMERIC, "C");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(folder / "values.xml", bytes));
    EXPECT_EQ(platform::WideToNarrow(platform::Utf16LeToWide(bytes.data(), bytes.size())),
        platform::WideToNarrow(expected));
    EXPECT_TRUE(XmlStreamClose(stream));
    for (const int handle : { stream, -1 })
        for (const auto& [what, write, text] : cases)
            EXPECT_FALSE(write(handle)) << what << handle;
    cLog::SetFolder(L"");
}
