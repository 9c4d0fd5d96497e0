#include "skin/mskinner.h"

#include "platform/flexgrid.h"
#include "skin/skinstyle.h"
#include "skin/skinwndproc.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace skin::mSkinner {

namespace {

struct Engine {
    bool ready = false;
    int attachCount = 0;
    skin::SkinBitmaps bitmaps;
    QHash<const QObject*, SkinnedWindow*> windows;
    QObject context;  // receives the destroyed() of the attached windows
    QPointer<QWidget> leftActivation;  // an attached window whose successor is not known yet
    bool watchingActivation = false;
};

// Never destroyed: windows may still detach while the program ends.
Engine& engine()
{
    static Engine* e = new Engine;
    return *e;
}

// The last window went: the shared pictures go too, and the next StartSkin
// builds them again.
void Released()
{
    Engine& e = engine();
    if (--e.attachCount < 1) {
        e.attachCount = 0;
        e.bitmaps = {};
        e.ready = false;
    }
}

// A window destroyed while attached: nothing of it may be touched any more.
void Forget(QObject* hWnd)
{
    SkinnedWindow* s = engine().windows.take(hWnd);
    if (!s)
        return;
    delete s;
    Released();
}

void ActivatedFrom(QWidget* attached, QWidget* other)
{
    if (!other || other == attached)
        return;
    if (other->parentWidget() == attached || ClassOf(other) == SkinClass::Form)
        AttachWindow(other);
}

QWidget* ListOf(const QComboBox* combo)
{
    for (QObject* o : combo->children())
        if (o->inherits("QComboBoxPrivateContainer"))
            return static_cast<QWidget*>(o);
    return nullptr;
}

}  // namespace

void ActivationLeft(QWidget* hWnd)
{
    if (QWidget* other = QApplication::activeWindow()) {
        ActivatedFrom(hWnd, other);
        return;
    }
    // The activation goes to no window first and to the next one a moment later.
    Engine& e = engine();
    e.leftActivation = hWnd;
    if (e.watchingActivation)
        return;
    e.watchingActivation = true;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &e.context, [](QWindow* now) {
        Engine& e = engine();
        if (!now || !e.leftActivation)
            return;
        QWidget* from = e.leftActivation;
        e.leftActivation = nullptr;
        if (IsAttached(from))
            ActivatedFrom(from, QApplication::activeWindow());
    });
}

