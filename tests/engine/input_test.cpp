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
            void* aux = nullptr;
            ASSERT_EQ(InitInput(nullptr, &input, &aux), S_OK);
            input->SetWindow(nullptr, 1);
            input->Acquire();
        }
        void TearDown() override { CloseInput(); }

        // type: SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN/UP (button 1 left, 2 middle, 3 right) or SDL_MOUSEWHEEL (y: steps).
        static void Send(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
        {
            SDL_Event e {};
            e.type = type;
            if (type == SDL_MOUSEWHEEL) {
                e.wheel.y = y;
                e.wheel.direction = x ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
            } else if (type == SDL_MOUSEMOTION) {
                e.motion.x = x;
                e.motion.y = y;
            } else {
                e.button = { type, 0, 0, 0, button, Uint8(type == SDL_MOUSEBUTTONDOWN), 1, 0, x, y };
            }
            platform::NotifySdlEventObservers(e);
        }

        iInputDevice* input = nullptr;
    };

    TEST_F(InputTest, PositionAndEachClickAreTakenAtUpdateAndReportedOnce)
    {
        Send(SDL_MOUSEMOTION, 120, 45);
        EXPECT_EQ(input->GetMouseX(), 0);
        input->Update();
        EXPECT_EQ(input->GetMouseX(), 120);
        EXPECT_EQ(input->GetMouseY(), 45);
        for (Uint8 button : { SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE }) {
            const int index = button == SDL_BUTTON_LEFT ? 0 : button == SDL_BUTTON_RIGHT ? 1 : 2;
            SCOPED_TRACE(index);
            Send(SDL_MOUSEBUTTONDOWN, 7, 9, button); // button events carry a position too
            input->Update();
            EXPECT_EQ(input->GetMouseX(), 7);
            EXPECT_TRUE(input->IsButtonDown(index));
            EXPECT_FALSE(input->IsButtonDown((index + 1) % 3));
            EXPECT_FALSE(input->WasButtonClicked(index)); // held, not yet a click
            EXPECT_TRUE(input->HasButtonEvent(index));
            Send(SDL_MOUSEBUTTONUP, 7, 9, button);
            input->Update();
            EXPECT_TRUE(input->WasButtonClicked(index));
            EXPECT_FALSE(input->WasButtonClicked(index));
            input->ClearButtonEvent();
            EXPECT_FALSE(input->HasButtonEvent(index));
        }
        // Two quick clicks between two updates are two clicks.
        for (int i = 0; i < 2; ++i) {
            Send(SDL_MOUSEBUTTONDOWN, 0, 0);
            Send(SDL_MOUSEBUTTONUP, 0, 0);
        }
        input->Update();
        input->Update(); // a second input tick in the same frame loses nothing
        EXPECT_TRUE(input->WasButtonClicked(0));
        EXPECT_TRUE(input->WasButtonClicked(0));
        EXPECT_FALSE(input->WasButtonClicked(0));
        EXPECT_FALSE(input->IsButtonDown(-1));
        EXPECT_FALSE(input->HasButtonEvent(99));
        // The wheel adds up until read; a flipped wheel turns the other way.
        Send(SDL_MOUSEWHEEL, 0, 1);
        Send(SDL_MOUSEWHEEL, 0, 2);
        input->Update();
        Send(SDL_MOUSEWHEEL, 0, -1);
        input->Update();
        EXPECT_EQ(input->GetWheelDelta(), 2);
        EXPECT_EQ(input->GetWheelDelta(), 0);
        Send(SDL_MOUSEWHEEL, 1, 1);
        input->Update();
        EXPECT_EQ(input->GetWheelDelta(), -1);
    }

    TEST_F(InputTest, AFreedMouseIsNotTheGames)
    {
        Send(SDL_MOUSEBUTTONDOWN, 0, 0);
        input->Update();
        input->Unacquire();
        EXPECT_FALSE(input->IsButtonDown(0)); // nothing stays held
        Send(SDL_MOUSEBUTTONUP, 0, 0);
        Send(SDL_MOUSEWHEEL, 0, 4);
        input->Update();
        EXPECT_FALSE(input->WasButtonClicked(0));
        EXPECT_EQ(input->GetWheelDelta(), 0);
        // The click that takes the mouse back is no click in the game.
        Send(SDL_MOUSEBUTTONDOWN, 0, 0);
        input->Acquire();
        Send(SDL_MOUSEBUTTONUP, 0, 0);
        input->Update();
        EXPECT_FALSE(input->WasButtonClicked(0));
    }

    TEST_F(InputTest, ClipHoldsTheCursorAndWarpSetsIt)
    {
        RECT clip { 0, 0, 1276, 1020 };
        input->SetCursorClip(&clip);
        const int cases[][4] = { { 500, 400, 500, 400 }, { 1280, 1024, 1275, 1019 }, { -5, -9, 0, 0 } };
        for (const auto& c : cases) {
            Send(SDL_MOUSEMOTION, c[0], c[1]);
            input->Update();
            EXPECT_EQ(input->GetMouseX(), c[2]) << c[0];
            EXPECT_EQ(input->GetMouseY(), c[3]) << c[1];
        }
        input->SetCursorPos(640, 512);
        input->Update(); // no motion since: the warp holds
        EXPECT_EQ(input->GetMouseX(), 640);
        input->SetCursorClip(nullptr);
        Send(SDL_MOUSEMOTION, 1500, 1100);
        input->Update();
        EXPECT_EQ(input->GetMouseX(), 1500);
    }

} // namespace
} // namespace test
