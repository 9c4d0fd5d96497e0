#pragma once
// Taking a receipt back out of stock, for the purchase details list and the
// receipt line correction: the receipt line, its purchase batch, and its pieces
// in the stock row. A receipt can be taken back only while its batch is whole,
// that is, while none of its pieces has left it.

#include "core/rules/checkedwrite.h"
#include "goods/rules/receipttriple.h"

#include <QString>

#include <optional>

namespace goods {
// One receipt line as a purchase details row shows it.
struct ReceiptLine {
    QString GUID;        // the line
    QString ParentGUID;  // its stock row
    float Price = 0;     // purchase price
    qint32 Quantity = 0;
    QString Date;        // receipt day, as the list shows it
};

// The look-ups below put the engine's words into error when they fail, and
// leave it as it was otherwise.

// The quantity on hand of a stock row (Null as 0); nullopt when the row does not
// exist, or when the look-up failed.
std::optional<qint32> ReadStockQuantity(const QString& storeGUID, QString& error);

// The purchase batch of a receipt line: among the batches of its stock row and
// receipt day, one of its purchase price (at single precision) whose quantity
// still unsold is the line's whole quantity and that no sale line names.
// LotID is 0 when the day holds no batch of that price; IsSell is true when it
// holds some but none of them will do (a piece has been sold or taken out).
// False when the look-up failed, a receipt day the engine cannot read
// included; LotID and IsSell then mean nothing.
bool ReadLotInfo(const ReceiptLine& line, qint64& LotID, bool& IsSell, QString& error);

// The statements that take the line back out, in sending order, each of which
// must change exactly one row: the line; its batch LotID (none when LotID is 0),
// while it still holds the line's whole quantity and no sale line names it; then
// its stock row, while it holds storeQuantity pieces: deleted when those are
// exactly the line's pieces and nothing else refers to the row (no other receipt
// line or batch, no sale line), and lowered by the line's quantity otherwise.
struct ReceiptRemoval {
    QString Line;
    QString Batch;  // empty when the line has no batch
    QString Stock;
};
// nullopt when the look-up failed.
std::optional<ReceiptRemoval> ReadReceiptRemoval(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity,
                                                 QString& error);

// The removal as one transaction: Written when each statement changed its one
// row; BatchSold when the batch gave up a piece, or a sale line came to name it,
// since it was read; ReceiptChanged when the line is gone or the stock row holds
// other than storeQuantity pieces; Failed with the engine's words. Nothing is
// stored unless Written.
core::Outcome WriteReceiptRemoval(const ReceiptRemoval& removal);
// A correction as one transaction: the removal, then the corrected receipt;
// nothing is stored unless Written.
core::Outcome WriteReceiptCorrection(const ReceiptRemoval& removal, const ReceiptTriple& corrected);
// What the purchase details and the correction say when another program has
// changed the line or its stock row since they were read.
inline const QString kReceiptChangedRefusal = QStringLiteral("对不起！这次进货的库存已经有变动，请重新选择！");
}  // namespace goods
