// The writes that set the shop up, without a window: what each stores, and a
// failure handed back with the engine's words and nothing stored.
#include "core/rules/datawipe.h"
#include "core/rules/roles.h"
#include "core/rules/shopsetup.h"
#include "core/rules/users.h"
#include "support/rulesfixture.h"

#include <functional>

namespace {

class ShopSetupWrites : public RulesFixture {
protected:
    // A role row with the Role table's permissions, all granted or none.
    core::RoleRow role(const QString& guid, const QString& name, bool granted)
    {
        core::RoleRow row{guid, name, {}};
        jet::RecordSet rs = sql("select * from Role");
        for (int c = 2; c < rs.fieldCount(); ++c)
            row.Flags.append({rs.fieldName(c), granted});
        return row;
    }
};

}  // namespace

TEST_F(ShopSetupWrites, StoreWhatTheyAreGiven)
{
    const QString admin = schema::kAdminRoleKey;
    core::SellRoleRow rules = gSellRole;
    rules.BackDays = 7;
    rules.IsPrint = true;
    rules.PrinterType = 1;
    // One after the other, on one database.
    const struct {
        const char* what;
        std::function<core::Outcome()> write;
        QString query;
        QString stored;
    } steps[] = {
        {"a new user, quotes kept",
         [&] { return core::WriteUser({"U1", "o'1", "王'", "p'w", admin, "系统管理员"}, core::RowKind::New); },
         "select [No],Name,pwd,RoleGUID,RoleName from [User] Where GUID='U1'", "o'1,王',p'w," + admin + ",系统管理员"},
        {"the user changed",
         [&] { return core::WriteUser({"U1", "c01", "张", "x", "R1", "收银"}, core::RowKind::Existing); },
         "select [No],Name,pwd,RoleGUID,RoleName from [User] Where GUID='U1'", "c01,张,x,R1,收银"},
        {"a new password", [] { return core::ChangePassword("c01", "n'ew"); },
         "select pwd from [User] Where GUID='U1'", "n'ew"},
        {"a new role", [&] { return core::WriteRole(role("R1", "收'银", false), core::RowKind::New); },
         "select Name,Sell,Profit from Role Where GUID='R1'", "收'银,0,0"},
        {"the role changed", [&] { return core::WriteRole(role("R1", "收银员", true), core::RowKind::Existing); },
         "select Name,Sell,Profit from Role Where GUID='R1'", "收银员,-1,-1"},
        {"the role goes with its users", [] { return core::DeleteRole("R1"); },
         "select count(*) from Role Where GUID='R1' Union All select count(*) from [User] Where GUID='U1'", "0|0"},
        {"a user deleted",
         [&] {
             const core::Outcome added = core::WriteUser({"U2", "g01", "李", "", admin, ""}, core::RowKind::New);
             return added.written() ? core::DeleteUser("U2") : added;
         },
         "select count(*) from [User] Where GUID='U2'", "0"},
        {"the shop's rules", [&] { return core::WriteSellRole(rules); },
         "select BackDays,IsPrint,PrinterType,ChangeDays from SellRole Where ShopNo='" + gSellRole.ShopNo + "'",
         "7,-1,1,0"},
        {"the backup setting", [] { return core::WriteBackupSetting({"/srv/b'k", "/", "/srv", "s'hop.db", true}); },
         "select dirpath,Drive,Dir,FileName,IsSave from FileSave", "/srv/b'k,/,/srv,s'hop.db,-1"},
        {"the shop renamed", [] { return core::RenameShop(schema::kShopKey, "O'店"); },
         "select ShopName from Shop", "O'店"},
        {"a shop added", [] { return core::AddShop("S2", "二号店"); },
         "select ShopName from Shop Where GUID='S2'", "二号店"},
        {"two pick list entries",
         [] {
             const core::Outcome first = core::AddPickListEntry("品牌", "Mi'sc");
             return first.written() ? core::AddPickListEntry("品牌", "mi'sc") : first;
         },
         "select Content from DataDictionary Where Content Like 'mi''sc'", "Mi'sc|mi'sc"},
        {"an entry deleted in its own letter case", [] { return core::DeletePickListEntry("品牌", "Mi'sc"); },
         "select Content from DataDictionary Where Content Like 'mi''sc'", "mi'sc"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        const core::Outcome outcome = s.write();
        EXPECT_TRUE(outcome.written()) << outcome.Error.toStdString();
        EXPECT_TRUE(outcome.Error.isEmpty());
        EXPECT_EQ(rows(s.query), s.stored);
    }
}

TEST_F(ShopSetupWrites, AFailureHandsBackTheEngineWordsAndStoresNothing)
{
    sql("Insert Into Role (GUID,Name) Values ('R1','收银')");
    sql("Insert Into [User] (GUID,[No],RoleGUID) Values ('U1','c01','R1')");
    sql("Insert Into Sell (ShopNo) Values ('" + gShopNo + "')");
    sql("Insert Into FactoryBackTotal (ShopNo) Values ('" + gShopNo + "')");
    const QString everything = "select (select count(*) from Role),(select count(*) from [User]),"
                               "(select group_concat(pwd) from [User]),(select count(*) from Sell),"
                               "(select count(*) from FactoryBackTotal),"
                               "(select group_concat(ShopName) from Shop),(select BackDays from SellRole),"
                               "(select FileName from FileSave),(select count(*) from DataDictionary)";
    const QString before = rows(everything);
    core::SellRoleRow rules = gSellRole;
    rules.BackDays = 9;
    const struct {
        const char* table;
        const char* kind;
        std::function<core::Outcome()> write;
    } cases[] = {
        {"User", "INSERT", [] { return core::WriteUser({"U2", "c02", "", "", "R1", ""}, core::RowKind::New); }},
        {"User", "UPDATE", [] { return core::ChangePassword("c01", "x"); }},
        {"User", "DELETE", [] { return core::DeleteRole("R1"); }},  // the role's own delete went first
        {"User", "DELETE", [] { return core::DeleteUser("U1"); }},
        {"Role", "UPDATE", [&] { return core::WriteRole(role("R1", "新", true), core::RowKind::Existing); }},
        {"SellRole", "UPDATE", [&] { return core::WriteSellRole(rules); }},
        {"FileSave", "UPDATE", [] { return core::WriteBackupSetting({"/x", "/", "/", "x.db", false}); }},
        {"Shop", "UPDATE", [] { return core::RenameShop(schema::kShopKey, "新"); }},
        {"DataDictionary", "INSERT", [] { return core::AddPickListEntry("品牌", "新"); }},
        {"FactoryBackTotal", "DELETE", [] { return core::DeleteBusinessData(); }},  // the last of the deletes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.kind);
        rulestest::FailWrites(c.table, c.kind);
        const core::Outcome outcome = c.write();
        rulestest::AllowWritesAgain(c.table, c.kind);
        EXPECT_EQ(outcome.Result, core::WriteResult::Failed);
        EXPECT_EQ(outcome.Error, QString(c.table) + " cannot be written");
        EXPECT_EQ(rows(everything), before);
        EXPECT_FALSE(gDbopt.InTransaction());
    }
}
