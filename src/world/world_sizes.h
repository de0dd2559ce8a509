// Sizes of the world's fixed tables. Every index that comes from a file or a
// script is checked against these before it touches a table.
#pragma once

namespace world {

constexpr int kGridSize = 20; // per-cell tables; rows and columns 0..9 are used
constexpr int kLevelTableSize = 50; // per-level tables, indexed by level number
constexpr int kLastLevel = 31; // 1..30 campaign, 31 the station-building level
constexpr int kSaveCounters = 100;
constexpr int kHighscoreLevels = 200;
constexpr int kHighscoreRows = 10;
constexpr int kHighscoreRowsUsed = 6; // positions 1..6 are read and reset
constexpr int kProfileNames = 8;
constexpr int kProfiles = 6; // profiles 1..6; index 0 is not used
constexpr int kAwards = 21;
constexpr int kBonusLevelSlots = 11;
constexpr int kBonusLevels = 10; // values kept per profile in us.txt
constexpr int kMessageLines = 100;
constexpr int kHints = 50;
// The selection holds every cell of a 10 x 10 grid: one gravity and supply
// pass lists each cell at most once (a full board that clears a bottom-row
// triple under full columns lists 30).
constexpr int kSelection = 100;
// The bonus cells of one combo: as many as a combo has members.
constexpr int kBonusCells = 40;
constexpr int kEffectSounds = 20;
constexpr int kLogos = 5;
constexpr int kFormatLines = 50;
constexpr int kFormatLineLength = 512;
constexpr int kFormattedTextLength = 4096;
constexpr int kTextEntryLength = 256;
// The longest names, in characters, that a player types and a name field
// shows: a profile's, and a highscore entry's. A name read from a file is cut
// to the same length.
constexpr int kProfileNameLength = 14;
constexpr int kHighscoreNameLength = 20;
constexpr int kTextStyles = 13;
constexpr int kIndexTable = 50; // parameters, station bonus and the other script-indexed tables
constexpr int kUpgradeKinds = 128; // by element kind

} // namespace world
