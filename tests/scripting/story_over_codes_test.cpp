// ChangeNumberInOver: a level script turns the picture over a place by a
// code, the snow on it melting stage by stage or a cactus in bloom.
#include <string>

#include <gtest/gtest.h>

#include "scripting/story_method_fixture.h"

namespace {

using StoryOverCodes = test::StoryMethodTest;

// Every code from 100 to 120 on the place at (50, 60): the cactus code and
// the five snow stages each give their own picture, any other code leaves
// the last one as it was. The place at another point is never touched, and a
// point with no place changes nothing anywhere.
TEST_F(StoryOverCodes, EachCodeGivesItsOwnPictureAndOthersChangeNothing)
{
    cGameWorld& world = cGameWorld::Instance();
    StartLevel(R"(
function on_init()
    Story:CreatePlace(100, 50, 60, 9)
    Story:CreatePlace(100, 70, 60, 9)
end
)");
    ASSERT_EQ(world.places.size(), 2u);
    world.places[0].texture = "before";
    world.places[1].texture = "other";
    const std::pair<int, const char*> pictures[] = {
        { 105, "kaktus_06" },
        { 111, "elkasnow_02" },
        { 112, "elkasnow_03" },
        { 113, "elkasnow_04" },
        { 114, "elkasnow_05" },
        { 115, "elkasnow_06" },
    };
    std::string expected = "before";
    for (int code = 100; code <= 120; ++code) {
        for (const auto& [known, picture] : pictures)
            if (known == code)
                expected = picture;
        ASSERT_TRUE(Run("Story:ChangeNumberInOver(0, 50, 60, " + std::to_string(code) + ")"));
        EXPECT_EQ(world.places[0].texture, expected) << code;
        EXPECT_EQ(world.places[1].texture, "other") << code;
        ASSERT_TRUE(Run("Story:ChangeNumberInOver(0, 51, 60, " + std::to_string(code) + ")"));
        EXPECT_EQ(world.places[0].texture, expected) << code;
    }
    // The stages go back as well as forward: the code alone decides.
    ASSERT_TRUE(Run("Story:ChangeNumberInOver(7, 70, 60, 112)"));
    EXPECT_EQ(world.places[1].texture, "elkasnow_03");
    EXPECT_EQ(world.places[0].texture, "elkasnow_06");
}

} // namespace
