#pragma once
// The skin's handling of one attached window: an event filter that lets the
// window do its own work with every event (it never swallows one) and keeps the
// skin's state of the window beside it: the hover, press and focus states, the
// fade of a push button, and the spreading of the skin to the windows that are
// activated from this one and to the list of a combo box.
//
// Painting itself is the style's (SkinStyle): the handlers only set state and
// ask for a paint with update().

#include <QObject>
#include <QPointF>

class QEnterEvent;
class QEvent;
class QKeyEvent;
class QMouseEvent;
class QPushButton;
class QTimerEvent;
class QWidget;

namespace skin::mSkinner {
struct SkinnedWindow;
}
namespace mSkinner = skin::mSkinner;

// The names of the window properties the skin keeps on a window.
namespace skin::skinprop {
inline constexpr char MouseFlag[] = "MOUSEFLAG";    // 1 while the mouse is inside
inline constexpr char OldState[] = "OLDSTATE";      // 0 normal, 1 hot, 2 pressed, 3 disabled
inline constexpr char AlphaLevel[] = "ALPHALEVEL";  // the fade's alpha, 0 to 255
inline constexpr char TimerId[] = "TIMERID";        // the running fade timer, 0 = none
inline constexpr char HdIndex[] = "HDINDEX";        // the pressed header item, -1 = none
inline constexpr char HmIndex[] = "HMINDEX";        // the header item under the mouse, -1 = none
}  // namespace skin::skinprop
namespace skinprop = skin::skinprop;

namespace skin {
int GetProp(const QObject* hWnd, const char* name);
void SetProp(QObject* hWnd, const char* name, int value);
void RemoveProp(QObject* hWnd, const char* name);

// The fade timer of a push button: 15 ms, one per button. Starting leaves a
// running timer running; stopping returns false when none ran.
void StartFadeTimer(QWidget* hWnd);
bool StopFadeTimer(QWidget* hWnd);

// Draws a push button's four faces again for its size, caption and focus.
void RefreshButtonFaces(QPushButton* hWnd, mSkinner::SkinnedWindow& s);

class SkinWndProc : public QObject {
public:
    explicit SkinWndProc(QWidget* hWnd);

    // A further object whose events belong to this window: the list of a combo
    // box, the viewport of a header.
    void watch(QObject* part);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    mSkinner::SkinnedWindow* state() const;

    void OnSize();
    void OnActivate();
    void OnSetFocus();
    void OnKillFocus() { OnSetFocus(); }
    void OnEnable();
    void OnPaint();
    void OnKeyDown(QKeyEvent* e);
    void OnKeyUp(QKeyEvent* e);
    void OnTimer(QTimerEvent* e);
    void OnMouseEnter(QEnterEvent* e);
    // A move to that point with those buttons down, as the skin sees a move.
    void MouseAt(QPointF at, Qt::MouseButtons buttons);
    void OnMouseMove(QMouseEvent* e);
    void OnLButtonDown(QMouseEvent* e);
    void OnLButtonUp(QMouseEvent* e);
    void OnLButtonDblClk(QMouseEvent* e);
    void OnMouseLeave();
    void OnListShown(QWidget* list);
    void OnListHidden();
    void RepaintSiblingBoxes();

    // The pieces of the handlers, by group.
    void PaintButton(QPushButton* b);  // blends the current face in, then update()
    void ComboMouse(QPoint at, bool down);
    void HeaderMouse(QMouseEvent* e, bool press);
    void SetVisualState(int state, bool force);

    QWidget* hWnd_;
};
}  // namespace skin
