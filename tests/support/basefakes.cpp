#include "support/basefakes.h"

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

FakeServices::FakeServices() : previous(ui::platform())
{
    ui::Platform p = previous;
    p.msg = &messages;
    p.files = &files;
    p.proc = &proc;
    p.receipts = &receipts;
    p.reports = &reports;
    p.clock = &clock;
    ui::setPlatform(p);
}

FakeServices::~FakeServices() { ui::setPlatform(previous); }
