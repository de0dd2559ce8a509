// What a player reads of damaged player files on the menu screens, through
// the real program at both screen sizes: the notices (three lines, or one for
// each of the five kinds of file) hide no button and no text and are clicked
// through a page at a time, each line once and in order, and names read
// from the files (a list of players and a highscore table written with
// 5 000-letter names) stay in their fields. Each screen is saved as
// test-output/notice_<width>_<lines>_<screen>.png and goes through the layout
// check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "frontend/score_table.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/screen_manager.h"
#include "support/menu_route.h"
#include "support/whole_game.h"
#include "world/player_file_rule.h"

namespace {

// The level the player has come to: the map shows every pin before it.
constexpr int kLevel = 30;
// The foot of a notice line: the file was not read whole.
constexpr int kNotReadWholeText = 7;

struct Size {
    int width, height;
};

// The start screen, the map, the shop, the map's highscores and the options,
// each looked at once it has faded in, with no click on the notices but the
// one on the city pin (before they could be taken down); then clicks on the
// sky over the options, each once the lines shown could be read, until every
// line has been seen and the notice is taken down. Each page of it must bring
// the lines after the ones the click took down, so that every line is shown
// once, in order.
class NoticeApp : public RecordedApp {
public:
    NoticeApp(Size size, int lines)
        : size(size)
        , lines(lines)
    {
    }

    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        ms += 20.0;
        if (++frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (menuFrames > 0 || test::StartScreenOpen())
            OnMenu(world);
        for (const test::GfxDraw& d : Draws()) {
            if (d.text.find(L"could not be read whole") != std::wstring::npos)
                seenLines.insert(d.text.substr(0, d.text.find(L"  (+")));
        }
        if (!world.playerFileNotice.empty())
            noticeLines = SplitLines(world.playerFileNotice);
        ReadPage();
        const bool allSeen = seenLines.size() == static_cast<size_t>(lines);
        const bool noticeUp = !world.playerFileNotice.empty();
        return cGameApp::Frame() && (menuFrames < 210 || !allSeen || noticeUp) && menuFrames < 740 && frames < 3000;
    }

