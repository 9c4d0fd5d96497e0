#include "skin/skinwndproc.h"

#include "skin/mskinner.h"
#include "skin/skinpainters.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimerEvent>

namespace skin {

using mSkinner::SkinClass;
using mSkinner::SkinnedWindow;

int GetProp(const QObject* hWnd, const char* name) { return hWnd->property(name).toInt(); }
void SetProp(QObject* hWnd, const char* name, int value) { hWnd->setProperty(name, value); }
void RemoveProp(QObject* hWnd, const char* name) { hWnd->setProperty(name, QVariant()); }

void StartFadeTimer(QWidget* hWnd)
{
    if (GetProp(hWnd, skinprop::TimerId) == 0)
        SetProp(hWnd, skinprop::TimerId, hWnd->startTimer(15));
}

bool StopFadeTimer(QWidget* hWnd)
{
    const int id = GetProp(hWnd, skinprop::TimerId);
    if (id == 0)
        return false;
    hWnd->killTimer(id);
    SetProp(hWnd, skinprop::TimerId, 0);
    return true;
}

void RefreshButtonFaces(QPushButton* hWnd, SkinnedWindow& s)
{
    const bool mnemonics = hWnd->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, hWnd);
    const QFont font = hWnd->font();
    s.faces = RenderButtonFaces(mSkinner::SharedBitmaps(), hWnd->size(), {hWnd->text(), &font, hWnd->hasFocus(), mnemonics});
    s.facesText = hWnd->text();
    s.facesFont = font.key();
    s.facesFocused = hWnd->hasFocus();
    if (s.screen.size() != hWnd->size())
        s.screen = s.faces[size_t(qBound(0, GetProp(hWnd, skinprop::OldState), 3))].copy();
}

namespace {

// The width of a scroll bar, which is also that of a combo box's drop-down button.
int ScrollBarWidth(const QWidget* w) { return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w); }

bool IsBox(SkinClass c) { return c == SkinClass::CheckBox || c == SkinClass::OptionButton; }

}  // namespace

SkinWndProc::SkinWndProc(QWidget* hWnd) : hWnd_(hWnd) { hWnd->installEventFilter(this); }

void SkinWndProc::watch(QObject* part) { part->installEventFilter(this); }

SkinnedWindow* SkinWndProc::state() const { return mSkinner::Skinned(hWnd_); }

