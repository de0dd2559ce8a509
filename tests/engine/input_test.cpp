// The mouse device fed with SDL events as the platform's pump shows them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "engine/gfx.h"
#include "platform/sdl_access.h"
#include "platform/window.h"

namespace test {
namespace {

    // type: SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN/UP or SDL_MOUSEWHEEL (y: its steps).
    void Send(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event e {};
        e.type = type;
        if (type == SDL_MOUSEWHEEL)
            e.wheel.y = y;
        else if (type == SDL_MOUSEMOTION)
            e.motion.x = x, e.motion.y = y;
        else
            e.button.button = button, e.button.state = type == SDL_MOUSEBUTTONDOWN, e.button.x = x, e.button.y = y;
        platform::NotifySdlEventObservers(e);
    }

    TEST(InputTest, EachClickIsTakenAtUpdateAndReportedOnceUnlessTheMouseIsFree)
    {
        iInputDevice* in = nullptr;
        void* aux = nullptr; // no second device
        ASSERT_EQ(InitInput(nullptr, &in, &aux), S_OK);
        in->SetWindow(nullptr, 1);
        in->Acquire();
        Send(SDL_MOUSEBUTTONDOWN, 7, 9, SDL_BUTTON_RIGHT); // button events carry a position too
        EXPECT_FALSE(in->IsButtonDown(1)); // taken at the update
        in->Update();
        EXPECT_EQ((std::tuple { in->GetMouseX(), in->IsButtonDown(1), in->IsButtonDown(0), in->WasButtonClicked(1) }),
            std::tuple(7, true, false, false)); // held, not yet a click
        Send(SDL_MOUSEBUTTONUP, 7, 9, SDL_BUTTON_RIGHT);
        in->Update();
        EXPECT_EQ((std::tuple { in->WasButtonClicked(1), in->WasButtonClicked(1), in->HasButtonEvent(1) }),
            std::tuple(true, false, true)); // a click once; the button event until cleared
        in->ClearButtonEvent();
        EXPECT_FALSE(in->HasButtonEvent(1));
        for (Uint32 type : { SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP })
            Send(type, 0, 0); // two quick clicks between two updates are two clicks
        Send(SDL_MOUSEWHEEL, 0, 1);
        in->Update();
        Send(SDL_MOUSEWHEEL, 0, 2);
        in->Update(); // a second input tick in the same frame loses nothing
        EXPECT_EQ((std::tuple { in->WasButtonClicked(0), in->WasButtonClicked(0), in->WasButtonClicked(0) }),
            std::tuple(true, true, false));
        // The wheel adds up until read.
        EXPECT_EQ((std::pair { in->GetWheelDelta(), in->GetWheelDelta() }), std::pair(3, 0));

        // A freed mouse is not the game's; the click that takes it back is no click.
        Send(SDL_MOUSEBUTTONDOWN, 0, 0);
        in->Update();
        in->Unacquire();
        EXPECT_FALSE(in->IsButtonDown(0)); // nothing stays held
        for (Uint32 type : { SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL, SDL_MOUSEBUTTONDOWN })
            Send(type, 0, 4);
        in->Acquire();
        Send(SDL_MOUSEBUTTONUP, 0, 0);
        in->Update();
        EXPECT_EQ((std::pair { in->WasButtonClicked(0), in->GetWheelDelta() }), std::pair(false, 0));

        // The clip holds the cursor.
        RECT clip { 0, 0, 1276, 1020 };
        in->SetCursorClip(&clip);
        for (const auto& [x, y, clippedX, clippedY] :
            { std::tuple { 500, 400, 500, 400 }, { 1280, 1024, 1275, 1019 }, { -5, -9, 0, 0 } }) {
            Send(SDL_MOUSEMOTION, x, y);
            in->Update();
            EXPECT_EQ(std::pair(in->GetMouseX(), in->GetMouseY()), std::pair(clippedX, clippedY)) << x << "," << y;
        }
        CloseInput();
    }

