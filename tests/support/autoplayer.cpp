#include "support/autoplayer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <utility>

#include "frontend/start_screen_profiles_layout.h"
#include "platform/game_random.h"
#include "platform/test_events.h"
#include "resources/page_manager.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

namespace {

    using Scene::ScaleX;
    using Scene::ScaleY;

    constexpr double kFrameMs = 50.0;
    constexpr double kDecisionMs = 1500.0;
    constexpr int kStartFrames = 100;
    // Frames a new screen state is held before it is drawn: every screen has
    // faded in by then.
    constexpr int kSettleFrames = 24;
    // A level that takes longer than this (game time) has lost its way.
    constexpr int kLevelFrameLimit = 24000;
    constexpr int kPointsLine = 14;
    // GUI texts the run looks for: the result panel's rows and the map's
    // "build ... first".
    constexpr int kTotalText = 0;
    constexpr int kBankText = 138;
    constexpr int kBalanceText = 139;
    constexpr int kBuildFirstText = 135;

    // The middle of a button drawn 205 x 49 design units at (x, y).
    int ButtonX(int x)
    {
        return x + ScaleX(102);
    }
    int ButtonY(int y)
    {
        return y + ScaleY(24);
    }

    // The whole text as a number, or -1.
    int Number(const std::wstring& text)
    {
        wchar_t* end = nullptr;
        const long value = std::wcstol(text.c_str(), &end, 10);
        return !text.empty() && end && *end == L'\0' ? static_cast<int>(value) : -1;
    }

} // namespace

Autoplayer::Autoplayer(int lastLevel, int width, int height, AutoplayOptions options)
    : lastLevel(lastLevel)
    , width(width)
    , height(height)
    , draw(options.draw)
    , lookAround(options.lookAround)
    , runOutOfTime(options.runOutOfTime)
    , endOnTheMap(options.endOnTheMap)
    , checkScreen(std::move(options.checkScreen))
{
    if (!draw && !lookAround) {
        gfx.emplace();
        gfx->textOnly = true;
    }
    if (options.lotKind != 0) {
        buildingKind = options.lotKind;
        phase = Phase::Buying;
    }
}

// Looking around, the real engine runs under a recorder that passes on only
// the frames drawn for the layout check.
void Autoplayer::StartEngine()
{
    if (lookAround)
        gfx.reset();
    if (draw || lookAround)
        cGameApp::StartEngine();
    if (lookAround)
        gfx.emplace(g_pGfxDevice, g_pGfx2D);
}

void Autoplayer::StopEngine()
{
    if (lookAround)
        gfx.reset();
    if (draw || lookAround)
        cGameApp::StopEngine();
}

void Autoplayer::PlayNext(int nextLevel)
{
    level = nextLevel;
    phase = Phase::Map;
    pinClicks = 0;
    buildingKind = 0;
    backOnMap = false;
    stuck.clear();
}

void Autoplayer::QueryDesktopSize(int& w, int& h)
{
    w = 1920;
    h = 1200;
}

void Autoplayer::Click(int x, int y)
{
    steps.push_back({ Step::Move, x, y });
    steps.push_back({ Step::Wait });
    steps.push_back({ Step::Down, x, y });
    steps.push_back({ Step::Up, x, y });
    Wait(3);
}

bool Autoplayer::ClickPin(int pin)
{
    for (const cTaskRow& row : cGameWorld::Instance().taskRows) {
        if (row.level == pin) {
            Click(ScaleX(row.pinX - 45 + 35), ScaleY(row.pinY - 80 + 50));
            return true;
        }
    }
    return false;
}

bool Autoplayer::ClickText(const std::wstring& text)
{
    for (const GfxDraw& d : gfx ? gfx->draws : std::vector<GfxDraw> {}) {
        if (d.text != text || !d.font)
            continue;
        SIZE extent {};
        d.font->MeasureText(text.c_str(), &extent);
        Click(d.x + extent.cx / 2, d.y + extent.cy / 2);
        return true;
    }
    return false;
}

