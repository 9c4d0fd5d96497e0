#pragma once
// "关于": the program's title and version, and a button that starts the system's
// own system information tool.

#include "platform/formbase.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;

namespace core {
// "版本 " and the version numbers, "1.0.5" for major 1, minor 0 and revision 5.
QString VersionText(int major, int minor, int revision);

// The system information tools tried, in order.
extern const QStringList kSysInfoTools;
}  // namespace core

class frmAbout : public FormBase {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

    void Form_Load();
    // Starts the first system information tool found, without waiting for it;
    // "此时系统信息不可用" when none is there or it does not start.
    void StartSysInfo();
    void cmdOK_Click();
    void cmdSysInfo_Click();
};
