#include "core/modmain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    if (!Main())
        return 0;
    // The program runs while a window is open.
    if (QApplication::topLevelWidgets().isEmpty())
        return 0;
    return app.exec();
}