// At a player's pace the drag takes half a second: a frame over the car, the
// press, a frame held, five moves and the release, one frame each.
void Autoplayer::Drag(int x0, int y0, int x1, int y1)
{
    steps.push_back({ Step::Move, x0, y0 });
    steps.push_back({ Step::Wait });
    steps.push_back({ Step::Down, x0, y0 });
    steps.push_back({ Step::Wait });
    for (int i = 1; i <= 5; ++i)
        steps.push_back({ Step::Move, x0 + (x1 - x0) * i / 5, y0 + (y1 - y0) * i / 5 });
    steps.push_back({ Step::Up, x1, y1 });
}

void Autoplayer::Key(const char* name)
{
    steps.push_back({ Step::KeyDown, 0, 0, name });
    steps.push_back({ Step::KeyUp, 0, 0, name });
    Wait(2);
}

void Autoplayer::Wait(int count)
{
    for (int i = 0; i < count; ++i)
        steps.push_back({ Step::Wait });
}

void Autoplayer::Play(const Step& step)
{
    switch (step.kind) {
    case Step::Move:
        platform::InjectMouseMotion(window, step.x, step.y);
        break;
    case Step::Down:
    case Step::Up:
        platform::InjectMouseButton(window, 1, step.kind == Step::Down, step.x, step.y);
        break;
    case Step::KeyDown:
    case Step::KeyUp:
        platform::InjectKey(window, step.key, step.kind == Step::KeyDown);
        break;
    case Step::Wait:
        break;
    }
}

bool Autoplayer::Frame()
{
    ++frames;
    ms += kFrameMs;
    // A new screen state is held still until it has been drawn and checked;
    // a level in play goes on meanwhile.
    const bool drawn = lookAround && Settling() && frames >= pendingSince + kSettleFrames;
    const std::wstring shown = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    const bool hold = Settling() && (shown != L"cStateGame" || cGameWorld::Instance().IsPaused());
    if (gfx && lookAround) {
        gfx->passDraws = drawn;
        gfx->textOnly = !drawn;
    } else if (gfx) {
        gfx->ClearRecords();
    }
    if (!hold && !steps.empty()) {
        Play(steps.front());
        steps.pop_front();
    } else if (!hold) {
        Decide();
    }
    const bool running = cGameApp::Frame();
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    if (phase == Phase::Level && top == L"cStateGame") {
        ++levelFrames;
        if (levelFrames > kLevelFrameLimit)
            stuck = L"level " + std::to_wstring(level) + L" runs too long";
        if (!world.levelOver && !world.resultsShown) {
            for (int slot = 0; slot < 16; ++slot)
                taskSlots[slot] = taskSlots[slot] || (world.taskLineActive[slot] && slot != kPointsLine);
            current.points = world.levelPoints;
        } else {
            current.points = std::max(current.points, world.levelPoints);
            if (!world.medalText.empty())
                current.cup = std::max(current.cup, world.medalText == L"GOLD" ? 2 : 1);
            ReadResultPanel();
        }
    }
    // VANDREL_AUTOPLAY_TRACE=1 shows where a run stands, for a level it cannot win.
    if (std::getenv("VANDREL_AUTOPLAY_TRACE") && (top != L"cStateGame" || frames % 500 == 0))
        std::fprintf(stderr, "frame %d %ls level %d/%d over %d elapsed %d/%d points %d money %d\n", frames, top.c_str(),
            world.level, world.furthestLevel, world.levelOver, world.levelElapsed, world.levelTimeLimit,
            world.levelPoints, world.money);
    if (lookAround)
        WatchScreen(drawn);
    return running && (!finished || leaving) && stuck.empty();
}

