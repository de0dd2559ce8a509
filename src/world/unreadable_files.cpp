// Player files that the game would not have written are used as far as they
// can be read, told, and moved aside before anything is written in their
// place; failed saves are told. See player_file_rule.h.
#include <algorithm>
#include <filesystem>
#include <string>

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
    constexpr int kNotSavedText = 9;

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

    // "<path>.unreadable", then with 2, 3 ... added; when all are taken the
    // last one, whose copy is then replaced by the newer one.
    std::wstring AsideName(const std::wstring& path)
    {
        std::wstring aside = path + L".unreadable";
        for (int n = 2; PathExists(aside) && n <= kAsideCopies; ++n)
            aside = path + L".unreadable" + std::to_wstring(n);
        return aside;
    }

    bool IsFileOrLink(const std::wstring& path)
    {
        std::error_code ec;
        const auto type = fs::symlink_status(resources::ToNativePath(path), ec).type();
        return type == fs::file_type::regular || type == fs::file_type::symlink;
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

void WordPlayerFileNotice(cGameWorld& world)
{
    const int* texts = world.playerFileNoticeTexts;
    if (world.playerFileNotice.empty() || texts[0] <= 0 || texts[0] >= kGuiTextCount || texts[1] >= kGuiTextCount)
        return;
    std::wstring words = g_guiVocabulary[texts[0]];
    if (texts[1] > 0)
        words += std::wstring(L" ") + g_guiVocabulary[texts[1]];
    // Before the texts are loaded the notice waits, blank, for its words.
    world.playerFileNotice = words.empty() ? L" " : words;
}

void SetPlayerFileNotice(cGameWorld& world, int first, int second)
{
    world.playerFileNoticeTexts[0] = first;
    world.playerFileNoticeTexts[1] = second;
    world.playerFileNotice = L" ";
    WordPlayerFileNotice(world);
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
    if (bytes.empty() && kind == PlayerFile::SavedGame)
        return FileState::Missing;
    return IsWhatTheGameWrites(kind, bytes) ? FileState::Whole : FileState::Damaged;
}

FileState ReadPlayerProperties(
    cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path, PropertyFile& entries)
{
    entries.Clear();
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
        L"%ls -> \"%ls\" is not as the game writes it; what can be read is used, and it is moved aside before it "
        L"is written over.",
        who, path.c_str());
    SetPlayerFileNotice(world, NameText(kind), kNotReadWholeText);
}

bool SavePlayerFile(
    cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    if (path.empty()) {
        cLog::Instance().Error(L"%ls -> there is no user folder; nothing is saved.", who);
        return false;
    }
    std::vector<uint8_t> old;
    bool inTheWay = false;
    if (ReadPlayerFile(kind, path, old) == FileState::Damaged && IsFileOrLink(path)) {
        TellNotReadWhole(world, who, kind, path);
        const std::wstring aside = AsideName(path);
        std::error_code ec;
        fs::rename(resources::ToNativePath(path), resources::ToNativePath(aside), ec);
        // A file that cannot be moved aside is never written over.
        inTheWay = static_cast<bool>(ec);
        if (inTheWay)
            cLog::Instance().Error(L"%ls -> unable to move \"%ls\" aside; it is not written over.", who, path.c_str());
        else
            cLog::Instance().Warning(L"%ls -> \"%ls\" is kept as \"%ls\".", who, path.c_str(), aside.c_str());
    }
    const bool saved = !inTheWay && platform::WriteFileAtomic(resources::ToNativePath(path), bytes);
    if (!saved) {
        cLog::Instance().Error(L"%ls -> unable to write \"%ls\"; the old file is kept.", who, path.c_str());
        SetPlayerFileNotice(world, NameText(kind), kNotSavedText);
    }
    return saved;
}

} // namespace world
