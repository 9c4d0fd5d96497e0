#pragma once
// Runs without a desktop: the tests, and the tools that drive the windows.

#include <QRect>

namespace platform::ui {

// The free part of the shop's screen: 1366 x 768 less a panel of 40 pixels.
inline constexpr QRect kShopScreenFree(0, 0, 1366, 728);

// Unless another platform is chosen, the windows go to the offscreen desktop,
// whose one screen is made the free part of the shop's screen (it has no panels
// of its own). Call before the QApplication is made. False when another platform
// is chosen or the screen could not be set up (the offscreen desktop then has
// its own screen).
bool useHeadlessShopScreen();

}  // namespace platform::ui
namespace ui = platform::ui;
