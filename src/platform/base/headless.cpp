#include "platform/base/headless.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace platform::ui {

bool useHeadlessShopScreen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen desktop reads its screens from this file when the
    // application is made.
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/shop-screen-XXXXXX.json"));
    if (!config.open())
        return false;
    config.write(QStringLiteral(R"({"screens": [{"name": "shop", "x": %1, "y": %2, "width": %3, "height": %4,
                                                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(kShopScreenFree.x())
                     .arg(kShopScreenFree.y())
                     .arg(kShopScreenFree.width())
                     .arg(kShopScreenFree.height())
                     .toUtf8());
    if (!config.flush())
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}

}  // namespace platform::ui
