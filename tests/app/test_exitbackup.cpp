// Leaving the program with the backup copy, on real files in the fixture's
// folder; the backup settings and the fresh start from the system menu.
#include "app/frmmain.h"
#include "core/frmbackup.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "support/childprocess.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <csignal>
#include <sys/resource.h>

namespace {

// A copy of the program making the backup with a limit on the size of the files
// it may write, as on a disk that fills up. Arguments: the database, the target,
// the limit in bytes and what the limit does: "refuse" fails the writes, "kill"
// ends the program in the middle of the copy, as a power cut or a killed program
// would. Exits 0 when the backup was refused, 1 when it was made.
int LimitedBackup(const QStringList& args)
{
    const rlim_t limit = args.value(2).toULongLong();
    const rlimit noCore{0, 0}, fileSize{limit, limit};
    setrlimit(RLIMIT_CORE, &noCore);
    if (args.value(3) == QStringLiteral("refuse"))
        std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &fileSize);
    QString why;
    return jet::backupDatabase(args.value(0), args.value(1), &why) ? 1 : 0;
}
const ChildRegistration limitedBackup("limited backup", LimitedBackup);

class ExitBackup : public ShopFixture {
protected:
    void setBackup(const QString& dirpath, const QString& fileName, bool on)
    {
        sql("Update FileSave set dirpath=" + core::SqlQuote(dirpath) + ",FileName=" + core::SqlQuote(fileName) +
            ",IsSave=" + (on ? "1" : "0"));
    }
    // Leaves by the menu and answers Yes; the window must be gone after.
    void exitWithYes()
    {
        QPointer<frmMain> w = new frmMain;
        w->setAttribute(Qt::WA_DeleteOnClose);
        staff::showActive(w);
        fakes->messages.answerYes();
        w->Exit->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << "the program ends";
    }
    static QByteArray contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The memo texts of OtherOut in the database file at path; "" when it does not
    // open as this system's database.
    static QString memosIn(const QString& path)
    {
        jet::Connection c;
        QString why;
        if (!c.open("Data Source=" + path + ";", schema::kApplicationId, &why))
            return "";
        QStringList memos;
        QString error;
        for (jet::RecordSet rs = c.execute("select Memo from OtherOut", &error); !rs.eof(); rs.moveNext())
            memos << rs.fieldText("Memo");
        return memos.join(',');
    }
    void addMemo(const QString& memo)
    {
        sql("Insert Into OtherOut (ShopNo,Memo) Values ('" + gShopNo + "','" + memo + "')");
    }
};

}  // namespace