QRegion RoundedRegion(QSize size)
{
    QRegion r(0, 0, size.width(), size.height());
    if (size.width() < 3 || size.height() < 3)
        return r;
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (const QPoint& p : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        r -= QRegion(p.x(), p.y(), 1, 1);
    return r;
}

bool StartSkin(QWidget* hWnd)
{
    Engine& e = engine();
    if (!e.ready) {
        e.ready = true;
        InstallSkinStyle();
        e.bitmaps = skin::BuildSkinBitmaps();
    }
    return AttachWindow(hWnd);
}

bool StopSkin(QWidget* hWnd) { return DetachWindow(hWnd); }

int AttachCount() { return engine().attachCount; }
bool SkinReady() { return engine().ready; }
const skin::SkinBitmaps& SharedBitmaps() { return engine().bitmaps; }
bool IsAttached(const QObject* hWnd) { return engine().windows.contains(hWnd); }
SkinnedWindow* Skinned(const QObject* hWnd) { return hWnd ? engine().windows.value(hWnd) : nullptr; }

void InstallSkinStyle()
{
    if (!qobject_cast<skin::SkinStyle*>(QApplication::style()))
        QApplication::setStyle(new skin::SkinStyle);
}

SkinClass ClassOf(const QWidget* hWnd)
{
    if (hWnd->isWindow()) {
        if (hWnd->inherits("QComboBoxPrivateContainer"))
            return SkinClass::ComboList;
        switch (hWnd->windowType()) {
        case Qt::Window:
        case Qt::Dialog:
        case Qt::Sheet:
        case Qt::Drawer:
        case Qt::Tool: return SkinClass::Form;
        default: return SkinClass::Other;  // pop-up menus, tool tips, splash screens
        }
    }
    if (qobject_cast<const QPushButton*>(hWnd))
        return SkinClass::PushButton;
    if (qobject_cast<const QComboBox*>(hWnd))
        return SkinClass::Combo;
    if (qobject_cast<const QCheckBox*>(hWnd))
        return SkinClass::CheckBox;
    if (qobject_cast<const QRadioButton*>(hWnd))
        return SkinClass::OptionButton;
    if (qobject_cast<const QProgressBar*>(hWnd))
        return SkinClass::ProgressBar;
    if (qobject_cast<const QHeaderView*>(hWnd)) {
        // The grid draws its own captions.
        for (const QWidget* p = hWnd->parentWidget(); p; p = p->parentWidget())
            if (qobject_cast<const FlexGrid*>(p))
                return SkinClass::Other;
        return SkinClass::Header;
    }
    return SkinClass::Other;
}

QList<QWidget*> ChildWindows(const QWidget* form)
{
    QList<QWidget*> found;
    auto walk = [&found](auto& self, const QWidget* parent) -> void {
        for (QObject* o : parent->children()) {
            auto* child = qobject_cast<QWidget*>(o);
            if (!child || child->isWindow())
                continue;
            found << child;
            self(self, child);
        }
    };
    walk(walk, form);
    return found;
}

bool AttachWindow(QWidget* hWnd)
{
    if (!hWnd || IsAttached(hWnd))
        return false;
    Engine& e = engine();
    const SkinClass group = ClassOf(hWnd);
    if (group == SkinClass::Form)
        for (QWidget* child : ChildWindows(hWnd))
            AttachWindow(child);

    auto* s = new SkinnedWindow;
    s->group = group;
    switch (group) {
    case SkinClass::PushButton: {
        auto* b = static_cast<QPushButton*>(hWnd);
        skin::SetProp(b, skinprop::MouseFlag, 0);
        skin::SetProp(b, skinprop::TimerId, 0);
        skin::SetProp(b, skinprop::OldState, b->isEnabled() ? 0 : 3);
        skin::SetProp(b, skinprop::AlphaLevel, 0);
        s->oldMask = b->mask();
        skin::RefreshButtonFaces(b, *s);
        b->setMask(RoundedRegion(b->size()));
        break;
    }
    case SkinClass::Combo:
    case SkinClass::CheckBox:
    case SkinClass::OptionButton:
        skin::SetProp(hWnd, skinprop::MouseFlag, 0);
        skin::SetProp(hWnd, skinprop::OldState, 0);
        break;
    case SkinClass::Header:
        skin::SetProp(hWnd, skinprop::MouseFlag, 0);
        skin::SetProp(hWnd, skinprop::HdIndex, -1);
        skin::SetProp(hWnd, skinprop::HmIndex, -1);
        break;
    default: break;
    }
    e.windows.insert(hWnd, s);
    ++e.attachCount;
    s->proc = std::make_unique<skin::SkinWndProc>(hWnd);
    if (auto* combo = qobject_cast<QComboBox*>(hWnd); combo && group == SkinClass::Combo)
        if (QWidget* list = ListOf(combo))
            s->proc->watch(list);
    if (auto* header = qobject_cast<QHeaderView*>(hWnd); header && group == SkinClass::Header)
        s->proc->watch(header->viewport());
    s->destroyedLink = QObject::connect(hWnd, &QObject::destroyed, &e.context, &Forget);
    hWnd->update();
    return true;
}

bool DetachWindow(QWidget* hWnd)
{
    SkinnedWindow* s = Skinned(hWnd);
    if (!s)
        return false;
    Engine& e = engine();
    switch (s->group) {
    case SkinClass::Form:
        for (QWidget* child : ChildWindows(hWnd))
            DetachWindow(child);
        break;
    case SkinClass::PushButton:
        skin::StopFadeTimer(hWnd);
        if (s->oldMask.isEmpty())
            hWnd->clearMask();
        else
            hWnd->setMask(s->oldMask);
        for (const char* name : {skinprop::MouseFlag, skinprop::TimerId, skinprop::OldState, skinprop::AlphaLevel})
            skin::RemoveProp(hWnd, name);
        break;
    case SkinClass::Combo:
        // The list belongs to its combo box and goes with it.
        if (auto* combo = qobject_cast<QComboBox*>(hWnd))
            if (QWidget* list = ListOf(combo))
                DetachWindow(list);
        [[fallthrough]];
    case SkinClass::CheckBox:
    case SkinClass::OptionButton:
        skin::RemoveProp(hWnd, skinprop::MouseFlag);
        skin::RemoveProp(hWnd, skinprop::OldState);
        break;
    case SkinClass::Header:
        for (const char* name : {skinprop::MouseFlag, skinprop::HdIndex, skinprop::HmIndex})
            skin::RemoveProp(hWnd, name);
        break;
    default: break;
    }
    QObject::disconnect(s->destroyedLink);
    delete e.windows.take(hWnd);
    hWnd->update();
    Released();
    return true;
}

}  // namespace skin::mSkinner
