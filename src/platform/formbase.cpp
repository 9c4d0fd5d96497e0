#include "platform/formbase.h"

#include "platform/services.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

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
    if (!keyPreview_ || !watched->isWidgetType())
        return QDialog::eventFilter(watched, e);
    QWidget* w = static_cast<QWidget*>(watched);
    if (w->window() != this)
        return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::KeyRelease) {
        previewed_ = nullptr;
    } else if (e->type() == QEvent::KeyPress) {
        // A key the control ignores travels on to its parents; preview it once,
        // on its way into the control that gets it first.
        if (e == previewed_ && previewedBy_ && w->isAncestorOf(previewedBy_))
            return QDialog::eventFilter(watched, e);
        previewed_ = e;
        previewedBy_ = w;
        if (previewKeyDown(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QDialog::eventFilter(watched, e);
}

void FormBase::fixComboBoxes()
{
    for (QComboBox* c : findChildren<QComboBox*>())
        c->setInsertPolicy(QComboBox::NoInsert);
}

platform::WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
platform::WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
