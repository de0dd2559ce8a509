// The task dialog (screen slot 9): the level's task as pages of a picture and a
// text, paged with two arrows and closed with the OK button, which lets the
// level run. Its pages are the rows of the level's comic table.
#pragma once

#include <string>

#include "resources/page_manager.h"
#include "scene/screen.h"

class iGfxFont;

namespace Scene {

class TaskDialog : public Screen {
public:
    TaskDialog();
    ~TaskDialog() override;

    // One frame of the task dialog while taskBookOpen is set.
    virtual void Draw();

    // The dialog's page state back to its start (every level start).
    virtual void Reset();

    // The first page again, after the comic is loaded.
    virtual void ResetPage();

    int GetCurrentPage() const { return currentPage; }
    int GetPageCount() const { return pageCount; }
    bool IsLastPageSeen() const { return lastPageSeen; }

    // The buttons draw from the dialog's own page rather than from slot 32.
    // An image button; true on a click, which it takes.
    bool DoImageButton(const wchar_t* offImage, const wchar_t* overImage, int x, int y, int width, int height);
    // An image button with a centred label; a click also sounds "menu_clk".
    bool DoButton(bool alt, iGfxFont* font, const wchar_t* offImage, const wchar_t* overImage, const wchar_t* label,
        int x, int y, int width, int height, int r, int g, int b, int overR, int overG, int overB);

protected:
    void OnActivate() override;
    void OnDeactivate() override;

private:
    void DrawDialog();
    void Close();
    // The text laid out in the width and drawn centred in it, line under
    // line: black one pixel right of and below its place, then white.
    void DrawShadowedText(const std::wstring& text, int x, int y, int width, iGfxFont* font);

    CPageManager taskPage;
    // The dialog draws every image from this set, whatever the screen width.
    CPageManager taskPage1024;
    int currentPage = 1;
    int pageCount = 1;
    // The OK button is shown.
    bool lastPageSeen = false;
    // The text being drawn.
    std::wstring text;
};

} // namespace Scene
