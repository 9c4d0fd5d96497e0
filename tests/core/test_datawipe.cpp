// The fresh start: the business tables emptied in one go, the shop's set-up kept.
#include "core/rules/datawipe.h"
#include "core/frmlogin.h"
#include "core/shell.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QLineEdit>

namespace {

const QStringList kBusiness = {"Sell",      "Store",      "StoreDetail", "BuyPrice",        "BackStore",
                               "SellChange", "DayAmount", "OtherOut",    "FactoryBackTotal"};
const QStringList kKept = {"Shop", "[User]", "Role", "SellRole", "FileSave", "DataDictionary"};

class DataWipe : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();
        for (const QString& t : kBusiness)
            for (int i = 0; i < 2; ++i)
                sql("Insert Into " + t + " (ShopNo) Values ('" + schema::kShopKey + "')");
    }
    QMap<QString, QString> counts(const QStringList& tables)
    {
        QMap<QString, QString> n;
        for (const QString& t : tables)
            n[t] = scalar("select count(*) from " + t);
        return n;
    }
};

}  // namespace

TEST_F(DataWipe, EmptiesExactlyTheBusinessTablesAndTheStaffCanStillLogIn)
{
    const QMap<QString, QString> kept = counts(kKept);
    ASSERT_EQ(kept["[User]"], "3");
    ASSERT_GT(kept["DataDictionary"].toInt(), 0);
    // A table the wipe does not name keeps its rows, whatever it holds.
    sql("create table Notes (Memo text)");
    sql("Insert Into Notes Values ('keep')");

    EXPECT_TRUE(core::DeleteBusinessData().written());
    EXPECT_TRUE(messages().shown().isEmpty()) << "no message follows";
    for (const QString& t : kBusiness)
        EXPECT_EQ(scalar("select count(*) from " + t), "0") << t.toStdString();
    EXPECT_EQ(counts(kKept), kept);
    EXPECT_EQ(scalar("select count(*) from Notes"), "1");

    int mainWindows = 0;
    shell::install({[&] { ++mainWindows; }, [] {}, [] {}});
    frmLogin w;
    staff::showActive(&w);
    staff::typeAndEnter(&w, "c01", "Sale'1");
    shell::install({});
    EXPECT_EQ(mainWindows, 1);
    EXPECT_EQ(gUser.No, "c01");
    EXPECT_TRUE(messages().shown().isEmpty());
}