    double ms = 0;
    std::set<std::string> saved;
    std::vector<std::string> breaches;
    std::vector<std::string> noticeMissing; // screens shot without the notice
    std::set<std::wstring> seenLines;
    // The notice's lines, and the line after the last one shown on its last
    // page (their count once it has been clicked through).
    std::vector<std::wstring> noticeLines;
    size_t pagedTo = 0;
    std::vector<std::string> pagingBreaches;

private:
    static std::vector<std::wstring> SplitLines(const std::wstring& text)
    {
        std::vector<std::wstring> split;
        for (size_t at = 0; at <= text.size();) {
            const size_t end = std::min(text.find(L'\n', at), text.size());
            split.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        return split;
    }

    // Reads the notice off the frame last drawn: the lines shown follow one
    // another from the first, "(+N)" counts those after them, and a new first
    // line is the one after the last page's.
    void ReadPage()
    {
        std::vector<size_t> shown;
        size_t more = 0;
        for (const test::GfxDraw& d : Draws()) {
            const size_t cut = d.text.find(L"  (+");
            const auto line = std::ranges::find(noticeLines, d.text.substr(0, cut));
            if (!d.font || line == noticeLines.end())
                continue;
            shown.push_back(static_cast<size_t>(line - noticeLines.begin()));
            if (cut != std::wstring::npos)
                more = std::stoul(d.text.substr(cut + 4));
        }
        if (shown.empty())
            return;
        const std::string at = "menu frame " + std::to_string(menuFrames) + ", lines from " + std::to_string(shown[0]);
        for (size_t i = 1; i < shown.size(); ++i) {
            if (shown[i] != shown[0] + i)
                pagingBreaches.push_back(
                    at + ": line " + std::to_string(shown[i]) + " shown in place " + std::to_string(i));
        }
        if (shown[0] + shown.size() + more != noticeLines.size())
            pagingBreaches.push_back(at + ": " + std::to_string(shown.size()) + " shown and (+" + std::to_string(more)
                + ") of " + std::to_string(noticeLines.size()));
        if (shown[0] != pageFirst && shown[0] != pagedTo)
            pagingBreaches.push_back(at + ": the page before ended before line " + std::to_string(pagedTo));
        pageFirst = shown[0];
        pagedTo = shown[0] + shown.size();
    }

    void Shoot(const std::string& screen)
    {
        const std::string name = std::to_string(size.width) + "_" + std::to_string(lines) + "_" + screen;
        if (!SaveFrame("notice_" + name))
            return;
        saved.insert(screen);
        const auto& draws = Draws();
        const auto notice = std::find_if(draws.begin(), draws.end(),
            [](const test::GfxDraw& d) { return d.text.find(L"could not be read whole") != std::wstring::npos; });
        if (notice == draws.end())
            noticeMissing.push_back(screen);
        else
            FindTextsUnderThePlate(name, draws.begin(), notice);
        CheckFrame(name, breaches);
    }

    // The notice's plate is the last shape drawn before its first line; no
    // text drawn before it may lie under it.
    void FindTextsUnderThePlate(const std::string& name, std::vector<test::GfxDraw>::const_iterator first,
        std::vector<test::GfxDraw>::const_iterator notice)
    {
        const auto plate = std::find_if(std::make_reverse_iterator(notice), std::make_reverse_iterator(first),
            [](const test::GfxDraw& d) { return d.kind == test::GfxDraw::Kind::Triangles; });
        if (plate == std::make_reverse_iterator(first) || plate->vertices.empty())
            return;
        float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
        for (const GfxVertex& v : plate->vertices) {
            left = std::min(left, v.x), right = std::max(right, v.x);
            top = std::min(top, v.y), bottom = std::max(bottom, v.y);
        }
        for (auto d = first; d != plate.base() - 1; ++d) {
            const bool blank = std::all_of(d->text.begin(), d->text.end(), [](wchar_t c) { return std::iswspace(c); });
            if (!d->font || blank || (d->color >> 24) == 0)
                continue;
            SIZE size {};
            d->font->MeasureText(d->text.c_str(), &size);
            const float scale = d->kind == test::GfxDraw::Kind::TextScaled ? d->scale : 1.0f;
            if (d->x < right && d->x + size.cx * scale > left && d->y < bottom && d->y + size.cy * scale > top)
                breaches.push_back(name + ": text under the notice: \"" + platform::WideToNarrow(d->text) + "\"");
        }
    }

    void OnMenu(cGameWorld& world)
    {
        ++menuFrames;
        if (menuFrames == 1)
            world.level = kLevel;
        if (menuFrames == 40) {
            Shoot("start");
            world.profilesOpen = 0;
        }
        if (menuFrames == 80) {
            Shoot("map");
            world.money = 1000; // the city pin shows once there is money
        }
        if ((menuFrames == 85 || menuFrames == 86) && g_pInputDevice) {
            const int x = Scene::ScaleX(50), y = Scene::ScaleY(750);
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, menuFrames == 85, x, y);
        }
        if (menuFrames == 120) {
            if (world.shopOpen)
                Shoot("shop");
            platform::InjectKey(window, "Escape", true);
        }
        if (menuFrames == 130) {
            // as the map's highscores button
            world.highscoresOpen = 1;
            world.highscoreTableReady = 0;
            world.resultScreenOpen = 1;
            cScreenManager::Instance().GetScreen(cScreenManager::kResultScreen)->SetActive(true);
        }
        if (menuFrames == 170) {
            Shoot("results");
            world.highscoresOpen = world.resultScreenOpen = 0;
            // as the start screen's options button
            cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
            world.optionsOpen = 1;
        }
        if (menuFrames == 209)
            Shoot("options");
        const int sinceClick = (menuFrames - 380) % 170; // 3.4 s apart
        if (menuFrames >= 380 && sinceClick < 2 && g_pInputDevice) {
            const int x = Scene::ScaleX(640), y = Scene::ScaleY(40);
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, sinceClick == 0, x, y);
        }
    }

