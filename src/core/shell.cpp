#include "core/shell.h"

namespace shell {

namespace {
MainWindow& installed()
{
    static MainWindow m;
    return m;
}

Skin& installedSkin()
{
    static Skin s;
    return s;
}
}  // namespace

void install(MainWindow mainWindow) { installed() = std::move(mainWindow); }

void openMainWindow()
{
    if (installed().open)
        installed().open();
}

void followPermissions()
{
    if (installed().followPermissions)
        installed().followPermissions();
}

void shopRenamed()
{
    if (installed().shopRenamed)
        installed().shopRenamed();
}

void installSkin(Skin skin) { installedSkin() = std::move(skin); }

void attachSkin(QWidget* window)
{
    if (installedSkin().attach)
        installedSkin().attach(window);
}

void detachSkin(QWidget* window)
{
    if (installedSkin().detach)
        installedSkin().detach(window);
}

}  // namespace shell
