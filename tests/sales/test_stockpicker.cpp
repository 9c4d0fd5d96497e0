// The stock list a piece is taken from: the shop's stock rows in stock with the
// columns of each window, the goods-number filter, and the price boxes charging
// one piece.
#include "sales/stockpicker.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

using sales::StockPicker;

namespace {

class StockPicking : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        stock("{00000000-0000-0000-0000-0000000000E1}", "K-100", 5, "85", "690001");
        stock("{00000000-0000-0000-0000-0000000000E2}", "K'200", 1, "99.5", "69'02");
        stock("{00000000-0000-0000-0000-0000000000E3}", "QK-1005", 2, "120", "690003");
        stock("{00000000-0000-0000-0000-0000000000E4}", "K-400", 0, "60", "690004");  // sold out
        stock("{00000000-0000-0000-0000-0000000000E5}", "K-100", 5, "85", "690001", "{ANOTHER-SHOP}");
    }

    void stock(const QString& key, const QString& typeNo, int quantity, const QString& price, const QString& idCode,
               const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + key + "','" + (shop.isEmpty() ? gShopNo : shop) + "'," +
            core::SqlQuote(typeNo) + ",'夹克','青禾','XL','黑','棉','一等','广州'," + QString::number(quantity) + "," +
            price + "," + core::SqlQuote(idCode) + ",'A-1')");
    }

    static QStringList goodsNumbers(const StockPicker& p)
    {
        QStringList shown;
        for (int r = 1; r < p.VSFlexGrid->rows(); ++r)
            shown << p.VSFlexGrid->text(r, "货号");
        shown.sort();
        return shown;
    }

    QWidget window;
};

}  // namespace

TEST_F(StockPicking, ListsTheShopsStockInStockWithTheWindowsColumns)
{
    const QStringList captions = {"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量", "零售价"};
    const struct {
        QString moreColumns;
        double width;
        QStringList captions;
    } cases[] = {{",IDCode as 条码", 1148, captions + QStringList{"条码"}}, {"", 1000, captions}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        QWidget w;
        StockPicker p(&w, c.moreColumns, c.width);
        p.LoadStockList();
        const FlexGrid& g = *p.VSFlexGrid;
        QStringList shown;
        for (int col = 1; col < g.cols(); ++col)
            shown << g.textMatrix(0, col);
        EXPECT_EQ(shown, c.captions);
        EXPECT_TRUE(g.colHidden(1));
        EXPECT_EQ(g.colWidth(2), c.width);
        EXPECT_EQ(goodsNumbers(p), QStringList({"K'200", "K-100", "QK-1005"})) << "in stock, in this shop";
        EXPECT_EQ(g.row(), 1);
        EXPECT_EQ(p.Current("零售价"), g.text(1, "零售价"));

        // The controls are the window's, under the names its callers find them by.
        for (QWidget* control : std::initializer_list<QWidget*>{p.VSFlexGrid, p.txtNo, p.OptAbate, p.txtAbate,
                                                                p.OptChangePrice, p.txtChangePrice})
            EXPECT_EQ(w.findChild<QWidget*>(control->objectName()), control);
        EXPECT_TRUE(p.OptAbate->isChecked());
        EXPECT_EQ(p.txtAbate->text(), "全");
    }

    // Another condition on the shop's stock in stock, as a scanned bar code is.
    StockPicker p(&window, ",IDCode as 条码", 1148);
    p.BindStock(StockPicker::InStock() + " And IDCode=" + core::SqlQuote("69'02"));
    EXPECT_EQ(goodsNumbers(p), QStringList({"K'200"}));
    EXPECT_TRUE(p.VSFlexGrid->colHidden(1));
}

TEST_F(StockPicking, NarrowsTheListWithEveryKeyOfTheGoodsNumber)
{
    StockPicker p(&window, "", 1000);
    p.LoadStockList();
    QSignalSpy filtered(&p, &StockPicker::filtered);
    const struct {
        QString typed;
        QStringList shown;
    } cases[] = {
        {"k-1", {"K-100", "QK-1005"}},  // anywhere in the goods number, in any letter case
        {"K-10", {"K-100", "QK-1005"}},
        {"1005", {"QK-1005"}},
        {"K'2", {"K'200"}},
        {"x' or ''='", {}},
        {"K-4", {}},  // sold out
        {"", {"K'200", "K-100", "QK-1005"}},
    };
    int changes = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        if (p.hasStockRow())
            p.VSFlexGrid->setRow(p.VSFlexGrid->rows() - 1);
        p.txtNo->setText(c.typed);
        EXPECT_EQ(goodsNumbers(p), c.shown);
        EXPECT_EQ(p.hasStockRow(), !c.shown.isEmpty());
        EXPECT_EQ(p.VSFlexGrid->row(), c.shown.isEmpty() ? 0 : 1);
        EXPECT_TRUE(p.VSFlexGrid->colHidden(1));
        EXPECT_EQ(p.VSFlexGrid->colWidth(2), 1000);
        EXPECT_EQ(filtered.count(), ++changes) << "once a key, the list bound";
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(StockPicking, ChargesOnePieceByTheChosenBox)
{
    using pricing::AbateCheck;
    using pricing::SpecialCheck;
    StockPicker p(&window, "", 1000);
    const struct {
        const char* what;
        QString abate;                    // typed into the discount box
        std::optional<QString> special;   // typed into the special-price box, then chosen
        QString retail;
        AbateCheck discount;              // the discount box's check
        std::optional<SpecialCheck> price;  // the special-price box's
        QString line;
        std::optional<qint32> amount;
    } cases[] = {
        {"full price", "全", {}, "99.5", AbateCheck::Ok, {}, "全", 100},
        {"a discount", "8.5", {}, "85", AbateCheck::Ok, {}, "8.5", 72},
        {"10 reads as full price", "10", {}, "85", AbateCheck::Ok, {}, "全", 85},
        {"beyond 32 bits", "全", {}, "3e9", AbateCheck::OutOfRange, {}, "全", std::nullopt},
        {"a special price", "8", "98.5", "99.5", AbateCheck::Ok, SpecialCheck::Ok, "特价", 98},
        {"as dear as retail", "全", "99.5", "99.5", AbateCheck::Ok, SpecialCheck::Ok, "特价", 100},
        {"dearer than retail", "全", "100", "99.5", AbateCheck::Ok, SpecialCheck::AboveRetail, "特价", 100},
        {"a special price beyond 32 bits", "全", "4e9", "5e9", AbateCheck::OutOfRange, SpecialCheck::NotANumber,
         "特价", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        p.txtAbate->setText(c.abate);
        p.OptAbate->setChecked(true);
        if (c.special) {
            p.txtChangePrice->setText(*c.special);
            p.OptChangePrice->setChecked(true);
            EXPECT_EQ(p.CheckSpecialPrice(c.retail), *c.price);
        }
        EXPECT_EQ(p.CheckDiscount(c.retail), c.discount);
        const StockPicker::Charge charge = p.PieceCharge(c.retail);
        EXPECT_EQ(charge.Abate, c.line);
        EXPECT_EQ(charge.Amount, c.amount);
    }
}
