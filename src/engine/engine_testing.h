// For tests and the frame benchmark: what the engine drew, read back from its off-screen target
// (the one it draws into without a window or under the dummy video driver).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace engine {

// The ARGB colour of the pixel at (x, y) of what has been drawn so far;
// false outside the target or without a device.
bool ReadPixel(int x, int y, uint32_t* argb);
// All of it at once, row by row (width × height ARGB words); false without a
// device.
bool ReadFrame(std::vector<uint32_t>* argb, int* width, int* height);

// How many text lines have been rasterised since the program started.
int TextRasterisations();
// Receives each text line as it is rasterised; an empty function stops it.
void SetRasterisationObserver(std::function<void(const std::wstring&)> observer);

// Receives each text as it is measured anew (not found among the sizes the
// font keeps); an empty function stops it.
void SetMeasurementObserver(std::function<void(const std::wstring&)> observer);

// How many textures have been made from image data, how many times an
// image has been handed to the renderer (on its first draw, and again after
// the renderer was made anew), and how many of those were again.
int TexturesCreated();
int TextureUploads();
int TextureReuploads();
// How many large areas drawn at full colour or faded were blended by SDL
// rather than by the engine's own blitter (which draws 1:1 onto the software
// renderer's target; see gfx_blend.h).
int LargeSdlBlends();

// Wall time spent inside the draw calls and inside presenting since the
// program started, in nanoseconds.
uint64_t DrawNanoseconds();
uint64_t PresentNanoseconds();
// Wall time slept to pace frames to the display, in nanoseconds.
uint64_t PaceNanoseconds();

// The renderer drawing the game ("software", "opengl (<GL_RENDERER>)", ...).
std::string RendererInUse();
// Whether an OpenGL driver, by its GL_RENDERER string, rasterises on the
// processor rather than on a graphics chip.
bool IsProcessorRasteriser(const std::string& glRenderer);

} // namespace engine
