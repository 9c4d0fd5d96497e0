// A shop's day, end to end, on one database and through the windows' own
// controls, every window opened from the main window: the deliveries, the
// counter, a void, a return, an exchange, problem stock back to the factory, an
// expense and each seller's settlement; then the queries read against figures
// worked out by hand, and the exit with its backup copy, which opens again as
// the shop's database.
#include "aftersales/frmchange.h"
#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmfactoryback.h"
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmbackup.h"
#include "core/frmlogin.h"
#include "core/frmrelogin.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "core/shell.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmbuyin.h"
#include "goods/frmputin.h"
#include "platform/drivelists.h"
#include "platform/flexgrid.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "reports/frmotherout.h"
#include "reports/frmprofit.h"
#include "reports/frmsellquery.h"
#include "reports/frmstore.h"
#include "sales/frmamounttotal.h"
#include "sales/frmblankout.h"
#include "sales/frmdayamount.h"
#include "sales/frmsell.h"
#include "support/shopfixture.h"
#include "support/staff.h"
#include "support/xlsx.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <typeinfo>

namespace {

using Cells = QList<std::pair<QString, QString>>;

// The first data row whose cells hold those texts; -1 when none does.
int rowWith(const FlexGrid& g, const Cells& cells)
{
    for (int r = 1; r < g.rows(); ++r) {
        bool all = true;
        for (const auto& [key, text] : cells)
            all = all && g.text(r, key) == text;
        if (all)
            return r;
    }
    return -1;
}

// Every row of the grid, fixed column first, the cells of those keys joined by "|".
QStringList rows(const FlexGrid& g, const QStringList& keys, bool withFixed = true)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r) {
        QStringList cells;
        if (withFixed)
            cells << g.textMatrix(r, 0);
        for (const QString& key : keys)
            cells << g.text(r, key);
        out << cells.join('|');
    }
    return out;
}

void choose(QComboBox* combo, const QString& entry)
{
    const int i = combo->findText(entry);
    ASSERT_GE(i, 0) << entry.toStdString();
    combo->setCurrentIndex(i);
}

void tick(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    found.first()->setCheckState(Qt::Checked);
}

