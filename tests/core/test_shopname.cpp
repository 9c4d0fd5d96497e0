// The shop list and the shop's name: what is listed, stored and held after a rename.
#include "core/frmchangeshop.h"
#include "core/frmshopsetting.h"
#include "core/modmain.h"
#include "core/shell.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class ShopName : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        shell::install({.open = {}, .followPermissions = {}, .shopRenamed = [this] { ++renamesShown; }});
    }
    void TearDown() override
    {
        shell::install({});
        ShopFixture::TearDown();
    }

    static QStringList listed(const frmChangeShop& w)
    {
        QStringList items;
        for (int i = 0; i < w.ListView->count(); ++i)
            items << w.ListView->item(i)->data(Qt::UserRole).toString() + "=" + w.ListView->item(i)->text();
        return items;
    }
    QString storedName() { return scalar("select ShopName from Shop Where GUID='" + schema::kShopKey + "'"); }

    // Edit on the list, the name typed into the dialog and OK pressed; what the
    // dialog showed first, and whether it closed.
    struct Rename {
        QString offered;
        bool offeredAllSelected = false;
        bool closed = false;
    };
    Rename rename(frmChangeShop& w, const QString& name)
    {
        Rename r;
        fakes->modal.on<frmShopSetting>([&](frmShopSetting* d) {
            r.offered = d->txtNo->text();
            r.offeredAllSelected = d->txtNo->selectedText() == d->txtNo->text();
            d->txtNo->setText(name);
            d->cmdNewGoods->click();
            r.closed = d->result() == QDialog::Accepted;
            return d->result();
        });
        w.cmdEdit->click();
        return r;
    }

    int renamesShown = 0;
};

}  // namespace

TEST_F(ShopName, ListsEveryShopWithItsKeyTheFirstSelected)
{
    sql("Insert Into Shop Values('{SECOND}',Null)");
    frmChangeShop w;
    EXPECT_EQ(w.windowTitle(), "店面管理");
    EXPECT_EQ(w.cmdEdit->text(), "修 改(&I)");
    EXPECT_EQ(w.ListView->viewMode(), QListView::IconMode);
    EXPECT_EQ(listed(w), QStringList({schema::kShopKey + "=我的店铺", "{SECOND}="}));
    for (int i = 0; i < w.ListView->count(); ++i)
        EXPECT_FALSE(w.ListView->item(i)->icon().isNull());
    ASSERT_EQ(w.ListView->selectedItems().size(), 1);
    EXPECT_EQ(w.ListView->selectedItems().first()->text(), "我的店铺");
}

TEST_F(ShopName, RenameStoresListsAndHoldsTheNameAsTyped)
{
    const struct {
        const char* name;
        const char* stored;
    } cases[] = {
        {"老王's 鞋店", "老王's 鞋店"},  // one quote, stored as one
        {"老王's 鞋店", "老王's 鞋店"},  // the same name again, rewritten unchanged
        {"''", "''"},
        {" 东门店 ", " 东门店 "},
    };
    frmChangeShop w;
    QString previous = "我的店铺";
    int renames = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Rename r = rename(w, c.name);
        EXPECT_EQ(r.offered, previous);
        EXPECT_TRUE(r.offeredAllSelected);
        EXPECT_TRUE(r.closed);
        EXPECT_TRUE(messages().shown().isEmpty());
        EXPECT_EQ(storedName(), c.stored);
        EXPECT_EQ(listed(w), QStringList({schema::kShopKey + "=" + c.name}));
        EXPECT_EQ(gShopName, c.name);
        EXPECT_EQ(renamesShown, ++renames);
        EXPECT_EQ(scalar("select count(*) from Shop"), "1");
        previous = c.name;
    }
    // The key stays, and so does every row that names the shop by it.
    EXPECT_EQ(scalar("select count(*) from SellRole Where ShopNo='" + schema::kShopKey + "'"), "1");
}

