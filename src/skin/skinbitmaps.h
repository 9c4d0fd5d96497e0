#pragma once
// The five pictures every skinned control is drawn from, built pixel by pixel.
// Colours are Windows colour values 0x00BBGGRR; kKeyColour marks the pixels a
// keyed copy leaves out.
//
//   0  7 x 84   push-button faces 7 x 21, top to bottom: normal, hot, pressed,
//               disabled; drawn as nine-grids with 3-pixel borders
//   1  15 x 18  the combo box's drop-down button: x 0-3 hot, x 4-7 pressed (both
//               4 x 18); the down arrow 7 x 4 at x 8, y 0 (enabled) and y 4
//               (disabled)
//   2  18 x 24  cells of 9 x 8, x 0-8 enabled and x 9-17 disabled: the check mark
//               (y 0), the 7 x 7 square of the grey state (y 8), the 5 x 5 dot
//               of an option button (y 16)
//   3  13 x 52  option circles 13 x 13, top to bottom: normal, hot, pressed,
//               disabled
//   4  9 x 20   header items 3 x 20 side by side: normal, hot, pressed

#include <QImage>
#include <QRgb>

#include <array>

namespace skin {
// A Windows colour value 0x00BBGGRR as the pixel it is.
constexpr QRgb ColorRef(quint32 bgr)
{
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline constexpr quint32 kKeyColour = 0xFF00FF;
}  // namespace skin

// The skin's colours, converted once.
namespace skin::skincolour {
inline constexpr QRgb Key = skin::ColorRef(skin::kKeyColour);
inline constexpr QRgb Frame = skin::ColorRef(0xD5A554);          // enabled frames, check box states 0 and 1
inline constexpr QRgb FramePressed = skin::ColorRef(0xC48639);   // check box state 2
inline constexpr QRgb FrameDisabled = skin::ColorRef(0xE9CFA4);  // any disabled control
inline constexpr QRgb White = skin::ColorRef(0xFFFFFF);
inline constexpr QRgb ProgressFill = skin::ColorRef(0xF6D64C);
inline constexpr QRgb CaptionDisabled = skin::ColorRef(0x968A79);
inline constexpr QRgb Caption = skin::ColorRef(0x000000);
}  // namespace skin::skincolour
namespace skincolour = skin::skincolour;

namespace skin {
using SkinBitmaps = std::array<QImage, 5>;

// Builds the five pictures (Format_RGB32) in the sizes above.
SkinBitmaps BuildSkinBitmaps();
}  // namespace skin