    Size size;
    int lines;
    int frames = 0, menuFrames = 0;
    size_t pageFirst = 0;
};

class PlayerNotice : public test::WholeGameRuns<> {
protected:
    void TearDown() override
    {
        settings.SetResolution(saved.width, saved.height);
        settings.screenMode = saved.screenMode;
        WholeGameRuns::TearDown();
    }

    cSettings& settings = cSettings::Instance();
    const struct {
        int width, height, screenMode;
    } saved { settings.width, settings.height, settings.screenMode };
};

TEST_F(PlayerNotice, NoticesHideNoButtonAndNamesFromFilesStayInTheirFields)
{
    std::filesystem::create_directories("test-output");
    for (const auto& [size, lines] : { std::pair { Size { 1280, 1024 }, 3 }, std::pair { Size { 1280, 1024 }, 5 },
             std::pair { Size { 1024, 768 }, 3 }, std::pair { Size { 1024, 768 }, 5 } }) {
        SCOPED_TRACE(std::to_string(size.width) + ", " + std::to_string(lines) + " lines");
        test::TempFolder home;
        EnterPlayerFolder(home);
        const std::string user = platform::WideToNarrow(world.userFolder);
        world.profileNames[world.currentProfile] = std::wstring(5000, L'W');
        world.profileLastLevel[world.currentProfile] = kLevel;
        ASSERT_TRUE(world.SaveUsers());
        Scene::ScoreTable scores;
        scores.Insert(std::wstring(5000, L'M'), world.currentProfile, 100, 500);
        ASSERT_TRUE(Scene::SaveScoreFile(scores, Scene::ScoreFilePath(kLevel)));
        // Damaged: a line the game never writes after what it wrote.
        const std::vector<uint8_t> line = platform::WideToUtf16Le(L"no setting of the game\r\n");
        for (const char* file : { "/config.cfg", "/us.txt" })
            std::ofstream(user + file, std::ios::app | std::ios::binary)
                .write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(line.size()));
        EnterPlayerFolder(home);
        EXPECT_EQ(world.profileNames[world.currentProfile], std::wstring(14, L'W'));
        // The other kinds of file (a saved game, a station, a highscore
        // table) as the game tells them when it reads them.
        for (int file = 3; file <= lines; ++file)
            world::SetPlayerFileNotice(world, file, kNotReadWholeText);

        settings.SetResolution(size.width, size.height);
        settings.screenMode = 0;
        test::ShowLogosAsAtStart(world);
        NoticeApp app(size, lines);
        platform::SetTimeSourceForTests([&app] { return app.ms; });
        app.Run();
        platform::SetTimeSourceForTests(nullptr);
        for (const char* screen : { "start", "map", "shop", "results", "options" })
            EXPECT_TRUE(app.saved.count(screen)) << screen;
        EXPECT_EQ(app.seenLines.size(), static_cast<size_t>(lines));
        EXPECT_EQ(app.noticeLines.size(), static_cast<size_t>(lines));
        EXPECT_EQ(app.pagedTo, app.noticeLines.size()) << "the last page is not the notice's last line";
        EXPECT_TRUE(world.playerFileNotice.empty()) << "the notice is not clicked through";
        for (const std::string& breach : app.pagingBreaches)
            ADD_FAILURE() << breach;
        for (const std::string& screen : app.noticeMissing)
            ADD_FAILURE() << screen << ": no notice";
        for (const std::string& breach : app.breaches)
            ADD_FAILURE() << breach;
        EndRun();
    }
}

} // namespace
