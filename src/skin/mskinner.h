#pragma once
// The window skin: the shared state of every skinned window, and the attaching
// and detaching of one window.
//
// A window taken over by the skin gets an event filter of its own (SkinWndProc)
// and keeps its visual state in dynamic properties: "MOUSEFLAG", "OLDSTATE",
// "ALPHALEVEL", "TIMERID" (push buttons), "HDINDEX" and "HMINDEX" (headers). The
// program's style (SkinStyle, set once over Fusion) draws the attached windows
// from the five shared pictures and leaves every other window to Fusion.
//
// Attaching a form (any top-level window but a pop-up) attaches its child
// widgets as well; windows that appear later are attached by the skin itself:
// a form or message box activated from an attached window, and the list of an
// attached combo box when it drops down. A window destroyed while attached
// detaches itself.

#include "skin/skinbitmaps.h"

#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QRegion>
#include <QString>

#include <array>
#include <memory>

class QObject;
class QWidget;
namespace skin {
class SkinWndProc;
}  // namespace skin

namespace skin::mSkinner {

// Starts the skin (builds the shared pictures when they are not there) and
// attaches the window; true when it was attached.
bool StartSkin(QWidget* hWnd);
// Detaches the window; true when it was attached.
bool StopSkin(QWidget* hWnd);

// Attach or detach one window (a form with its children). False when there is
// no window, or it was attached (detached) already.
bool AttachWindow(QWidget* hWnd);
bool DetachWindow(QWidget* hWnd);

// The windows attached now, every child widget counted.
int AttachCount();
// True from the first StartSkin until the last window is detached; the shared
// pictures exist exactly while it holds.
bool SkinReady();
const skin::SkinBitmaps& SharedBitmaps();
bool IsAttached(const QObject* hWnd);

// Makes the skin's style the program's style; once is enough, more is harmless.
void InstallSkinStyle();

// An attached window lost the activation. The window that gets it takes the
// skin when this one owns it or it is a form or message box; when the activation
// has not arrived yet, that is settled when it does.
void ActivationLeft(QWidget* hWnd);

// The groups the windows are skinned by.
enum class SkinClass { Form, PushButton, Combo, ComboList, CheckBox, OptionButton, Header, ProgressBar, Other };
SkinClass ClassOf(const QWidget* hWnd);

// What the skin keeps of one attached window.
struct SkinnedWindow {
    SkinClass group = SkinClass::Other;
    std::unique_ptr<skin::SkinWndProc> proc;
    // Push buttons: the four faces at the button's size and what they were drawn
    // for, and the picture on screen, into which a fade blends a face tick by tick.
    std::array<QImage, 4> faces;
    QImage screen;
    QString facesText;
    QString facesFont;
    bool facesFocused = false;
    // Set when the skin asked for the next paint itself (a fade tick, a press):
    // that paint shows the picture on screen. Any other paint stops the fade and
    // shows the current face whole.
    bool skinPaint = false;
    // The button's own mask, given back at detachment.
    QRegion oldMask;
    QMetaObject::Connection destroyedLink;
};

// The record of an attached window; nullptr when it is not attached.
SkinnedWindow* Skinned(const QObject* hWnd);

// The rounded outline of a push button: its corner pixels left out.
QRegion RoundedRegion(QSize size);

// The child widgets of a form, depth first, as far as they are not windows of
// their own.
QList<QWidget*> ChildWindows(const QWidget* form);

}  // namespace skin::mSkinner
namespace mSkinner = skin::mSkinner;
