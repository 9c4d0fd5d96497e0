#include "app/startup.h"
#include "core/modmain.h"
#include "platform/chineseface.h"
#include "platform/qtservices.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    ui::setPlatform(ui::realPlatform());
    ui::useChineseFace();
    app::InstallSkin();
    app::InstallMainWindow();
    if (!core::Main())
        return 0;
    // After the login the main window is open: the program runs until it closes.
    // A login closed without logging in leaves no window, and the program ends.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) {
            QApplication::setQuitOnLastWindowClosed(true);
            return app.exec();
        }
    return 0;
}
