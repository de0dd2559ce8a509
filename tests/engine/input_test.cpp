// The mouse device fed with SDL events as the platform's pump shows them.
#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "platform/sdl_access.h"

namespace test {
namespace {

    class InputTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            void* aux = reinterpret_cast<void*>(1);
            ASSERT_EQ(InitInput(nullptr, &input, &aux), S_OK);
            EXPECT_EQ(aux, nullptr);
            EXPECT_EQ(g_pInputDevice, input);
            input->SetWindow(nullptr, 1);
            input->Acquire();
        }
        void TearDown() override { CloseInput(); }

        static void Move(int x, int y)
        {
            SDL_Event e {};
            e.type = SDL_MOUSEMOTION;
            e.motion.x = x;
            e.motion.y = y;
            platform::NotifySdlEventObservers(e);
        }
        static void Button(Uint8 button, bool down, int x = 10, int y = 10)
        {
            SDL_Event e {};
            e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            e.button.button = button;
            e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = x;
            e.button.y = y;
            platform::NotifySdlEventObservers(e);
        }
        static void Wheel(int y)
        {
            SDL_Event e {};
            e.type = SDL_MOUSEWHEEL;
            e.wheel.y = y;
            e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
            platform::NotifySdlEventObservers(e);
        }

        iInputDevice* input = nullptr;
    };

    TEST_F(InputTest, PositionIsTakenAtUpdate)
    {
        Move(120, 45);
        EXPECT_EQ(input->GetMouseX(), 0);
        input->Update();
        EXPECT_EQ(input->GetMouseX(), 120);
        EXPECT_EQ(input->GetMouseY(), 45);
        Button(SDL_BUTTON_LEFT, true, 7, 9); // button events carry a position too
        input->Update();
        EXPECT_EQ(input->GetMouseX(), 7);
        EXPECT_EQ(input->GetMouseY(), 9);
    }

    TEST_F(InputTest, EachClickIsReportedOnce)
    {
        struct Case {
            const char* what;
            Uint8 button;
            int index;
        } cases[]
            = { { "left", SDL_BUTTON_LEFT, 0 }, { "right", SDL_BUTTON_RIGHT, 1 }, { "middle", SDL_BUTTON_MIDDLE, 2 } };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            Button(c.button, true);
            input->Update();
            EXPECT_TRUE(input->IsButtonDown(c.index));
            EXPECT_FALSE(input->WasButtonClicked(c.index)); // held, not yet a click
            for (int other = 0; other < 3; ++other) {
                if (other != c.index) {
                    EXPECT_FALSE(input->IsButtonDown(other));
                }
            }
            Button(c.button, false);
            input->Update();
            EXPECT_FALSE(input->IsButtonDown(c.index));
            EXPECT_TRUE(input->WasButtonClicked(c.index));
            EXPECT_FALSE(input->WasButtonClicked(c.index));
            input->Update();
            EXPECT_FALSE(input->WasButtonClicked(c.index));
        }
        // Two quick clicks between two updates are two clicks.
        Button(SDL_BUTTON_LEFT, true);
        Button(SDL_BUTTON_LEFT, false);
        Button(SDL_BUTTON_LEFT, true);
        Button(SDL_BUTTON_LEFT, false);
        EXPECT_FALSE(input->WasButtonClicked(0)); // not before the update
        input->Update();
        input->Update(); // a second input tick in the same frame loses nothing
        EXPECT_TRUE(input->WasButtonClicked(0));
        EXPECT_TRUE(input->WasButtonClicked(0));
        EXPECT_FALSE(input->WasButtonClicked(0));
        // Out-of-range buttons are simply not down.
        EXPECT_FALSE(input->IsButtonDown(-1));
        EXPECT_FALSE(input->WasButtonClicked(3));
        EXPECT_FALSE(input->HasButtonEvent(99));
    }

    TEST_F(InputTest, ButtonEventsStayUntilCleared)
    {
        EXPECT_FALSE(input->HasButtonEvent(0));
        Button(SDL_BUTTON_LEFT, true);
        input->Update();
        EXPECT_TRUE(input->HasButtonEvent(0));
        EXPECT_FALSE(input->HasButtonEvent(1));
        input->Update();
        EXPECT_TRUE(input->HasButtonEvent(0));
        input->ClearButtonEvent();
        EXPECT_FALSE(input->HasButtonEvent(0));
        EXPECT_TRUE(input->IsButtonDown(0));
    }

    TEST_F(InputTest, WheelAddsUpUntilRead)
    {
        Wheel(1);
        Wheel(2);
        input->Update();
        Wheel(-1);
        input->Update();
        EXPECT_EQ(input->GetWheelDelta(), 2);
        EXPECT_EQ(input->GetWheelDelta(), 0);
        Wheel(-3);
        input->Update();
        EXPECT_LT(input->GetWheelDelta(), 0);

        SDL_Event flipped {};
        flipped.type = SDL_MOUSEWHEEL;
        flipped.wheel.y = 1;
        flipped.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
        platform::NotifySdlEventObservers(flipped);
        input->Update();
        EXPECT_EQ(input->GetWheelDelta(), -1);
    }

    TEST_F(InputTest, AFreedMouseIsNotTheGames)
    {
        Button(SDL_BUTTON_LEFT, true);
        input->Update();
        input->Unacquire();
        EXPECT_FALSE(input->IsButtonDown(0)); // nothing stays held
        Button(SDL_BUTTON_LEFT, false);
        Wheel(4);
        Button(SDL_BUTTON_RIGHT, true);
        Button(SDL_BUTTON_RIGHT, false);
        input->Update();
        EXPECT_FALSE(input->WasButtonClicked(0));
        EXPECT_FALSE(input->WasButtonClicked(1));
        EXPECT_EQ(input->GetWheelDelta(), 0);

        // The click that takes the mouse back: its press came while free, so its
        // release is no click in the game.
        Button(SDL_BUTTON_LEFT, true);
        input->Acquire();
        Button(SDL_BUTTON_LEFT, false);
        input->Update();
        EXPECT_FALSE(input->WasButtonClicked(0));
        EXPECT_FALSE(input->IsButtonDown(0));
    }

    TEST_F(InputTest, ClipHoldsTheCursorAndWarpSetsIt)
    {
        RECT clip { 0, 0, 1276, 1020 };
        input->SetCursorClip(&clip);
        struct Case {
            int x, y, expectX, expectY;
        } cases[] = { { 500, 400, 500, 400 }, { 1280, 1024, 1275, 1019 }, { -5, -9, 0, 0 }, { 1275, 0, 1275, 0 } };
        for (const Case& c : cases) {
            Move(c.x, c.y);
            input->Update();
            EXPECT_EQ(input->GetMouseX(), c.expectX) << c.x;
            EXPECT_EQ(input->GetMouseY(), c.expectY) << c.y;
        }
        input->SetCursorPos(640, 512);
        EXPECT_EQ(input->GetMouseX(), 640);
        EXPECT_EQ(input->GetMouseY(), 512);
        input->Update(); // no motion since: the warp holds
        EXPECT_EQ(input->GetMouseX(), 640);

        input->SetCursorClip(nullptr);
        Move(1500, 1100);
        input->Update();
        EXPECT_EQ(input->GetMouseX(), 1500);
    }

} // namespace
} // namespace test
