// Player files that the game would not have written are used as far as they
// can be read, told, and kept aside once something else is written in their
// place; failed saves and read-only files are told. See player_file_rule.h.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/folders.h"
#include "platform/utf16.h"
#include "resources/file.h"
#include "resources/log.h"
#include "resources/property_file.h"
#include "resources/text.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/saved_game_rows.h"

namespace world {

namespace fs = std::filesystem;

bool PathExists(const std::wstring& path)
{
    std::error_code ec;
    return !path.empty() && fs::symlink_status(resources::ToNativePath(path), ec).type() != fs::file_type::not_found;
}

int ClampPlayerValue(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -kPlayerValueLimit, kPlayerValueLimit));
}

void AddSaturating(int& total, long long amount)
{
    amount = std::clamp<long long>(amount, -2LL * kPlayerValueLimit, 2LL * kPlayerValueLimit);
    total = ClampPlayerValue(static_cast<long long>(total) + amount);
}

namespace {

    // GUI texts: what the file is to the player, and what became of it.
    constexpr int kSettingsText = 1;
    constexpr int kProfilesText = 2;
    constexpr int kSavedGameText = 3;
    constexpr int kStationText = 4;
    constexpr int kHighscoresText = 5;
    constexpr int kNotReadWholeText = 7;
    constexpr int kChangeKeptAsideText = 19;
    constexpr int kNotSavedText = 9;
    constexpr int kReadOnlyText = 11;

    int NameText(PlayerFile kind)
    {
        switch (kind) {
        case PlayerFile::Settings:
            return kSettingsText;
        case PlayerFile::Profiles:
            return kProfilesText;
        case PlayerFile::SavedGame:
            return kSavedGameText;
        case PlayerFile::Station:
            return kStationText;
        case PlayerFile::Highscores:
            return kHighscoresText;
        }
        return kSettingsText;
    }

    bool IsFileOrLink(const std::wstring& path)
    {
        std::error_code ec;
        const auto type = fs::symlink_status(resources::ToNativePath(path), ec).type();
        return type == fs::file_type::regular || type == fs::file_type::symlink;
    }

    // Made read-only by the player: a regular file whose owner may not write
    // it (a link is the game's to replace; the file it names is not touched).
    bool IsReadOnly(const std::string& native)
    {
        struct stat st { };
        return ::lstat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
    }

    enum class Kept { No, Linked, Moved };

    // Gives the file at `native` a second name, `aside`, so that the save
    // replaces only its first and it stays in its place until the new file
    // is; where the file system has no second names it is moved, to be put
    // back if the save fails. An aside name that is taken (the last one,
    // when all are) goes to the newer copy.
    Kept KeepAside(const std::string& native, const std::string& aside)
    {
        if (::link(native.c_str(), aside.c_str()) == 0)
            return Kept::Linked;
        if (errno == EEXIST && ::unlink(aside.c_str()) == 0 && ::link(native.c_str(), aside.c_str()) == 0)
            return Kept::Linked;
        return ::rename(native.c_str(), aside.c_str()) == 0 ? Kept::Moved : Kept::No;
    }

    bool AlreadyTold(cGameWorld& world, const std::wstring& path)
    {
        auto& told = world.playerFilesTold;
        if (std::find(told.begin(), told.end(), path) != told.end())
            return true;
        told.push_back(path);
        return false;
    }

} // namespace

std::wstring AsideName(const std::wstring& path)
{
    std::wstring aside = path + L".unreadable";
    for (int n = 2; PathExists(aside) && n <= kAsideCopies; ++n)
        aside = path + L".unreadable" + std::to_wstring(n);
    return aside;
}

void WordPlayerFileNotice(cGameWorld& world)
{
    if (world.playerFileNotice.empty())
        return;
    std::wstring words;
    for (const auto& [first, second] : world.playerFileNoticeTexts) {
        if (first <= 0 || first >= kGuiTextCount || second >= kGuiTextCount)
            continue;
        if (!words.empty())
            words += L'\n';
        words += g_guiVocabulary[first];
        if (second > 0)
            words += std::wstring(L" ") + g_guiVocabulary[second];
    }
    // Before the texts are loaded the notice waits, blank, for its words.
    const bool blank = std::all_of(words.begin(), words.end(), [](wchar_t c) { return c == L'\n' || c == L' '; });
    world.playerFileNotice = blank ? L" " : words;
}

void SetPlayerFileNotice(cGameWorld& world, int first, int second)
{
    auto& lines = world.playerFileNoticeTexts;
    // A notice taken down by its text alone took its lines with it.
    if (world.playerFileNotice.empty())
        lines.clear();
    if (std::find(lines.begin(), lines.end(), std::pair(first, second)) == lines.end())
        lines.emplace_back(first, second);
    world.playerFileNotice = L" ";
    WordPlayerFileNotice(world);
}

