// The placeholder art and sounds the build generates from tools/art/: every
// image of the table is found in its page set, every sound file exists, and
// the test set drawn by the page manager gives a screenshot to look at
// (test-output/placeholder_set.png in the build folder).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"

namespace {

struct Row {
    std::vector<std::string> words;
    int line = 0;
};

// The table's lines that are neither blank nor comments, split into words.
// Rows of one table under tools/art/, or of every table of a folder there.
std::vector<Row> ReadTable(const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(VANDREL_SOURCE_DIR) / "tools/art" / name;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.path().extension() == ".txt")
                files.push_back(entry.path());
    } else {
        files.push_back(path);
    }
    std::vector<Row> rows;
    for (const auto& file : files) {
        std::ifstream in(file);
        EXPECT_TRUE(in.good()) << file;
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::istringstream split(line);
            Row row { {}, number };
            for (std::string w; split >> w;)
                row.words.push_back(w);
            if (!row.words.empty() && row.words[0][0] != '#')
                rows.push_back(row);
        }
    }
    return rows;
}

std::wstring Wide(const std::string& text)
{
    return platform::NarrowToWide(text);
}

class GeneratedArt : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitEngine(522, &m_device, &m_gfx);
        ASSERT_TRUE(SUCCEEDED(m_device->Create(nullptr, 1280, 1024)));
        cLog::Instance().SetObserver([this](const wchar_t*, const std::wstring& m) { m_log.push_back(m); });
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        CloseEngine();
    }

    iGfxDevice* m_device = nullptr;
    iGfx2D* m_gfx = nullptr;
    std::vector<std::wstring> m_log;
};

} // namespace

TEST_F(GeneratedArt, EveryImageOfTheTableIsInItsPageSet)
{
    const std::vector<Row> rows = ReadTable("images");
    ASSERT_FALSE(rows.empty());
    std::map<std::string, CPageManager> sets;
    for (const Row& row : rows) {
        ASSERT_GE(row.words.size(), 5u) << "images.txt:" << row.line;
        const std::string& folder = row.words[0];
        const std::string& name = row.words[1];
        if (!sets.count(folder)) {
            ASSERT_TRUE(sets[folder].Load(Wide(folder).c_str())) << folder;
        }
        CPageManager& pages = sets[folder];
        EXPECT_TRUE(pages.HasImage(Wide(name).c_str())) << folder << " " << name;

        // Asked for with or without ".png", the image is found either way.
        std::string other = name.size() > 4 && name.ends_with(".png") ? name.substr(0, name.size() - 4) : name + ".png";
        if (row.words.size() == 6)
            other = row.words[5];
        if (other != "-") {
            EXPECT_TRUE(pages.HasImage(Wide(other).c_str())) << folder << " " << other;
        }

        // A single-part image has the table's size.
        const int w = std::stoi(row.words[2]), h = std::stoi(row.words[3]);
        if (w <= 1024 && h <= 1024) {
            uint32_t pw = 0, ph = 0;
            pages.GetImageSize(Wide(name).c_str(), &pw, &ph);
            EXPECT_EQ(pw, static_cast<uint32_t>(w)) << name;
            EXPECT_EQ(ph, static_cast<uint32_t>(h)) << name;
        }
    }
    EXPECT_TRUE(m_log.empty()) << platform::WideToNarrow(m_log.front());
}

TEST_F(GeneratedArt, EverySoundOfTheTableIsARealFile)
{
    for (const Row& row : ReadTable("sounds.txt")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(platform::ReadWholeFile(row.words[0], bytes)) << row.words[0];
        ASSERT_GT(bytes.size(), 44u) << row.words[0];
        const std::string magic(bytes.begin(), bytes.begin() + 4);
        EXPECT_EQ(magic, row.words[0].ends_with(".ogg") ? "OggS" : "RIFF") << row.words[0];
    }
}

