// The 2D engine as the game calls it: a graphics device that owns the frame,
// a 2D interface that loads textures and fonts and draws them, fonts that
// measure text, and the mouse device. Colours are ARGB words (MakeARGB).
//
// The interfaces live in the global namespace; the game reaches them through
// the three global pointers that InitEngine and InitInput fill in.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

// A texture made by iGfx2D::CreateTextureFromMemory. Its owner deletes it.
class iGfxTexture {
public:
    virtual ~iGfxTexture() = default;
};

// One vertex of DrawTriangles: screen position and its own colour.
struct GfxVertex {
    float x = 0.0f;
    float y = 0.0f;
    uint32_t color = 0;
};

class iGfxFont {
public:
    virtual ~iGfxFont() = default;
    // Width and height in pixels of one line of text; 0 × 0 for null text.
    virtual void MeasureText(const wchar_t* text, SIZE* out) = 0;
    // The font has a glyph of its own for the character (none would be drawn
    // as an empty box).
    virtual bool CanDraw(wchar_t /*character*/) { return true; }
};

// Device error codes of Create (the application names them in its log line).
constexpr HRESULT GFX_E_NO_DRIVER = static_cast<HRESULT>(0x82000001u);
constexpr HRESULT GFX_E_INVALID_WINDOW = static_cast<HRESULT>(0x82000002u);
constexpr HRESULT GFX_E_NO_DEVICE = static_cast<HRESULT>(0x82000003u);

// Clear flags: the target, and the target with depth (there is no depth here).
constexpr uint32_t GFX_CLEAR_TARGET = 1;
constexpr uint32_t GFX_CLEAR_ALL = 3;

class iGfxDevice {
public:
    virtual ~iGfxDevice() = default;

    // Makes the renderer for the window at the given size. A null window
    // gives an off-screen target of that size.
    virtual HRESULT Create(HWND window, int width, int height, int bitsPerPixel = 32, int flags = 1) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Present() = 0;
    // Switches the window to the desktop full screen at the mode's logical size.
    virtual HRESULT ApplyFullScreen() = 0;
    // The game's logical drawing size; the window is left as it is (windowed).
    virtual HRESULT SetDisplayMode(
        int width, int height, int bitsPerPixel = 32, int refresh = 0, int reserved1 = 0, int reserved2 = 0)
        = 0;
    virtual HRESULT Clear(
        int rectCount, const RECT* rects, uint32_t flags, uint32_t color, float z = 0.0f, int stencil = 0)
        = 0;
    // Writes the area `source` of what is drawn as PNG or JPEG, by the
    // file name's extension (".jpg"/".jpeg" JPEG, anything else PNG), at the
    // game's size; missing folders of the path are made.
    virtual HRESULT SaveScreenshot(
        const RECT* source, const RECT* target, const wchar_t* path, int quality = 20, int reserved = 5)
        = 0;
    // Bytes held by textures and fonts that are still alive.
    virtual int GetZombieBytes() = 0;
    // E_FAIL while the window cannot be drawn (minimised or hidden).
    virtual HRESULT TestDevice() = 0;
};

class iGfx2D {
public:
    virtual ~iGfx2D() = default;

    // Decodes PNG, TGA, BMP or JPEG bytes; null when they do not decode.
    virtual iGfxTexture* CreateTextureFromMemory(
        const void* data, uint32_t size, int reserved1 = 0, int reserved2 = 1, int reserved3 = 0)
        = 0;
    // Face "calibry" (any other face falls back to it), size in pixels (em),
    // style 0 regular, 1 bold, 2 italic. Null when the face cannot be opened.
    virtual iGfxFont* CreateFont(const wchar_t* face, int size, int style) = 0;
    virtual void RestoreResources() = 0;
    virtual void ReleaseResources() = 0;
    virtual void SetDrawMode(int mode) = 0;
    // Colour of later image and text draws (opaque white leaves images as they are).
    virtual void SetColor(uint32_t argb) = 0;
    virtual void SetTexture(iGfxTexture* texture) = 0;
    // Draws `source` of the bound texture (null: all of it) into `target`.
    virtual void DrawTexture(const RECT* source, const RECT* target, float centerX = 0.0f, float centerY = 0.0f) = 0;
    // One line of text with its top-left corner at (x, y) in the draw colour.
    virtual void DrawText(iGfxFont* font, int x, int y, const wchar_t* text, int flags = 0) = 0;
    // As DrawText, with a one-pixel shadow below and to the right in the text colour.
    virtual void DrawTextAlt(iGfxFont* font, int x, int y, const wchar_t* text, int flags = 0) = 0;
    virtual void DrawTextScaled(iGfxFont* font, int x, int y, const wchar_t* text, float scale = 1.0f, int flags = 0)
        = 0;
    // The text colour: the shadow colour of DrawTextAlt.
    virtual void SetTextColor(uint32_t argb) = 0;
    void SetTextColorRGBA(int r, int g, int b, int a)
    {
        SetTextColor(MakeARGB(
            static_cast<uint32_t>(a), static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b)));
    }
    virtual void SetRenderState(int state, int value) = 0;
    // Back to the defaults after a clear: opaque white colour, no texture.
    virtual void ResetState(float value = 2.0f) = 0;
    // Lines through `count` points (x, y pairs), in the draw colour.
    virtual void DrawLines(const float points[][2], int count, int flags = 0) = 0;
    // `triangleCount` solid triangles, three vertices each.
    virtual void DrawTriangles(const GfxVertex* vertices, int triangleCount, int reserved1 = 0, int reserved2 = 0) = 0;
};

class iInputDevice {
public:
    virtual ~iInputDevice() = default;

    virtual void Acquire() = 0;
    virtual void Unacquire() = 0;
    // Takes the events seen since the last update into the state the getters report.
    virtual void Update() = 0;
    virtual void SetWindow(HWND window, int flags = 1) = 0;
    // Keeps the mouse inside the rectangle (client pixels); null frees it.
    virtual void SetCursorClip(const RECT* clip) = 0;
    virtual void SetCursorPos(int x, int y) = 0;
    virtual void ClearButtonEvent() = 0;
    virtual int GetMouseX() = 0;
    virtual int GetMouseY() = 0;
    // Wheel movement since the last update: above 0 up, below 0 down.
    virtual int GetWheelDelta() = 0;
    // Buttons: 0 left, 1 right, 2 middle.
    virtual bool IsButtonDown(int button) = 0;
    // True once per click (press and release) of the button.
    virtual bool WasButtonClicked(int button) = 0;
    // A press or release of the button is pending until ClearButtonEvent.
    virtual bool HasButtonEvent(int button) = 0;
};

// The engine's exports. InitEngine fills both out pointers (and the globals);
// CloseEngine destroys them. `version` is the interface version the game was
// built for.
HRESULT InitEngine(int version, iGfxDevice** device, iGfx2D** gfx2d);
void CloseEngine();
HRESULT InitInput(HINSTANCE instance, iInputDevice** device, void** aux);
void CloseInput();

// The first of the interface fonts' files (face "calibry": Carlito regular,
// bold and italic) that cannot be opened as a font, by path; empty when all
// open. Needs neither window nor device.
std::string MissingFontFile();

extern iGfxDevice* g_pGfxDevice;
extern iGfx2D* g_pGfx2D;
extern iInputDevice* g_pInputDevice;