// Types into a cell of an editable grid as the clerk does: F2, the text, Enter.
void typeIntoCell(FlexGrid& g, int r, int c, const QString& text)
{
    g.setFocus();
    ASSERT_TRUE(g.setRow(r) && g.setCol(c));
    QTest::keyClick(&g, Qt::Key_F2);
    QWidget* editor = g.indexWidget(g.currentIndex());
    ASSERT_NE(editor, nullptr) << r << "," << c;
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

// Types over the text of a box, as after selecting it all.
void typeOver(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

class ShopDay : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        app::InstallMainWindow();
    }
    void TearDown() override
    {
        delete frmMain::current();
        shell::install({});
        ShopFixture::TearDown();
    }

    // Opens a modal window with `open` and works in it with `step`, the window
    // shown and active as its modal run would have it.
    template <typename Window>
    void inWindow(const std::function<void()>& open, const std::function<void(Window&)>& step)
    {
        int opened = 0;
        fakes->modal.on<Window>([&](Window* w) {
            ++opened;
            // A window opened over another modal window must be activated itself.
            w->show();
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }))
                << w->metaObject()->className();
            step(*w);
            return w->result();
        });
        open();
        EXPECT_EQ(opened, 1) << typeid(Window).name();
        // The script above dies with this call; the window must not open again unasked.
        fakes->modal.on<Window>([](Window* w) {
            ADD_FAILURE() << "opened unasked: " << w->metaObject()->className();
            return int(QDialog::Rejected);
        });
    }
    // The same through a menu item of the main window, which must be enabled.
    template <typename Window>
    void in(QAction* item, const std::function<void(Window&)>& step)
    {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        inWindow<Window>([item] { item->trigger(); }, step);
    }

    // The messages shown since the last call were exactly these.
    void said(const QStringList& texts)
    {
        EXPECT_EQ(messages().texts(), texts);
        messages().clear();
    }

    // Logs in at the start of the program.
    frmMain* startAs(const QString& no, const QString& pwd)
    {
        inWindow<frmLogin>([] { ASSERT_TRUE(core::Main()); }, [&](frmLogin& w) { staff::typeAndEnter(&w, no, pwd); });
        EXPECT_EQ(gUser.No, no);
        return frmMain::current();
    }
    // Another seller takes over the counter through "更换用户".
    void switchTo(frmMain& main, const QString& no, const QString& pwd)
    {
        in<frmReLogin>(main.ReLogin, [&](frmReLogin& w) { staff::typeAndEnter(&w, no, pwd); });
        EXPECT_EQ(gUser.No, no);
    }

    struct Piece {
        QString typeNo, colour, size;
        QString quantity;
        QString abate{};    // a discount, or
        QString special{};  // a special price
    };
    // Finds the goods by number, picks the colour and size in the stock list and
    // adds the pieces, all by keyboard.
    static void ring(frmSell& w, const Piece& p)
    {
        typeOver(w.txtNo, p.typeNo);
        const int r = rowWith(*w.VSFlexGrid, {{"货号", p.typeNo}, {"颜色", p.colour}, {"尺码", p.size}});
        ASSERT_GE(r, 1) << p.typeNo.toStdString() << " " << p.colour.toStdString() << " " << p.size.toStdString();
        w.VSFlexGrid->setFocus();
        w.VSFlexGrid->setRow(r);
        enter(w.VSFlexGrid);
        ASSERT_TRUE(w.txtQuatity->hasFocus());
        QTest::keyClicks(w.txtQuatity, p.quantity);
        enter(w.txtQuatity);
        ASSERT_TRUE(w.txtAbate->hasFocus());
        if (p.special.isEmpty()) {
            QTest::keyClicks(w.txtAbate, p.abate);
            enter(w.txtAbate);
        } else {
            QTest::keyClick(w.txtAbate, Qt::Key_Down);
            ASSERT_TRUE(w.txtChangePrice->hasFocus());
            QTest::keyClicks(w.txtChangePrice, p.special);
            enter(w.txtChangePrice);
        }
        ASSERT_TRUE(w.txtReciveAmout->hasFocus());
    }
    // F4, the customer's money, Enter, Yes.
    void pay(frmSell& w, const QString& received, const QString& change)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        ASSERT_TRUE(w.txtReciveAmout->hasFocus());
        QTest::keyClicks(w.txtReciveAmout, received);
        EXPECT_EQ(w.lb->text(), change);
        messages().answerYes();
        enter(w.txtReciveAmout);
        said({"确认要结帐吗？"});
        EXPECT_EQ(w.VSSell->rows(), 1) << "the counter is cleared for the next customer";
    }
    // Ticks the "销售编号" search and finds the sale's lines.
    template <typename Window>
    static void findSale(Window& w, const QString& sellNo)
    {
        if (!w.chkNo->isChecked())
            w.chkNo->click();
        typeOver(w.txtSellNo, sellNo);
        w.cmdQuery->click();
    }
    static QStringList dayFigures(const frmDayAmount& w)
    {
        return {w.lbDate->text(),        w.LbSeller->text(),       w.lbSellCount->text(),
                w.lbSellMny->text(),     w.lbBackCount->text(),    w.lbBackAmount->text(),
                w.lbChangeCount->text(), w.lbChangeAmount->text(), w.lbRecive->text()};
    }
    static QStringList profitFigures(const frmProfit& w)
    {
        QStringList out;
        for (QLabel* l : {w.lbInQuantity, w.lbInAmount, w.lbSellQuantity, w.lbSellAmount, w.lbBackQuantity,
                          w.lbBackAmount, w.lbStoreQuantity, w.lbQuestionQuantity, w.lbStorePrice, w.lbProfit,
                          w.lbOtherAmount, w.lbProfitEx})
            out << l->text();
        return out;
    }
};

}  // namespace

