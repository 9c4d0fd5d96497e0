#pragma once
// Key-press hooks in the manner of the shop's windows: a handler gets the key's
// character code (13 for Enter, 8 for Backspace) and may set it to 0 to swallow
// the key; a key-down handler gets the Qt key and the modifiers.

#include <QObject>
#include <functional>

class QWidget;

namespace platform::vbkeys {

using KeyPress = std::function<void(int& keyAscii)>;
using KeyDown = std::function<bool(int key, Qt::KeyboardModifiers mods)>;  // true swallows

// Calls handler for every character key typed into w (and Enter).
void onKeyPress(QWidget* w, KeyPress handler);
// Calls handler for every key pressed in w before w handles it.
void onKeyDown(QWidget* w, KeyDown handler);

// Calls handler whenever w gets the focus, before w's own handling of it.
void onGotFocus(QWidget* w, std::function<void()> handler);

// Enter moves on to the next control in the window's tab order, from any
// control (a date field included).
void enterToTab(int keyAscii);

}  // namespace platform::vbkeys
namespace vbkeys = platform::vbkeys;
