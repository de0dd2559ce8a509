// The autoplayer's run from a new game through levels 1 and 2 with a reader
// over its engine: the frames a player reads figures from, each kept with
// the world's figures it was drawn from (tests/app/screen_figures_test.cpp).
#pragma once

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/test_events.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "support/autoplayer.h"
#include "support/screen_reader.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace figures {

using test::ImageNumber;
using test::ShownText;

inline const std::wstring& Gui(int text)
{
    static std::map<int, std::wstring> texts;
    return texts.emplace(text, g_guiVocabulary[text]).first->second;
}

// Field `index` after the key of a row of profile 1's saved game ("MONEY;5;",
// "GELD;0;120;..."): index 0 is the first value; -1 when missing.
inline int SavedValue(const std::wstring& folder, const std::wstring& key, int index)
{
    std::ifstream in(platform::WideToNarrow(folder) + "/1", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::wstring text = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    std::replace(text.begin(), text.end(), L'\r', L'\n');
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line);) {
        if (line.rfind(key + L";", 0) != 0)
            continue;
        std::wistringstream fields(line.substr(key.size() + 1));
        std::wstring field;
        for (int i = 0; std::getline(fields, field, L';'); ++i)
            if (i == index)
                return test::NumberIn(field);
    }
    return -1;
}

// One frame as read back, with the world's figures it was drawn from.
struct Seen {
    std::vector<ImageNumber> numbers;
    std::vector<ShownText> texts;
    std::map<std::string, std::pair<int, int>> images; // name -> left, right of its last draw
    int level = 0, elapsed = 0, limit = 0, points = 0, pointsTarget = 0, money = 0, savedMoney = -1;
    int lineValue[world::kMessageLines] = {}, lineTarget[world::kMessageLines] = {};
    bool lineShown[world::kMessageLines] = {};

    bool Shows(const std::wstring& text) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const ShownText& t) { return t.text == text; });
    }
    bool ShowsNumber(int set, const std::wstring& text) const
    {
        return std::any_of(
            numbers.begin(), numbers.end(), [&](const ImageNumber& n) { return n.set == set && n.text == text; });
    }
    std::wstring NumbersOf(int set) const
    {
        std::wstring all;
        for (const ImageNumber& n : numbers)
            all += n.set == set ? L"[" + n.text + L"]" : L"";
        return all;
    }
};

// The autoplayer from a new game to the map after level 2, with a reader
// over its engine that keeps the frames a player would read figures from.
class FigureRun : public test::Autoplayer {
public:
    FigureRun(int width, int height)
        : Autoplayer(2, width, height)
        , width(width)
    {
    }

    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        if (InLevel() && world.taskBookOpen && !taskRead[world.level]) {
            // The task dialog is read page by page before the player closes it.
            ms += 50.0;
            TurnTaskPage();
            const bool running = cGameApp::Frame();
            Look();
            return running;
        }
        if (hovering >= 0)
            return HoverPins();
        // A task dialog closed by its button goes in the frame's last step:
        // the display under it was drawn as under an open dialog.
        drawnUnderTask = InLevel() && world.taskBookOpen;
        const bool running = Autoplayer::Frame();
        Look();
        // Back on the map after the last level: its pins are pointed at.
        if (!running && finished && stuck.empty()) {
            hovering = 0;
            return true;
        }
        return running;
    }

    std::map<std::string, Seen> seen;
    std::map<int, std::wstring> taskTexts; // level -> every page's texts
    std::vector<std::string> faults;
    std::wstring userFolder;

protected:
    void StartEngine() override
    {
        Autoplayer::StartEngine();
        reader.emplace(g_pGfxDevice, g_pGfx2D);
    }
    void StopEngine() override
    {
        reader.reset();
        Autoplayer::StopEngine();
    }

