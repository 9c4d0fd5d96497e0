// The receipt layouts, character by character.

#include "sales/rules/receipts.h"
#include "support/receiptblocks.h"

namespace {

using namespace receipttest;

TEST(Receipts, WideCheckoutReceipt)
{
    const std::vector<Block> expected{block(
        10, false,
        {"", "", sp(23) + "东门店结帐单" + sp(17), sp(40) + "销售时间：2024-03-05 10:30:00",
         sp(40) + "销 售 员：" + sp(4) + "管理员", sp(40) + "销售编号：202403050003", "", kWideRule,
         " 货号" + sp(4) + "品牌" + sp(6) + "种类" + sp(5) + "尺码" + sp(4) + "数量" + sp(4) + "零售价" + sp(4) +
             "折扣/特价" + sp(4) + "实收金额",
         "",
         "AB1234567890" + sp(4) + "青禾" + sp(4) + "男鞋" + sp(5) + "40" + sp(8) + "1" + sp(6) + "100" + sp(10) +
             "全" + sp(10) + "100",
         "",
         "K7" + sp(4) + "远帆" + sp(4) + "女鞋" + sp(5) + "37" + sp(8) + "1" + sp(6) + "99.5" + sp(10) + "8" +
             sp(10) + "80",
         "", kWideRule, "    数    量：2" + sp(9) + "应收合计：199.5" + sp(5) + "实收合计：180", "",
         "    优惠合计：19.5" + sp(6) + "客人付款：200" + sp(7) + "找回金额：20", kWideRule,
         sp(15) + "欢迎再次光临" + sp(2) + "多谢惠顾"})};
    EXPECT_EQ(blocksOf(sales::PrintReceiptWide(sampleSale())), expected);
}

TEST(Receipts, NarrowCheckoutReceipt)
{
    const std::vector<Block> expected{
        block(10, true, {sp(4) + "东门店结帐单" + sp(7)}),
        block(8, false,
              {"", "", "   销售时间：2024-03-05 10:30:00", "   销 售 员：" + sp(4) + "管理员",
               "   销售编号：202403050003", kNarrowRule, "货号   品牌 数量 零售价 折扣 实收 ", "",
               // 12 characters: no padding, the brand follows directly.
               "AB1234567890青禾 1 100  全" + sp(2) + "100" + sp(2), "",
               "K7" + sp(8) + "远帆 1 99.5  8" + sp(2) + "80" + sp(3), kNarrowRule,
               " 数    量：2" + sp(3) + "  应收合计：199.5", " 实收合计：180 优惠合计：19.5",
               " 客人付款：200   找回金额：20", kNarrowRule, "凭本票按国家三包法规实行三包", kNarrowRule,
               "    谢谢惠顾，欢迎下次光临！", sp(3)})};
    EXPECT_EQ(blocksOf(sales::PrintReceiptNarrow(sampleSale())), expected);
}

TEST(Receipts, TotalsShowTheSumsOfTheLines)
{
    // Summed step by step at single precision these would print as 119.700005
    // and -0.29999542; the pieces pass the 16-bit range.
    sales::ReceiptSale s = sampleSale();
    s.lines.clear();
    for (const char* pieces : {"40000", "1", "1"})
        s.lines << sales::ReceiptLine{"A", "B", "C", "D", pieces, "39.9", "全", "40"};
    const QStringList lines = sales::PrintReceiptWide(s).first().text.split(QStringLiteral("\r\n"));
    const QString text = lines.join('\n');
    EXPECT_TRUE(lines.contains("    数    量：40002" + sp(5) + "应收合计：119.7" + sp(5) + "实收合计：120"))
        << text.toStdString();
    EXPECT_TRUE(lines.contains("    优惠合计：-0.3" + sp(6) + "客人付款：200" + sp(7) + "找回金额：20"))
        << text.toStdString();
}

}  // namespace