// The rows of the panel that ends a won level: a label, then its value, each
// drawn twice (shadow, colour).
void Autoplayer::ReadResultPanel()
{
    if (!gfx)
        return;
    const std::vector<std::wstring> texts = gfx->Texts();
    const auto read = [&texts](int label, int& value) {
        for (std::size_t i = 0; i + 2 < texts.size(); ++i) {
            if (texts[i] == g_guiVocabulary[label] && Number(texts[i + 2]) != -1) {
                value = Number(texts[i + 2]);
                return;
            }
        }
    };
    read(kTotalText, current.shownTotal);
    read(kBankText, current.shownMoney);
    read(kBalanceText, current.shownBalance);
}

void Autoplayer::Decide()
{
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    if (world.logosPresent) {
        Key("Escape");
        return;
    }
    if (world.loadingPhase)
        return;
    if (top == L"cStateExit") {
        DecideCredits();
        return;
    }
    if (top == L"cStateGame") {
        if (phase == Phase::Level)
            DecideLevel();
        return;
    }
    if (top != L"cStateMenu")
        return;
    if (phase == Phase::Level) {
        NoteLevelEnd();
        return;
    }
    if (DecideStartTrip())
        return;
    if (lookAround && !endOnTheMap && level > lastLevel && phase == Phase::Map) {
        DecideCredits();
        return;
    }
    if (world.profilesOpen)
        DecideProfiles();
    else
        DecideMap();
}

void Autoplayer::DecideProfiles()
{
    using namespace Scene::ProfileLayout;
    const cGameWorld& world = cGameWorld::Instance();
    if (world.restartConfirmOpen) {
        // The confirmation panel is centred, a little below the middle.
        CPageManager page;
        uint32_t w = 0;
        uint32_t h = 0;
        page.Load(width == 1280 ? L"data/gui/interface/menu/menu_start" : L"data/gui/interface/menu/menu_start_1024");
        page.GetImageSize(L"menu_profile.png", &w, &h);
        page.Unload();
        const int dx = width / 2 - static_cast<int>(w) / 2;
        const int dy = height / 2 - static_cast<int>(h) / 2 + ScaleY(80);
        Click(ButtonX(dx + ScaleX(40)), ButtonY(dy + static_cast<int>(h) - ScaleY(90)));
        return;
    }
    if (world.profileNameEntry) {
        for (const char* key : { "A", "U", "T", "O", "Return" })
            Key(key);
        return;
    }
    // A new game on profile 1, then played.
    if (world.currentProfile != 1) {
        Click(SlotX(1) + ScaleX(100), SlotY(1) + ScaleY(20));
        return;
    }
    if (world.profileNames[1].empty()) {
        if (newGameAsked) {
            stuck = L"no new game";
            return;
        }
        newGameAsked = true;
        Click(ButtonX(Bx() + ScaleX(30)), ButtonY(ButtonLine()));
        return;
    }
    Click(ButtonX(Bx() + ScaleX(275)), ButtonY(ButtonLine()));
}

void Autoplayer::DecideMap()
{
    const cGameWorld& world = cGameWorld::Instance();
    const int continueX = ButtonX(ScaleX(510));
    const int buttonY = ButtonY(ScaleY(950));
    if (world.furthestLevel == 1 && world.intro < 3 && world.intro > 0) {
        // The introduction's shop is only looked at; then on.
        Click(continueX, buttonY);
        return;
    }
    if (phase == Phase::Buying || phase == Phase::Station) {
        DecideShop();
        return;
    }
    if (level > lastLevel) {
        finished = true;
        return;
    }
    if (level == kCityLevel) {
        current = LevelReport {};
        current.level = kCityLevel;
        current.moneyBefore = world.money;
        phase = Phase::Station;
        return;
    }
    if (world.level == level) {
        // Looking around, a level is started on the next whole kStartFrames,
        // so how long the screens before it were held does not shift its
        // clock against the player's decisions.
        if (!lookAround || frames % kStartFrames == 0)
            StartLevel();
        return;
    }
    if (pinClicks < 2) {
        ++pinClicks;
        if (!ClickPin(level))
            stuck = L"no pin for level " + std::to_wstring(level);
        return;
    }
    // The pin under the mouse tells why it cannot be played.
    const std::wstring buildFirst = g_guiVocabulary[kBuildFirstText];
    if (buildingKind == 0 && world.taskTextIsNotice && world.taskText.compare(0, buildFirst.size(), buildFirst) == 0) {
        for (const cTaskRow& row : world.taskRows)
            buildingKind = row.level == level ? row.requiredKind : buildingKind;
        phase = Phase::Buying;
        pinClicks = 0;
        return;
    }
    stuck = L"the pin of level " + std::to_wstring(level) + L" is not offered";
}