    // Each of the three buttons is held, clicked and reported by itself; other
    // SDL buttons and indices past the three report nothing.
    TEST(InputTest, EveryButtonIsReportedByItselfAndNoneBeyondTheLast)
    {
        iInputDevice* in = nullptr;
        void* aux = nullptr;
        ASSERT_EQ(InitInput(nullptr, &in, &aux), S_OK);
        in->Acquire();
        // What the game sees of buttons -1 .. 3: held, clicked, has an event.
        auto seen = [in] {
            std::vector<std::tuple<bool, bool, bool>> all;
            for (int b = -1; b <= 3; ++b)
                all.emplace_back(in->IsButtonDown(b), in->WasButtonClicked(b), in->HasButtonEvent(b));
            return all;
        };
        using Seen = std::vector<std::tuple<bool, bool, bool>>;
        const std::tuple<Uint8, int> buttons[] = { { SDL_BUTTON_LEFT, 0 }, { SDL_BUTTON_RIGHT, 1 }, { SDL_BUTTON_MIDDLE, 2 },
            { SDL_BUTTON_X1, -1 }, { SDL_BUTTON_X2, -1 } };
        for (const auto& [button, index] : buttons) {
            SCOPED_TRACE(int(button));
            Seen none(5), held(5), clicked(5), released(5);
            if (index >= 0) {
                held[size_t(index + 1)] = { true, false, true };
                clicked[size_t(index + 1)] = { false, true, true };
                released[size_t(index + 1)] = { false, false, true };
            }
            in->ClearButtonEvent();
            Send(SDL_MOUSEBUTTONDOWN, 3, 4, button);
            in->Update();
            EXPECT_EQ(seen(), held);
            in->Update(); // still held, no click yet
            EXPECT_EQ(seen(), held);
            Send(SDL_MOUSEBUTTONUP, 3, 4, button);
            in->Update();
            EXPECT_EQ(seen(), clicked); // the click is taken as it is read
            EXPECT_EQ(seen(), released);
            in->ClearButtonEvent();
            EXPECT_EQ(seen(), none);
        }
        // A flipped wheel turns the other way; the clip, once lifted, holds nothing.
        for (const auto& [direction, steps, delta] : { std::tuple { SDL_MOUSEWHEEL_NORMAL, 2, 2 },
                 { SDL_MOUSEWHEEL_FLIPPED, 2, -2 }, { SDL_MOUSEWHEEL_FLIPPED, -1, 1 } }) {
            SDL_Event e {};
            e.type = SDL_MOUSEWHEEL, e.wheel.y = steps, e.wheel.direction = direction;
            platform::NotifySdlEventObservers(e);
            in->Update();
            EXPECT_EQ(in->GetWheelDelta(), delta) << direction << " " << steps;
        }
        RECT clip { 10, 10, 20, 20 };
        in->SetCursorClip(&clip);
        Send(SDL_MOUSEMOTION, 300, 5);
        in->Update();
        EXPECT_EQ(std::pair(in->GetMouseX(), in->GetMouseY()), std::pair(19, 10));
        in->SetCursorClip(nullptr);
        in->Update();
        EXPECT_EQ(std::pair(in->GetMouseX(), in->GetMouseY()), std::pair(300, 5));
        CloseInput();
    }

    // The cursor clip holds the system mouse in the window only while the game
    // has the mouse; freed, it may leave.
    TEST(InputTest, AFreedMouseIsNoLongerHeldInTheWindow)
    {
        HWND window = platform::CreateAppWindow(L"clip", 0, 0, 64, 48);
        ASSERT_TRUE(window);
        iInputDevice* in = nullptr;
        void* aux = nullptr;
        ASSERT_EQ(InitInput(nullptr, &in, &aux), S_OK);
        in->SetWindow(window, 1);
        in->Acquire();
        RECT clip { 0, 0, 32, 24 };
        in->SetCursorClip(&clip);
        EXPECT_NE(SDL_GetWindowMouseRect(platform::SdlWindowOf(window)), nullptr);
        in->Unacquire();
        EXPECT_EQ(SDL_GetWindowMouseRect(platform::SdlWindowOf(window)), nullptr);
        CloseInput();
        platform::DestroyAppWindow(window);
    }

} // namespace
} // namespace test
