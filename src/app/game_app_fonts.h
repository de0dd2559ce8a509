// The six interface fonts, face "calibry", sized by the configured screen
// width. The application makes them anew at start-up and after every change
// of language or screen size, so a screen takes the pointer when it draws and
// keeps none.
#pragma once

class iGfxFont;

constexpr int kFontCount = 6;
extern iGfxFont* g_fonts[kFontCount];

// The same fonts by the names the screens use.
inline iGfxFont*& g_fontSmall = g_fonts[0]; // 9 regular (8 below 1280 wide)
inline iGfxFont*& g_fontNormal = g_fonts[1]; // 14 bold (13)
inline iGfxFont*& g_fontNormal2 = g_fonts[2]; // 14 bold (13), a second object
inline iGfxFont*& g_fontBig = g_fonts[3]; // 20 bold (18)
inline iGfxFont*& g_fontStyled = g_fonts[4]; // 12 italic (11)
inline iGfxFont*& g_fontBig2 = g_fonts[5]; // 20 bold (18), a second object

// Deletes every font and sets its pointer to null.
void DeleteFonts();
