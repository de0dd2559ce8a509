// A removed profile's rows leave the highscore tables of every level.
#include "frontend/start_screen.h"

#include "resources/property_file.h"
#include "world/game_world.h"

namespace Scene {

namespace {
    constexpr int kLastLevel = 30;
} // namespace

void StartScreen::RemoveProfileScores()
{
    const int profile = cGameWorld::Instance().currentProfile;
    for (int level = 1; level <= kLastLevel; ++level) {
        const std::wstring path = ScoreFilePath(level);
        PropertyFile file;
        if (path.empty() || !file.Serialize(path, false))
            return;
        scores.Read(file);
        for (int i = 0; i < ScoreTable::kRows; ++i) {
            if (scores.scoreWorkplaces[i] != profile)
                continue;
            scores.scoreNames[i] = L"...";
            scores.scoreMoney[i] = 0;
            scores.scoreTimes[i] = 0;
        }
        CompactScores(level);
        // Written whole over the old file, so a failed write keeps the old table.
        SaveScoreFile(scores, path);
    }
}

void StartScreen::CompactScores(int /*level*/)
{
    scores.Compact();
}

} // namespace Scene
