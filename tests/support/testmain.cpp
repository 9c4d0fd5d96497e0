// Every test program runs under one QApplication, named as the program is, since
// message boxes without a title of their own show that name; without a desktop
// (in CI) on the offscreen one, whose screen is as large as the shop's; with the
// program's Chinese face, whatever the locale.
#include "platform/base/headless.h"
#include "platform/chineseface.h"
#include "platform/qtservices.h"
#include "support/childprocess.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ui::useHeadlessShopScreen();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    ui::setPlatform(ui::realPlatform());
    ui::useChineseFace();
    int exitCode = 0;
    if (runChildIfAsked(app.arguments(), &exitCode))
        return exitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
