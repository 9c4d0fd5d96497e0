#pragma once
// A fresh start: the business tables emptied, everything that sets the shop up
// kept (users, roles, rules, the backup setting, the pick lists, the shop).

#include "core/rules/checkedwrite.h"

#include <QStringList>

namespace core {
// The statements that empty the business tables, in the order they are sent.
const QStringList& BusinessTableDeletes();

// Empties the business tables in one transaction; after a failure nothing has
// been deleted.
Outcome DeleteBusinessData();
}  // namespace core
