// Player files replaced as one change: every byte written beside them first,
// then the renames, the first of which (the saved game's) decides. See
// player_file_rule.h.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_access.h"
#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/text.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/settings.h"

namespace world {

namespace {

    constexpr const wchar_t* kPendingMark = L".pending";

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

    // A waiting change the game did not write is never made: the file stays
    // as it was, and what waited is kept aside as any damaged player file is.
    void SetAside(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path)
    {
        const std::wstring pending = PendingName(path);
        const std::wstring aside = AsideName(path);
        platform::NoteFileAccess();
        if (::rename(resources::ToNativePath(pending).c_str(), resources::ToNativePath(aside).c_str()) == 0) {
            cLog::Instance().Warning(
                L"%ls -> \"%ls\" is not as the game writes it; \"%ls\" stays as it was, and the change is kept as "
                L"\"%ls\".",
                who, pending.c_str(), path.c_str(), aside.c_str());
        } else {
            cLog::Instance().Error(L"%ls -> \"%ls\" is not as the game writes it, and it cannot be kept aside; \"%ls\" "
                                   L"stays as it was.",
                who, pending.c_str(), path.c_str());
        }
        TellChangeKeptAside(world, kind, pending);
    }

    // A station file holds every lot of the station: one without a lot is
    // what a crash leaves, never a trade.
    bool HoldsTheChange(PlayerFile kind, const std::vector<uint8_t>& bytes)
    {
        return kind != PlayerFile::Station || !bytes.empty();
    }

    // Whether the name is a profile's number (1 to 6, as the game writes it)
    // followed by `suffix`.
    bool ProfileNamed(const std::wstring& name, const std::wstring& suffix)
    {
        for (int profile = 1; profile <= kProfiles; ++profile) {
            if (name == std::to_wstring(profile) + suffix)
                return true;
        }
        return false;
    }

    // Whether the name is a level's table as the game writes it.
    bool TableNamed(const std::wstring& name)
    {
        for (int level = 1; level < kHighscoreLevels; ++level) {
            wchar_t table[32];
            std::swprintf(table, 32, L"result_%02d.cfg", level);
            if (name == table)
                return true;
        }
        return false;
    }

    // The kind of player file a name of the user folder (or of its highscore
    // folder) is; false for a name the game does not write there, which is
    // no player's and is left alone (a stray "7.pending" must not decide a
    // change, nor be dropped with it).
    bool KindOfName(const std::wstring& name, bool highscores, PlayerFile& kind)
    {
        if (highscores) {
            kind = PlayerFile::Highscores;
            return TableNamed(name);
        }
        if (name == L"config.cfg")
            kind = PlayerFile::Settings;
        else if (name == L"us.txt")
            kind = PlayerFile::Profiles;
        else if (ProfileNamed(name, L""))
            kind = PlayerFile::SavedGame;
        else if (ProfileNamed(name, L"_bau"))
            kind = PlayerFile::Station;
        else
            return false;
        return true;
    }

    struct Waiting {
        PlayerFile kind;
        std::wstring path; // the file's own path; its new contents wait beside it
    };

