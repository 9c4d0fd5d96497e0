// The connection as the rules use it: a failed statement hands back the
// engine's words and shows nothing, and a write is stored whole or not at all.
#include "core/rules/checkedwrite.h"
#include "support/basefakes.h"
#include "support/rulesfixture.h"

#include <stdexcept>

namespace {

class Connection : public RulesFixture {
protected:
    FakeServices services;
    QString store(const QString& key) const
    {
        return "Insert Into Store (GUID,ShopNo,TypeNo,Quantity) Values ('" + key + "','" + gShopNo + "','A1',1)";
    }
};

}  // namespace

TEST_F(Connection, AFailedStatementHandsBackTheEnginesWordsAndTheNextRuns)
{
    const core::Sent failed = gDbopt.Send("Selec * from Sell");
    EXPECT_TRUE(failed.failed());
    EXPECT_TRUE(failed.Error.contains("syntax error")) << failed.Error.toStdString();
    EXPECT_FALSE(failed.Rows.isOpen());
    EXPECT_EQ(failed.RecordsAffected, 0);
    const core::Sent next = gDbopt.Send("select count(*) as n from Sell");
    EXPECT_FALSE(next.failed());
    EXPECT_EQ(next.Rows.fieldText("N"), "0");
    EXPECT_EQ(gDbopt.Send("Update Shop Set ShopName=ShopName").RecordsAffected, 1);
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

TEST_F(Connection, AWriteIsStoredWholeOrNotAtAll)
{
    const struct {
        const char* what;
        std::function<core::Outcome()> write;
        core::WriteResult result;
        const char* error;  // a part of the engine's words handed back
    } cases[] = {
        {"a statement that fails half way",
         [this] { return core::WriteAll({store("K1"), "Insert Into NoSuchTable Values(1)", store("K2")}); },
         core::WriteResult::Failed, "no such table"},
        {"a refusal", [this] {
             return core::Transacted([this] {
                 const core::Outcome first = core::SendOne(store("K1"), core::WriteResult::Failed);
                 return first.written() ? core::SendOne("Update Store Set Quantity=0 Where GUID='none'",
                                                        core::WriteResult::OutOfStock)
                                        : first;
             });
         },
         core::WriteResult::OutOfStock, ""},
        {"an engine error thrown half way", [this] {
             return core::Transacted([this] {
                 const core::Outcome first = core::SendOne(store("K1"), core::WriteResult::Failed);
                 gDbopt.Send("select GUID from Store Where GUID='none'").Rows.field("GUID");
                 return first;
             });
         },
         core::WriteResult::Failed, "BOF 或 EOF 中有一个是“真”，或者当前记录已被删除。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const core::Outcome outcome = c.write();
        EXPECT_EQ(outcome.Result, c.result);
        EXPECT_TRUE(outcome.Error.contains(QString::fromUtf8(c.error))) << outcome.Error.toStdString();
        EXPECT_EQ(rows("select count(*) from Store"), "0");
        EXPECT_FALSE(gDbopt.InTransaction());
    }

    // Any other exception, and an early return, leave through the guard's end.
    QString error;
    EXPECT_THROW(
        {
            core::Transaction t(gDbopt, error);
            sql(store("K1"));
            throw std::runtime_error("out of memory");
        },
        std::runtime_error);
    {
        core::Transaction t(gDbopt, error);
        ASSERT_TRUE(t);
        sql(store("K1"));
    }
    EXPECT_FALSE(gDbopt.InTransaction());
    EXPECT_EQ(rows("select count(*) from Store"), "0");
    EXPECT_TRUE(error.isEmpty());

    // Nothing was left open: the next write goes through, in order.
    const core::Outcome stored = core::WriteAll({store("K1"), "Update Store Set Quantity=2 Where GUID='K1'"});
    EXPECT_TRUE(stored.written()) << stored.Error.toStdString();
    EXPECT_EQ(rows("select Quantity from Store"), "2");
    EXPECT_FALSE(gDbopt.InTransaction());
    EXPECT_TRUE(services.messages.shown().isEmpty());
}
