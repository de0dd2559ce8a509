// A level's highscore table: ten rows, row 0 the best, kept in the level's
// result file "result_NN.cfg" in the highscore folder of the user folder.
// The result screen and the start screen each hold one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PropertyFile;

namespace Scene {

struct ScoreTable {
    static constexpr int kRows = 10;

    std::wstring scoreNames[kRows]; // the profile's name when the entry was made
    int scoreTimes[kRows] = {}; // seconds
    int scoreMoney[kRows] = {}; // money or points; the ranking key
    int scoreWorkplaces[kRows] = {}; // the profile (1..6) that made it; -1 none

    ScoreTable() { Reset(); }

    // Every row empty: no name, time 0, money 0, workplace -1.
    void Reset();

    // Rows 1..10 of the file's keys "name1", "time1", "money1",
    // "workplace1" ...; a missing int reads 0 and a missing name empty.
    void Read(PropertyFile& file);
    // The table as a file's entries; an empty name is written as "...".
    void Write(PropertyFile& file) const;

    // Places a new entry by the ranking: more money first, then less time;
    // an entry equal to a row goes above it. Rows below it move down and the
    // last drops out. The row taken, or -1 when the entry beats no row.
    int Insert(const std::wstring& name, int workplace, int time, int money);

    // Sorts by the ranking (more money first, then less time), rows equal in
    // both keeping their order.
    void Compact();

    void SwapRows(int a, int b);
};

// The result file of a level: "<user folder>/highscore/result_NN.cfg";
// empty when there is no user folder.
std::wstring ScoreFilePath(int level);

// The table's file as SaveScoreFile writes it.
std::vector<uint8_t> ScoreFileBytes(const ScoreTable& table);
// Makes the folder of a result file when it is missing.
void MakeScoreFolder(const std::wstring& path);

// Writes the table whole over the level's file, making the highscore folder
// when it is missing. False when it could not be written; the old file then
// stays as it was.
bool SaveScoreFile(const ScoreTable& table, const std::wstring& path);

} // namespace Scene
