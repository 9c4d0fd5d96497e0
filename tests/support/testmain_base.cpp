// The test programs of the parts without widgets run under one QCoreApplication,
// named as the program is, since messages without a title of their own carry
// that name.
#include "support/childprocess.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    int exitCode = 0;
    if (runChildIfAsked(app.arguments(), &exitCode))
        return exitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
