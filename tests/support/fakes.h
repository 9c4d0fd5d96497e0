#pragma once
// Test doubles of the window services: the fakes without widgets, and modal
// windows handed to scripts instead of being shown.

#include "support/basefakes.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <typeindex>
#include <unordered_map>

class FakeModal : public ui::ModalRunner {
public:
    int exec(QDialog* dlg) override;

    template <typename Dialog>
    void on(std::function<int(Dialog*)> script)
    {
        scripts_[std::type_index(typeid(Dialog))] = [script](QDialog* d) {
            return script(static_cast<Dialog*>(d));
        };
    }
    // Every window without a script of its own is closed at once, untouched (for
    // tests that walk many windows without looking into them).
    void dismissAllOthers() { dismissAll_ = true; }
    // Scripts the window type to be closed at once, untouched.
    template <typename Dialog>
    void dismiss()
    {
        on<Dialog>([](Dialog*) { return int(QDialog::Rejected); });
    }
    // Class names of the windows opened, in order.
    const QStringList& opened() const { return opened_; }

private:
    std::unordered_map<std::type_index, std::function<int(QDialog*)>> scripts_;
    QStringList opened_;
    bool dismissAll_ = false;
};

// All fakes together, installed for the life of the object.
struct FakePlatform : FakeServices {
    FakePlatform();
    FakeModal modal;
};
