#include "goods/receiptremoval.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/vb.h"

#include <QPair>
#include <QSet>

namespace goods {

namespace {

// A whole number of a record set's field, Null as 0.
qint64 wholeField(const jet::RecordSet& rs, const QString& name) { return rs.field(name).toLongLong(); }

// Whether a query finds a row; nullopt when it failed.
std::optional<bool> finds(const QString& query)
{
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(query, isErr);
    if (isErr)
        return std::nullopt;
    return !rs.eof();
}

// Whether anything but the line and its batch refers to the stock row: another
// receipt line or batch, or a sale line (whose later void or return would give
// its piece back to the row). nullopt when a look-up failed.
std::optional<bool> StockRowReferredElsewhere(const ReceiptLine& line, qint64 LotID)
{
    const QString key = core::SqlQuote(line.ParentGUID);
    const QString queries[] = {
        QStringLiteral("Select top 1 GUID from StoreDetail Where ParentGUID=") + key + QStringLiteral(" And GUID<>") +
            core::SqlQuote(line.GUID),
        QStringLiteral("Select top 1 ID from BuyPrice Where StoreGUID=") + key + QStringLiteral(" And ID<>") +
            QString::number(LotID),
        QStringLiteral("Select top 1 StoreGUID from Sell Where StoreGUID=") + key,
    };
    for (const QString& query : queries) {
        const std::optional<bool> found = finds(query);
        if (!found || *found)
            return found;
    }
    return false;
}

// Sends the removal inside a transaction the caller holds.
core::WriteResult SendReceiptRemoval(const ReceiptRemoval& removal)
{
    const QPair<QString, core::WriteResult> changes[] = {
        {removal.Line, core::WriteResult::ReceiptChanged},
        {removal.Batch, core::WriteResult::BatchSold},
        {removal.Stock, core::WriteResult::ReceiptChanged},
    };
    for (const auto& [statement, refusal] : changes) {
        if (statement.isEmpty())
            continue;
        if (const core::WriteResult sent = core::SendChecked(statement, refusal); sent != core::WriteResult::Written)
            return sent;
    }
    return core::WriteResult::Written;
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
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(
        QStringLiteral("select * from Store where GUID=") + core::SqlQuote(storeGUID), isErr);
    if (isErr || rs.eof())
        return std::nullopt;
    return qint32(wholeField(rs, QStringLiteral("Quantity")));
}

bool GetLotInfo(const ReceiptLine& line, qint64& LotID, bool& IsSell)
{
    LotID = 0;
    IsSell = false;
    const QString key = core::SqlQuote(line.ParentGUID);
    // The day goes to the engine as the list shows it: one it cannot read is a
    // failed look-up with the engine's message, not a day without batches.
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("Select Quantity,ID,Price from BuyPrice Where StoreGUID=") +
                                          key + QStringLiteral(" And sDate=#") + line.Date + QStringLiteral("#"),
                                      isErr);
    if (isErr)
        return false;
    // A batch that a sale line of the stock row names stays, whatever became of
    // the sale since: the line keeps naming it, and a void or a return gives the
    // piece back to it.
    jet::RecordSet sold = gDbopt.Excute(
        QStringLiteral("Select distinct BuyPriceID from Sell Where StoreGUID=") + key, isErr);
    if (isErr)
        return false;
    QSet<qint64> named;
    for (sold.moveFirst(); !sold.eof(); sold.moveNext())
        named.insert(wholeField(sold, QStringLiteral("BuyPriceID")));
    // A same-day restock of the stock row leaves another batch of that day: the
    // line's own is one at the line's price that still holds all of its pieces
    // and that no sale line names.
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (vb::toSingle(rs.field(QStringLiteral("Price")).toDouble()) != line.Price)
            continue;
        const qint64 id = wholeField(rs, QStringLiteral("ID"));
        if (wholeField(rs, QStringLiteral("Quantity")) == line.Quantity && !named.contains(id)) {
            LotID = id;
            IsSell = false;
            return true;
        }
        IsSell = true;
    }
    return true;
}

std::optional<ReceiptRemoval> ReceiptRemovalSql(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity)
{
    bool keepRow = line.Quantity != storeQuantity;
    if (!keepRow) {
        const std::optional<bool> referred = StockRowReferredElsewhere(line, LotID);
        if (!referred)
            return std::nullopt;
        keepRow = *referred;
    }
    const QString key = core::SqlQuote(line.ParentGUID);
    const QString pieces = vb::numberText(line.Quantity);
    ReceiptRemoval removal;
    removal.Line = QStringLiteral("Delete from StoreDetail Where GUID=") + core::SqlQuote(line.GUID);
    if (LotID != 0) {
        const QString id = QString::number(LotID);
        removal.Batch = QStringLiteral("Delete from Buyprice where Id=") + id + QStringLiteral(" And Quantity=") +
                        pieces + QStringLiteral(" And Not Exists (select * from Sell Where StoreGUID=") + key +
                        QStringLiteral(" And BuyPriceID=") + id + QStringLiteral(")");
    }
    const QString held = QStringLiteral(" And Quantity=") + vb::numberText(storeQuantity);
    if (keepRow)
        removal.Stock = QStringLiteral("Update Store Set Quantity=Quantity-") + pieces +
                        QStringLiteral(" Where GUID=") + key + held;
    else
        removal.Stock = QStringLiteral("delete from store where GUID=") + key + held;
    return removal;
}

core::WriteResult WriteReceiptRemoval(const ReceiptRemoval& removal)
{
    return core::TransactChecked([&removal] { return SendReceiptRemoval(removal); });
}

core::WriteResult WriteReceiptCorrection(const ReceiptRemoval& removal, const ReceiptTriple& corrected)
{
    return core::TransactChecked([&] {
        const core::WriteResult removed = SendReceiptRemoval(removal);
        if (removed != core::WriteResult::Written)
            return removed;
        return SendReceipt(corrected) ? core::WriteResult::Written : core::WriteResult::Failed;
    });
}

void SumReceiptQuantity(FlexGrid& grid)
{
    grid.clearSubtotals();
    grid.subtotalSum(FlexGrid::WholeListBelow, grid.colIndex(QStringLiteral("数量")), QStringLiteral("合计"),
                     platform::vbColor(255), true);
}

}  // namespace goods
