#pragma once
// Writes that check what they change. Two copies of the program may work on one
// database file, so what a window read may have changed by the time it writes. A
// write therefore changes a row only while it is as the window read it, within
// its transaction, and otherwise is refused with nothing stored.

#include <QString>
#include <QStringList>

#include <functional>

namespace core {
enum class WriteResult {
    Written,
    Failed,          // a statement failed, after the engine's message; nothing is stored
    OutOfStock,      // a stock row had fewer pieces left than the write takes; nothing is stored
    LineChanged,     // a sale line was voided, returned or exchanged since it was listed; nothing is stored
    BackAtFactory,   // a problem-stock row went back to the factory since it was listed; nothing is stored
    BatchSold,       // a purchase batch gave up a piece, or a sale line came to name it, since it was read;
                     // nothing is stored
    ReceiptChanged,  // a receipt line, or the quantity of its stock row, changed since it was read;
                     // nothing is stored
    StockRowGone,    // a stock row was deleted since it was listed; nothing is stored
};

// What a write came to, with the engine's words when a statement failed. The
// writes that answer with it show nothing: their caller does.
struct Outcome {
    WriteResult Result = WriteResult::Written;
    QString Error;  // the engine's words after Failed, else empty
    bool written() const { return Result == WriteResult::Written; }
};

// Whether a row write adds a new row or changes the row of its key.
enum class RowKind { New, Existing };

// Runs write as one transaction, showing nothing: committed when write returns
// Written, and otherwise, or when a step of the transaction failed, nothing of it
// is stored.
Outcome Transacted(const std::function<Outcome()>& write);
// Sends the statements in order as one transaction, up to the first that fails,
// showing nothing: all of them are stored, or none.
Outcome WriteAll(const QStringList& statements);

// Sends a change that must change exactly one row, inside a transaction the
// caller holds, showing nothing: Written when it did, Failed with the engine's
// words, and `refusal` when it changed none.
Outcome SendOne(const QString& statement, WriteResult refusal);
}  // namespace core
