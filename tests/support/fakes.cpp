#include "support/fakes.h"

#include <gtest/gtest.h>

bool FakeMessages::show(const ui::Message& m)
{
    shown_.append(m);
    if (m.buttons == ui::Buttons::Ok)
        return true;
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << m.text.toStdString();
        return false;
    }
    return answers_.dequeue();
}

QStringList FakeMessages::texts() const
{
    QStringList t;
    for (const ui::Message& m : shown_)
        t << m.text;
    return t;
}

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

FakePlatform::FakePlatform() : previous(ui::platform())
{
    ui::Platform p = previous;
    p.msg = &messages;
    p.modal = &modal;
    p.files = &files;
    p.proc = &proc;
    p.receipts = &receipts;
    p.reports = &reports;
    p.clock = &clock;
    ui::setPlatform(p);
}

FakePlatform::~FakePlatform() { ui::setPlatform(previous); }