TEST_F(ShopName, AnEmptyNameIsRefused)
{
    frmChangeShop w;
    QString focused;
    fakes->modal.on<frmShopSetting>([&](frmShopSetting* d) {
        staff::showActive(d);
        d->cmdNewGoods->setFocus();
        d->txtNo->clear();
        d->cmdNewGoods->click();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        return d->result();
    });
    w.cmdEdit->click();
    EXPECT_EQ(messages().texts(), QStringList({"名称不能为空！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(messages().last().title, ui::appTitle());
    EXPECT_EQ(focused, "txtNo");
    EXPECT_EQ(storedName(), "我的店铺");
    EXPECT_EQ(gShopName, "我的店铺");
    EXPECT_EQ(renamesShown, 0);
}

// Nothing stored, nothing changed: the list, the session and the caption keep the
// old name, and the dialog stays open with the new one typed.
TEST_F(ShopName, AFailedRenameKeepsTheOldName)
{
    frmChangeShop w;
    sql("Alter Table Shop Rename To ShopAway");
    QString left;
    const Rename r = [&] {
        Rename out;
        fakes->modal.on<frmShopSetting>([&](frmShopSetting* d) {
            d->txtNo->setText("新店名");
            d->cmdNewGoods->click();
            out.closed = d->result() == QDialog::Accepted;
            left = d->txtNo->text();
            return d->result();
        });
        w.cmdEdit->click();
        return out;
    }();
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(left, "新店名");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_TRUE(messages().last().text.contains("Shop")) << "the engine's words";
    sql("Alter Table ShopAway Rename To Shop");
    EXPECT_EQ(storedName(), "我的店铺");
    EXPECT_EQ(listed(w), QStringList({schema::kShopKey + "=我的店铺"}));
    EXPECT_EQ(gShopName, "我的店铺");
    EXPECT_EQ(renamesShown, 0);
}

TEST_F(ShopName, EnterInTheNameBoxRenames)
{
    frmChangeShop w;
    fakes->modal.on<frmShopSetting>([&](frmShopSetting* d) {
        staff::showActive(d);
        d->txtNo->setFocus();
        QTest::keyClicks(d->txtNo, "East");  // replaces the selected name
        QTest::keyClick(d->txtNo, Qt::Key_Return);
        return d->result();
    });
    w.cmdEdit->click();
    EXPECT_EQ(storedName(), "East");
    EXPECT_EQ(gShopName, "East");
}

// Whichever shop is chosen, the program's one shop is the one renamed.
TEST_F(ShopName, RenameAlwaysAppliesToTheProgramsShop)
{
    sql("Insert Into Shop Values('{SECOND}','分店')");
    frmChangeShop w;
    w.ListView->setCurrentRow(1);
    const Rename r = rename(w, "总店");
    EXPECT_EQ(r.offered, "分店");
    EXPECT_EQ(listed(w), QStringList({schema::kShopKey + "=总店", "{SECOND}=分店"}));
    EXPECT_EQ(storedName(), "总店");
    EXPECT_EQ(scalar("select ShopName from Shop Where GUID='{SECOND}'"), "分店");
}

TEST_F(ShopName, EditWithNoShopChosenDoesNothing)
{
    {
        frmChangeShop w;
        w.ListView->clearSelection();
        w.cmdEdit->click();  // a dialog would fail the test: none is scripted
    }
    sql("delete from Shop");
    frmChangeShop empty;
    EXPECT_EQ(empty.ListView->count(), 0);
    empty.cmdEdit->click();
    EXPECT_TRUE(fakes->modal.opened().isEmpty());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ShopName, AddModeInsertsANewShop)
{
    frmChangeShop w;
    frmShopSetting d(&w);
    d.LoadIt(1, "O'Brien");
    d.cmdNewGoods->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(w.ListView->count(), 2);
    const QString key = w.ListView->item(1)->data(Qt::UserRole).toString();
    EXPECT_EQ(key.size(), 38);
    EXPECT_EQ(w.ListView->item(1)->text(), "O'Brien");
    EXPECT_EQ(scalar("select ShopName from Shop Where GUID='" + key + "'"), "O'Brien");
    EXPECT_EQ(gShopName, "我的店铺");
    EXPECT_EQ(renamesShown, 0);
}
