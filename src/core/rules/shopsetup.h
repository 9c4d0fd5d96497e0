#pragma once
// The writes that set the shop up: its rules, the backup setting, the shop's
// name and the pick lists.

#include "core/rules/checkedwrite.h"
#include "core/rules/clssellrole.h"

#include <QString>

namespace core {
// The shop's rules as its SellRole row holds them.
using SellRoleRow = clsSellRole;
// Stores the rules of the row's shop.
Outcome WriteSellRole(const SellRoleRow& row);

// Where and whether the database is copied on exit (the one FileSave row).
struct BackupSetting {
    QString DirPath;
    QString Drive;
    QString Dir;
    QString FileName;
    bool IsSave = false;
};
Outcome WriteBackupSetting(const BackupSetting& setting);

// Gives the shop of the key a new name.
Outcome RenameShop(const QString& key, const QString& name);
// Adds a shop under the key.
Outcome AddShop(const QString& key, const QString& name);

// Adds the entry to the pick list.
Outcome AddPickListEntry(const QString& item, const QString& content);
// Deletes the pick list's entries of exactly that text, letter case included.
Outcome DeletePickListEntry(const QString& item, const QString& content);
}  // namespace core
