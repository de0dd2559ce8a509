// Stand-ins of the engine's interfaces for tests that only need to know what
// was drawn. While a RecordingGfx lives it is g_pGfxDevice and g_pGfx2D (a
// FakeInput is g_pInputDevice); the previous pointers come back when it goes.
//
// Text measures are fixed: charWidth pixels per character, the font's size
// high, so layout tests are exact.
//
// Made over a real engine, it records and passes every call on: the game
// draws as ever, and the test sees the frame's calls beside its pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/gfx.h"

namespace test {

struct GfxCounters {
    int texturesAlive = 0;
    int fontsAlive = 0;
    int64_t textureBytes = 0;
};

class RecordingTexture : public iGfxTexture {
public:
    RecordingTexture(int id, const void* data, uint32_t size, std::shared_ptr<GfxCounters> counters);
    ~RecordingTexture() override;
    int id; // 1, 2, 3... in order of creation
    std::vector<uint8_t> bytes; // the file bytes it was made from

private:
    std::shared_ptr<GfxCounters> m_counters;
};

class RecordingFont : public iGfxFont {
public:
    RecordingFont(std::wstring face, int size, int style, const int* charWidth, std::shared_ptr<GfxCounters> counters);
    ~RecordingFont() override;
    void MeasureText(const wchar_t* text, SIZE* out) override;

    std::wstring face;
    int size;
    int style;

private:
    const int* m_charWidth;
    std::shared_ptr<GfxCounters> m_counters;
};

// One drawing call with the state it was made in.
struct GfxDraw {
    enum class Kind { Texture, Text, TextAlt, TextScaled, Lines, Triangles };
    Kind kind = Kind::Texture;
    uint32_t color = 0; // the draw colour (SetColor)
    uint32_t textColor = 0; // the text colour (SetTextColor)
    int drawMode = 0;
    // Texture
    iGfxTexture* texture = nullptr;
    bool hasSource = false;
    RECT source;
    RECT target;
    float centerX = 0.0f;
    float centerY = 0.0f;
    // Text, TextAlt, TextScaled
    iGfxFont* font = nullptr;
    int x = 0;
    int y = 0;
    std::wstring text;
    float scale = 1.0f;
    // Lines (x, y pairs), Triangles
    std::vector<float> points;
    std::vector<GfxVertex> vertices;
};

class RecordingGfx : public iGfxDevice, public iGfx2D {
public:
    RecordingGfx();
    // Passes every call on to the real device and 2D interface; textures and
    // fonts are theirs. The records start anew at each frame's first
    // BeginScene, so between frames they hold the frame last presented.
    RecordingGfx(iGfxDevice* realDevice, iGfx2D* real2D);
    ~RecordingGfx() override;
    RecordingGfx(const RecordingGfx&) = delete;
    RecordingGfx& operator=(const RecordingGfx&) = delete;

    // What the fake answers.
    int charWidth = 8;
    bool failTextures = false; // CreateTextureFromMemory gives null
    bool failFonts = false; // CreateFont gives null
    HRESULT createResult = S_OK;
    HRESULT testDeviceResult = S_OK;
    HRESULT screenshotResult = S_OK;
    bool textOnly = false; // only text draws are recorded
    // Over a real engine: whether a frame's clear, draws and present reach
    // it. Taken at each frame's first BeginScene, so a frame is drawn whole
    // or not at all; a frame not drawn costs what its records cost.
    bool passDraws = true;

    // What was done. `calls` names every call in order, with its arguments
    // where they matter: "Clear 3 0xff000000", "SetDisplayMode 1280 1024",
    // "ResetState", "SetDrawMode 9", "SetRenderState 2 1", "BeginScene", ...
    // (colour setters and draws are in `draws`, not here).
    std::vector<std::string> calls;
    std::vector<GfxDraw> draws;
    // Over a real engine: where each image part (texture, source corner)
    // and each text has been drawn so far, a few dozen places each.
    using Place = std::pair<int, int>;
    std::map<std::tuple<const iGfxTexture*, int, int>, std::vector<Place>> imagePlaces;
    std::map<std::wstring, std::vector<Place>> textPlaces;
    std::vector<std::wstring> screenshots; // paths given to SaveScreenshot
    std::vector<RecordingFont*> fontsCreated; // may be deleted since
    int texturesCreated = 0;
    uint32_t color = 0xFFFFFFFF;
    uint32_t textColor = 0xFF000000;
    iGfxTexture* texture = nullptr;
    int drawMode = 0;
    // Over a real engine: a digest of the bytes each live texture was made
    // from, and each font's size in pixels.
    std::map<const iGfxTexture*, uint64_t> textureDigests;
    std::map<const iGfxFont*, int> fontSizes;