bool SkinWndProc::eventFilter(QObject* watched, QEvent* e)
{
    SkinnedWindow* s = state();
    if (!s)
        return false;
    if (watched != hWnd_) {
        // A part of the window: the list of a combo box or the viewport of a header.
        switch (e->type()) {
        case QEvent::Show:
            if (s->group == SkinClass::Combo)
                OnListShown(static_cast<QWidget*>(watched));
            break;
        case QEvent::Hide:
            if (s->group == SkinClass::Combo)
                OnListHidden();
            break;
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (s->group == SkinClass::Header)
                return eventFilter(hWnd_, e);
            break;
        default: break;
        }
        return false;
    }
    auto* mouse = e->isPointerEvent() ? dynamic_cast<QMouseEvent*>(e) : nullptr;
    switch (e->type()) {
    case QEvent::Resize: OnSize(); break;
    case QEvent::WindowDeactivate: OnActivate(); break;
    case QEvent::FocusIn: OnSetFocus(); break;
    case QEvent::FocusOut: OnKillFocus(); break;
    case QEvent::EnabledChange: OnEnable(); break;
    case QEvent::Paint: OnPaint(); break;
    case QEvent::KeyPress: OnKeyDown(static_cast<QKeyEvent*>(e)); break;
    case QEvent::KeyRelease: OnKeyUp(static_cast<QKeyEvent*>(e)); break;
    case QEvent::Timer: OnTimer(static_cast<QTimerEvent*>(e)); break;
    case QEvent::Enter: OnMouseEnter(dynamic_cast<QEnterEvent*>(e)); break;
    case QEvent::HoverMove:
        // Every move over a combo box, over its text part as well: where the
        // pointer is tells whether the drop-down button is hot.
        if (s->group == SkinClass::Combo)
            MouseAt(static_cast<QHoverEvent*>(e)->position(), QApplication::mouseButtons());
        break;
    case QEvent::MouseMove:
        if (mouse)
            OnMouseMove(mouse);
        break;
    case QEvent::MouseButtonPress:
        if (mouse && mouse->button() == Qt::LeftButton)
            OnLButtonDown(mouse);
        break;
    case QEvent::MouseButtonRelease:
        if (mouse && mouse->button() == Qt::LeftButton) {
            OnLButtonUp(mouse);
            RepaintSiblingBoxes();
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (mouse && mouse->button() == Qt::LeftButton)
            OnLButtonDblClk(mouse);
        break;
    case QEvent::Leave: OnMouseLeave(); break;
    case QEvent::ChildPolished:
        // A combo box makes its list when it first drops down.
        if (s->group == SkinClass::Combo) {
            QObject* child = static_cast<QChildEvent*>(e)->child();
            if (child->inherits("QComboBoxPrivateContainer"))
                watch(child);
        }
        break;
    default: break;
    }
    return false;
}

void SkinWndProc::OnSize()
{
    auto* b = qobject_cast<QPushButton*>(hWnd_);
    if (!b || state()->group != SkinClass::PushButton)
        return;
    RefreshButtonFaces(b, *state());
    b->setMask(mSkinner::RoundedRegion(b->size()));
}

void SkinWndProc::OnActivate()
{
    if (hWnd_->isWindow())
        mSkinner::ActivationLeft(hWnd_);
}

void SkinWndProc::OnSetFocus()
{
    SkinnedWindow* s = state();
    if (s->group == SkinClass::OptionButton) {
        SetVisualState(0, true);
        return;
    }
    auto* b = qobject_cast<QPushButton*>(hWnd_);
    if (!b || s->group != SkinClass::PushButton)
        return;
    // The focus rectangle comes or goes with faces drawn anew, faded in.
    RefreshButtonFaces(b, *s);
    SetProp(b, skinprop::AlphaLevel, 0);
    StartFadeTimer(b);
    s->skinPaint = true;
}

void SkinWndProc::OnEnable()
{
    SkinnedWindow* s = state();
    auto* b = qobject_cast<QPushButton*>(hWnd_);
    if (!b || s->group != SkinClass::PushButton)
        return;
    SetProp(b, skinprop::OldState, b->isEnabled() ? 0 : 3);
    RefreshButtonFaces(b, *s);
    b->update();  // shows the new face whole
}

void SkinWndProc::OnPaint()
{
    SkinnedWindow* s = state();
    auto* b = qobject_cast<QPushButton*>(hWnd_);
    if (!b || s->group != SkinClass::PushButton)
        return;
    if (s->facesText != b->text() || s->facesFont != b->font().key() || s->facesFocused != b->hasFocus() ||
        s->faces[0].size() != b->size())
        RefreshButtonFaces(b, *s);
    if (!b->isEnabled())
        SetProp(b, skinprop::OldState, 3);
    if (s->skinPaint) {
        s->skinPaint = false;  // shows the picture the skin made
        return;
    }
    // Any other paint ends a fade: the current face, whole.
    StopFadeTimer(b);
    SetProp(b, skinprop::AlphaLevel, 255);
    skin::PaintButton(s->screen, s->faces[size_t(qBound(0, GetProp(b, skinprop::OldState), 3))], 255);
}

void SkinWndProc::OnKeyDown(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space || e->isAutoRepeat() || !hWnd_->isEnabled())
        return;
    SkinnedWindow* s = state();
    if (IsBox(s->group)) {
        SetVisualState(2, false);
    } else if (auto* b = qobject_cast<QPushButton*>(hWnd_); b && s->group == SkinClass::PushButton) {
        StopFadeTimer(b);
        SetProp(b, skinprop::OldState, 2);
        SetProp(b, skinprop::AlphaLevel, 255);
        PaintButton(b);
        SetProp(b, skinprop::AlphaLevel, 0);
    }
}

void SkinWndProc::OnKeyUp(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space || e->isAutoRepeat())
        return;
    SkinnedWindow* s = state();
    if (IsBox(s->group)) {
        SetVisualState(0, false);
    } else if (auto* b = qobject_cast<QPushButton*>(hWnd_); b && s->group == SkinClass::PushButton) {
        SetProp(b, skinprop::MouseFlag, 0);
        SetProp(b, skinprop::AlphaLevel, 0);
        SetProp(b, skinprop::OldState, 0);
        StartFadeTimer(b);
        s->skinPaint = true;
    }
}

