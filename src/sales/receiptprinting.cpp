#include "sales/receiptprinting.h"

#include "core/modmain.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

namespace sales {

namespace {

// Sends the document to the receipt printer. Only the paper copy is at stake
// here: whatever was stored stays stored when printing fails.
void printOrComplain(const QList<ui::PrintBlock>& document)
{
    ui::ReceiptPrinter* printer = ui::platform().receipts;
    if (!printer || !printer->print(document))
        ui::msg().exclaim(QStringLiteral("没有发现打印机！"));
}

}  // namespace

void PrintCheckoutReceipt(const ReceiptSale& sale)
{
    printOrComplain(gSellRole.PrinterType == 0 ? PrintReceiptWide(sale) : PrintReceiptNarrow(sale));
}

void ReprintLastReceipt(const QString& lbNo)
{
    if (!ui::msg().ask(QStringLiteral("确定要进行重复打印吗？")))
        return;
    if (lbNo.right(4) == QLatin1String("0001")) {
        ui::msg().exclaim(QStringLiteral("对不起今天还没有销售，不能重新打印！"));
        return;
    }
    const QString previous = vb::numberText(vb::val(lbNo) - 1);
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("Select * from Sell Where SellNo='") + previous +
                                          QStringLiteral("' And ShopNo='") + gShopNo +
                                          QStringLiteral("' And State<2"),
                                      isErr);
    if (isErr)
        return;  // the connection has shown why
    if (rs.eof()) {
        ui::msg().exclaim(QStringLiteral("该次销售可能被退货或调换不能打印！"));
        return;
    }

    ReceiptSale sale;
    sale.shopName = gShopName;
    sale.time = ui::dateTimeText(ui::now());
    sale.seller = gUser.Name;
    sale.sellNo = previous;
    sale.received = rs.fieldText(QStringLiteral("Money1"));
    sale.change = rs.fieldText(QStringLiteral("Money2"));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        ReceiptLine l;
        l.TypeNo = rs.fieldText(QStringLiteral("TypeNo"));
        l.Brand = rs.fieldText(QStringLiteral("Brand"));
        l.Name = rs.fieldText(QStringLiteral("Name"));
        l.Size = rs.fieldText(QStringLiteral("Size"));
        l.Quantity = rs.fieldText(QStringLiteral("Quantity"));
        l.Price = rs.fieldText(QStringLiteral("Price"));
        l.Abate = rs.fieldText(QStringLiteral("Abate"));
        l.Amount = rs.fieldText(QStringLiteral("Amount"));
        sale.lines << l;
    }
    printOrComplain(gSellRole.PrinterType == 0 ? ReprintReceiptWide(sale) : ReprintReceiptNarrow(sale));
}

}  // namespace sales
