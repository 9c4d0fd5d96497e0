#include "core/frmbackup.h"

#include "core/modmain.h"
#include "core/rules/shopsetup.h"
#include "core/rules/schema.h"
#include "platform/drivelists.h"
#include "platform/base/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmBackup::frmBackup(QWidget* parent)
    : FormBase(parent),
      Drive(new DriveListBox(this)),
      Dir(new DirListBox(this)),
      txtFilePath(new QLineEdit(this)),
      txtFileName(new QLineEdit(this)),
      comFile(new QComboBox(this)),
      IsSave(new QCheckBox(QStringLiteral("关闭系统之前自动备份数据库"), this)),
      cmdSave(new QPushButton(QStringLiteral("保存设置(&S)"), this))
{
    setWindowTitle(QStringLiteral("数据备份设置"));
    Drive->setObjectName(QStringLiteral("Drive"));
    Dir->setObjectName(QStringLiteral("Dir"));
    txtFilePath->setObjectName(QStringLiteral("txtFilePath"));
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    comFile->setObjectName(QStringLiteral("comFile"));
    IsSave->setObjectName(QStringLiteral("IsSave"));
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    comFile->addItem(QStringLiteral(".mdb"));

    // Before the setting is read the lists stand at the home folder.
    Drive->setDrive(DriveListBox::driveOf(QDir::homePath()));
    Dir->setPath(QDir::homePath());

    auto* folders = new QVBoxLayout;
    folders->addWidget(Drive);
    folders->addWidget(Dir, 1);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(10);
    fields->addWidget(new QLabel(QStringLiteral("设置保存路径："), this), 0, 0);
    fields->addWidget(txtFilePath, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("保存文件名："), this), 1, 0);
    fields->addWidget(txtFileName, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("文件后缀名："), this), 2, 0);
    fields->addWidget(comFile, 2, 1);
    fields->addWidget(IsSave, 3, 0, 1, 2);
    fields->setRowStretch(4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    fields->addLayout(buttons, 5, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(16);
    layout->addLayout(folders, 2);
    layout->addLayout(fields, 3);
    resize(640, 380);

    connect(Drive, &DriveListBox::Change, this, [this] { Drive_Change(); });
    connect(Dir, &DirListBox::Change, this, [this] { Dir_Change(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    Form_Load();
}

void frmBackup::Form_Load()
{
    comFile->setCurrentIndex(0);
    LoadBackupSettings();
}

void frmBackup::LoadBackupSettings()
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("Select * from FileSave"), isErr);
    if (isErr || rs.eof())
        return;
    try {
        auto text = [&rs](const QString& column, const QString& ifNull) {
            const QVariant v = rs.field(column);
            return v.isNull() ? ifNull : v.toString();
        };
        // Each step runs the change handlers: the folder list writes the path
        // box, the drive list moves the folder list (and so the box); the box
        // ends with the stored path.
        Dir->setPath(text(QStringLiteral("dir"), schema::defaultBackupFolder()));
        // The folder list goes to the drive even when it is the one shown already.
        const QString shown = Drive->Drive();
        Drive->setDrive(text(QStringLiteral("Drive"), schema::kBackupDrive));
        if (Drive->Drive() == shown)
            Drive_Change();
        txtFileName->setText(text(QStringLiteral("FileName"), schema::kBackupFileName));
        txtFilePath->setText(text(QStringLiteral("dirpath"), schema::defaultBackupFolder()));
        const QVariant isSave = rs.field(QStringLiteral("isSave"));
        IsSave->setChecked(!isSave.isNull() && isSave.toInt() != 0);
    } catch (const jet::Error&) {
        // A table without one of the columns: what was read so far stays shown.
    }
}

void frmBackup::Drive_Change()
{
    // A drive that went away since the list was filled: back to the root.
    if (!Dir->setPath(Drive->Drive()))
        Drive->setDrive(QStringLiteral("/"));
}

void frmBackup::Dir_Change() { txtFilePath->setText(Dir->Path()); }

void frmBackup::cmdSave_Click()
{
    // The copy on exit goes to the folder under the file name: without either,
    // every exit would fail its copy.
    if (IsSave->isChecked()) {
        const struct {
            QLineEdit* box;
            const char* missing;
        } needed[] = {{txtFilePath, "自动备份数据库需要保存路径，请设置保存路径！"},
                      {txtFileName, "自动备份数据库需要保存文件名，请输入保存文件名！"}};
        for (const auto& n : needed)
            if (n.box->text().trimmed().isEmpty()) {
                ui::msg().exclaim(QString::fromUtf8(n.missing), ui::kTitleTip);
                n.box->setFocus();
                return;
            }
    }
    const core::BackupSetting setting{txtFilePath->text(), Drive->Drive(), Dir->Path(), txtFileName->text(),
                                      IsSave->isChecked()};
    // A failure shows the engine's words; the window keeps what was typed.
    if (!core::Written(core::WriteBackupSetting(setting)))
        return;
    ui::msg().info(QStringLiteral("保存成功！"));
    accept();
}
