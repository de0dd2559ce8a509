#include "support/recording_gfx.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace test {

namespace {

    std::string Hex(uint32_t value)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08x", value);
        return text;
    }

    void NotePlace(std::vector<RecordingGfx::Place>& places, RecordingGfx::Place place)
    {
        if (places.size() < 64 && std::find(places.begin(), places.end(), place) == places.end())
            places.push_back(place);
    }

    bool ValidButton(int button)
    {
        return button >= 0 && button < 3;
    }

} // namespace

RecordingTexture::RecordingTexture(int id, const void* data, uint32_t size, std::shared_ptr<GfxCounters> counters)
    : id(id)
    , bytes(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size)
    , m_counters(std::move(counters))
{
    ++m_counters->texturesAlive;
    m_counters->textureBytes += size;
}

RecordingTexture::~RecordingTexture()
{
    --m_counters->texturesAlive;
    m_counters->textureBytes -= static_cast<int64_t>(bytes.size());
}

RecordingFont::RecordingFont(
    std::wstring face, int size, int style, const int* charWidth, std::shared_ptr<GfxCounters> counters)
    : face(std::move(face))
    , size(size)
    , style(style)
    , m_charWidth(charWidth)
    , m_counters(std::move(counters))
{
    ++m_counters->fontsAlive;
}

RecordingFont::~RecordingFont()
{
    --m_counters->fontsAlive;
}

void RecordingFont::MeasureText(const wchar_t* text, SIZE* out)
{
    if (!out)
        return;
    out->cx = text ? static_cast<int32_t>(std::wcslen(text)) * *m_charWidth : 0;
    out->cy = text ? size : 0;
}

RecordingGfx::RecordingGfx()
    : m_oldDevice(g_pGfxDevice)
    , m_oldGfx2D(g_pGfx2D)
{
    g_pGfxDevice = this;
    g_pGfx2D = this;
}

RecordingGfx::RecordingGfx(iGfxDevice* realDevice, iGfx2D* real2D)
    : RecordingGfx()
{
    m_realDevice = realDevice;
    m_real2D = real2D;
}

uint64_t Digest(const void* data, std::size_t size)
{
    uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ static_cast<const uint8_t*>(data)[i]) * 1099511628211ull;
    return hash;
}

RecordingGfx::~RecordingGfx()
{
    g_pGfxDevice = m_oldDevice;
    g_pGfx2D = m_oldGfx2D;
}

std::vector<std::wstring> RecordingGfx::Texts() const
{
    std::vector<std::wstring> texts;
    for (const GfxDraw& d : draws) {
        if (d.kind == GfxDraw::Kind::Text || d.kind == GfxDraw::Kind::TextAlt || d.kind == GfxDraw::Kind::TextScaled)
            texts.push_back(d.text);
    }
    return texts;
}

void RecordingGfx::ClearRecords()
{
    calls.clear();
    draws.clear();
    screenshots.clear();
}

HRESULT RecordingGfx::Create(HWND window, int width, int height, int bits, int flags)
{
    calls.push_back("Create " + std::to_string(width) + " " + std::to_string(height));
    return m_realDevice ? m_realDevice->Create(window, width, height, bits, flags) : createResult;
}

HRESULT RecordingGfx::BeginScene()
{
    if (m_realDevice && (m_presented || !m_begun)) {
        if (m_presented)
            ClearRecords();
        m_presented = false;
        m_begun = true;
        m_drawing = passDraws;
    }
    calls.push_back("BeginScene");
    return m_realDevice ? m_realDevice->BeginScene() : S_OK;
}

HRESULT RecordingGfx::EndScene()
{
    calls.push_back("EndScene");
    return m_realDevice ? m_realDevice->EndScene() : S_OK;
}

HRESULT RecordingGfx::Present()
{
    calls.push_back("Present");
    m_presented = true;
    if (m_realDevice && !m_drawing)
        return S_OK;
    return m_realDevice ? m_realDevice->Present() : S_OK;
}

HRESULT RecordingGfx::ApplyFullScreen()
{
    calls.push_back("ApplyFullScreen");
    return m_realDevice ? m_realDevice->ApplyFullScreen() : S_OK;
}

HRESULT RecordingGfx::SetDisplayMode(int width, int height, int bits, int refresh, int reserved1, int reserved2)
{
    calls.push_back("SetDisplayMode " + std::to_string(width) + " " + std::to_string(height));
    return m_realDevice ? m_realDevice->SetDisplayMode(width, height, bits, refresh, reserved1, reserved2) : S_OK;
}

