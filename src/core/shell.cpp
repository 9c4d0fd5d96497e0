#include "core/shell.h"

namespace shell {

namespace {
MainWindow& installed()
{
    static MainWindow m;
    return m;
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

}  // namespace shell
