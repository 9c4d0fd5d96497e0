#pragma once
// The toolbar of the maintenance windows that keep a list of records: "Add",
// "Edit", "Del", "Cancel" and "Save", and the three states a window is in
// between them. Browsing offers the first three; adding and editing offer
// Cancel and Save only.

#include <QString>
#include <QToolBar>

class QAction;

namespace core {
class RecordToolbar : public QToolBar {
    Q_OBJECT
public:
    enum State { Browsing, Adding, Editing };

    explicit RecordToolbar(QWidget* parent = nullptr);

    // The button with the given key; nullptr when none.
    QAction* Buttons(const QString& key) const;

    State state() const { return state_; }
    // Enters the state and enables the buttons it offers.
    void setState(State s);

signals:
    // A button was clicked; its key is the action's data.
    void ButtonClick(QAction* Button);

private:
    State state_ = Browsing;
};
}  // namespace core
