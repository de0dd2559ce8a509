#include "support/screen_test.h"

#include <filesystem>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "platform/time_source.h"
#include "scene/screen_manager.h"
#include "world/settings.h"

namespace test {

void ScreenTest::SetUp()
{
    m_oldDirectory = std::filesystem::current_path().string();
    WritePages(folder / "data/gui/interface/menu/");
    std::filesystem::current_path(folder.Path());

    platform::SetTimeSourceForTests([this] { return now; });
    cClock::Instance().Reset();
    world.ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
    cCursorSet::Instance().SetCursor(L"Standard", 1);
    input.x = input.y = -1000;
    cGameWorld::SetMouseSource([this](int& x, int& y) {
        x = input.x;
        y = input.y;
    });
    world.level = 2;
    world.drawStation = 1;
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
}

void ScreenTest::TearDown()
{
    cScreenManager::Instance().DestroyScreens();
    cScreenManager::Instance().SetFactoryForTests(nullptr);
    cGameWorld::SetMouseSource(nullptr);
    world.ResetToDefaults();
    cSettings::Instance().ResetToDefaults();
    platform::SetTimeSourceForTests(nullptr);
    std::filesystem::current_path(m_oldDirectory);
}

void ScreenTest::Wait(double milliseconds)
{
    now += milliseconds;
    cClock::Instance().Update();
}

} // namespace test
