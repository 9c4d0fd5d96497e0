#include "support/fakes.h"

#include <gtest/gtest.h>

int FakeModal::exec(QDialog* dlg)
{
    opened_ << QString::fromLatin1(dlg->metaObject()->className());
    const auto it = scripts_.find(std::type_index(typeid(*dlg)));
    if (it == scripts_.end()) {
        if (dismissAll_)
            return QDialog::Rejected;
        ADD_FAILURE() << "unexpected window: " << opened_.last().toStdString();
        return QDialog::Rejected;
    }
    return it->second(dlg);
}

FakePlatform::FakePlatform()
{
    ui::Platform p = ui::platform();
    p.modal = &modal;
    ui::setPlatform(p);
}