TEST_F(ExitBackup, TheTargetIsFolderNameAndExtension)
{
    struct Case {
        QString update;
        QString path;
        bool isSave;
    };
    const Case cases[] = {
        {"dirpath='/',FileName='数据备份',IsSave=1", "/数据备份.mdb", true},
        {"dirpath='/srv/备份/',FileName='店',IsSave=0", "/srv/备份/店.mdb", false},
        {"dirpath='/srv/备份',FileName='店',IsSave=-1", "/srv/备份/店.mdb", true},
        {"dirpath=Null,FileName=Null,IsSave=1", "0/0.mdb", true},
    };
    frmMain w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update.toStdString());
        sql("Update FileSave set " + c.update);
        QString path;
        bool isSave = !c.isSave;
        w.ReadBackupSetting(path, isSave);
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(isSave, c.isSave);
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ExitBackup, SettingOffMakesNoCopyAndAnEmptySettingIsReported)
{
    const QString folder = this->folder() + "/备份";
    setBackup(folder, "数据备份", false);
    exitWithYes();
    EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？"}));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(gDbopt.IsConnected()) << "without a copy the connection is not released early";

    messages().clear();
    sql("delete from FileSave");
    exitWithYes();
    ASSERT_EQ(messages().texts(), QStringList({"确认要退出系统吗？", "数据库被修改，请联系软件商！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(messages().last().title, "VeloraTessaro");
}

TEST_F(ExitBackup, TheCopyIsTheShopsDatabaseAndReplacesTheOlderOne)
{
    struct Case {
        const char* what;
        QString dirpath;
        QString fileName;
        QString target;
        bool olderCopy;
    };
    const QString base = folder();
    const Case cases[] = {
        {"missing folders are made", base + "/备份/店", "数据备份", base + "/备份/店/数据备份.mdb", false},
        {"an older copy is replaced", base + "/备份/", "O'Neil", base + "/备份/O'Neil.mdb", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        if (!gDbopt.IsConnected()) {
            ASSERT_TRUE(gDbopt.ConnectionToDB());
        }
        if (c.olderCopy)
            write(c.target, "an older copy");
        setBackup(c.dirpath, c.fileName, true);
        addMemo(c.what);  // written a moment before the exit
        exitWithYes();
        // A statement sent after the release would have shown the engine's words.
        EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？"}));
        EXPECT_FALSE(gDbopt.IsConnected());
        EXPECT_TRUE(memosIn(c.target).endsWith(c.what)) << memosIn(c.target).toStdString();
        EXPECT_EQ(QDir(QFileInfo(c.target).absolutePath()).entryList(QDir::Files),
                  QStringList({QFileInfo(c.target).fileName()}))
            << "nothing half-written stays beside the copy";
    }
}

// Another program (or any reader) still has the file open when this one leaves:
// its commits may still be in the write-ahead log, and the copy must hold them.
TEST_F(ExitBackup, TheCopyHoldsWhatAnotherConnectionCommitted)
{
    jet::Connection other;
    QString why;
    ASSERT_TRUE(other.open("Data Source=" + clsDbopt::DatabasePath() + ";", schema::kApplicationId, &why))
        << why.toStdString();
    addMemo("ours");
    for (const char* memo : {"theirs 1", "theirs 2"}) {
        other.execute(QString("Insert Into OtherOut (ShopNo,Memo) Values ('S','") + memo + "')", &why);
        ASSERT_TRUE(why.isEmpty()) << why.toStdString();
    }
    const QString target = folder() + "/备份/数据备份.mdb";
    setBackup(folder() + "/备份", "数据备份", true);
    exitWithYes();
    EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？"}));

    // The copy alone: no log beside it, whole and with every committed row.
    ASSERT_EQ(QDir(folder() + "/备份").entryList(QDir::Files), QStringList({"数据备份.mdb"}));
    jet::Connection copy;
    ASSERT_TRUE(copy.open("Data Source=" + target + ";", schema::kApplicationId, &why)) << why.toStdString();
    EXPECT_EQ(copy.execute("PRAGMA integrity_check", &why).text(0, 0), "ok");
    copy.close();
    EXPECT_EQ(memosIn(target), "ours,theirs 1,theirs 2");
    // The other program goes on with the database as it was.
    EXPECT_EQ(other.execute("select count(*) from OtherOut", &why).text(0, 0), "3");
}

TEST_F(ExitBackup, ACopyOntoTheDatabaseItselfIsSkipped)
{
    addMemo("kept");
    setBackup(folder(), "Kostrelvani", true);
    exitWithYes();
    EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？"}));
    EXPECT_EQ(memosIn(clsDbopt::DatabasePath()), "kept");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList({"Kostrelvani.mdb"}));
}

TEST_F(ExitBackup, AFailedCopyIsReportedAndTheOlderCopySurvives)
{
    struct Case {
        const char* what;
        QString dirpath;
        QString existing;  // a file there before the exit, which must survive
        bool databaseGone;
        QString reason;
    };
    const QString base = folder();
    const Case cases[] = {
        {"a file where the folder should be", base + "/备份", base + "/备份", false,
         "无法创建备份文件夹：" + base + "/备份"},
        // The copy is made, but cannot take the target's place.
        {"a folder where the copy should be", base + "/满", base + "/满/数据备份.mdb/older", false,
         "无法写入备份文件：" + base + "/满/数据备份.mdb"},
        // Last: the database file is deleted under the running program.
        {"the database file is gone", base + "/旧", base + "/旧/数据备份.mdb", true,
         "无法读取数据库文件：" + clsDbopt::DatabasePath()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        if (!gDbopt.IsConnected()) {
            ASSERT_TRUE(gDbopt.ConnectionToDB());
        }
        write(c.existing, "an older copy");
        setBackup(c.dirpath, "数据备份", true);
        if (c.databaseGone) {
            ASSERT_TRUE(QFile::remove(clsDbopt::DatabasePath()));
        }
        exitWithYes();
        ASSERT_EQ(messages().shown().size(), 2);
        const ui::Message failure = messages().last();
        EXPECT_TRUE(failure.text.startsWith("数据库备份失败！\n" + c.reason)) << failure.text.toStdString();
        EXPECT_EQ(failure.icon, ui::Icon::Exclamation);
        EXPECT_EQ(failure.title, "提示");
        EXPECT_EQ(contents(c.existing), "an older copy");
        EXPECT_EQ(QDir(c.dirpath).entryList({"*.mdb.*"}, QDir::AllEntries), QStringList())
            << "no unfinished copy stays beside";
    }
}

// A copy refused on a full disk leaves nothing; one cut off in the middle leaves
// its pieces, which the next backup clears away, and only those.
TEST_F(ExitBackup, TheNextCopyClearsWhatACutOffOneLeft)
{
    const QString backups = folder() + "/备份", target = backups + "/数据备份.mdb";
    // A database larger than the limit and than what the engine keeps in memory
    // while it copies.
    addMemo(QString(4000000, QLatin1Char('x')));
    write(backups + "/数据备份.mdb.backup", "the shop's own notes");
    write(backups + "/数据备份1.mdb", "another copy, kept by hand");
    const QStringList others = QDir(backups).entryList(QDir::Files);

    auto copyWithLimit = [&](const char* what) {
        auto child = startChild("limited backup", {clsDbopt::DatabasePath(), target, "1000000", what});
        EXPECT_TRUE(child->waitForFinished(60000));
        return child;
    };
    auto refused = copyWithLimit("refuse");
    EXPECT_EQ(refused->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(refused->exitCode(), 0) << "the disk is full";
    EXPECT_EQ(QDir(backups).entryList(QDir::Files), others) << "no journal or half copy stays";

    auto cutOff = copyWithLimit("kill");
    EXPECT_EQ(cutOff->exitStatus(), QProcess::CrashExit);
    ASSERT_GT(QDir(backups).entryList(QDir::Files).size(), others.size()) << "the cut-off copy left its pieces";

    addMemo("last");
    setBackup(backups, "数据备份", true);
    exitWithYes();
    EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？"}));
    EXPECT_TRUE(memosIn(target).endsWith(",last"));
    QStringList after = others;
    after << "数据备份.mdb";
    after.sort();
    EXPECT_EQ(QDir(backups).entryList(QDir::Files), after) << "the backup and the files that were there";
    EXPECT_EQ(contents(backups + "/数据备份.mdb.backup"), "the shop's own notes");
}

TEST_F(ExitBackup, SystemMenuOpensTheSettingsAndAsksBeforeTheFreshStart)
{
    frmMain w;
    fakes->modal.dismiss<frmBackup>();
    w.BackUpDate->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmBackup"}));

    addMemo("spent");
    fakes->messages.answerNo();
    w.ReStart->trigger();
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "如果重新开始了后 所有数据将丢失！慎重哦！");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Question);
    EXPECT_EQ(messages().last().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(messages().last().defaultAnswer, ui::Answer::No) << "an Enter meant for something else keeps the data";
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "1");

    fakes->messages.answerYes();
    w.ReStart->trigger();
    EXPECT_EQ(messages().shown().size(), 2) << "no message after the wipe";
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "0");
    EXPECT_EQ(scalar("select count(*) from [User]"), "1");
}
