#include "platform/formbase.h"

#include "platform/base/services.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <utility>

FormBase::FormBase(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

FormBase::~FormBase()
{
    if (keyPreview_)
        qApp->removeEventFilter(this);
}

int FormBase::showModal()
{
    fixComboBoxes();
    return ui::platform().modal->exec(this);
}

void FormBase::setKeyPreview(bool on)
{
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool FormBase::previewKeyDown(QKeyEvent*) { return false; }

void FormBase::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Not the dialog's: no default button, no closing.
        e->ignore();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

void FormBase::showEvent(QShowEvent* e)
{
    fixComboBoxes();
    QDialog::showEvent(e);
    fitScreen();
}

void FormBase::fitScreen()
{
    // The frame the desktop gives the window; before it has framed it, as the
    // window it was opened from has.
    auto frameOf = [](const QWidget* w) { return w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins(); };
    QMargins frame = frameOf(this);
    if (frame.isNull() && parentWidget())
        frame = frameOf(parentWidget()->window());
    const QRect free = screen()->availableGeometry();
    const QSize outer = size().grownBy(frame);
    if (outer.width() > free.width() || outer.height() > free.height())
        setGeometry(free.marginsRemoved(frame));
}

bool FormBase::eventFilter(QObject* watched, QEvent* e)
{
    // The steps of a key press's own delivery, which this filter started below,
    // pass without a second look.
    if (!keyPreview_ || e->type() != QEvent::KeyPress || e == inFlight_ || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QDialog::eventFilter(watched, e);
    if (previewKeyDown(static_cast<QKeyEvent*>(e)))
        return true;
    // A key the control ignores travels on to its parents, each of which would
    // bring it here again. So the key is delivered from here, control and parents
    // as the application does, while it is known to be in flight; the
    // application's own delivery then ends at this step.
    const QEvent* const outer = std::exchange(inFlight_, e);
    const QPointer<FormBase> alive(this);
    qApp->notify(watched, e);
    if (alive)
        inFlight_ = outer;
    e->accept();
    return true;
}

void FormBase::fixComboBoxes()
{
    for (QComboBox* c : findChildren<QComboBox*>())
        c->setInsertPolicy(QComboBox::NoInsert);
}

platform::WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
platform::WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
