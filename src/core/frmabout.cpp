#include "core/frmabout.h"

#include "platform/base/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

static void initCoreResources() { Q_INIT_RESOURCE(core); }

QString core::VersionText(int major, int minor, int revision)
{
    return QStringLiteral("版本 %1.%2.%3").arg(major).arg(minor).arg(revision);
}

const QStringList core::kSysInfoTools = {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"),
                                         QStringLiteral("ksysguard")};

frmAbout::frmAbout(QWidget* parent)
    : FormBase(parent),
      Image1(new QLabel(this)),
      lblTitle(new QLabel(this)),
      lblVersion(new QLabel(this)),
      cmdOK(new QPushButton(QStringLiteral("确定"), this)),
      cmdSysInfo(new QPushButton(QStringLiteral("系统信息(&S)..."), this))
{
    initCoreResources();
    Image1->setObjectName(QStringLiteral("Image1"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    Image1->setPixmap(QPixmap(QStringLiteral(":/core/images/main_picture.png"))
                          .scaledToWidth(168, Qt::SmoothTransformation));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(Image1);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->addLayout(top, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("关于 ") + ui::appTitle());
    lblVersion->setText(core::VersionText(APP_VERSION_MAJOR, APP_VERSION_MINOR, APP_VERSION_PATCH));
    lblTitle->setText(ui::appTitle());
}

void frmAbout::StartSysInfo()
{
    ui::ProcessLauncher& proc = *ui::platform().proc;
    const QString tool = proc.findExecutable(core::kSysInfoTools);
    if (tool.isEmpty() || !proc.startDetached(tool))
        ui::msg().plain(QStringLiteral("此时系统信息不可用"));
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
