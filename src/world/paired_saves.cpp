// Two player files replaced as one change: every byte written beside them
// first, then two renames, the first of which decides. See player_file_rule.h.
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_access.h"
#include "platform/folders.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"

namespace world {

namespace {

    // Only a regular file is a pending file of ours: the game writes nothing
    // else under that name, and nothing else is renamed into a player's place.
    bool IsPending(const std::wstring& pending)
    {
        platform::NoteFileAccess();
        struct stat st { };
        return ::lstat(resources::ToNativePath(pending).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }

    void Drop(const std::wstring& pending)
    {
        if (IsPending(pending))
            ::unlink(resources::ToNativePath(pending).c_str());
    }

    bool PutPending(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path)
    {
        const std::string pending = resources::ToNativePath(PendingName(path));
        return PutPlayerFile(world, who, kind, path,
            [&pending](const std::string& native) { return platform::RenameDurably(pending, native); });
    }

} // namespace

std::wstring PendingName(const std::wstring& path)
{
    return path + L".pending";
}

bool SavePlayerFilesTogether(
    cGameWorld& world, const wchar_t* who, const PlayerFileBytes& first, const PlayerFileBytes& second)
{
    SettlePlayerFilesTogether(world, who, first.path, second.kind, second.path);
    if (!MayWritePlayerFile(world, who, first.kind, first.path)
        || !MayWritePlayerFile(world, who, second.kind, second.path))
        return false;
    const std::wstring firstPending = PendingName(first.path);
    const std::wstring secondPending = PendingName(second.path);
    if (!platform::WriteFileAtomic(resources::ToNativePath(firstPending), first.bytes)) {
        TellNotSaved(world, who, first.kind, first.path);
        return false;
    }
    if (!platform::WriteFileAtomic(resources::ToNativePath(secondPending), second.bytes)) {
        TellNotSaved(world, who, second.kind, second.path);
        Drop(firstPending);
        return false;
    }
    // The change is made here or not at all.
    if (!PutPending(world, who, first.kind, first.path)) {
        Drop(secondPending);
        Drop(firstPending);
        return false;
    }
    // The first file holds the change, so it stands whatever happens to the
    // second now: a second that cannot be put in place waits under its
    // pending name for the next settling.
    if (!PutPending(world, who, second.kind, second.path)) {
        cLog::Instance().Error(
            L"%ls -> \"%ls\" is put in place when the game next reads it.", who, PendingName(second.path).c_str());
    }
    return true;
}

void SettlePlayerFilesTogether(
    cGameWorld& world, const wchar_t* who, const std::wstring& first, PlayerFile secondKind, const std::wstring& second)
{
    if (first.empty() || second.empty())
        return;
    const std::wstring firstPending = PendingName(first);
    const std::wstring secondPending = PendingName(second);
    if (IsPending(firstPending)) {
        cLog::Instance().Warning(
            L"%ls -> a save of \"%ls\" and \"%ls\" was cut short before it was made; both are as they were.", who,
            first.c_str(), second.c_str());
        Drop(secondPending);
        Drop(firstPending);
    } else if (IsPending(secondPending)) {
        cLog::Instance().Warning(L"%ls -> a save cut short after \"%ls\" was written; \"%ls\" now follows it.", who,
            first.c_str(), second.c_str());
        PutPending(world, who, secondKind, second);
    }
}

} // namespace world