    // The player files whose new contents wait beside them, in the user
    // folder and its highscore folder.
    std::vector<Waiting> FindWaiting(const cGameWorld& world)
    {
        std::vector<Waiting> waiting;
        if (world.userFolder.empty())
            return waiting;
        namespace fs = std::filesystem;
        const std::wstring mark = kPendingMark;
        for (const bool highscores : { false, true }) {
            const std::wstring folder = world.userFolder + (highscores ? L"/highscore" : L"");
            platform::NoteFileAccess();
            std::error_code ec;
            for (fs::directory_iterator it(resources::ToNativePath(folder), ec), end; !ec && it != end;
                 it.increment(ec)) {
                const std::wstring name = platform::PathToWide(it->path().filename().string());
                if (name.size() <= mark.size() || name.compare(name.size() - mark.size(), mark.size(), mark) != 0)
                    continue;
                const std::wstring own = name.substr(0, name.size() - mark.size());
                PlayerFile kind;
                if (KindOfName(own, highscores, kind))
                    waiting.push_back({ kind, folder + L"/" + own });
            }
        }
        return waiting;
    }

} // namespace

std::wstring PendingName(const std::wstring& path)
{
    return path + kPendingMark;
}

bool SavePlayerFilesTogether(
    cGameWorld& world, const wchar_t* who, const PlayerFileBytes& first, const PlayerFileBytes& second)
{
    return SavePlayerFilesTogether(world, who, { first, second });
}

bool SavePlayerFilesTogether(cGameWorld& world, const wchar_t* who, const std::vector<PlayerFileBytes>& files)
{
    SettlePlayerFiles(world);
    if (files.empty())
        return true;
    for (const PlayerFileBytes& file : files) {
        if (!MayWritePlayerFile(world, who, file.kind, file.path))
            return false;
    }
    // What was written so far goes again, the deciding file's last, so that a
    // crash while it goes leaves the same answer: not made.
    std::vector<std::wstring> written;
    const auto dropWritten = [&written] {
        for (auto it = written.rbegin(); it != written.rend(); ++it)
            Drop(*it);
    };
    for (const PlayerFileBytes& file : files) {
        const std::wstring pending = PendingName(file.path);
        if (!platform::WriteFileAtomic(resources::ToNativePath(pending), file.bytes)) {
            TellNotSaved(world, who, file.kind, file.path);
            dropWritten();
            return false;
        }
        written.push_back(pending);
    }
    // The change is made here or not at all.
    if (!PutPending(world, who, files.front().kind, files.front().path)) {
        dropWritten();
        return false;
    }
    // The first file holds the change, so it stands whatever happens to the
    // others now: one that cannot be put in place waits under its pending
    // name for the next settling.
    for (size_t i = 1; i < files.size(); ++i) {
        if (!PutPending(world, who, files[i].kind, files[i].path))
            cLog::Instance().Error(
                L"%ls -> \"%ls\" is put in place when the game next reads it.", who, PendingName(files[i].path).c_str());
    }
    return true;
}

void SettlePlayerFiles(cGameWorld& world)
{
    // A folder the game may not write is read as it stands.
    if (!cSettings::Instance().canSave)
        return;
    std::vector<Waiting> waiting = FindWaiting(world);
    if (waiting.empty())
        return;
    const wchar_t* who = L"world::SettlePlayerFiles";
    // The game writes nothing but a regular file under a waiting name; a
    // folder, a link or a FIFO there is kept aside, and the change is settled
    // as if it were not there.
    std::erase_if(waiting, [&](const Waiting& w) {
        if (IsPending(PendingName(w.path)))
            return false;
        SetAside(world, who, w.kind, w.path);
        return true;
    });
    const bool decided = std::none_of(
        waiting.begin(), waiting.end(), [](const Waiting& w) { return w.kind == PlayerFile::SavedGame; });
    if (!decided) {
        cLog::Instance().Warning(
            L"%ls -> a save of several player files was cut short before it was made; they are as they were.", who);
        // The saved game's pending file last: while it is there the answer
        // stays "not made".
        for (const Waiting& w : waiting) {
            if (w.kind != PlayerFile::SavedGame)
                Drop(PendingName(w.path));
        }
        for (const Waiting& w : waiting)
            Drop(PendingName(w.path));
        return;
    }
    for (const Waiting& w : waiting) {
        const std::wstring pending = PendingName(w.path);
        std::vector<uint8_t> bytes;
        if (ReadPlayerFile(w.kind, pending, bytes) != FileState::Whole || !HoldsTheChange(w.kind, bytes)) {
            // Damaged on the disk: it never takes the place of the file there.
            SetAside(world, who, w.kind, w.path);
            continue;
        }
        cLog::Instance().Warning(
            L"%ls -> a save cut short after its saved game was written; \"%ls\" now follows it.", who, w.path.c_str());
        PutPending(world, who, w.kind, w.path);
    }
}

} // namespace world
