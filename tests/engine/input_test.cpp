// The mouse device fed with SDL events as the platform's pump shows them.
#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "platform/sdl_access.h"

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
        iInputDevice* input = nullptr;
        void* aux = nullptr; // no second device
        ASSERT_EQ(InitInput(nullptr, &input, &aux), S_OK);
        input->SetWindow(nullptr, 1);
        input->Acquire();
        Send(SDL_MOUSEBUTTONDOWN, 7, 9, SDL_BUTTON_RIGHT); // button events carry a position too
        EXPECT_FALSE(input->IsButtonDown(1)); // taken at the update
        input->Update();
        EXPECT_EQ((std::tuple { input->GetMouseX(), input->IsButtonDown(1), input->IsButtonDown(0), input->WasButtonClicked(1) }),
            std::tuple(7, true, false, false)); // held, not yet a click
        Send(SDL_MOUSEBUTTONUP, 7, 9, SDL_BUTTON_RIGHT);
        input->Update();
        EXPECT_EQ((std::tuple { input->WasButtonClicked(1), input->WasButtonClicked(1), input->HasButtonEvent(1) }),
            std::tuple(true, false, true)); // a click once; the button event until cleared
        input->ClearButtonEvent();
        EXPECT_FALSE(input->HasButtonEvent(1));
        for (Uint32 type : { SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP })
            Send(type, 0, 0); // two quick clicks between two updates are two clicks
        Send(SDL_MOUSEWHEEL, 0, 1);
        input->Update();
        Send(SDL_MOUSEWHEEL, 0, 2);
        input->Update(); // a second input tick in the same frame loses nothing
        EXPECT_EQ((std::tuple { input->WasButtonClicked(0), input->WasButtonClicked(0), input->WasButtonClicked(0) }), std::tuple(true, true, false));
        EXPECT_EQ((std::pair { input->GetWheelDelta(), input->GetWheelDelta() }), std::pair(3, 0)); // the wheel adds up until read

        // A freed mouse is not the game's; the click that takes it back is no click.
        Send(SDL_MOUSEBUTTONDOWN, 0, 0);
        input->Update();
        input->Unacquire();
        EXPECT_FALSE(input->IsButtonDown(0)); // nothing stays held
        for (Uint32 type : { SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL, SDL_MOUSEBUTTONDOWN })
            Send(type, 0, 4);
        input->Acquire();
        Send(SDL_MOUSEBUTTONUP, 0, 0);
        input->Update();
        EXPECT_EQ((std::pair { input->WasButtonClicked(0), input->GetWheelDelta() }), std::pair(false, 0));

        // The clip holds the cursor; a warp sets it.
        RECT clip { 0, 0, 1276, 1020 };
        input->SetCursorClip(&clip);
        for (const auto& [x, y, clippedX, clippedY] : { std::tuple { 500, 400, 500, 400 }, { 1280, 1024, 1275, 1019 }, { -5, -9, 0, 0 } }) {
            Send(SDL_MOUSEMOTION, x, y);
            input->Update();
            EXPECT_EQ(std::pair(input->GetMouseX(), input->GetMouseY()), std::pair(clippedX, clippedY)) << x << "," << y;
        }
        input->SetCursorPos(640, 512);
        input->Update(); // no motion since: the warp holds
        EXPECT_EQ(input->GetMouseX(), 640);
        CloseInput();
    }

} // namespace
} // namespace test
