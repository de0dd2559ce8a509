// What a level script can reach outside its own state: no player file, no
// program, no exit, no file but the game's own scripts; and the fences hold
// where Lua runs no hooks (message handlers, finalizers) and while a quit
// waits: a window close during any script call ends it at once.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "platform/message_pump.h"
#include "platform/test_events.h"
#include "platform/window.h"
#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"

namespace {

namespace fs = std::filesystem;

using ScriptReach = test::ScriptTest;

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file and folder under the root with its contents, to compare.
std::string Listing(const fs::path& root)
{
    std::string all;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        all += entry.path().string() + (entry.is_regular_file() ? "=" + Contents(entry.path()) : "/") + "\n";
    return all;
}

// A player's folder beside the program folder; each hostile call, run by a
// level script, must leave it as it was and the game running.
TEST_F(ScriptReach, ALevelScriptTouchesNoFileRunsNoProgramAndCannotEndTheGame)
{
    const fs::path player = fs::path(m_folder.Path()) / "player";
    fs::create_directories(player / "highscore");
    std::ofstream(player / "us.txt") << "progress";
    std::ofstream(player / "1_bau") << "lots";
    std::ofstream(player / "highscore/1.txt") << "scores";
    std::ofstream(player / "secret.lua") << "stolen = 'secret'";
    const std::string p = player.string() + "/";
    const std::string kCalls[] = {
        "os.remove('" + p + "1_bau')",
        "os.rename('" + p + "highscore', '" + p + "gone')",
        "io.open('" + p + "us.txt', 'w'):write('x')",
        "io.output('" + p + "us.txt'); io.write('x')",
        "os.execute('rm " + p + "1_bau')",
        "io.popen('touch " + p + "made'):close()",
        "os.tmpname()",
        "os.setlocale('C')",
        "stolen = os.getenv('HOME')",
        "dofile('" + p + "secret.lua')",
        "loadfile('" + p + "secret.lua')()",
        "dofile('data/script/../../player/secret.lua')",
        "require('os')",
        "package.loadlib('libc.so.6', 'exit')()",
        "debug.sethook()",
        "os.exit(3)",
    };
    StartLevel("function on_init() end");
    const std::string before = Listing(player);
    for (const std::string& call : kCalls) {
        SCOPED_TRACE(call);
        ASSERT_TRUE(Run("stolen = nil; pcall(function() " + call + " end)"));
        EXPECT_EQ(Listing(player), before);
        EXPECT_TRUE(Holds("stolen == nil"));
    }
    // What scripts keep: the clock and calendar, and the game's own scripts.
    std::ofstream(fs::path(m_folder.Path()) / "data/script/scene/shared.lua") << "shared = (shared or 0) + 1";
    EXPECT_TRUE(Holds("os.time() > 0 and os.clock() >= 0 and #os.date('%Y') == 4 and os.difftime(3, 1) == 2"));
    EXPECT_TRUE(Holds("io == nil and os.execute == nil and os.exit == nil and os.remove == nil"));
    EXPECT_TRUE(Run("dofile('data/script/scene/shared.lua'); loadfile('data/script/scene/shared.lua')()"));
    EXPECT_TRUE(Holds("shared == 2 and select(2, loadfile('data/script/scene/none.lua')):find('none.lua')"));
    // Standard input is no script's: reading it would wait on a pipe.
    EXPECT_TRUE(Holds("not pcall(dofile) and not pcall(loadfile)"));
    // print goes to the game's log.
    TakeLog();
    ASSERT_TRUE(Run("print('hello', 42)"));
    const auto lines = TakeLog();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].text.find(L"hello\t42"), std::wstring::npos);
}

