// One texture-page set made drawable: Load reads the folder's descriptor.xml,
// makes one engine texture per page and indexes the images by name and alias
// (without regard to case); the draw operations draw an image by name.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/page_descriptor.h"

class iGfxTexture;

class CPageManager {
public:
    CPageManager();
    ~CPageManager();
    CPageManager(const CPageManager&) = delete;
    CPageManager& operator=(const CPageManager&) = delete;

    // Loads the set in `folder` (relative to the program folder, no trailing
    // separator, e.g. "data/gui/cursor"). A manager already loaded is unloaded
    // first. False when the descriptor cannot be opened or read; a missing
    // page file is logged and its parts draw nothing.
    bool Load(const wchar_t* folder);
    void Unload();

    // Draws the image with its top-left at (x, y), each part at its offset, in
    // the colour (a, r, g, b), which stays set. With width or height not 0 each
    // part is cut to width x height from its top-left, without scaling.
    void DrawImage(const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a);
    // Every part stretched into (x, y) to (x + width, y + height).
    void DrawImageScaled(const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a);
    // DrawImage in the colour already set.
    void DrawImageD(const wchar_t* name, int x, int y, int width, int height);
    // Every part from (x1, y1) in the colour already set: a part wider than
    // high is drawn (x2 - x1) wide and (y2 - y1) * part height / part width
    // high, any other (y2 - y1) high and (x2 - x1) * part width / part height
    // wide. Proportions are kept only in a square box. Parts of no size are
    // skipped.
    void DrawImageC(const wchar_t* name, int x1, int y1, int x2, int y2);
    // DrawImage that also hands the centre of each part as drawn to the
    // engine's DrawTexture. The engine takes no fifth value, so `extra` goes
    // nowhere.
    void DrawImageE(const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a, float extra);

    bool HasImage(const wchar_t* name) const;
    // Writes each part's size in turn, so the last part's size remains;
    // writes nothing for an unknown name.
    void GetImageSize(const wchar_t* name, uint32_t* width, uint32_t* height) const;

private:
    struct NoCaseLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };

    // The image's index, or -1 for a null, empty or unknown name.
    int Find(const wchar_t* name) const;
    void DrawParts(int image, int x, int y, int width, int height, bool centre);
    iGfxTexture* PageTexture(int page) const;

    std::map<std::wstring, int, NoCaseLess> m_names;
    std::vector<std::shared_ptr<iGfxTexture>> m_pages;
    cPageDescriptor m_descriptor;
};
