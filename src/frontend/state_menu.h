// The main-menu state: everything outside a level. Each frame it reads the
// mouse into the world, runs exactly one front-end screen chosen by world
// flags (a pending restart of the level, the logos, the loading sequence, the
// start screen with the profiles, the options, then the highscore view, the
// shop or the world map), acts on the world's menu choice (0 starts the level
// of the world, 3 ends the program), turns key presses into world bytes and
// presents the frame. The logo and loading sequences keep their state in the
// world, so they run once per program run however often the state is pushed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/process.h"
#include "platform/win_types.h"
#include "resources/page_manager.h"
#include "world/world_sizes.h"

class cGameApp;
class iGfxFont;
class iGfxTexture;
class iKeySource;

class cStateMenu : public iProcess {
public:
    cStateMenu()
        : iProcess(L"cStateMenu")
    {
    }

    // Cursor, logo textures, pause and the text styles; always true.
    bool Init(void* application) override;
    // One menu frame; false only in the frame that asks for the exit state.
    bool Update(void* application) override;
    // Deletes the logo textures.
    void Exit(void* application) override;

    // One frame of typing into the world's text entry (while
    // textEntryActive is set): the application's keys, or the given ones.
    void HandleTextInput(void* application);
    void HandleTextInput(iKeySource& keys);
    // Types what the keys show down: one letter at most.
    void TypeKeys(iKeySource& keys);

    // The keys of a menu frame, in the menu's order; each one looked at is
    // consumed, so a press counts for one frame only.
    void HandleKeys(iKeySource& keys);

    // One step of the logo sequence (while logosPresent is set).
    void UpdateLogos();
    // The title music, once; repeated each loading frame while muted or
    // without a sound engine.
    void PlayStartMusic();
    // One frame of the loading sequence over the title picture.
    void LoadWithProgress();

    // The rest of the loading bar at its three closing steps (the frame is
    // not presented during it). Tests give one of their own; an empty
    // function brings the game's back.
    static void SetLoadingPauseForTests(std::function<void()> pause);

    // A logo whose file could not be opened is drawn from the page set
    // data/logos instead, where the placeholder art puts it.
    static constexpr const wchar_t* kLogoFolder = L"data/logos";

private:
    // The frame's parts, in the order Update runs them.
    void ReadMouse(iKeySource& keys);
    void BeginFrame();
    void ReloadScreens();
    bool DrawResolutionNotice();
    void DrawPlayerFileNotice();
    // The width of the lines shown, `more` (the count of the lines still to
    // come) after the last one.
    int NoticeWidth(const std::wstring& more) const;
    // Where the last of `lines` notice lines `width` wide stands: `lowest`
    // (its place at the screen's foot), or higher where a line there would
    // hide a button, or a text when `overTexts`; -1 where there is no room
    // for them, or a text not `overTexts` is in the way.
    int NoticeBottom(int lowest, int lines, int width, bool overTexts) const;
    void RunOneScreen();
    void EndFrame();
    void DrawLogo();
    void LoadLogoTextures();
    void ReleaseLogoTextures();

    cGameApp* application = nullptr;
    iGfxTexture* logoTextures[world::kLogos] = {};
    cTimer logoTimer;
    RECT logoRect {};
    // The logos the loose files did not give.
    CPageManager logoPages;
    bool logoPagesLoaded = false;
    // The player-file notice as it was first drawn, and the frame-clock time
    // of that frame (seconds): a click takes it down only once it has been
    // on screen long enough to be read.
    std::wstring noticeOnScreen;
    double noticeShownAt = 0.0;
    // Its lines, their widths and a line's height in pixels, measured when
    // it came; the first line on screen and how many are.
    std::vector<std::wstring> noticeLines;
    std::vector<int> noticeWidths;
    int noticeLineBox = 0;
    size_t noticeFirst = 0;
    size_t noticeShown = 0;
    const iGfxFont* noticeFont = nullptr;
};
