#include "aftersales/salelinesearch.h"

#include "core/modmain.h"
#include "platform/services.h"
#include "sales/salechanges.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

std::optional<jet::RecordSet> FindSaleLines(const SaleLineBoxes& boxes, const QString& amountCaption)
{
    if (!boxes.chkDate->isChecked() && !boxes.chkNo->isChecked() && !boxes.chkType->isChecked()) {
        ui::msg().info(QStringLiteral("请选择条件！"));
        return std::nullopt;
    }
    SaleLineSearch search;
    if (boxes.chkDate->isChecked())
        search.Day = boxes.DT->date();
    if (boxes.chkNo->isChecked())
        search.SellNo = boxes.txtSellNo->text();
    if (boxes.chkType->isChecked())
        search.TypeNo = boxes.txtType->text();
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(SaleLinesSql(SaleLineCondition(search), amountCaption), isErr);
    if (isErr)
        return std::nullopt;
    if (rs.eof()) {
        boxes.lbTip->setText(QStringLiteral("无记录！"));
        return std::nullopt;
    }
    return rs;
}
