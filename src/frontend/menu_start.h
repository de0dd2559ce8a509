// The start screen with the profiles (menu slot 12); the only screen active after start-up.
#pragma once

#include "frontend/score_table.h"
#include "scene/menu_prototype.h"

namespace Scene {

class MenuStart : public MenuPrototype {
public:
    MenuStart();
    ~MenuStart() override;

    // The full-screen start-menu and station pictures of the start screen's
    // page, drawn whole at 0, 0 in opaque white; other screens borrow them as
    // backgrounds.
    void DrawStartMenuImage();
    void DrawStationImage();

    // Blanks the rows of the current profile in the highscore tables of
    // levels 1..30 (name "...", money 0, time 0; the profile number stays)
    // and sorts them down. The walk stops at the first level without a file.
    void RemoveProfileScores();
    // Sorts the screen's table by the ranking; the level is not used.
    void CompactScores(int level);

protected:
    // The page slot that holds the start screen's page.
    static constexpr int kStartPage = 0;
    // The table the profile removal works on.
    ScoreTable scores;
};

} // namespace Scene
