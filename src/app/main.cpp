// The entry point: one running copy, the program folder as the working
// folder, the world built before the application, then the application.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "app/cursor_set.h"
#include "app/game_app.h"
#include "engine/gfx.h"
#include "platform/folders.h"
#include "platform/quit_watchdog.h"
#include "platform/single_instance.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/language_tables.h"
#include "world/settings.h"

namespace {

// The runtime folder's lock file is named after this; the user folder's is
// kUserFolderLockName in it.
const char* const kInstanceName = "MyApp1.0";
const char* const kUserFolderLockName = "vandrel.lock";

// A start that ended while reading the settings or the profiles says which
// file and why, and leaves with a failure code.
int ReportFailedStart()
{
    const std::wstring& why = cGameWorld::Instance().startFailure;
    if (why.empty())
        return 0;
    std::fprintf(stderr, "vandrel: %s\n", platform::WideToPath(why).c_str());
    return 1;
}

// Every data path is relative to the folder that holds data/: the program
// changes into it. Without one nothing can be loaded, and no log can say so
// yet: the reason goes to standard error and the program ends.
bool EnterProgramFolder()
{
    const std::string folder = platform::FindProgramFolder();
    if (folder.empty()) {
        std::fprintf(stderr,
            "vandrel: the game's data/ folder is missing: it was looked for beside the program, in the "
            "folders above it and in ../lib/vandrel/\n");
        return false;
    }
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec) {
        std::fprintf(stderr, "vandrel: cannot enter the program folder %s: %s\n", folder.c_str(), ec.message().c_str());
        return false;
    }
    return true;
}

// A second start ends at once and without a failure, but says why nothing
// opens, so a player whose first window hangs knows.
int SayAnotherCopyRuns(const std::string& lockFile)
{
    std::fprintf(stderr,
        "vandrel: the game is already running (another copy holds \"%s\"); this start ends without opening a "
        "window.\n",
        lockFile.c_str());
    return 0;
}

// Two copies started with different runtime folders (another session, another
// XDG_RUNTIME_DIR) would still share the user folder and overwrite each
// other's files: the folder has a lock of its own, taken before the settings
// write anything there. Gives the exit code of a start that ends here, or -1
// when this copy runs on. A lock that cannot be taken ends the start as well,
// saying why, rather than let two copies run unguarded; only where the game
// can write nothing (no folder, or one it may not write) is there nothing to
// guard, and the settings tell the player that nothing is saved.
int HoldUserFolder(platform::InstanceLock& lock)
{
    const std::string folder = cSettings::UserFolderOfInstall();
    if (folder.empty() || !platform::MakeFolders(folder))
        return -1;
    const std::string file = folder + "/" + kUserFolderLockName;
    switch (lock.AcquireFile(file)) {
    case platform::InstanceLockResult::Acquired:
        return -1;
    case platform::InstanceLockResult::HeldElsewhere:
        return SayAnotherCopyRuns(file);
    case platform::InstanceLockResult::Unavailable:
        break;
    }
    if (::access(folder.c_str(), W_OK) != 0)
        return -1;
    const std::string why = lock.Error() == ELOOP ? "it is a symbolic link" : std::strerror(lock.Error());
    std::fprintf(stderr,
        "vandrel: unable to lock \"%s\" (%s): without it a second copy of the game could run on the same player "
        "files, so this start ends. Remove it or put it right and start again.\n",
        file.c_str(), why.c_str());
    return 1;
}

// Refuses the start, in the log and on standard error.
void RefuseStart(const std::string& why)
{
    cLog::Instance().Error(L"main -> %ls", platform::PathToWide(why).c_str());
    std::fprintf(stderr, "vandrel: %s\n", why.c_str());
}

// Without the interface texts the game would run but show blank buttons and
// titles: the start is refused here, before the window appears, when any
// text the screens draw is missing, empty or damaged.
bool GuiTextsPresent()
{
    const int missing = FirstUnusableGuiText();
    if (missing < 0)
        return true;
    RefuseStart("unable to read \"data/language/gui_vocabular.csv\" (the interface texts): "
        + language::TableFault(L"gui_vocabular.csv",
            "lacks texts or holds damaged ones (text " + std::to_string(missing)
                + " first: missing, out of place, empty or no text)"));
    return false;
}

// Refuses the start over a language table that cannot serve: `fault` says
// which copy was read and what it lacks.
bool LanguageTableServes(const char* name, const char* what, const std::string& fault)
{
    if (fault.empty())
        return true;
    RefuseStart(std::string("unable to read \"data/language/") + name + "\" (" + what + "): " + fault);
    return false;
}

// What the game cannot run without beyond the interface texts: the mouse
// cursor, the interface font, the levels of the map, and task pages and
// building names at all. Without them it would end at once, draw blank
// buttons, offer no level, skip every task dialog or name no building, each
// without a word; it is refused here instead, naming each thing missing,
// before any window. A level without task pages, or a building without a
// name, is no reason: its dialog closes at once, its name is "place name not
// found".
bool StartDataPresent()
{
    bool present = true;
    if (!cCursorSet::PagesReadable()) {
        RefuseStart("unable to read \"data/gui/cursor/descriptor.xml\" (the mouse cursor): it is missing or "
                    "damaged.");
        present = false;
    }
    if (const std::string font = MissingFontFile(); !font.empty()) {
        RefuseStart("unable to open the font \"" + font
            + "\" (the interface font Carlito, Debian package fonts-crosextra-carlito): it is missing or damaged.");
        present = false;
    }
    present = LanguageTableServes("tasks.csv", "the levels of the map", language::TasksFault()) && present;
    present
        = LanguageTableServes("comic.csv", "the pages of the levels' task dialogs", language::ComicFault()) && present;
    present
        = LanguageTableServes("places.csv", "the names of the station's buildings", language::PlacesFault()) && present;
    return present;
}

} // namespace

int main()
{
    // The lock stays held until the process ends. A second copy leaves at
    // once; its window cannot raise the first one's from here.
    platform::InstanceLock instanceLock;
    if (instanceLock.Acquire(kInstanceName) == platform::InstanceLockResult::HeldElsewhere)
        return SayAnotherCopyRuns(platform::InstanceLockPath(kInstanceName));

    if (!EnterProgramFolder())
        return 1;
    platform::InstanceLock userFolderLock;
    if (const int ended = HoldUserFolder(userFolderLock); ended >= 0)
        return ended;
    platform::ArmQuitWatchdog();

    // The world reads the settings and profiles as it is built, before the
    // application needs them.
    cGameWorld::Instance();
    if (const int failed = ReportFailedStart())
        return failed;
    const bool textsPresent = GuiTextsPresent();
    if (!StartDataPresent() || !textsPresent)
        return 1;

    {
        cGameApp app;
        app.Run();
    }
    return 0;
}
