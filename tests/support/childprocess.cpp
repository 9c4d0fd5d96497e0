#include "support/childprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>

namespace {
QHash<QString, ChildMain>& children()
{
    static QHash<QString, ChildMain> all;
    return all;
}
const QString kChildOption = QStringLiteral("--child=");

// Waits up to a minute for the file to appear.
bool awaitFile(const QString& path)
{
    for (int wait = 0; wait < 120000; ++wait) {
        if (QFile::exists(path))
            return true;
        QThread::usleep(500);
    }
    return false;
}

bool touch(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}
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

std::vector<std::unique_ptr<QProcess>> startTogether(const QString& name, const QList<QStringList>& args)
{
    // The children say they are ready, and learn that all are, through files in
    // a folder of this start's own.
    static QTemporaryDir signalFolder;
    static int start = 0;
    const QString stem = signalFolder.filePath(QString::number(++start));
    std::vector<std::unique_ptr<QProcess>> children;
    for (qsizetype i = 0; i < args.size(); ++i)
        children.push_back(startChild(name, QStringList{stem, QString::number(i)} + args[i]));
    for (qsizetype i = 0; i < args.size(); ++i)
        if (!awaitFile(stem + QStringLiteral("-ready-") + QString::number(i)))
            return {};
    if (!touch(stem + QStringLiteral("-go")))
        return {};
    return children;
}

bool readyThenAwaitStart(const QStringList& args)
{
    return touch(args.value(0) + QStringLiteral("-ready-") + args.value(1)) &&
           awaitFile(args.value(0) + QStringLiteral("-go"));
}

QList<int> exitCodes(const std::vector<std::unique_ptr<QProcess>>& children)
{
    QList<int> codes;
    for (const auto& p : children)
        codes << (p->waitForFinished(120000) && p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1);
    return codes;
}
