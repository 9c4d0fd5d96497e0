#pragma once

#include "core/rules/clsdbopt.h"

#include <QDate>
#include <QString>

// The shop's sales, return, exchange and receipt rules, loaded from its SellRole row.
class clsSellRole {
public:
    QString ShopNo;
    int SellOrder = 0;
    int BackDays = 0;
    bool AbateCanNotBack = false;
    bool SpecialCanNotBack = false;
    int ChangeDays = 0;
    bool AbateCanNotChange = false;
    bool SpecialCanNotChange = false;
    bool SameTypeChange = false;
    bool DearGoodsChange = false;
    bool ChangeOneTime = false;
    bool ChangNotToBack = false;
    bool IsPrint = false;
    int PrinterType = 0;

    // Loads the rules of the shop; a failed read or no row leaves them as they were.
    core::Loaded Initial(const QString& ShopNo);
};

namespace core {
// A day limit of the rules: allowed while the whole days from the sale day to
// today, plus one, do not exceed the limit (the sale day is day 1); 0 means no limit.
bool WithinDayLimit(const QDate& saleDay, const QDate& today, int limitDays);
}  // namespace core
