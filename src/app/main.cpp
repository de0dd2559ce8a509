// Entry point. Interim: the application spine replaces this.
#include <filesystem>

#include "platform/folders.h"
#include "world/game_world.h"

int main()
{
    // The game reads its data relative to the program folder, and the world
    // exists before anything else.
    const std::string programFolder = platform::FindProgramFolder();
    std::error_code ec;
    if (!programFolder.empty())
        std::filesystem::current_path(programFolder, ec);
    return cGameWorld::Instance().quitRequested ? 1 : 0;
}