private:
    std::wstring Top() { return GetStateManager().Top() ? GetStateManager().Top()->GetName() : L""; }
    bool InLevel() { return Top() == L"cStateGame"; }

    // Keeps the page's texts, then presses and lets go of the right arrow
    // until the last page.
    void TurnTaskPage()
    {
        const cGameWorld& world = cGameWorld::Instance();
        const int step = taskStep++ % 4;
        if (step == 0) {
            for (const ShownText& t : test::ShownTexts(*reader))
                taskTexts[world.level] += t.text + L"\n";
            const test::GfxDraw* arrow = nullptr;
            for (const test::GfxDraw& d : reader->draws) {
                const test::ImageCatalog::Image* image
                    = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr;
                if (image && image->name.rfind("button_right_", 0) == 0)
                    arrow = &d;
            }
            if (!arrow) {
                taskRead[world.level] = true;
                return;
            }
            arrowX = static_cast<int>(arrow->target.left + arrow->target.right) / 2;
            arrowY = static_cast<int>(arrow->target.top + arrow->target.bottom) / 2;
            g_pInputDevice->SetCursorPos(arrowX, arrowY);
            platform::InjectMouseButton(window, 1, true, arrowX, arrowY);
        }
        if (step == 1)
            platform::InjectMouseButton(window, 1, false, arrowX, arrowY);
    }

    // The mouse rests on level 1's pin, then on level 2's, each long enough
    // for the map to show that level's information; then Escape leads back
    // to the start screen.
    bool HoverPins()
    {
        constexpr int kFramesPerPin = 20;
        const int pin = 1 + hovering / kFramesPerPin;
        ms += 50.0;
        for (const cTaskRow& row : cGameWorld::Instance().taskRows)
            if (row.level == pin && hovering % kFramesPerPin == 0)
                platform::InjectMouseMotion(window, Scene::ScaleX(row.pinX - 10), Scene::ScaleY(row.pinY - 30));
        if (hovering == 2 * kFramesPerPin || hovering == 2 * kFramesPerPin + 1)
            platform::InjectKey(window, "Escape", hovering == 2 * kFramesPerPin);
        const bool running = cGameApp::Frame();
        if (reader && pin <= 2 && hovering % kFramesPerPin == kFramesPerPin - 1)
            Keep("map_pin_" + std::to_string(pin));
        if (reader && cGameWorld::Instance().profilesOpen)
            Keep("start_after");
        return running && ++hovering < 3 * kFramesPerPin;
    }

    Seen Read(const std::string& screen)
    {
        const cGameWorld& world = cGameWorld::Instance();
        Seen s;
        std::vector<std::string> misplaced;
        s.numbers = test::ReadImageNumbers(*reader, RecordedApp::Catalog(), misplaced);
        // The first misplaced glyph of each screen tells enough.
        if (!misplaced.empty() && faulted.insert(screen).second)
            faults.push_back(std::to_string(width) + " " + screen + ": " + misplaced.front());
        s.texts = test::ShownTexts(*reader);
        for (const test::GfxDraw& d : reader->draws)
            if (const test::ImageCatalog::Image* image
                = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr)
                s.images[image->name] = { static_cast<int>(d.target.left), static_cast<int>(d.target.right) };
        s.level = world.level;
        s.elapsed = world.levelElapsed;
        s.limit = world.levelTimeLimit;
        s.points = world.levelPoints;
        s.pointsTarget = world.taskLineTargets[14];
        s.money = world.money;
        for (int i = 0; i < world::kMessageLines; ++i) {
            s.lineValue[i] = world.taskLineValues[i];
            s.lineTarget[i] = world.taskLineTargets[i];
            s.lineShown[i] = i != 14 && world.taskLineActive[i]
                && (world.taskLineTargets[i] < 1 || world.taskLineValues[i] < world.taskLineTargets[i]);
        }
        userFolder = world.userFolder;
        if (screen.rfind("shop", 0) == 0)
            s.savedMoney = SavedValue(world.userFolder, L"MONEY", 0);
        return s;
    }

    void Keep(const std::string& screen, bool first = false)
    {
        if (!first || !seen.count(screen))
            seen[screen] = Read(screen);
    }

    bool Draws(const std::string& name) const
    {
        for (const test::GfxDraw& d : reader->draws) {
            const test::ImageCatalog::Image* image
                = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr;
            if (image && image->name == name)
                return true;
        }
        return false;
    }

    bool DrawsText(const std::wstring& head) const
    {
        return std::any_of(reader->draws.begin(), reader->draws.end(),
            [&](const test::GfxDraw& d) { return !head.empty() && d.text.rfind(head, 0) == 0; });
    }

    // The frames worth reading: the start screen with the new player, the
    // map before each level and after the last, the shop before and after
    // the purchase and with its price bubble, each level's display at its
    // start and last in play, its statistics and its result table.
    void Look()
    {
        if (!reader)
            return;
        const cGameWorld& world = cGameWorld::Instance();
        const std::string level = std::to_string(world.level);
        if (Top() == L"cStateMenu" && !world.loadingPhase && !world.logosPresent) {
            if (world.profilesOpen && !world.profileNameEntry && !world.restartConfirmOpen
                && !world.profileNames[1].empty())
                Keep("start");
            else if (world.shopInMainMenu && world.shopOpen) {
                if (!seen.count("shop_bubble"))
                    Keep("shop");
                if (DrawsText(Gui(92)))
                    Keep("shop_bubble");
                Keep("shop_last");
            } else if (!world.profilesOpen && !world.optionsOpen && !world.highscoresOpen && Draws("bank.png"))
                Keep("map_" + level);
        }
        if (!InLevel() || world.taskBookOpen)
            return;
        if (!world.levelOver && !world.IsPaused() && world.gameMenuClosed && !drawnUnderTask) {
            Keep("hud_start_" + level, true);
            // Read every 2 s of play: a reading costs more than a frame.
            if (++playFrames % 40 == 0)
                Keep("hud_last_" + level);
        }
        if (world.levelOver && !world.resultScreenOpen && DrawsText(Gui(139)))
            Keep("statistics_" + level);
        if (world.resultScreenOpen && DrawsText(Gui(33)))
            Keep("results_" + level);
    }

    const int width;
    std::optional<test::RecordingGfx> reader;
    std::map<int, bool> taskRead;
    int taskStep = 0, arrowX = 0, arrowY = 0;
    int hovering = -1; // frames on the pins after the last level
    int playFrames = 0;
    bool drawnUnderTask = false;
    std::set<std::string> faulted;
};

} // namespace figures
