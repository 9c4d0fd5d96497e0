#include "support/childprocess.h"

#include <QCoreApplication>
#include <QHash>

namespace {
QHash<QString, ChildMain>& children()
{
    static QHash<QString, ChildMain> all;
    return all;
}
const QString kChildOption = QStringLiteral("--child=");
}  // namespace

ChildRegistration::ChildRegistration(const char* name, ChildMain main) { children().insert(QLatin1String(name), main); }

std::unique_ptr<QProcess> startChild(const QString& name, const QStringList& args)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(), QStringList{kChildOption + name} + args);
    return p;
}

bool runChildIfAsked(const QStringList& arguments, int* exitCode)
{
    if (arguments.size() < 2 || !arguments[1].startsWith(kChildOption))
        return false;
    const ChildMain main = children().value(arguments[1].mid(kChildOption.size()));
    *exitCode = main ? main(arguments.mid(2)) : 2;
    return true;
}
