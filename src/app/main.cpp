// The entry point: one running copy, the program folder as the working
// folder, the world built before the application, then the application.
#include <filesystem>
#include <string>
#include <system_error>

#include "app/pp_app.h"
#include "platform/folders.h"
#include "platform/single_instance.h"
#include "world/game_world.h"

int main()
{
    // The lock stays held until the process ends. A second copy leaves at
    // once; its window cannot raise the first one's from here.
    platform::InstanceLock instanceLock;
    if (instanceLock.Acquire("MyApp1.0") == platform::InstanceLockResult::HeldElsewhere)
        return 0;

    // Every data path is relative to the folder that holds data/.
    if (const std::string folder = platform::FindProgramFolder(); !folder.empty()) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
    }

    // The world reads the settings and profiles as it is built, before the
    // application needs them.
    cGameWorld::Instance();

    {
        cPPApp app;
        app.Run();
    }
    return 0;
}
