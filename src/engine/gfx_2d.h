// 2D drawing over the SDL renderer: textures, text and coloured geometry.
#pragma once

#include <SDL.h>

#include <vector>

#include "engine/gfx.h"

class cGfxDevice;
class cGfxFont;
class cGfxTexture;

class cGfx2D : public iGfx2D {
public:
    explicit cGfx2D(cGfxDevice* device)
        : m_device(device)
    {
    }

    iGfxTexture* CreateTextureFromMemory(
        const void* data, uint32_t size, int reserved1, int reserved2, int reserved3) override;
    iGfxFont* CreateFont(const wchar_t* face, int size, int style) override;
    void RestoreResources() override;
    void ReleaseResources() override;
    void SetDrawMode(int mode) override { m_drawMode = mode; }
    void SetColor(uint32_t argb) override { m_color = argb; }
    void SetTexture(iGfxTexture* texture) override;
    void DrawTexture(const RECT* source, const RECT* target, float centerX, float centerY) override;
    void DrawText(iGfxFont* font, int x, int y, const wchar_t* text, int flags) override;
    void DrawTextAlt(iGfxFont* font, int x, int y, const wchar_t* text, int flags) override;
    void DrawTextScaled(iGfxFont* font, int x, int y, const wchar_t* text, float scale, int flags) override;
    void SetTextColor(uint32_t argb) override { m_textColor = argb; }
    void SetRenderState(int, int) override { }
    void ResetState(float value) override;
    void DrawLines(const float points[][2], int count, int flags) override;
    void DrawTriangles(const GfxVertex* vertices, int triangleCount, int reserved1, int reserved2) override;

private:
    void DrawLine(iGfxFont* font, int x, int y, const wchar_t* text, float scale, uint32_t color);

    cGfxDevice* m_device;
    uint32_t m_color = 0xFFFFFFFF;
    // Opaque black: the shadow of DrawTextAlt until the game sets its own.
    uint32_t m_textColor = 0xFF000000;
    int m_drawMode = 0;
    cGfxTexture* m_texture = nullptr;
    std::vector<SDL_Vertex> m_vertices;
    std::vector<SDL_FPoint> m_points;
};
