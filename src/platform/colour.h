#pragma once
// Colours as the program stores them: one number &HBBGGRR (blue * 65536 + green * 256
// + red), or a system colour &H800000nn (only the button face &H8000000F is used).

#include <cstdint>

namespace platform {

using Colour = std::uint32_t;

constexpr Colour kButtonFace = 0x8000000F;   // system colour of button faces
constexpr Colour kWindowBackground = 0x80000005;
constexpr Colour kWindowText = 0x80000008;

// Colour from its red, green and blue parts (each clamped to 0..255).
Colour RGB(int red, int green, int blue);

// Entry n of the 16-colour palette (0 black ... 15 white); n is taken modulo 16,
// a negative n gives black.
Colour QBColor(int n);

// Parts of an &HBBGGRR colour; a system colour is first resolved to its RGB value.
int redOf(Colour c);
int greenOf(Colour c);
int blueOf(Colour c);

// The RGB value of a colour, resolving system colours.
Colour resolveColour(Colour c);

}  // namespace platform
