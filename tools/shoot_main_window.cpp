// Starts the program on a fresh delivered database in a temporary folder, logs
// the administrator in through the login window, and saves a picture of the
// main window (for the README).
//   shoot_main_window <main-window.png> [login-window.png]
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/schema.h"
#include "platform/services.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

// Lets the window lay itself out and paint.
void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

class ScriptedLogin : public ui::ModalRunner {
public:
    QString loginShot;
    int exec(QDialog* dlg) override
    {
        auto* login = qobject_cast<frmLogin*>(dlg);
        if (!login)
            return dlg->exec();
        login->show();
        settle();
        login->txtUserNo->setText(QStringLiteral("admin"));
        login->txtUserPassWord->setText(QStringLiteral("admin"));
        if (!loginShot.isEmpty())
            login->grab().save(loginShot);
        login->cmdLogin->click();
        return login->result();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: shoot_main_window <main-window.png> [login-window.png]\n");
        return 2;
    }
    QTemporaryDir dir;
    ui::setProgramFolder(dir.path());
    QString error;
    if (!schema::createDeliveredDatabase(clsDbopt::DatabasePath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    ScriptedLogin modal;
    if (argc > 2)
        modal.loginShot = QString::fromLocal8Bit(argv[2]);
    ui::Platform p = ui::platform();
    p.modal = &modal;
    ui::setPlatform(p);
    InstallSkin();
    InstallMainWindow();
    if (!Main() || !frmMain::current()) {
        std::fprintf(stderr, "the login did not open the main window\n");
        return 1;
    }
    frmMain* w = frmMain::current();
    w->resize(1100, 680);
    settle();
    const bool saved = w->grab().save(QString::fromLocal8Bit(argv[1]));
    delete w;
    gDbopt.Release();
    return saved ? 0 : 1;
}
