// The task lines with their labels, the messages, and the decoration and
// icon forwarders, as a level script calls them.
#include <cwchar>
#include <string>

#include <gtest/gtest.h>

#include "scene/gui_vocabulary.h"
#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

class StoryMessages : public test::StoryMethodTest {
protected:
    void SetUp() override
    {
        StoryMethodTest::SetUp();
        for (int i = 0; i < kGuiTextCount; ++i)
            std::swprintf(g_guiVocabulary[i], kGuiTextLength, L"text %d", i);
    }
    void TearDown() override
    {
        for (auto& entry : g_guiVocabulary)
            entry[0] = L'\0';
        StoryMethodTest::TearDown();
    }

    cGameWorld& world = cGameWorld::Instance();
};

TEST_F(StoryMessages, ATaskLineKeepsItsValueTargetAndLabel)
{
    ASSERT_TRUE(Run("Story:SetMessage(2, 3, 10); Story:SetMessage(2, 4, -1)"
                    "v = Story:GetMessageReal(2); t = Story:GetMessageTarget(2)"));
    EXPECT_EQ(Number("v"), 4);
    EXPECT_EQ(Number("t"), 10); // -1 kept the earlier target
    EXPECT_EQ(world.taskLineTexts[2], L"text 105: 4");
    EXPECT_EQ(world.taskLineCount, 3);
    ASSERT_TRUE(Run("Story:SetMessage(2, 4, 0)"));
    EXPECT_EQ(world.taskLineTargets[2], 0);

    // The count only grows: line 5 first makes six lines.
    ASSERT_TRUE(Run("Story:SetMessage(5, 0, 1); Story:SetMessage(0, 0, 1)"));
    EXPECT_EQ(world.taskLineCount, 6);
}

TEST_F(StoryMessages, ALineWhoseLabelLiesPastTheGuiTableHasAnEmptyLabel)
{
    const struct {
        int line;
        const wchar_t* text;
    } cases[] = {
        { 0, L"text 103: 7" },
        { 52, L"text 155: 7" },
        { 53, L": 7" },
        { 99, L": 7" },
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Run("Story:SetMessage(" + std::to_string(c.line) + ", 7, 9)"));
        EXPECT_EQ(world.taskLineTexts[c.line], c.text) << c.line;
    }
    EXPECT_EQ(world.taskLineCount, 100);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(StoryMessages, TheActiveLinesAreCountedAndTheHighestOneNamed)
{
    ASSERT_TRUE(Run("a = Story:GetActive(); p = Story:GetActiveParam(); s = Story:GetMessageStatus(3)"));
    EXPECT_EQ(Number("a"), 0);
    EXPECT_EQ(Number("p"), 0);
    EXPECT_TRUE(Holds("s == false"));
    ASSERT_TRUE(Run("Story:ActivateMessageStatus(0); p = Story:GetActiveParam()"));
    EXPECT_EQ(Number("p"), 0); // the same answer as with none active
    ASSERT_TRUE(Run("Story:ActivateMessageStatus(3); Story:ActivateMessageStatus(7); Story:ActivateMessageStatus(7)"
                    "a = Story:GetActive(); p = Story:GetActiveParam()"));
    EXPECT_EQ(Number("a"), 3);
    EXPECT_EQ(Number("p"), 7);
    EXPECT_TRUE(Holds("Story:GetMessageStatus(7) and not Story:GetMessageStatus(6)"));
    ASSERT_TRUE(Run("Story:ActivateMessageStatus(99)"));
    EXPECT_TRUE(Holds("Story:GetActiveParam() == 99"));
}

TEST_F(StoryMessages, LineNumbersAndMessageIdsOutsideTheirTablesAreRefused)
{
    const char* calls[] = {
        "Story:SetMessage(100, 1, 1)",
        "Story:SetMessage(-1, 1, 1)",
        "Story:SetMessage(-2147483648, 1, 1)",
        "Story:ActivateMessageStatus(100)",
        "x = Story:GetMessageReal(100)",
        "x = Story:GetMessageTarget(-1)",
        "x = Story:GetMessageStatus(1000)",
        "Story:Message(156)",
        "Story:Message(-1)",
    };
    world.messageToShow = 12;
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        TakeLog();
        ASSERT_TRUE(Run(std::string("x = 0; ") + call));
        EXPECT_EQ(TakeLog().size(), 1u);
        EXPECT_TRUE(Holds("x == 0 or x == false"));
    }
    EXPECT_EQ(world.taskLineCount, 0);
    EXPECT_EQ(world.messageToShow, 12);
    ASSERT_TRUE(Run("Story:Message(0)"));
    EXPECT_EQ(world.messageToShow, 0);
    ASSERT_TRUE(Run("Story:Message(155)"));
    EXPECT_EQ(world.messageToShow, 155);
}

TEST_F(StoryMessages, GameValuesAndDecorationsReachTheWorld)
{
    world.currentTask = 8;
    world.currentService = 3;
    ASSERT_TRUE(Run("t = Story:GetCurrentTask(); s = Story:GetCurrentService()"
                    "Story:SetMenuCorner('right'); Story:SetSpeedIcon(0.25)"
                    "Story:AddIcon(1, 'icon_a'); Story:AddIcon(2, 'icon_b'); Story:DeleteIcon(1)"
                    "Story:AddBody(1, 'tree'); Story:AddMyBody(1, 10, 20); Story:AddMyBody(9, 0, 0)"
                    "Story:AddOver(4, 'lamp'); Story:SetTypOver(4, 2); Story:AddSuperOver(4, 5, 60)"
                    "Story:AddSuperOver(4, 6, 30); Story:AddSuperOver(9, 0, 0); Story:AddMyOver(4, 300, 200)"));
    EXPECT_EQ(Number("t"), 8);
    EXPECT_EQ(Number("s"), 3);
    EXPECT_EQ(world.menuCorner, "right");
    EXPECT_FLOAT_EQ(world.iconSpeed, 0.25f);
    ASSERT_EQ(world.icons.size(), 1u);
    EXPECT_EQ(world.icons[0].id, 2);
    ASSERT_EQ(world.bodies.size(), 1u);
    EXPECT_EQ(world.bodies[0].texture, "tree");
    EXPECT_EQ(world.overTemplates.at(0).type, 2);
    ASSERT_EQ(world.superOvers.size(), 2u);
    EXPECT_EQ(world.superOvers[0].y, 30);
    EXPECT_EQ(world.places.size(), 1u);
    TakeLog();
    ASSERT_TRUE(Run("Story:SetSpeedIcon(0/0)"));
    EXPECT_EQ(TakeLog().size(), 1u);
    EXPECT_FLOAT_EQ(world.iconSpeed, 0.25f);
}

} // namespace
