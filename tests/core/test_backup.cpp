// The backup setting window: what it shows of the FileSave row, how the drive
// and folder lists drive the path box, and what a save stores.
#include "core/frmbackup.h"
#include "core/rules/schema.h"
#include "platform/drivelists.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

class BackupSettings : public ShopFixture {
protected:
    // dirpath, Drive, Dir, FileName, IsSave as stored.
    QStringList stored()
    {
        jet::RecordSet rs = sql("Select dirpath,Drive,Dir,FileName,IsSave from FileSave");
        EXPECT_EQ(rs.recordCount(), 1);
        QStringList row;
        for (int c = 0; c < rs.fieldCount(); ++c)
            row << rs.text(0, c);
        return row;
    }
    static void open(DirListBox* list, const QString& name)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == name) {
                emit list->itemActivated(list->item(i));
                return;
            }
        ADD_FAILURE() << "no folder " << name.toStdString();
    }
};

}  // namespace

TEST_F(BackupSettings, OpensWithTheStoredRowOrTheDefaults)
{
    const QString inside = folder() + "/a";
    ASSERT_TRUE(QDir().mkpath(inside));
    struct Case {
        const char* what;
        QString update;  // "" for the delivered row
        QString path, name;
        bool ticked;
    };
    const Case cases[] = {
        {"delivered", "", schema::defaultBackupFolder(), "数据备份", false},
        {"Null columns", "dirpath=Null,Drive=Null,Dir=Null,FileName=Null,IsSave=0", schema::defaultBackupFolder(),
         "数据备份", false},
        // The folder list ends at the stored drive, the box with the stored path.
        {"a folder of the drive", "dirpath='" + inside + "',Drive='/',Dir='" + inside + "',FileName='店',IsSave=1",
         inside, "店", true},
        // A drive not mounted: the root, and the stored path stays in the box.
        {"a drive not mounted",
         "dirpath='/media/gone/备份',Drive='/media/gone',Dir='/media/gone/备份',FileName='x',IsSave=-1",
         "/media/gone/备份", "x", true},
        {"empty texts", "dirpath='',Drive='',Dir='',FileName='',IsSave=0", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.update.isEmpty())
            sql("Update FileSave set " + c.update);
        frmBackup w;
        EXPECT_EQ(w.windowTitle(), "数据备份设置");
        EXPECT_EQ(w.comFile->count(), 1);
        EXPECT_EQ(w.comFile->currentText(), ".mdb");
        EXPECT_EQ(w.Drive->Drive(), "/");
        EXPECT_EQ(w.Dir->Path(), "/");
        EXPECT_EQ(w.txtFilePath->text(), c.path);
        EXPECT_EQ(w.txtFileName->text(), c.name);
        EXPECT_EQ(w.IsSave->isChecked(), c.ticked);
        EXPECT_EQ(w.IsSave->text(), "关闭系统之前自动备份数据库");
        EXPECT_EQ(w.cmdSave->text(), "保存设置(&S)");
        EXPECT_TRUE(messages().shown().isEmpty());
    }
}

TEST_F(BackupSettings, ChoosingAFolderOrADriveRewritesThePathBox)
{
    ASSERT_TRUE(QDir().mkpath(folder() + "/sub"));
    frmBackup w;
    const QString base = DirListBox::cleanPath(folder());
    ASSERT_TRUE(w.Dir->setPath(base));
    EXPECT_EQ(w.txtFilePath->text(), base);
    open(w.Dir, "sub");
    EXPECT_EQ(w.Dir->Path(), base + "/sub");
    EXPECT_EQ(w.txtFilePath->text(), base + "/sub");
    // Typing in the box does not move the list.
    w.txtFilePath->setText("/elsewhere");
    EXPECT_EQ(w.Dir->Path(), base + "/sub");

    if (w.Drive->count() < 2)
        GTEST_SKIP() << "only one drive is mounted here";
    const int other = w.Drive->currentIndex() == 0 ? 1 : 0;
    w.Drive->setCurrentIndex(other);
    EXPECT_EQ(w.Dir->Path(), w.Drive->itemText(other));
    EXPECT_EQ(w.txtFilePath->text(), w.Drive->itemText(other));
}

