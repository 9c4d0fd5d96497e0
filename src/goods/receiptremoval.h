#pragma once
// A purchase details row as a receipt line, the look-ups of its removal showing
// the engine's words when they fail, and the list's quantity total.

#include "goods/rules/receiptremoval.h"

class FlexGrid;

namespace goods {
// The line of a purchase details row, read by the columns "进价", "数量",
// "进货日期", ParentGUID and GUID.
ReceiptLine ReceiptLineOfGridRow(const FlexGrid& grid, int row);

// ReadStockQuantity, ReadLotInfo and ReadReceiptRemoval, showing the engine's
// words when the look-up failed.
std::optional<qint32> StockQuantity(const QString& storeGUID);
bool GetLotInfo(const ReceiptLine& line, qint64& LotID, bool& IsSell);
std::optional<ReceiptRemoval> ReceiptRemovalSql(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity);

// The quantity total of a purchase details list: one row captioned "合计" that
// sums "数量" in bold red, as the list's last row. An earlier total is replaced.
void SumReceiptQuantity(FlexGrid& grid);
}  // namespace goods
