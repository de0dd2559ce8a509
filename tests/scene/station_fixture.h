// The station view over the recording engine: a scratch program folder with
// small station and trees pages of our own (each image cut from its own
// place, so a recorded draw tells which image it was), the real StationView in
// slot 4 of the screen manager and recording screens in the other slots, a
// clock set by hand and a mouse moved by hand.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawn_images.h"
#include "scene/station_view.h"
#include "support/screen_test.h"
#include "world/game_world.h"

namespace test {

class StationTest : public ScreenTest {
protected:
    void SetUp() override;
    void WritePages(const std::string& menuFolder) override;

    // The screens made and the station view switched on for a screen of
    // that width (1280 the design size; anything else the smaller pages).
    void StartScreens(int width = 1280);

    // The images drawn since the last ClearDrawn, in order.
    std::vector<DrawnImage> Drawn() const;
    std::vector<std::wstring> DrawnNames() const;
    // How often one image was drawn.
    std::size_t DrawnCount(const std::wstring& name) const;
    // The draws of one image.
    std::vector<DrawnImage> DrawnOf(const std::wstring& name) const;

    // Station building blocks on cell (row, column): a fundament of template
    // 1 ("plat_a.png" and "plat_b.png"), and a service place of the type on
    // it with variant 0.
    void AddFundament(int row, int column, int value = -1);
    int AddServicePlace(int type, int row, int column);
    // A tree (type 100, "baum") at the design point.
    int AddTree(int x, int y);
    // Moves the mouse to the middle of a cell.
    void MouseOnCell(int row, int column);

    // The size of a page image as the test pages give it.
    static void PageImageSize(const std::wstring& name, int& width, int& height);

    Scene::StationView* over = nullptr;
};

// The station editor bar: the screens made, the editor flag set.
class StationEditorBarTest : public StationTest {
protected:
    void SetUp() override;
    // Station templates 10.. of the five service types in turn.
    void AddTemplates(int count);
    void Click();
    int top() const { return world.barOffset; }
};

} // namespace test