HRESULT RecordingGfx::Clear(int count, const RECT* rects, uint32_t flags, uint32_t argb, float z, int stencil)
{
    calls.push_back("Clear " + std::to_string(flags) + " " + Hex(argb));
    if (m_realDevice && !m_drawing)
        return S_OK;
    return m_realDevice ? m_realDevice->Clear(count, rects, flags, argb, z, stencil) : S_OK;
}

HRESULT RecordingGfx::SaveScreenshot(
    const RECT* source, const RECT* target, const wchar_t* path, int quality, int reserved)
{
    calls.push_back("SaveScreenshot");
    screenshots.push_back(path ? path : L"");
    return m_realDevice ? m_realDevice->SaveScreenshot(source, target, path, quality, reserved) : screenshotResult;
}

int RecordingGfx::GetZombieBytes()
{
    if (m_realDevice)
        return m_realDevice->GetZombieBytes();
    return static_cast<int>(m_counters->textureBytes + 1024 * m_counters->fontsAlive);
}

HRESULT RecordingGfx::TestDevice()
{
    return m_realDevice ? m_realDevice->TestDevice() : testDeviceResult;
}

iGfxTexture* RecordingGfx::CreateTextureFromMemory(
    const void* data, uint32_t size, int reserved1, int reserved2, int reserved3)
{
    calls.push_back("CreateTextureFromMemory");
    if (m_real2D) {
        iGfxTexture* made = m_real2D->CreateTextureFromMemory(data, size, reserved1, reserved2, reserved3);
        if (made && data)
            textureDigests[made] = Digest(data, size);
        return made;
    }
    if (failTextures || !data || size == 0)
        return nullptr;
    return new RecordingTexture(++texturesCreated, data, size, m_counters);
}

iGfxFont* RecordingGfx::CreateFont(const wchar_t* face, int size, int style)
{
    calls.push_back("CreateFont " + std::to_string(size) + " " + std::to_string(style));
    if (m_real2D) {
        iGfxFont* made = m_real2D->CreateFont(face, size, style);
        if (made)
            fontSizes[made] = size;
        return made;
    }
    if (failFonts)
        return nullptr;
    auto* font = new RecordingFont(face ? face : L"", size, style, &charWidth, m_counters);
    fontsCreated.push_back(font);
    return font;
}

void RecordingGfx::RestoreResources()
{
    calls.push_back("RestoreResources");
    if (m_real2D)
        m_real2D->RestoreResources();
}

void RecordingGfx::ReleaseResources()
{
    calls.push_back("ReleaseResources");
    if (m_real2D)
        m_real2D->ReleaseResources();
}

void RecordingGfx::SetDrawMode(int mode)
{
    drawMode = mode;
    calls.push_back("SetDrawMode " + std::to_string(mode));
    if (m_real2D)
        m_real2D->SetDrawMode(mode);
}

void RecordingGfx::SetColor(uint32_t argb)
{
    color = argb;
    if (m_real2D)
        m_real2D->SetColor(argb);
}

void RecordingGfx::SetTexture(iGfxTexture* t)
{
    texture = t;
    if (m_real2D)
        m_real2D->SetTexture(t);
}

void RecordingGfx::SetTextColor(uint32_t argb)
{
    textColor = argb;
    if (m_real2D)
        m_real2D->SetTextColor(argb);
}

void RecordingGfx::SetRenderState(int state, int value)
{
    calls.push_back("SetRenderState " + std::to_string(state) + " " + std::to_string(value));
    if (m_real2D)
        m_real2D->SetRenderState(state, value);
}

void RecordingGfx::ResetState(float value)
{
    calls.push_back("ResetState");
    if (m_real2D)
        m_real2D->ResetState(value);
    color = 0xFFFFFFFF;
    texture = nullptr;
}

GfxDraw RecordingGfx::Draw(GfxDraw::Kind kind) const
{
    GfxDraw d;
    d.kind = kind;
    d.color = color;
    d.textColor = textColor;
    d.drawMode = drawMode;
    return d;
}

void RecordingGfx::DrawTexture(const RECT* source, const RECT* target, float centerX, float centerY)
{
    if (textOnly)
        return;
    if (iGfx2D* real = Drawing())
        real->DrawTexture(source, target, centerX, centerY);
    GfxDraw d = Draw(GfxDraw::Kind::Texture);
    d.texture = texture;
    d.hasSource = source != nullptr;
    if (source)
        d.source = *source;
    if (target)
        d.target = *target;
    d.centerX = centerX;
    d.centerY = centerY;
    if (m_real2D && target)
        NotePlace(imagePlaces[{ texture, source ? source->left : 0, source ? source->top : 0 }],
            { target->left, target->top });
    draws.push_back(d);
}

