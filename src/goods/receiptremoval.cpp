#include "goods/receiptremoval.h"

#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/flexgrid.h"

namespace goods {

namespace {

// What a look-up found, after showing the engine's words when it failed.
template <typename T>
T shown(T found, const QString& error)
{
    if (!error.isEmpty())
        ui::msg().plain(error);
    return found;
}

}  // namespace

ReceiptLine ReceiptLineOfGridRow(const FlexGrid& grid, int row)
{
    ReceiptLine line;
    line.GUID = grid.text(row, QStringLiteral("GUID"));
    line.ParentGUID = grid.text(row, QStringLiteral("ParentGUID"));
    line.Price = vb::toSingle(vb::val(grid.text(row, QStringLiteral("进价"))));
    line.Quantity = vb::toLong(vb::val(grid.text(row, QStringLiteral("数量")))).value_or(0);
    line.Date = grid.text(row, QStringLiteral("进货日期"));
    return line;
}

std::optional<qint32> StockQuantity(const QString& storeGUID)
{
    QString error;
    return shown(ReadStockQuantity(storeGUID, error), error);
}

bool GetLotInfo(const ReceiptLine& line, qint64& LotID, bool& IsSell)
{
    QString error;
    return shown(ReadLotInfo(line, LotID, IsSell, error), error);
}

std::optional<ReceiptRemoval> ReceiptRemovalSql(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity)
{
    QString error;
    return shown(ReadReceiptRemoval(line, LotID, storeQuantity, error), error);
}

void SumReceiptQuantity(FlexGrid& grid)
{
    grid.clearSubtotals();
    grid.subtotalSum(FlexGrid::WholeListBelow, grid.colIndex(QStringLiteral("数量")), QStringLiteral("合计"),
                     platform::vbColor(255), true);
}

}  // namespace goods
