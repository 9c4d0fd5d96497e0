// Loading the session records: the user, the user's role and the shop's rules.
#include "core/rules/clsrole.h"
#include "core/rules/clssellrole.h"
#include "core/rules/clsuser.h"
#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"

namespace {

// Sends the statement and hands the first row's columns to assign(name, value).
// A failure or no row leaves everything as it was.
template <typename Assign>
core::Loaded loadFirstRow(const QString& sql, Assign assign)
{
    const core::Sent sent = gDbopt.Send(sql);
    if (sent.failed())
        return {false, sent.Error};
    const jet::RecordSet& rs = sent.Rows;
    if (rs.eof())
        return {};
    for (int c = 0; c < rs.fieldCount(); ++c)
        assign(rs.fieldName(c), rs.value(0, c));
    return {true, {}};
}

}  // namespace

bool* clsRole::flag(const QString& name)
{
    struct Entry {
        const char* name;
        bool clsRole::*field;
    };
    static const Entry entries[] = {
        {"AllList", &clsRole::AllList},
        {"Data", &clsRole::Data},
        {"UserManage", &clsRole::UserManage},
        {"SellRole", &clsRole::SellRole},
        {"ChangeShop", &clsRole::ChangeShop},
        {"BuyIn", &clsRole::BuyIn},
        {"Sell", &clsRole::Sell},
        {"ClientChange", &clsRole::ClientChange},
        {"ClientBack", &clsRole::ClientBack},
        {"Question", &clsRole::Question},
        {"FactoryBack", &clsRole::FactoryBack},
        {"SellBlankOut", &clsRole::SellBlankOut},
        {"ChangePrice", &clsRole::ChangePrice},
        {"OtherOut", &clsRole::OtherOut},
        {"StoreQuery", &clsRole::StoreQuery},
        {"SellQuery", &clsRole::SellQuery},
        {"SellGroup", &clsRole::SellGroup},
        {"BuyDetail", &clsRole::BuyDetail},
        {"ClientChangeQuery", &clsRole::ClientChangeQuery},
        {"FactoryBackQuery", &clsRole::FactoryBackQuery},
        {"BlankOutQuery", &clsRole::BlankOutQuery},
        {"OtherOurQuery", &clsRole::OtherOurQuery},
        {"DayAmount", &clsRole::DayAmount},
        {"TotalAmount", &clsRole::TotalAmount},
        {"Profit", &clsRole::Profit},
        {"ReStart", &clsRole::ReStart},
    };
    for (const Entry& e : entries)
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            return &(this->*e.field);
    return nullptr;
}

core::Loaded clsRole::Initial(const QString& key)
{
    return loadFirstRow(QStringLiteral("select * from Role Where GUID=") + core::SqlQuote(key),
                        [this](const QString& name, const QVariant& v) {
                            if (name.compare(QLatin1String("GUID"), Qt::CaseInsensitive) == 0)
                                GUID = v.toString();
                            else if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                                Name = v.toString();
                            else if (bool* f = flag(name))
                                *f = !v.isNull() && v.toDouble() != 0;
                        });
}

core::Loaded clsSellRole::Initial(const QString& shopNo)
{
    struct Whole {
        const char* name;
        int clsSellRole::*field;
    };
    struct Flag {
        const char* name;
        bool clsSellRole::*field;
    };
    static const Whole wholes[] = {{"SellOrder", &clsSellRole::SellOrder},
                                   {"BackDays", &clsSellRole::BackDays},
                                   {"ChangeDays", &clsSellRole::ChangeDays},
                                   {"PrinterType", &clsSellRole::PrinterType}};
    static const Flag flags[] = {{"AbateCanNotBack", &clsSellRole::AbateCanNotBack},
                                 {"SpecialCanNotBack", &clsSellRole::SpecialCanNotBack},
                                 {"AbateCanNotChange", &clsSellRole::AbateCanNotChange},
                                 {"SpecialCanNotChange", &clsSellRole::SpecialCanNotChange},
                                 {"SameTypeChange", &clsSellRole::SameTypeChange},
                                 {"DearGoodsChange", &clsSellRole::DearGoodsChange},
                                 {"ChangeOneTime", &clsSellRole::ChangeOneTime},
                                 {"ChangNotToBack", &clsSellRole::ChangNotToBack},
                                 {"IsPrint", &clsSellRole::IsPrint}};
    return loadFirstRow(QStringLiteral("select * from SellRole Where ShopNo=") + core::SqlQuote(shopNo),
                        [this](const QString& name, const QVariant& v) {
                            if (name.compare(QLatin1String("ShopNo"), Qt::CaseInsensitive) == 0) {
                                ShopNo = v.toString();
                                return;
                            }
                            for (const Whole& w : wholes)
                                if (name.compare(QLatin1String(w.name), Qt::CaseInsensitive) == 0) {
                                    this->*w.field = v.isNull() ? 0 : v.toInt();
                                    return;
                                }
                            for (const Flag& f : flags)
                                if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) {
                                    this->*f.field = !v.isNull() && v.toDouble() != 0;
                                    return;
                                }
                        });
}

bool core::WithinDayLimit(const QDate& saleDay, const QDate& today, int limitDays)
{
    if (limitDays == 0)
        return true;
    return saleDay.daysTo(today) + 1 <= limitDays;
}

core::Loaded clsUser::Initial(const QString& pNo)
{
    // The typed number goes in as a text value, quotes doubled: a quote in it can
    // only fail to find a user, never widen the search.
    const core::Sent sent =
        gDbopt.Send(QStringLiteral("Select * from [User] Where [No]=") + core::SqlQuote(pNo));
    if (sent.failed())
        return {false, sent.Error};
    const jet::RecordSet& rs = sent.Rows;
    if (rs.eof())
        return {};
    // The number as stored: "a01" finds user "A01", whose sales go under "A01".
    No = rs.fieldText(QStringLiteral("No"));
    Name = rs.fieldText(QStringLiteral("Name"));
    PassWord = rs.fieldText(QStringLiteral("pwd"));
    const QString roleKey = rs.fieldText(QStringLiteral("RoleGUID"));
    if (!Role)
        Role = std::make_shared<clsRole>();
    // A role that cannot be read leaves the user found, without permissions.
    const core::Loaded role = Role->Initial(roleKey);
    LoginTime = ui::dateTimeText(ui::now());
    return {true, role.Error};
}