TEST_F(GeneratedArt, TheTestSetDrawsEveryImageOnScreen)
{
    CPageManager pages;
    ASSERT_TRUE(pages.Load(L"data/test/placeholder"));
    m_device->BeginScene();
    m_device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000);

    // The background first, the other images in rows over it below its name.
    struct Placed {
        std::wstring name;
        int x, y, w, h;
    };
    std::vector<Placed> placed;
    std::wstring background;
    int x = 24, y = 48, rowHeight = 0;
    for (const Row& row : ReadTable("images")) {
        if (row.words[0] != "data/test/placeholder")
            continue;
        const int w = std::stoi(row.words[2]), h = std::stoi(row.words[3]);
        if (row.words[4] == "background") {
            background = Wide(row.words[1]);
            continue;
        }
        if (x + w > 1256) {
            x = 24;
            y += rowHeight + 24;
            rowHeight = 0;
        }
        placed.push_back({ Wide(row.words[1]), x, y, w, h });
        x += w + 24;
        rowHeight = std::max(rowHeight, h);
    }
    ASSERT_FALSE(background.empty());

    // A grid of points over each image, read with the background alone and
    // again with the image: each image must change at least one of them.
    auto samples = [&](const Placed& p) {
        std::vector<uint32_t> out;
        for (int i = 1; i < 8; ++i) {
            for (int j = 1; j < 8; ++j) {
                uint32_t argb = 0;
                EXPECT_TRUE(engine::ReadPixel(p.x + p.w * i / 8, p.y + p.h * j / 8, &argb));
                out.push_back(argb);
            }
        }
        return out;
    };
    pages.DrawImage(background.c_str(), 0, 0, 0, 0, 255, 255, 255, 255);
    std::vector<std::vector<uint32_t>> before;
    for (const Placed& p : placed)
        before.push_back(samples(p));
    for (const Placed& p : placed)
        pages.DrawImage(p.name.c_str(), p.x, p.y, 0, 0, 255, 255, 255, 255);
    m_device->EndScene();

    // The background covers the screen with both of its parts.
    uint32_t left = 0, right = 0;
    ASSERT_TRUE(engine::ReadPixel(10, 1000, &left));
    ASSERT_TRUE(engine::ReadPixel(1270, 1000, &right));
    EXPECT_NE(left, 0xFF000000u);
    EXPECT_NE(right, 0xFF000000u);
    for (size_t i = 0; i < placed.size(); ++i)
        EXPECT_NE(samples(placed[i]), before[i]) << platform::WideToNarrow(placed[i].name);
    EXPECT_TRUE(SUCCEEDED(m_device->SaveScreenshot(nullptr, nullptr, L"test-output/placeholder_set.png")));
}

// The five colour groups stay apart on the cars and on the pumps' markers at
// both screen sizes: the average of each image's strongly coloured pixels
// lies far from every other group's.
TEST_F(GeneratedArt, ColourGroupsOfCarsAndMarkersAreFarApart)
{
    const struct {
        const wchar_t* folder;
        const wchar_t* names[5];
    } sets[] = {
        { L"data/gui/interface/menu/menu_transport",
            { L"auto_rot.png", L"auto_blau.png", L"auto_gruen.png", L"auto_gelb.png", L"auto_lila.png" } },
        { L"data/gui/interface/menu/menu_transport_1024",
            { L"auto_rot.png", L"auto_blau.png", L"auto_gruen.png", L"auto_gelb.png", L"auto_lila.png" } },
        { L"data/gui/interface/menu/menu_tankstelle",
            { L"element1.png", L"element2.png", L"element3.png", L"element4.png", L"element5.png" } },
        { L"data/gui/interface/menu/menu_tankstelle_1024",
            { L"element1.png", L"element2.png", L"element3.png", L"element4.png", L"element5.png" } },
    };
    for (const auto& set : sets) {
        SCOPED_TRACE(platform::WideToNarrow(set.folder));
        CPageManager pages;
        ASSERT_TRUE(pages.Load(set.folder));
        double mean[5][3] = {};
        for (int g = 0; g < 5; ++g) {
            uint32_t w = 0, h = 0;
            pages.GetImageSize(set.names[g], &w, &h);
            m_device->BeginScene();
            m_device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000);
            pages.DrawImage(set.names[g], 0, 0, 0, 0, 255, 255, 255, 255);
            m_device->EndScene();
            int count = 0;
            for (uint32_t y = 0; y < h; ++y) {
                for (uint32_t x = 0; x < w; ++x) {
                    uint32_t argb = 0;
                    ASSERT_TRUE(engine::ReadPixel(static_cast<int>(x), static_cast<int>(y), &argb));
                    const int c[3] = { static_cast<int>(argb >> 16 & 255), static_cast<int>(argb >> 8 & 255),
                        static_cast<int>(argb & 255) };
                    if (std::max({ c[0], c[1], c[2] }) - std::min({ c[0], c[1], c[2] }) < 50)
                        continue;
                    ++count;
                    for (int i = 0; i < 3; ++i)
                        mean[g][i] += c[i];
                }
            }
            ASSERT_GT(count, 50) << platform::WideToNarrow(set.names[g]);
            for (double& channel : mean[g])
                channel /= count;
        }
        for (int a = 0; a < 5; ++a) {
            for (int b = a + 1; b < 5; ++b) {
                const double d = std::hypot(mean[a][0] - mean[b][0], mean[a][1] - mean[b][1], mean[a][2] - mean[b][2]);
                EXPECT_GT(d, 60.0) << platform::WideToNarrow(set.names[a]) << " vs "
                                   << platform::WideToNarrow(set.names[b]);
            }
        }
    }
}
