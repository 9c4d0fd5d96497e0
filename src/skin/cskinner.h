#pragma once
// The window skin as a window takes it: the login and the main window each hold
// one, attach the skin to themselves when they load and detach it when they go.
// Everything opened from them takes the skin from there.

class QWidget;

class cSkinner {
public:
    // True when the window (with its child widgets) was attached now.
    bool AttachSkin(QWidget* hWnd);
    // True when the window (with its child widgets) was detached now.
    bool DetachSkin(QWidget* hWnd);
};
