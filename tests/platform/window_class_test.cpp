// A window class needs a name and a procedure; windows are made only of a
// class registered now, and its name is free again once unregistered.
#include <gtest/gtest.h>

#include "platform/window.h"

using namespace platform;

namespace {

LRESULT Proc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

TEST(WindowClass, ANamedClassWithAProcedureIsRegisteredOnceAndWindowsAreMadeOnlyOfIt)
{
    const struct {
        const char* what;
        const wchar_t* name;
        WNDPROC procedure;
        bool registered;
    } cases[] = {
        { "named, with a procedure", L"ClassTest", &Proc, true },
        { "the same name again", L"ClassTest", &Proc, false },
        { "no name", L"", &Proc, false },
        { "no procedure", L"ClassTestBare", nullptr, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WindowClass windowClass;
        windowClass.className = c.name;
        windowClass.procedure = c.procedure;
        EXPECT_EQ(RegisterWindowClass(windowClass), c.registered);
    }
    HWND made = CreateWindowOfClass(L"ClassTest", L"t", WS_POPUP, 0, 0, 16, 16, ProgramInstance());
    EXPECT_NE(made, nullptr) << LastError();
    EXPECT_EQ(CreateWindowOfClass(L"ClassTestBare", L"t", WS_POPUP, 0, 0, 16, 16, ProgramInstance()), nullptr);
    DestroyAppWindow(made);
    EXPECT_TRUE(UnregisterWindowClass(L"ClassTest", ProgramInstance()));
    EXPECT_FALSE(UnregisterWindowClass(L"ClassTest", ProgramInstance())) << "already gone";
    EXPECT_EQ(CreateWindowOfClass(L"ClassTest", L"t", WS_POPUP, 0, 0, 16, 16, ProgramInstance()), nullptr);
    WindowClass again;
    again.className = L"ClassTest";
    again.procedure = &Proc;
    EXPECT_TRUE(RegisterWindowClass(again)) << "the name is free again";
    EXPECT_TRUE(UnregisterWindowClass(L"ClassTest", ProgramInstance()));
}

} // namespace
