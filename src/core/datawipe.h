#pragma once
// A fresh start: the business tables emptied, everything that sets the shop up
// kept (users, roles, rules, the backup setting, the pick lists, the shop).

#include <QStringList>

namespace core {
// The statements that empty the business tables, in the order they are sent.
const QStringList& BusinessTableDeletes();

// Empties the business tables in one transaction. False when a statement failed
// (after the engine's message): then nothing has been deleted.
bool DeleteBusinessData();
}  // namespace core
