// The task dialog's labelled button: how far down its face the label sits for
// each font, and how the label answers the mouse.
#include <gtest/gtest.h>

#include <string>

#include "app/game_app_fonts.h"
#include "hud_fixture.h"
#include "scene/task_dialog.h"

namespace {

using TaskDialogButtonTest = test::HudTest;

// The label sits lower on the face for the bold font than for the small one,
// and highest for any other; hovered it moves a pixel right and down and
// takes the hover colour.
TEST_F(TaskDialogButtonTest, TheLabelSitsByItsFontAndAnswersTheMouse)
{
    WriteSet("data/gui/interface/menu/menu_task", { "button_short_off.png", "button_short_over.png" });
    Scene::TaskDialog task;
    task.SetActive(true);
    const struct {
        const char* name;
        iGfxFont* font;
        int offset;
    } cases[] = {
        { "bold", g_fontNormal2, 13 },
        { "small", g_fontSmall, 10 },
        { "big", g_fontBig, 5 },
        { "the other bold", g_fontNormal, 5 },
    };
    constexpr int kX = 300, kY = 400, kW = 205, kH = 49;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int restX = 0;
        for (const bool hovered : { false, true }) {
            SCOPED_TRACE(hovered);
            MoveMouse(hovered ? kX + 10 : 0, hovered ? kY + 10 : 0);
            gfx.ClearRecords();
            EXPECT_FALSE(task.DoButton(false, c.font, L"button_short_off.png", L"button_short_over.png", L"OK", kX, kY,
                kW, kH, 149, 60, 60, 255, 255, 0));
            const auto texts = TextDraws();
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0]->font, c.font);
            EXPECT_EQ(texts[0]->y, kY + c.offset + (hovered ? 1 : 0));
            EXPECT_EQ(texts[0]->color & 0xFFFFFFu, hovered ? 0xFFFF00u : 0x953C3Cu);
            if (!hovered)
                restX = texts[0]->x;
            else
                EXPECT_EQ(texts[0]->x, restX + 1);
            EXPECT_GT(restX, kX) << "not centred on the face";
        }
    }
}

} // namespace