// Lua calls a message handler and a finalizer with its hooks off; a handler
// or a bound class's "__finalize" that loops is stopped (or never run) like
// any other runaway, and the level is released at once.
TEST_F(ScriptReach, MessageHandlersAndFinalizersAreFenced)
{
    const struct {
        const char* what;
        const char* body; // of "on_timer"
        const wchar_t* error; // part of the one error line
    } kCases[] = {
        { "looping handler after a loop", "xpcall(function() while true do end end, function() while true do end end)",
            L"ran too long" },
        { "looping handler after an error", "xpcall(error, function() while true do end end)", L"ran too long" },
        { "handler retrying",
            "local function h(m) return select(2, xpcall(error, h)) end xpcall(error, h) "
            "while true do end",
            L"ran too long" },
        { "looping __finalize",
            "class 'Looper' function Looper:__finalize() while true do end end "
            "Looper() collectgarbage()",
            L"finalizers" },
        { "looping __finalize of Story", "Story.__finalize = function() while true do end end", L"finalizers" },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Scripting::SetScriptLimitsForTests(size_t { 8 } << 20, 0.2);
        StartLevel(std::string("function on_init() end\nfunction on_timer() ") + c.body + " end");
        TakeLog();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Story::Instance().CallScriptFunction("on_timer"));
        Story::Instance().ReleaseLevelScript();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        const auto errors = ScriptErrors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.error), std::wstring::npos) << std::string(errors[0].begin(), errors[0].end());
    }
}

// The window closed while a script waits on the system or loops in C: the
// call gives way within a second, and the close waits for the game's loop.
TEST_F(ScriptReach, AWindowCloseEndsAnyLongScriptCall)
{
    // Standard input becomes a pipe that stays silent for a while.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const int savedInput = dup(STDIN_FILENO);
    dup2(pipeEnds[0], STDIN_FILENO);
    close(pipeEnds[0]);
    std::thread writer([end = pipeEnds[1]] {
        std::this_thread::sleep_for(std::chrono::seconds(4));
        close(end);
    });
    HWND window = platform::CreateAppWindow(L"script", 0, 0, 64, 48);
    ASSERT_NE(window, nullptr);
    const char* const kBodies[] = {
        "os.execute('sleep 3')",
        "io.popen('sleep 3; echo 1'):read('*n')",
        "io.read()",
        "while true do end",
        "xpcall(function() while true do end end, function() while true do end end)",
        "local t = {} for i = 1, 2e6 do t[i] = 'x' end while true do table.concat(t) end",
        "while true do load(string.rep(' ', 2^24) .. 'return 1') end",
        "local t = {} for i = 1, 1e6 do t[i] = {} end while true do collectgarbage() end",
    };
    for (const char* body : kBodies) {
        SCOPED_TRACE(body);
        StartLevel(std::string("function on_init() end\nfunction on_timer() ") + body + " end");
        platform::DiscardPendingMessages();
        ASSERT_TRUE(platform::InjectWindowEvent(window, platform::WindowEventKind::Close));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Story::Instance().CallScriptFunction("on_timer"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(platform::QuitPending());
        Story::Instance().ReleaseLevelScript();
    }
    platform::DiscardPendingMessages();
    platform::DestroyAppWindow(window);
    writer.join();
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
}

// print writes one log line: its values as tostring gives them, tab apart,
// cut at 255 bytes; a tostring that gives no text is the script's error.
TEST_F(ScriptReach, PrintWritesOneLogLinePerCall)
{
    const struct {
        const char* call;
        std::wstring line;
    } kCases[] = {
        { "print()", L"" },
        { "print(nil, true, 1.5, 'x')", L"nil\ttrue\t1.5\tx" },
        { "print(setmetatable({}, { __tostring = function() return 'seen' end }), 2)", L"seen\t2" },
        { "print(string.rep('a', 254) .. 'bc')", std::wstring(254, L'a') + L"b" },
        { "print(string.rep('a', 200), string.rep('b', 100))",
            std::wstring(200, L'a') + L"\t" + std::wstring(54, L'b') },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.call);
        TakeLog();
        ASSERT_TRUE(Run(c.call));
        const auto lines = TakeLog();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, L"[Script] " + c.line);
    }
    TakeLog();
    EXPECT_TRUE(Holds("not pcall(print, setmetatable({}, { __tostring = function() return {} end }))"));
    EXPECT_TRUE(TakeLog().empty());
}

} // namespace
