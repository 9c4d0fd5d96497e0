#pragma once

#include "core/rules/clsdbopt.h"

#include <QString>

// A role's key, name and permission flags, loaded from its Role row.
class clsRole {
public:
    QString GUID;
    QString Name;
    bool AllList = false;
    bool Data = false;
    bool UserManage = false;
    bool SellRole = false;
    bool ChangeShop = false;
    bool BuyIn = false;
    bool Sell = false;
    bool ClientChange = false;
    bool ClientBack = false;
    bool Question = false;
    bool FactoryBack = false;
    bool SellBlankOut = false;
    bool ChangePrice = false;
    bool OtherOut = false;
    bool StoreQuery = false;
    bool SellQuery = false;
    bool SellGroup = false;
    bool BuyDetail = false;
    bool ClientChangeQuery = false;
    bool FactoryBackQuery = false;
    bool BlankOutQuery = false;
    bool OtherOurQuery = false;
    bool DayAmount = false;
    bool TotalAmount = false;
    bool Profit = false;
    bool ReStart = false;

    // Loads the role of the key; a failed read or no such role leaves the flags as they were.
    core::Loaded Initial(const QString& GUID);

    // The flag of the given column name (any letter case); nullptr when none.
    bool* flag(const QString& name);
};
