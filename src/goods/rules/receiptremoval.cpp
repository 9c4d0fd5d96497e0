#include "goods/rules/receiptremoval.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/vb.h"

#include <QPair>
#include <QSet>

namespace goods {

namespace {

// A whole number of a record set's field, Null as 0.
qint64 wholeField(const jet::RecordSet& rs, const QString& name) { return rs.field(name).toLongLong(); }

// The rows of a query; nullopt when it failed, with the engine's words in error.
std::optional<jet::RecordSet> read(const QString& query, QString& error)
{
    core::Sent sent = gDbopt.Send(query);
    if (sent.failed()) {
        error = sent.Error;
        return std::nullopt;
    }
    return std::move(sent.Rows);
}

// Whether a query finds a row; nullopt when it failed.
std::optional<bool> finds(const QString& query, QString& error)
{
    const std::optional<jet::RecordSet> rs = read(query, error);
    if (!rs)
        return std::nullopt;
    return !rs->eof();
}

// Whether anything but the line and its batch refers to the stock row: another
// receipt line or batch, or a sale line (whose later void or return would give
// its piece back to the row). nullopt when a look-up failed.
std::optional<bool> StockRowReferredElsewhere(const ReceiptLine& line, qint64 LotID, QString& error)
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
        const std::optional<bool> found = finds(query, error);
        if (!found || *found)
            return found;
    }
    return false;
}

// Sends the removal inside a transaction the caller holds.
core::Outcome SendReceiptRemoval(const ReceiptRemoval& removal)
{
    const QPair<QString, core::WriteResult> changes[] = {
        {removal.Line, core::WriteResult::ReceiptChanged},
        {removal.Batch, core::WriteResult::BatchSold},
        {removal.Stock, core::WriteResult::ReceiptChanged},
    };
    for (const auto& [statement, refusal] : changes) {
        if (statement.isEmpty())
            continue;
        if (const core::Outcome sent = core::SendOne(statement, refusal); !sent.written())
            return sent;
    }
    return {};
}

}  // namespace

std::optional<qint32> ReadStockQuantity(const QString& storeGUID, QString& error)
{
    const std::optional<jet::RecordSet> rs =
        read(QStringLiteral("select * from Store where GUID=") + core::SqlQuote(storeGUID), error);
    if (!rs || rs->eof())
        return std::nullopt;
    return qint32(wholeField(*rs, QStringLiteral("Quantity")));
}

bool ReadLotInfo(const ReceiptLine& line, qint64& LotID, bool& IsSell, QString& error)
{
    LotID = 0;
    IsSell = false;
    const QString key = core::SqlQuote(line.ParentGUID);
    // The day goes to the engine as the list shows it: one it cannot read is a
    // failed look-up with the engine's words, not a day without batches.
    std::optional<jet::RecordSet> batches =
        read(QStringLiteral("Select Quantity,ID,Price from BuyPrice Where StoreGUID=") + key +
                 QStringLiteral(" And sDate=#") + line.Date + QStringLiteral("#"),
             error);
    if (!batches)
        return false;
    // A batch that a sale line of the stock row names stays, whatever became of
    // the sale since: the line keeps naming it, and a void or a return gives the
    // piece back to it.
    std::optional<jet::RecordSet> sold =
        read(QStringLiteral("Select distinct BuyPriceID from Sell Where StoreGUID=") + key, error);
    if (!sold)
        return false;
    QSet<qint64> named;
    for (sold->moveFirst(); !sold->eof(); sold->moveNext())
        named.insert(wholeField(*sold, QStringLiteral("BuyPriceID")));
    jet::RecordSet& rs = *batches;
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

std::optional<ReceiptRemoval> ReadReceiptRemoval(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity,
                                                 QString& error)
{
    bool keepRow = line.Quantity != storeQuantity;
    if (!keepRow) {
        const std::optional<bool> referred = StockRowReferredElsewhere(line, LotID, error);
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

core::Outcome WriteReceiptRemoval(const ReceiptRemoval& removal)
{
    return core::Transacted([&removal] { return SendReceiptRemoval(removal); });
}

core::Outcome WriteReceiptCorrection(const ReceiptRemoval& removal, const ReceiptTriple& corrected)
{
    return core::Transacted([&] {
        const core::Outcome removed = SendReceiptRemoval(removal);
        if (!removed.written())
            return removed;
        return SendReceipt(corrected);
    });
}

}  // namespace goods