void RecordingGfx::DrawTextCall(GfxDraw::Kind kind, iGfxFont* font, int x, int y, const wchar_t* text, float scale)
{
    GfxDraw d = Draw(kind);
    d.font = font;
    d.x = x;
    d.y = y;
    d.text = text ? text : L"";
    d.scale = scale;
    if (m_real2D)
        NotePlace(textPlaces[d.text], { x, y });
    draws.push_back(d);
}

void RecordingGfx::DrawText(iGfxFont* font, int x, int y, const wchar_t* text, int flags)
{
    if (iGfx2D* real = Drawing())
        real->DrawText(font, x, y, text, flags);
    DrawTextCall(GfxDraw::Kind::Text, font, x, y, text, 1.0f);
}

void RecordingGfx::DrawTextAlt(iGfxFont* font, int x, int y, const wchar_t* text, int flags)
{
    if (iGfx2D* real = Drawing())
        real->DrawTextAlt(font, x, y, text, flags);
    DrawTextCall(GfxDraw::Kind::TextAlt, font, x, y, text, 1.0f);
}

void RecordingGfx::DrawTextScaled(iGfxFont* font, int x, int y, const wchar_t* text, float scale, int flags)
{
    if (iGfx2D* real = Drawing())
        real->DrawTextScaled(font, x, y, text, scale, flags);
    DrawTextCall(GfxDraw::Kind::TextScaled, font, x, y, text, scale);
}

void RecordingGfx::DrawLines(const float points[][2], int count, int flags)
{
    if (textOnly)
        return;
    if (iGfx2D* real = Drawing())
        real->DrawLines(points, count, flags);
    GfxDraw d = Draw(GfxDraw::Kind::Lines);
    for (int i = 0; points && i < count; ++i) {
        d.points.push_back(points[i][0]);
        d.points.push_back(points[i][1]);
    }
    draws.push_back(d);
}

void RecordingGfx::DrawTriangles(const GfxVertex* vertices, int triangleCount, int reserved1, int reserved2)
{
    if (textOnly)
        return;
    if (iGfx2D* real = Drawing())
        real->DrawTriangles(vertices, triangleCount, reserved1, reserved2);
    GfxDraw d = Draw(GfxDraw::Kind::Triangles);
    if (vertices && triangleCount > 0)
        d.vertices.assign(vertices, vertices + triangleCount * 3);
    draws.push_back(d);
}

FakeInput::FakeInput()
    : m_old(g_pInputDevice)
{
    g_pInputDevice = this;
}

FakeInput::~FakeInput()
{
    g_pInputDevice = m_old;
}

void FakeInput::Click(int button)
{
    if (!ValidButton(button))
        return;
    ++clicks[button];
    events[button] = true;
}

void FakeInput::Press(int button, bool isDown)
{
    if (!ValidButton(button))
        return;
    down[button] = isDown;
    events[button] = true;
}

void FakeInput::Acquire()
{
    acquired = true;
    calls.push_back("Acquire");
}

void FakeInput::Unacquire()
{
    acquired = false;
    calls.push_back("Unacquire");
}

void FakeInput::Update()
{
    calls.push_back("Update");
}

void FakeInput::SetWindow(HWND w, int)
{
    window = w;
    calls.push_back("SetWindow");
}

void FakeInput::SetCursorClip(const RECT* r)
{
    hasClip = r != nullptr;
    if (r)
        clip = *r;
    calls.push_back("SetCursorClip");
}

void FakeInput::SetCursorPos(int px, int py)
{
    x = px;
    y = py;
    calls.push_back("SetCursorPos " + std::to_string(px) + " " + std::to_string(py));
}

void FakeInput::ClearButtonEvent()
{
    for (bool& e : events)
        e = false;
    calls.push_back("ClearButtonEvent");
}

int FakeInput::GetWheelDelta()
{
    int delta = wheel;
    wheel = 0;
    return delta;
}

bool FakeInput::IsButtonDown(int button)
{
    return ValidButton(button) && down[button];
}

bool FakeInput::WasButtonClicked(int button)
{
    if (!ValidButton(button) || clicks[button] == 0)
        return false;
    --clicks[button];
    return true;
}

bool FakeInput::HasButtonEvent(int button)
{
    return ValidButton(button) && events[button];
}

} // namespace test
