#pragma once
// The base of every window of the program. It removes the dialog behaviours the
// shop's windows must not have: Enter in a text box presses no button (a focused
// button still clicks on Enter, as on any desktop), Esc closes nothing, and
// editable combo boxes never add typed text to their lists. With key preview on,
// the window sees every key of its controls first (previewKeyDown), before the
// control itself does.

#include <QDialog>

class QKeyEvent;

class FormBase : public QDialog {
    Q_OBJECT
public:
    explicit FormBase(QWidget* parent = nullptr);
    ~FormBase() override;

    // Shows the window modally through the window services.
    int showModal();

    void setKeyPreview(bool on);
    bool keyPreview() const { return keyPreview_; }

protected:
    // Called for each key press in the window (any control) while key preview is
    // on. Return true to swallow the key; false lets the control have it.
    virtual bool previewKeyDown(QKeyEvent* e);

    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fixComboBoxes();
    // A window opens at its own size where that fits the free part of its
    // screen, frame and all; else it takes that part whole (its lists scroll).
    void fitScreen();
    bool keyPreview_ = false;
    // The key press being delivered after its preview, for as long as that lasts.
    const QEvent* inFlight_ = nullptr;
};

namespace platform {
// The hourglass pointer for the life of the object.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
}  // namespace platform