void ClearPlayerFileNotice(cGameWorld& world)
{
    world.playerFileNotice.clear();
    world.playerFileNoticeTexts.clear();
}

FileState ReadPlayerFile(PlayerFile kind, const std::wstring& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (!PathExists(path))
        return FileState::Missing;
    std::error_code ec;
    const std::string native = resources::ToNativePath(path);
    const auto size = fs::file_size(native, ec);
    if (ec || size > resources::kPlayerFileLimit || !platform::ReadWholeFile(native, bytes))
        return FileState::Damaged;
    return IsWhatTheGameWrites(kind, bytes) ? FileState::Whole : FileState::Damaged;
}

FileState ReadPlayerProperties(
    cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path, PropertyFile& entries)
{
    entries.Clear();
    SettlePlayerFiles(world);
    std::vector<uint8_t> bytes;
    const FileState state = ReadPlayerFile(kind, path, bytes);
    if (state == FileState::Damaged) {
        entries.ParseExact(bytes);
        TellNotReadWhole(world, who, kind, path);
    } else if (state == FileState::Whole) {
        entries.ParseExact(bytes);
    }
    return state;
}

void TellNotReadWhole(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path)
{
    if (AlreadyTold(world, path))
        return;
    cLog::Instance().Warning(
        L"%ls -> \"%ls\" is not as the game writes it; what can be read is used, and it is kept aside when a save "
        L"replaces it.",
        who, path.c_str());
    SetPlayerFileNotice(world, NameText(kind), kNotReadWholeText);
}

void TellChangeKeptAside(cGameWorld& world, PlayerFile kind, const std::wstring& pending)
{
    if (!AlreadyTold(world, pending))
        SetPlayerFileNotice(world, NameText(kind), kChangeKeptAsideText);
}

bool MayWritePlayerFile(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path)
{
    if (path.empty()) {
        cLog::Instance().Error(L"%ls -> there is no user folder; nothing is saved.", who);
        return false;
    }
    if (IsReadOnly(resources::ToNativePath(path))) {
        cLog::Instance().Error(L"%ls -> \"%ls\" is read-only; it is left as it is and not saved.", who, path.c_str());
        SetPlayerFileNotice(world, NameText(kind), kReadOnlyText);
        return false;
    }
    return true;
}

void TellNotSaved(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path)
{
    SetPlayerFileNotice(world, NameText(kind), kNotSavedText);
    cLog::Instance().Error(L"%ls -> unable to write \"%ls\"; what was there is left as it was.", who, path.c_str());
}

bool SavePlayerFile(
    cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    // A change cut short goes into place (or away) first, so that it never
    // later replaces this newer file.
    SettlePlayerFiles(world);
    return PutPlayerFile(world, who, kind, path,
        [&bytes](const std::string& native) { return platform::WriteFileAtomic(native, bytes); });
}

bool PutPlayerFile(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path,
    const std::function<bool(const std::string& native)>& put)
{
    if (!MayWritePlayerFile(world, who, kind, path))
        return false;
    const std::string native = resources::ToNativePath(path);
    std::vector<uint8_t> old;
    std::wstring aside;
    Kept kept = Kept::No;
    if (ReadPlayerFile(kind, path, old) == FileState::Damaged && IsFileOrLink(path)) {
        TellNotReadWhole(world, who, kind, path);
        aside = AsideName(path);
        kept = KeepAside(native, resources::ToNativePath(aside));
        // A file that cannot be kept aside is never written over.
        if (kept == Kept::No) {
            cLog::Instance().Error(L"%ls -> unable to keep \"%ls\" aside; it is not written over.", who, path.c_str());
            SetPlayerFileNotice(world, NameText(kind), kNotSavedText);
            return false;
        }
    }
    if (put(native)) {
        if (kept != Kept::No)
            cLog::Instance().Warning(L"%ls -> \"%ls\" is kept as \"%ls\".", who, path.c_str(), aside.c_str());
        return true;
    }
    if (kept == Kept::Moved && ::rename(resources::ToNativePath(aside).c_str(), native.c_str()) != 0) {
        SetPlayerFileNotice(world, NameText(kind), kNotSavedText);
        cLog::Instance().Error(
            L"%ls -> unable to write \"%ls\"; the old file is kept as \"%ls\".", who, path.c_str(), aside.c_str());
        return false;
    }
    // The second name is not needed: the damaged file is still in its place.
    if (kept == Kept::Linked)
        ::unlink(resources::ToNativePath(aside).c_str());
    TellNotSaved(world, who, kind, path);
    return false;
}

} // namespace world
