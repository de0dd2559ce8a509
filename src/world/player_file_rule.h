// The one rule for every file the game writes for the player (config.cfg,
// us.txt, the saved games, the station files and the highscore tables):
// - a file is read whole and checked against what the game itself writes;
//   one that is not exactly that is still used as far as it can be read, and
//   the player is told (the log names the file, the screen says it in words);
// - when something is written in its place it is kept aside as
//   "<name>.unreadable", "<name>.unreadable2" ... (never deleted), and only
//   once the new file is in place: a save that fails leaves it where it was;
//   the copies kept aside are bounded, the newest taking the last name, so
//   that a save never stops for want of a name;
// - a file the player made read-only (no write permission for its owner) is
//   left as it is: it is not saved, and that is told;
// - a save that fails is told on screen as well as in the log;
// - files that hold one change (a trade: the saved game and the station
//   file; a level's result: the saved game, the table and the players) are
//   replaced together or not at all, and a change cut short is settled
//   before any of them is read or written again;
// - what is told stays on the menu screens, one line per file and outcome,
//   until the player has had time to read it;
// - numbers read are clamped to what the game can hold, and the sums made
//   with them saturate there, so whatever the game writes it reads back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class cGameWorld;
class PropertyFile;

namespace world {

enum class PlayerFile { Settings, Profiles, SavedGame, Station, Highscores };

// The largest amount of money, count or time a player file holds.
constexpr int kPlayerValueLimit = 1'000'000'000;
// How many copies of one file are kept aside at most.
constexpr int kAsideCopies = 9;

int ClampPlayerValue(long long value);
// total += amount, held within +-kPlayerValueLimit.
void AddSaturating(int& total, long long amount);

// Whether the bytes are exactly a file of that kind as the game writes it.
bool IsWhatTheGameWrites(PlayerFile kind, const std::vector<uint8_t>& bytes);

enum class FileState { Missing, Whole, Damaged };
// Reads the file at the path whole (up to the player-file size limit) and
// checks it. A saved game of no bytes is damaged: the game never writes one.
FileState ReadPlayerFile(PlayerFile kind, const std::wstring& path, std::vector<uint8_t>& bytes);

// A key/value player file: Whole with its entries, Damaged with what the
// lenient reader made of it (told), or Missing.
FileState ReadPlayerProperties(
    cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path, PropertyFile& entries);

// The player-file notice in the words of the GUI texts it is made of, when it
// is still up: its lines, one after the other, '\n' between them.
void WordPlayerFileNotice(cGameWorld& world);
// Adds a line of one or two GUI texts to the notice (once: a line already up
// stays where it is).
void SetPlayerFileNotice(cGameWorld& world, int first, int second = 0);
// Takes the notice down, every line of it.
void ClearPlayerFileNotice(cGameWorld& world);

// The name a damaged copy of the file is kept aside under: "<path>.unreadable",
// then with 2, 3 ... added; when all are taken the last one, whose copy is
// then replaced by the newer one.
std::wstring AsideName(const std::wstring& path);

// Logs that the file was not read whole, and tells the player once a run.
void TellNotReadWhole(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path);

// Tells the player, once a run, that a change waiting beside the file under
// `pending` was not what the game writes and is kept aside, the file staying
// as it was (the caller logs what became of it).
void TellChangeKeptAside(cGameWorld& world, PlayerFile kind, const std::wstring& pending);

// Writes the bytes whole over the player file; whatever was there that the
// game would not have written is kept aside once the new file is in place.
// False, logged and told when the new file could not be written (what was
// there is then left as it was) or the file is read-only.
bool SavePlayerFile(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path,
    const std::vector<uint8_t>& bytes);
// The same with the new file put in place by `put`, given the file's own
// path (true when the new file is there, whole): the same checks before, the
// same keeping aside and telling after.
bool PutPlayerFile(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path,
    const std::function<bool(const std::string& native)>& put);
// Whether the file may be written over: false, logged and told, when there is
// no user folder or the player made the file read-only.
bool MayWritePlayerFile(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path);
// Logs and tells that the file could not be written and is as it was.
void TellNotSaved(cGameWorld& world, const wchar_t* who, PlayerFile kind, const std::wstring& path);

// One player file's new contents.
struct PlayerFileBytes {
    PlayerFile kind;
    std::wstring path;
    std::vector<uint8_t> bytes;
};

// Player files replaced as one, for a change that must be in all of them or
// in none (a trade in the shop: the money in the saved game, the lot in the
// station file; a level's result: the saved game, the level's highscore
// table and the list of players). The first file is the saved game: renaming
// it into place makes the change. Every byte is written before anything is
// replaced: each new file whole beside its own as "<name>.pending", the
// first's before the others'. The others follow the first into place. False,
// with every file as it was, no pending file left and the player told, when
// any of them cannot be written (a full disk) or is read-only.
bool SavePlayerFilesTogether(cGameWorld& world, const wchar_t* who, const std::vector<PlayerFileBytes>& files);
bool SavePlayerFilesTogether(
    cGameWorld& world, const wchar_t* who, const PlayerFileBytes& first, const PlayerFileBytes& second);
// Settles what such a save cut short by a crash left behind, before any
// player file is read or written again: while a saved game's pending file is
// there the change was not made, and every pending file goes (the saved
// game's last, so that a crash here leaves the same answer); without one the
// saved game holds the change, and every file still waiting is put in place,
// unless it is not exactly what the game writes (damaged on the disk, a
// station file without a lot): that one is kept aside under AsideName and
// told, and the file in its place stays. Anything but a regular file under a
// waiting name (a folder, a link, a FIFO) is kept aside and told first, and
// the change is settled as if it were not there.
void SettlePlayerFiles(cGameWorld& world);
// The name a file's new contents wait under in SavePlayerFilesTogether.
std::wstring PendingName(const std::wstring& path);

} // namespace world