    // The texts drawn, in order (all three text calls).
    std::vector<std::wstring> Texts() const;
    // Forgets what was recorded; state and settings stay.
    void ClearRecords();
    int TexturesAlive() const { return m_counters->texturesAlive; }

    // iGfxDevice
    HRESULT Create(HWND window, int width, int height, int bitsPerPixel, int flags) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    HRESULT ApplyFullScreen() override;
    HRESULT SetDisplayMode(int width, int height, int bitsPerPixel, int refresh, int reserved1, int reserved2) override;
    HRESULT Clear(int rectCount, const RECT* rects, uint32_t flags, uint32_t color, float z, int stencil) override;
    HRESULT SaveScreenshot(
        const RECT* source, const RECT* target, const wchar_t* path, int quality, int reserved) override;
    // Bytes of the live textures plus 1024 per live font.
    int GetZombieBytes() override;
    HRESULT TestDevice() override;

    // iGfx2D
    iGfxTexture* CreateTextureFromMemory(
        const void* data, uint32_t size, int reserved1, int reserved2, int reserved3) override;
    iGfxFont* CreateFont(const wchar_t* face, int size, int style) override;
    void RestoreResources() override;
    void ReleaseResources() override;
    void SetDrawMode(int mode) override;
    void SetColor(uint32_t argb) override;
    void SetTexture(iGfxTexture* t) override;
    void DrawTexture(const RECT* source, const RECT* target, float centerX, float centerY) override;
    void DrawText(iGfxFont* font, int x, int y, const wchar_t* text, int flags) override;
    void DrawTextAlt(iGfxFont* font, int x, int y, const wchar_t* text, int flags) override;
    void DrawTextScaled(iGfxFont* font, int x, int y, const wchar_t* text, float scale, int flags) override;
    void SetTextColor(uint32_t argb) override;
    void SetRenderState(int state, int value) override;
    void ResetState(float value) override;
    void DrawLines(const float points[][2], int count, int flags) override;
    void DrawTriangles(const GfxVertex* vertices, int triangleCount, int reserved1, int reserved2) override;

private:
    GfxDraw Draw(GfxDraw::Kind kind) const;
    void DrawTextCall(GfxDraw::Kind kind, iGfxFont* font, int x, int y, const wchar_t* text, float scale);

    std::shared_ptr<GfxCounters> m_counters = std::make_shared<GfxCounters>();
    iGfxDevice* m_oldDevice;
    iGfx2D* m_oldGfx2D;
    iGfxDevice* m_realDevice = nullptr;
    iGfx2D* m_real2D = nullptr;
    bool m_presented = false;
    bool m_begun = false; // a frame has begun
    bool m_drawing = true; // passDraws as this frame began
    // The real 2D interface while this frame is drawn, else null.
    iGfx2D* Drawing() const { return m_drawing ? m_real2D : nullptr; }
};

// FNV-1a over bytes: names a texture by the file it was made from.
uint64_t Digest(const void* data, std::size_t size);

// A mouse the test moves and clicks by hand. Clicks and the wheel are taken
// once when read, as the real device does.
class FakeInput : public iInputDevice {
public:
    FakeInput();
    ~FakeInput() override;
    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;

    void Click(int button); // one click (and a button event)
    void Press(int button, bool down); // held or not (and a button event)

    int x = 0;
    int y = 0;
    bool down[3] = {};
    int clicks[3] = {};
    bool events[3] = {};
    int wheel = 0;
    bool acquired = false;
    bool hasClip = false;
    RECT clip;
    HWND window = nullptr;
    std::vector<std::string> calls; // "Acquire", "Unacquire", "Update", "SetWindow", "SetCursorClip", "SetCursorPos 640
                                    // 512", "ClearButtonEvent"

    void Acquire() override;
    void Unacquire() override;
    void Update() override;
    void SetWindow(HWND window, int flags) override;
    void SetCursorClip(const RECT* clip) override;
    void SetCursorPos(int x, int y) override;
    void ClearButtonEvent() override;
    int GetMouseX() override { return x; }
    int GetMouseY() override { return y; }
    int GetWheelDelta() override;
    bool IsButtonDown(int button) override;
    bool WasButtonClicked(int button) override;
    bool HasButtonEvent(int button) override;

private:
    iInputDevice* m_old;
};

} // namespace test