void SkinWndProc::OnTimer(QTimerEvent* e)
{
    auto* b = qobject_cast<QPushButton*>(hWnd_);
    if (!b || state()->group != SkinClass::PushButton || e->timerId() != GetProp(b, skinprop::TimerId))
        return;
    PaintButton(b);
    const int alpha = GetProp(b, skinprop::AlphaLevel) + 3;
    if (alpha > 255) {
        StopFadeTimer(b);
        SetProp(b, skinprop::AlphaLevel, 0);
    } else {
        SetProp(b, skinprop::AlphaLevel, alpha);
    }
}

void SkinWndProc::OnMouseEnter(QEnterEvent* e)
{
    // The first move inside, as far as the skin is concerned.
    MouseAt(e ? e->position() : QPointF(hWnd_->mapFromGlobal(QCursor::pos())), QApplication::mouseButtons());
}

void SkinWndProc::MouseAt(QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, hWnd_->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    OnMouseMove(&move);
}

void SkinWndProc::OnMouseMove(QMouseEvent* e)
{
    if (!hWnd_->isEnabled())
        return;
    SkinnedWindow* s = state();
    const bool entering = GetProp(hWnd_, skinprop::MouseFlag) == 0;
    if (entering)
        SetProp(hWnd_, skinprop::MouseFlag, 1);
    const QPoint at = e->position().toPoint();
    switch (s->group) {
    case SkinClass::PushButton: {
        auto* b = qobject_cast<QPushButton*>(hWnd_);
        if (!b)
            return;
        if (entering) {
            // The hot face fades in.
            SetProp(b, skinprop::OldState, 1);
            SetProp(b, skinprop::AlphaLevel, 0);
            StartFadeTimer(b);
            s->skinPaint = true;
        } else if (!b->rect().contains(at)) {
            // Pressed, and dragged off the button: the face at once.
            StopFadeTimer(b);
            SetProp(b, skinprop::AlphaLevel, 255);
            PaintButton(b);
        }
        break;
    }
    case SkinClass::Combo: ComboMouse(at, e->buttons() & Qt::LeftButton); break;
    case SkinClass::CheckBox:
    case SkinClass::OptionButton: SetVisualState(e->buttons() & Qt::LeftButton ? 2 : 1, false); break;
    case SkinClass::Header: HeaderMouse(e, false); break;
    default: break;
    }
}

void SkinWndProc::OnLButtonDown(QMouseEvent* e)
{
    if (!hWnd_->isEnabled())
        return;
    SkinnedWindow* s = state();
    switch (s->group) {
    case SkinClass::Header: HeaderMouse(e, true); break;
    case SkinClass::CheckBox:
    case SkinClass::OptionButton: SetVisualState(2, false); break;
    case SkinClass::Combo: ComboMouse(e->position().toPoint(), true); break;
    case SkinClass::PushButton: {
        auto* b = qobject_cast<QPushButton*>(hWnd_);
        if (!b)
            return;
        StopFadeTimer(b);
        SetProp(b, skinprop::OldState, 2);
        SetProp(b, skinprop::AlphaLevel, 255);
        PaintButton(b);
        SetProp(b, skinprop::AlphaLevel, 0);
        break;
    }
    default: break;
    }
}

void SkinWndProc::OnLButtonUp(QMouseEvent* e)
{
    SkinnedWindow* s = state();
    switch (s->group) {
    case SkinClass::PushButton: {
        auto* b = qobject_cast<QPushButton*>(hWnd_);
        if (!b)
            return;
        // The normal face fades in from a third of the way.
        SetProp(b, skinprop::MouseFlag, 0);
        SetProp(b, skinprop::OldState, 0);
        SetProp(b, skinprop::AlphaLevel, 60);
        StartFadeTimer(b);
        s->skinPaint = true;
        // A pointer still resting on the button comes in again, as its next
        // move would: the hot face fades in.
        if (b->rect().contains(e->position().toPoint()))
            MouseAt(e->position(), e->buttons());
        break;
    }
    case SkinClass::Header:
        SetProp(hWnd_, skinprop::HdIndex, -1);
        if (auto* header = qobject_cast<QHeaderView*>(hWnd_))
            header->viewport()->update();
        break;
    case SkinClass::CheckBox:
    case SkinClass::OptionButton: SetVisualState(GetProp(hWnd_, skinprop::OldState), true); break;
    case SkinClass::Combo: SetVisualState(hWnd_->rect().contains(e->position().toPoint()) ? 1 : 0, false); break;
    default: break;
    }
}

