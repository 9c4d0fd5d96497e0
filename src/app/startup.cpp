#include "app/startup.h"

#include "app/frmmain.h"
#include "core/shell.h"
#include "skin/cskinner.h"
#include "skin/mskinner.h"

namespace app {

void InstallMainWindow()
{
    shell::install({
        [] {
            auto* mainWindow = new frmMain;
            mainWindow->setAttribute(Qt::WA_DeleteOnClose);
            mainWindow->show();
        },
        [] {
            if (frmMain* mainWindow = frmMain::current())
                mainWindow->LoadPopdem();
        },
        [] {
            if (frmMain* mainWindow = frmMain::current())
                mainWindow->ShowShopName();
        },
    });
}

void InstallSkin()
{
    mSkinner::InstallSkinStyle();
    shell::installSkin({
        [](QWidget* window) { cSkinner().AttachSkin(window); },
        [](QWidget* window) { cSkinner().DetachSkin(window); },
    });
}

}  // namespace app