TEST_F(BackupSettings, SaveStoresWhatIsShownWithQuotesDoubled)
{
    const QString bobs = DirListBox::cleanPath(folder()) + "/Bob's";
    ASSERT_TRUE(QDir().mkpath(bobs));
    {
        frmBackup w;
        ASSERT_TRUE(w.Dir->setPath(bobs));
        w.txtFileName->setText("O'Neil 备份");
        w.IsSave->setChecked(true);
        w.cmdSave->click();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, "保存成功！");
        EXPECT_EQ(messages().last().title, "VeloraTessaro");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(stored(), QStringList({bobs, "/", bobs, "O'Neil 备份", "-1"}));
    }
    messages().clear();
    {
        // Opened again the list stands at the drive and the box at the path:
        // both are stored as shown.
        frmBackup w;
        EXPECT_EQ(w.txtFilePath->text(), bobs);
        EXPECT_EQ(w.txtFileName->text(), "O'Neil 备份");
        EXPECT_TRUE(w.IsSave->isChecked());
        w.IsSave->setChecked(false);
        w.cmdSave->click();
        EXPECT_EQ(messages().texts(), QStringList({"保存成功！"}));
        EXPECT_EQ(stored(), QStringList({bobs, "/", "/", "O'Neil 备份", "0"}));
    }
}

TEST_F(BackupSettings, UnreadableTableKeepsTheStartAndAFailedSaveKeepsTheWindow)
{
    sql("drop table FileSave");
    frmBackup w;
    ASSERT_EQ(messages().shown().size(), 1) << "the engine's words, once";
    EXPECT_EQ(messages().last().icon, ui::Icon::None);
    EXPECT_TRUE(w.txtFilePath->text().isEmpty());
    EXPECT_TRUE(w.txtFileName->text().isEmpty());
    EXPECT_FALSE(w.IsSave->isChecked());

    messages().clear();
    w.txtFilePath->setText("/srv/备份");
    w.txtFileName->setText("店");
    w.cmdSave->click();
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_NE(messages().last().text, "保存成功！");
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.txtFilePath->text(), "/srv/备份");
    EXPECT_EQ(w.txtFileName->text(), "店");
}

// With the copy on exit ticked, a save without a folder or a file name would
// make every later exit fail: it is refused, naming what is missing, and the
// window keeps what was set. Unticked, nothing is copied and either may be empty.
TEST_F(BackupSettings, TheCopyOnExitNeedsAFolderAndAFileName)
{
    const QStringList before = stored();
    struct Case {
        const char* what;
        QString path, name;
        bool ticked;
        QString refusal;  // "" when the save goes through
    };
    const Case cases[] = {
        {"no file name", "/srv/备份", "", true, "自动备份数据库需要保存文件名，请输入保存文件名！"},
        {"a blank file name", "/srv/备份", "  ", true, "自动备份数据库需要保存文件名，请输入保存文件名！"},
        {"no folder", "", "店", true, "自动备份数据库需要保存路径，请设置保存路径！"},
        {"neither", " ", "", true, "自动备份数据库需要保存路径，请设置保存路径！"},
        {"no copy on exit", "", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        frmBackup w;
        staff::showActive(&w);
        w.txtFilePath->setText(c.path);
        w.txtFileName->setText(c.name);
        w.IsSave->setChecked(c.ticked);
        w.cmdSave->click();
        ASSERT_EQ(messages().shown().size(), 1);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(messages().last().text, "保存成功！");
            EXPECT_EQ(w.result(), QDialog::Accepted);
            EXPECT_EQ(stored().mid(3), QStringList({"", "0"}));
            continue;
        }
        EXPECT_EQ(messages().last().text, c.refusal);
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_NE(w.result(), QDialog::Accepted);
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(w.txtFilePath->text(), c.path);
        EXPECT_EQ(w.txtFileName->text(), c.name);
        EXPECT_TRUE((c.refusal.contains("路径") ? w.txtFilePath : w.txtFileName)->hasFocus());
    }
}
