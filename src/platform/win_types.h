// Fixed-width Windows types the game's interfaces are written in. Our own
// 32-bit definitions: HRESULT stays signed so device error codes stay negative.
#pragma once

#include <cstdint>

using HRESULT = int32_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using BYTE = uint8_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
};

// Opaque handles: a window of the platform layer and the program instance.
namespace platform { class Window; }
using HWND = platform::Window*;
using HINSTANCE = void*;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// Packs a colour the way every colour word of the engine is packed. Each
// component is cut to 8 bits, so a value above 255 cannot spill into the
// next component and change the colour (no caller passes one).
constexpr uint32_t MakeARGB(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a & 0xFF) << 24 | (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF);
}
