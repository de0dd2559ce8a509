// The exit state, the last state of a run. When the player quits after having
// left at least one level in this run, it scrolls the credits of the
// language up over a background picture and under a frame picture until they
// have passed the top or Escape is pressed; otherwise it ends at once. When
// it ends the state stack is empty and the program closes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/process.h"
#include "resources/page_manager.h"

class iGfxTexture;

class cStateExit : public iProcess {
public:
    // The credits hold at most this many lines of at most kLineLength
    // characters; the text as a whole at most kTextLength characters.
    static constexpr int kMaxLines = 256;
    static constexpr int kLineLength = 255;
    static constexpr int kTextLength = 4095;
    // Rows are this many pixels apart; the block moves up kScrollStep pixels
    // every kStepMilliseconds.
    static constexpr int kRowHeight = 35;
    static constexpr int kScrollStep = 2;
    static constexpr double kStepMilliseconds = 66.0;

    cStateExit()
        : iProcess(L"cStateExit")
    {
    }
    virtual ~cStateExit();
    cStateExit(const cStateExit&) = delete;
    cStateExit& operator=(const cStateExit&) = delete;

    bool Init(void* application) override;
    // One frame of the credits; false ends the state.
    bool Update(void* application) override;
    void Exit(void* application) override;

    // Reads the credits of the language and the two pictures of the screen
    // width; the block starts just below the screen.
    void LoadCredits();
    // One frame of credits; false once the block has left the screen at the
    // top.
    bool DrawCredits();

    // The credit lines as the CREDITS value is cut into them: at each line
    // feed, with the carriage return before it; a text after the last line
    // feed is no line.
    static std::vector<std::wstring> SplitLines(const std::wstring& text);

    const std::vector<std::wstring>& Lines() const { return lines; }
    int ScrollY() const { return scrollY; }
    bool IsLoaded() const { return loaded != 0; }

private:
    // The textures of the current width, given back once.
    void ReleaseTextures();
    static iGfxTexture* LoadPicture(const wchar_t* path);
    // Over the whole screen: the loose picture, else its image of the set.
    void DrawPicture(iGfxTexture* texture, const std::wstring& name, int w, int h);

    uint8_t loaded = 0;
    double lastStep = 0.0;
    std::wstring creditsText;
    std::vector<std::wstring> lines;
    int scrollY = 0;
    iGfxTexture* background = nullptr;
    iGfxTexture* frame = nullptr;
    // Where a picture has no loose file: the page set of the picture folder,
    // whose images bear the pictures' file names.
    CPageManager pictureSet;
    bool pictureSetLoaded = false;
    std::wstring backgroundName;
    std::wstring frameName;
};
