// The about box: the program's title and version, and the system information tool.
#include "core/frmabout.h"
#include "support/shopfixture.h"

#include <QLabel>
#include <QPushButton>

namespace {

using About = ShopFixture;

}  // namespace

TEST(VersionText, WholeNumbersWithoutLeadingZeros)
{
    EXPECT_EQ(core::VersionText(1, 0, 5), "版本 1.0.5");
    EXPECT_EQ(core::VersionText(2, 10, 0), "版本 2.10.0");
}

TEST_F(About, ShowsTheTitleAndTheBuildsVersion)
{
    frmAbout w;
    EXPECT_EQ(w.windowTitle(), "关于 VeloraTessaro");
    EXPECT_EQ(w.lblTitle->text(), "VeloraTessaro");
    EXPECT_EQ(w.lblVersion->text(), core::VersionText(APP_VERSION_MAJOR, APP_VERSION_MINOR, APP_VERSION_PATCH));
    EXPECT_EQ(w.cmdSysInfo->text(), "系统信息(&S)...");
    EXPECT_FALSE(w.Image1->pixmap().isNull());
    w.cmdOK->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(About, SystemInformationStartsTheFirstToolFound)
{
    const struct {
        QStringList available;
        bool starts;
        QString started;  // "" when the clerk is told there is none
    } cases[] = {
        {{"ksysguard", "gnome-system-monitor", "hardinfo"}, true, "hardinfo"},
        {{"ksysguard", "gnome-system-monitor"}, true, "gnome-system-monitor"},
        {{"ksysguard"}, true, "ksysguard"},
        {{"gedit"}, true, ""},
        {{"hardinfo"}, false, ""},
    };
    frmAbout w;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.available.join(',').toStdString());
        messages().clear();
        fakes->proc.started.clear();
        fakes->proc.available = c.available;
        fakes->proc.startSucceeds = c.starts;
        w.cmdSysInfo->click();
        if (c.started.isEmpty()) {
            ASSERT_EQ(messages().shown().size(), 1);
            EXPECT_EQ(messages().last().text, "此时系统信息不可用");
            EXPECT_EQ(messages().last().icon, ui::Icon::None);
            EXPECT_EQ(messages().last().buttons, ui::Buttons::Ok);
            EXPECT_EQ(messages().last().title, ui::appTitle());
        } else {
            EXPECT_TRUE(messages().shown().isEmpty());
            EXPECT_EQ(fakes->proc.started, QStringList({c.started}));
        }
    }
}
