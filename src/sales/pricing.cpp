#include "sales/pricing.h"

#include "platform/vb.h"

namespace pricing {

QString AbateAsShown(const QString& typed) { return typed == QLatin1String("10") ? kFull : typed; }

AbateCheck CheckAbate(const QString& abate)
{
    if (vb::isNumeric(abate)) {
        const double factor = vb::val(abate);
        return factor < 0 || factor > 9.9 ? AbateCheck::OutOfRange : AbateCheck::Ok;
    }
    return abate == kFull ? AbateCheck::Ok : AbateCheck::NotANumber;
}

QString AbateRefusal(AbateCheck check)
{
    return check == AbateCheck::NotANumber ? QStringLiteral("数量的数据类型不正确！")
                                           : QStringLiteral("请输入0.1-10的数字或小数！");
}

SpecialCheck CheckSpecial(const QString& price, const QString& retail)
{
    if (!vb::isNumeric(price) || !SpecialAmount(price))
        return SpecialCheck::NotANumber;
    if (vb::val(price) < 0)
        return SpecialCheck::BelowZero;
    return vb::val(price) > vb::val(retail) ? SpecialCheck::AboveRetail : SpecialCheck::Ok;
}

std::optional<qint32> DiscountAmount(const QString& retail, const QString& abate)
{
    const double factor = abate == kFull ? 10 : vb::val(abate);
    return vb::toLong(vb::val(retail) * factor / 10);
}

std::optional<qint32> SpecialAmount(const QString& price) { return vb::toLong(vb::val(price)); }

std::optional<qint32> Pieces(const QString& quantity)
{
    if (!vb::isNumeric(quantity))
        return std::nullopt;
    return vb::toLong(vb::val(quantity));
}

}  // namespace pricing