TEST_F(ShopDay, OneDayFromTheDeliveryToTheBackupCopy)
{
    // The prices chosen, and what the day makes of them:
    //   T-100 shirt (上衣, 青禾), cost 60, retail 150: 黑色 M 3, 黑色 L 2, 白色 M 1, 白色 L 4;
    //   from the workbook,
    //   S-200 shoe (男鞋, 远帆), cost 80, retail 199: 黑色 40 2, 41 3, 42 1;
    //   S-300 shoe (女鞋, 步云), cost 50, retail 120: 白色 37 2.
    // 18 pieces received at 1180.
    // Sale 0001 (admin): 2 × T-100 黑 M at 8 = 2 × 120, S-200 41 at the special price 180; paid 500.
    // Sale 0002 (admin): S-300 37 at 120, T-100 白 L at 150; paid 300.
    // Sale 0003 (c01):   T-100 黑 L at 9 = 135, 2 × S-200 40 at 199; paid 600.
    // c01 voids the T-100 of 0003; the customer of 0001 returns both T-100 (problem
    // stock, cost 60 each); the S-300 of 0002 is exchanged for S-200 42 at 160 (+40);
    // one problem T-100 goes back to the factory for 55; 80 spent on electricity.
    staff::addRole("{DA700000-0000-4000-8000-000000000001}", "收银员", {"Sell", "SellBlankOut", "DayAmount"});
    staff::addUser("c01", "李收银", "c01", "{DA700000-0000-4000-8000-000000000001}");

    // The shop opens: the administrator logs in.
    frmMain* main = startAs("admin", "admin");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(main->isVisible());

    // 1a. The shirts arrive: the intake desk's colour-by-size button, the matrix typed in.
    in<frmBuyIn>(main->BuyIn, [&](frmBuyIn& desk) {
        inWindow<frmbatchbuyIn>([&] { desk.Command1->click(); }, [&](frmbatchbuyIn& w) {
            w.txtNo->setText("T-100");
            choose(w.comName, "上衣");
            choose(w.comBrand, "青禾");
            w.txtPrice->setText("60");
            w.txtSellPrice->setText("150");
            w.txtBlock->setText("6901001");
            w.txtFloor->setText("B-1");
            for (const char* colour : {"黑色", "白色"})
                tick(w.listCoulor, colour);
            for (const char* size : {"M", "L"})
                tick(w.listSize, size);
            FlexGrid& g = *w.VSFlexGrid;
            typeIntoCell(g, 1, 1, "3");
            typeIntoCell(g, 1, 2, "2");
            typeIntoCell(g, 2, 1, "1");
            typeIntoCell(g, 2, 2, "4");
            EXPECT_EQ(g.textMatrix(3, 3), "10");
            messages().answerYes();
            w.cmdInStore->click();
            said({"确认要入库么？"});
        });
        EXPECT_EQ(rows(*desk.VSFlexGrid, {"货号", "颜色", "尺码"}, false).size(), 4) << "the desk lists the receipt";
    });

    // 1b. The shoe supplier's list comes as a workbook: "6-进货单数据导入".
    const QString book = folder() + "/远帆进货单.xlsx";
    {
        QList<XlsxCell> cells = {{1, 1, "远帆鞋业进货单"}};
        for (int i = 0; i < 6; ++i)
            cells << XlsxCell{3, 6 + i, 37 + i};  // sizes 37 to 42 in columns 6 to 11
        cells << XlsxCell{4, 1, "远帆"} << XlsxCell{4, 2, "S-200"} << XlsxCell{4, 3, "男鞋"} << XlsxCell{4, 5, "黑色"}
              << XlsxCell{4, 9, 2} << XlsxCell{4, 10, 3} << XlsxCell{4, 11, 1} << XlsxCell{4, 17, 80}
              << XlsxCell{4, 18, 199};
        cells << XlsxCell{5, 1, "步云"} << XlsxCell{5, 2, "S-300"} << XlsxCell{5, 3, "女鞋"} << XlsxCell{5, 5, "白色"}
              << XlsxCell{5, 6, 2} << XlsxCell{5, 17, 50} << XlsxCell{5, 18, 120};
        ASSERT_TRUE(WriteXlsx(book, cells));
    }
    in<frmPutIn>(main->putin, [&](frmPutIn& w) {
        fakes->files.nextPath = book;
        w.cmdSelect->click();
        ASSERT_TRUE(w.cmdPutIn->isEnabled());
        w.txtEndrow->setText("5");
        w.cmdPutIn->click();
        said({"导入成功!"});
    });

    // 2. The administrator sells at the counter: a discount and a special price,
    // then F8 for a second receipt; a second customer at full price.
    in<frmSell>(main->SellOut, [&](frmSell& w) {
        EXPECT_EQ(w.lbNo->text(), "202403050001");
        ring(w, {"T-100", "黑色", "M", "2", "8"});
        ring(w, {"S-200", "黑色", "41", "1", {}, "180"});
        EXPECT_EQ(rows(*w.VSSell, {"货号", "折扣", "应收金额"}, false),
                  QStringList({"T-100|8|120", "T-100|8|120", "S-200|特价|180"}));
        EXPECT_EQ(w.lbAmount->text(), "420");
        pay(w, "500", "80");
        EXPECT_EQ(w.lbNo->text(), "202403050002");

        messages().answerYes();
        QTest::keyClick(w.txtNo, Qt::Key_F8);
        said({"确定要进行重复打印吗？"});
        ASSERT_EQ(fakes->receipts.printed.size(), 1) << "the shop does not print at checkout; F8 does";
        QString receipt;
        for (const ui::PrintBlock& b : fakes->receipts.printed.first())
            receipt += b.text;
        // Retail 150 + 150 + 199, charged 420, so 79 saved; 500 paid, 80 back.
        for (const char* text : {"销售编号：202403050001", "应收合计：499", "实收合计：420", "优惠合计：79",
                                 "客人付款：500", "找回金额：80"})
            EXPECT_TRUE(receipt.contains(QString::fromUtf8(text))) << text << "\n" << receipt.toStdString();

        ring(w, {"S-300", "白色", "37", "1", "10"});  // "10" is full price
        ring(w, {"T-100", "白色", "L", "1", "10"});
        EXPECT_EQ(w.lbAmount->text(), "270");
        pay(w, "300", "30");
    });

    // The cashier takes over the counter and rings up the third sale.
    switchTo(*main, "c01", "c01");
    in<frmSell>(main->SellOut, [&](frmSell& w) {
        EXPECT_EQ(w.lbNo->text(), "202403050003");
        EXPECT_EQ(w.lbOpt->text(), "李收银");
        ring(w, {"T-100", "黑色", "L", "1", "9"});
        ring(w, {"S-200", "黑色", "40", "2", "10"});
        EXPECT_EQ(w.lbAmount->text(), "533");
        pay(w, "600", "67");
    });

    // 3. The shirt of the third sale was rung up in error: the cashier voids it.
    in<frmBlankout>(main->BlankOut, [&](frmBlankout& w) {
        typeOver(w.txtSellNo, "202403050003");
        enter(w.txtSellNo);
        FlexGrid& g = *w.VSFlexGrid;
        ASSERT_EQ(rows(g, {"货号", "金额"}, false), QStringList({"T-100|135", "S-200|199", "S-200|199"}));
        g.setRow(rowWith(g, {{"货号", "T-100"}}));
        enter(&g);
        ASSERT_TRUE(w.comResion->hasFocus());
        choose(w.comResion, "顾客取消购买");
        messages().answerYes();
        w.cmdOk->click();
        said({"确认要作废该次售货吗？"});
        EXPECT_EQ(rows(g, {"货号"}, false), QStringList({"S-200", "S-200"}));
    });
    switchTo(*main, "admin", "admin");

    // 4. The first customer brings both shirts back, faulty: into problem stock.
    in<frmClientBack>(main->ClientBack, [&](frmClientBack& w) {
        findSale(w, "202403050001");
        FlexGrid& g = *w.VSFlexGrid;
        ASSERT_EQ(g.rows(), 4);
        for (int i = 0; i < 2; ++i) {
            g.setRow(rowWith(g, {{"货号", "T-100"}}));
            EXPECT_EQ(w.lb->text(), "120");
            EXPECT_TRUE(w.Opt->isChecked()) << "problem stock is the default";
            messages().answerYes();
            w.cmdOk->click();
        }
        said({"确认要退货吗？", "确认要退货吗？"});
        EXPECT_EQ(rows(g, {"货号"}, false), QStringList({"S-200"}));
    });

    // 5. The second customer exchanges the S-300 for an S-200 in 42 at a special price of 160.
    in<frmClientBackChange>(main->ClientBackChange, [&](frmClientBackChange& w) {
        findSale(w, "202403050002");
        FlexGrid& g = *w.VSFlexGrid;
        ASSERT_EQ(g.rows(), 3);
        g.setRow(rowWith(g, {{"货号", "S-300"}}));
        choose(w.comResion, "款式不喜欢");
        inWindow<frmChange>([&] { w.cmdChange->click(); }, [&](frmChange& p) {
            typeOver(p.txtNo, "S-200");
            const int r = rowWith(*p.VSFlexGrid, {{"尺码", "42"}});
            ASSERT_GE(r, 1);
            p.VSFlexGrid->setRow(r);
            p.OptChangePrice->click();
            ASSERT_TRUE(p.txtChangePrice->hasFocus());
            typeOver(p.txtChangePrice, "160");
            enter(p.txtChangePrice);
            messages().answerYes();
            p.cmdOk->click();
        });
        said({"确定要调换吗？"});
        EXPECT_EQ(QStringList({w.lbHave->text(), w.lbAmount->text(), w.lbBackAdd->text()}),
                  QStringList({"120", "160", "40"}));
        w.cmdOk->click();
        said({"调换成功！"});
        EXPECT_EQ(rows(g, {"货号"}, false), QStringList({"T-100"}));
    });

    // 6. One of the faulty shirts goes back to the factory, which refunds 55.
    in<frmFactoryBack>(main->CompanyBack, [&](frmFactoryBack& w) {
        FlexGrid& g = *w.VSFlexGrid;
        ASSERT_EQ(rows(g, {"货号", "进价", "数量"}, false), QStringList({"T-100|60|1", "T-100|60|1"}));
        const QModelIndex tickCell = g.model()->index(0, g.colIndex("选中") - 1);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(tickCell).center());
        EXPECT_EQ(w.txtAmount->text(), "60") << "the cost is proposed";
        typeOver(w.txtAmount, "55");
        w.cmdRegist->click();
        said({"退货成功！"});
        EXPECT_EQ(g.rows(), 2);
    });

    // 7. The electricity bill is paid from the till.
    in<frmOtherOut>(main->OtherOut, [&](frmOtherOut& w) {
        choose(w.comItem, "水电费");
        typeOver(w.txtAmount, "80");
        w.txtMemo->setText("三月电费");
        w.cmdQuery->click();
        said({"保存成功！"});
    });

    // 8. Each seller settles the day. A line counts as sold as it stands now: the
    // exchanged S-300 line holds its replacement's 160, and the exchange adds its
    // 40 on top; the void takes no part.
    in<frmDayAmount>(main->DayAmount, [&](frmDayAmount& w) {
        w.cmdCheckOut->click();
        EXPECT_EQ(dayFigures(w), QStringList({"2024-03-05", "管理员", "5", "￥730", "2", "￥240", "1", "￥40",
                                              "￥530"}));
    });
    switchTo(*main, "c01", "c01");
    in<frmDayAmount>(main->DayAmount, [&](frmDayAmount& w) {
        w.cmdCheckOut->click();
        EXPECT_EQ(dayFigures(w),
                  QStringList({"2024-03-05", "李收银", "3", "￥533", "0", "￥0", "0", "￥0", "￥533"}));
    });
    switchTo(*main, "admin", "admin");

    // 9. The evening's queries.
    // Stock: 18 in, 8 sold, the void and the exchange give one back each, the
    // exchange takes one; the returned shirts are problem stock, one still there.
    in<frmStore>(main->StoreQuery, [&](frmStore& w) {
        EXPECT_EQ(rows(*w.VSFlexGrid, {"货号", "颜色", "尺码", "数量"}),
                  QStringList({"总合计||||11", "|T-100|黑色|M|1", "|T-100|黑色|L|2", "|T-100|白色|M|1",
                               "|T-100|白色|L|3", "|合计|||7", "|S-200|黑色|40|0", "|S-200|黑色|41|2",
                               "|S-200|黑色|42|0", "|合计|||2", "|S-300|白色|37|2", "|合计|||2"}));
        // What is sold out left out, then the goods number typed.
        w.chkZero->click();
        w.cmdQuery->click();
        EXPECT_EQ(rows(*w.VSFlexGrid, {"货号", "尺码", "数量"}),
                  QStringList({"总合计|||11", "|T-100|M|1", "|T-100|L|2", "|T-100|M|1", "|T-100|L|3", "|合计||7",
                               "|S-200|41|2", "|合计||2", "|S-300|37|2", "|合计||2"}));
        typeOver(w.txtNo, "S-");
        EXPECT_EQ(rows(*w.VSFlexGrid, {"货号", "尺码", "数量"}),
                  QStringList({"总合计|||4", "|S-200|41|2", "|合计||2", "|S-300|37|2", "|合计||2"}));
        w.TabStrip->setCurrentIndex(1);
        EXPECT_EQ(rows(*w.VSQuestion, {"货号", "进价", "数量", "问题"}),
                  QStringList({"|T-100|60|1|质量问题", "|合计|60|1|"}));
    });
    // Sales: the lines still sold, the exchanged one as its replacement.
    in<frmSellQuery>(main->SellQuery, [&](frmSellQuery& w) {
        w.cmdQuery->click();
        EXPECT_EQ(rows(*w.VSSell, {"货号", "尺码", "数量", "实收金额", "销售编号"}),
                  QStringList({"总合计|||5|888|", "|S-200|40|1|199|202403050003", "|S-200|40|1|199|202403050003",
                               "|S-200|41|1|180|202403050001", "|S-200|42|1|160|202403050002", "|合计||4|738|",
                               "|T-100|L|1|150|202403050002", "|合计||1|150|"}));
        EXPECT_EQ(w.lbCount->text(), "5");
        EXPECT_EQ(w.lbAmount->text(), "￥888");
    });
    // Histories: the exchange and the returns with what was paid, by the operator.
    in<frmBackChangeQuery>(main->ClientChangeQuery, [&](frmBackChangeQuery& w) {
        const QStringList keys = {"货号", "尺码", "应收金额", "销售员", "销售日期"};
        EXPECT_EQ(rows(*w.VSChange, keys + QStringList{"调换日期", "调换原因"}, false),
                  QStringList({"S-300|37|120|管理员|2024-03-05|2024-03-05|款式不喜欢"}));
        w.TabStrip->setCurrentIndex(1);
        EXPECT_EQ(rows(*w.VSBack, keys + QStringList{"退货日期", "退货原因"}, false),
                  QStringList(2, "T-100|M|120|管理员|2024-03-05|2024-03-05|质量问题"));
    });
    in<frmBackFactoryQuery>(main->Back, [&](frmBackFactoryQuery& w) {
        EXPECT_EQ(rows(*w.VSFlexGrid, {"货号", "数量", "退货金额", "退货日期"}, false),
                  QStringList({"T-100|1|60|2024-03-05", "合计|1|60|"}));
    });
    in<frmBlankOutQuery>(main->BlankOutQuery, [&](frmBlankOutQuery& w) {
        EXPECT_EQ(rows(*w.VSBlankOut, {"货号", "应收金额", "销售员", "作废日期", "作废原因"}, false),
                  QStringList({"T-100|135|李收银|2024-03-05|顾客取消购买"}));
    });
    // Profit: 5 lines still sold, 888 charged against 380 of cost; 11 pieces left
    // in the batches at 680 and one problem shirt at 60; 80 spent.
    in<frmProfit>(main->Profit, [&](frmProfit& w) {
        w.cmdQuery->click();
        EXPECT_EQ(profitFigures(w), QStringList({"18", "1180", "5", "888", "1", "55", "11", "1", "740", "508", "80",
                                                 "428"}));
    });
    said({});

    // 10. Closing time: the backup copy is switched on, and the program left.
    const QString backupFolder = DirListBox::cleanPath(folder()) + "/备份";
    ASSERT_TRUE(QDir().mkpath(backupFolder));
    in<frmBackup>(main->BackUpDate, [&](frmBackup& w) {
        ASSERT_TRUE(w.Dir->setPath(backupFolder));
        w.txtFileName->setText("三月五日");
        if (!w.IsSave->isChecked())
            w.IsSave->click();
        w.cmdSave->click();
        said({"保存成功！"});
    });
    QPointer<frmMain> closing = main;
    messages().answerYes();
    main->Exit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull()) << "the program ends";
    said({"确认要退出系统吗？"});
    EXPECT_FALSE(gDbopt.IsConnected());
    const QString copy = backupFolder + "/三月五日.mdb";
    ASSERT_TRUE(QFileInfo::exists(copy));

    // The next morning the copy is the shop's database: the day's sales and
    // both settlements are in it.
    const QString nextDay = folder() + "/次日";
    ASSERT_TRUE(QDir().mkpath(nextDay));
    ASSERT_TRUE(QFile::copy(copy, nextDay + "/" + schema::kDatabaseFileName));
    ui::setProgramFolder(nextDay);
    frmMain* again = startAs("admin", "admin");
    ASSERT_NE(again, nullptr);
    in<frmSellQuery>(again->SellQuery, [&](frmSellQuery& w) {
        w.cmdQuery->click();
        EXPECT_EQ(w.lbCount->text(), "5");
        EXPECT_EQ(w.lbAmount->text(), "￥888");
    });
    in<frmAmountTotal>(again->AmountTotal, [&](frmAmountTotal& w) {
        w.cmdQuery->click();
        EXPECT_EQ(rows(*w.VSAmountTotal, {"销售员", "售货数量", "售货金额", "结算金额"}),
                  QStringList({"总计||8|1263|1063", "|管理员|5|730|530", "|李收银|3|533|533"}));
    });
    in<frmProfit>(again->Profit, [&](frmProfit& w) {
        w.cmdQuery->click();
        EXPECT_EQ(profitFigures(w), QStringList({"18", "1180", "5", "888", "1", "55", "11", "1", "740", "508", "80",
                                                 "428"}));
    });
    said({});
}