void Autoplayer::StartLevel()
{
    const cGameWorld& world = cGameWorld::Instance();
    const int bought = current.buildingBought;
    current = LevelReport {};
    current.level = level;
    current.buildingBought = bought;
    current.moneyBefore = world.money;
    std::fill(std::begin(taskSlots), std::end(taskSlots), 0);
    levelFrames = 0;
    moves = 0;
    levelEndNoted = false;
    phase = Phase::Level;
    // The screens held still for a look draw from the game's random sequence
    // (the shop's intro) for as long as they are held: each level starts
    // from the sequence's beginning, so it plays the same however long the
    // screens before it were looked at.
    if (lookAround) {
        platform::GameSrand(1);
        nextDecision = 0.0;
    }
    Click(ButtonX(ScaleX(828)), ButtonY(ScaleY(950)));
}

void Autoplayer::NoteLevelEnd()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (levelLost && level == runOutOfTime && !lostOnce) {
        // Lost on purpose: the same level again, with the building bought for it.
        lostOnce = true;
        ++levelsLost;
        levelLost = false;
        pinClicks = 0;
        phase = Phase::Map;
        backOnMap = true;
        return;
    }
    current.moneyAfter = world.money;
    current.rating = world.levelStatus[level];
    reports.push_back(current);
    current = LevelReport {};
    ++level;
    pinClicks = 0;
    buildingKind = 0;
    phase = Phase::Map;
    backOnMap = true;
}

void Autoplayer::DecideLevel()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (world.taskBookOpen) {
        // The first task is read to its end and closed with its button, as
        // a new player does; later ones are skipped. Without the frame's
        // texts to go by: the next page's arrow, then where the button shows
        // on the last page (neither place holds anything else).
        if (level != 1) {
            Key("Escape");
            return;
        }
        Click(ScaleX(538) + ScaleX(73) / 2, ScaleY(300) + ScaleY(295) + ScaleY(49) / 2);
        Click(ButtonX(ScaleX(280)), ButtonY(ScaleY(300) + ScaleY(360)));
        return;
    }
    if (world.levelOver || world.resultScreenOpen || world.resultsShown) {
        if (!levelEndNoted) {
            levelEndNoted = true;
            current.limit = world.levelTimeLimit;
            current.elapsed = world.levelFinalTime;
            current.taskReached = true;
            levelLost = !world.levelState;
            for (int slot = 0; slot < 16; ++slot)
                current.taskReached = current.taskReached
                    && (!taskSlots[slot] || world.taskLineValues[slot] >= world.taskLineTargets[slot]);
        }
        // Looking around, each panel is let come up before its button is
        // pressed, so no click begun on one lands on the next.
        if (lookAround && lastScreen.empty())
            return;
        Click(ButtonX(ScaleX(540)), ButtonY(ScaleY(960)));
        Wait(5);
        return;
    }
    if (DecideLevelTrip())
        return;
    if (world.IsPaused())
        return;
    // Left to run out of time.
    if (level == runOutOfTime && !lostOnce)
        return;
    // A player's pace: one decision every 1.5 s of game time.
    if (ms < nextDecision)
        return;
    bool moved = false;
    if (world.drawStation == 0)
        moved = world.gamePlayMode == 1 ? SwapMove() : GridMove();
    else
        moved = StationMove();
    if (moved) {
        ++moves;
        nextDecision = ms + kDecisionMs;
    }
}

} // namespace test
