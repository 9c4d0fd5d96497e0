#include "platform/base/services.h"

#include <QCoreApplication>

namespace platform::ui {

QString appTitle() { return QCoreApplication::applicationName(); }

void MessageService::info(const QString& text, const QString& title)
{
    show({text, title, Icon::Information, Buttons::Ok});
}

void MessageService::exclaim(const QString& text, const QString& title)
{
    show({text, title, Icon::Exclamation, Buttons::Ok});
}

void MessageService::plain(const QString& text, const QString& title)
{
    show({text, title, Icon::None, Buttons::Ok});
}

bool MessageService::ask(const QString& text, const QString& title, Icon icon)
{
    return show({text, title, icon, Buttons::YesNo});
}

bool MessageService::askBeforeLoss(const QString& text, const QString& title, Icon icon)
{
    return show({text, title, icon, Buttons::YesNo, Answer::No});
}

namespace {

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace

Clock& systemClock()
{
    static SystemClock clock;
    return clock;
}

Platform& platform()
{
    static Platform current = [] {
        Platform p;
        p.clock = &systemClock();
        return p;
    }();
    return current;
}

void setPlatform(const Platform& p) { platform() = p; }

QDate today() { return platform().clock->today(); }
QDateTime now() { return platform().clock->now(); }

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    return folderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride();
}

void setProgramFolder(const QString& folder) { folderOverride() = folder; }

QString dayText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString dateTimeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

}  // namespace platform::ui
