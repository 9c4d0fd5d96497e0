#include "core/modmain.h"

#include "platform/services.h"

clsDbopt gDbopt;
clsNewGUID gNewGUID;
clsUser gUser;
clsSellRole gSellRole;
QString gShopNo;
QString gShopName;

bool Main()
{
    // The session objects, in this order; a new run starts them afresh.
    gDbopt.Release();
    gNewGUID = clsNewGUID();
    gUser = clsUser();
    gSellRole = clsSellRole();
    if (!gDbopt.ConnectionToDB()) {
        ui::msg().info(QStringLiteral("连接数据库失败！"), ui::kTitleTip);
        return false;
    }
    return true;
}

QString SqlQuote(const QString& text)
{
    if (!text.contains(QLatin1Char('\'')))
        return text;
    QString q = text;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return q;
}