void SkinWndProc::OnLButtonDblClk(QMouseEvent* e)
{
    SkinClass group = state()->group;
    if (group == SkinClass::Header || group == SkinClass::PushButton)
        OnLButtonDown(e);
}

void SkinWndProc::OnMouseLeave()
{
    SkinnedWindow* s = state();
    switch (s->group) {
    case SkinClass::PushButton: {
        auto* b = qobject_cast<QPushButton*>(hWnd_);
        if (!b)
            return;
        // The hot face once at 140, then the normal face fades in.
        SetProp(b, skinprop::MouseFlag, 0);
        SetProp(b, skinprop::OldState, 1);
        SetProp(b, skinprop::AlphaLevel, 140);
        PaintButton(b);
        SetProp(b, skinprop::OldState, 0);
        SetProp(b, skinprop::AlphaLevel, 0);
        StartFadeTimer(b);
        break;
    }
    case SkinClass::Combo:
    case SkinClass::CheckBox:
    case SkinClass::OptionButton:
        SetProp(hWnd_, skinprop::MouseFlag, 0);
        SetVisualState(0, false);
        break;
    case SkinClass::Header:
        SetProp(hWnd_, skinprop::MouseFlag, 0);
        SetProp(hWnd_, skinprop::HdIndex, -1);
        SetProp(hWnd_, skinprop::HmIndex, -1);
        if (auto* header = qobject_cast<QHeaderView*>(hWnd_))
            header->viewport()->update();
        break;
    default: break;
    }
}

void SkinWndProc::OnListShown(QWidget* list)
{
    mSkinner::AttachWindow(list);
    SetVisualState(2, false);
}

void SkinWndProc::OnListHidden()
{
    const bool under = hWnd_->rect().contains(hWnd_->mapFromGlobal(QCursor::pos()));
    SetProp(hWnd_, skinprop::MouseFlag, under ? 1 : 0);
    SetVisualState(under ? 1 : 0, false);
}

void SkinWndProc::RepaintSiblingBoxes()
{
    // A click on one option button may have cleared the others of its group.
    QWidget* parent = hWnd_->parentWidget() ? hWnd_->parentWidget() : hWnd_;
    for (QWidget* child : mSkinner::ChildWindows(parent)) {
        const SkinnedWindow* s = mSkinner::Skinned(child);
        if (s && IsBox(s->group)) {
            SetProp(child, skinprop::OldState, 0);
            child->update();
        }
    }
}

void SkinWndProc::PaintButton(QPushButton* b)
{
    SkinnedWindow* s = state();
    if (!b->isEnabled())
        SetProp(b, skinprop::OldState, 3);
    const int face = qBound(0, GetProp(b, skinprop::OldState), 3);
    skin::PaintButton(s->screen, s->faces[size_t(face)], GetProp(b, skinprop::AlphaLevel));
    s->skinPaint = true;
    b->update();
}

void SkinWndProc::ComboMouse(QPoint at, bool down)
{
    auto* combo = qobject_cast<QComboBox*>(hWnd_);
    if (!combo)
        return;
    // A list that cannot be typed in drops down wherever it is clicked; a box
    // that can, from its button only.
    const int w = combo->width(), h = combo->height();
    const bool onButton = !combo->isEditable() ||
                          (at.x() >= w - ScrollBarWidth(combo) - 2 && at.x() <= w - 2 && at.y() > 1 && at.y() <= h - 2);
    SetVisualState(onButton ? (down ? 2 : 1) : 0, false);
}

void SkinWndProc::HeaderMouse(QMouseEvent* e, bool press)
{
    auto* header = qobject_cast<QHeaderView*>(hWnd_);
    if (!header)
        return;
    const QPoint at = e->position().toPoint();
    const int index = header->logicalIndexAt(header->orientation() == Qt::Horizontal ? at.x() : at.y());
    if (press) {
        if (index >= 0) {
            SetProp(header, skinprop::HdIndex, index);
            header->viewport()->update();
        }
        return;
    }
    if (index != GetProp(header, skinprop::HmIndex)) {
        SetProp(header, skinprop::HmIndex, index);
        header->viewport()->update();
    }
}

void SkinWndProc::SetVisualState(int state, bool force)
{
    if (!force && GetProp(hWnd_, skinprop::OldState) == state)
        return;
    SetProp(hWnd_, skinprop::OldState, state);
    hWnd_->update();
}

}  // namespace skin
