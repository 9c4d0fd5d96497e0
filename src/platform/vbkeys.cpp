#include "platform/vbkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform::vbkeys {

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* w, KeyPress press, KeyDown down)
        : QObject(w), press_(std::move(press)), down_(std::move(down))
    {
        w->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || watched != parent())
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (down_)
            return down_(k->key(), k->modifiers());
        int ascii = 0;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            ascii = 13;
        else if (k->key() == Qt::Key_Backspace)
            ascii = 8;
        else if (!k->text().isEmpty() && k->text().at(0).isPrint())
            ascii = k->text().at(0).unicode();
        if (ascii == 0)
            return false;
        press_(ascii);
        return ascii == 0 || ascii == 13;  // Enter is never the control's own
    }

private:
    KeyPress press_;
    KeyDown down_;
};

class FocusFilter : public QObject {
public:
    FocusFilter(QWidget* w, std::function<void()> handler) : QObject(w), handler_(std::move(handler))
    {
        w->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn && watched == parent())
            handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void onGotFocus(QWidget* w, std::function<void()> handler) { new FocusFilter(w, std::move(handler)); }

void onKeyPress(QWidget* w, KeyPress handler) { new KeyFilter(w, std::move(handler), {}); }

void onKeyDown(QWidget* w, KeyDown handler) { new KeyFilter(w, {}, std::move(handler)); }

void enterToTab(int keyAscii)
{
    if (keyAscii != 13)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    // The window moves the focus on, as a Tab the control ignores would: a date
    // field would take a Tab of its own to its next section.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(focus->window(), &tab);
}

}  // namespace platform::vbkeys
