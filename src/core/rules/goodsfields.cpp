#include "core/rules/goodsfields.h"

#include "core/rules/sqltext.h"

namespace core {

const QStringList& GoodsCaptions()
{
    static const QStringList captions = {QStringLiteral("货号"), QStringLiteral("种类"), QStringLiteral("品牌"),
                                         QStringLiteral("尺码"), QStringLiteral("颜色"), QStringLiteral("面料"),
                                         QStringLiteral("等级"), QStringLiteral("产地")};
    return captions;
}

QString GoodsFields::* const kGoodsMembers[8] = {&GoodsFields::TypeNo, &GoodsFields::Name,    &GoodsFields::Brand,
                                           &GoodsFields::Size,   &GoodsFields::Colour,  &GoodsFields::Leather,
                                           &GoodsFields::Grade,  &GoodsFields::ProductPlace};

QString GoodsValuesSql(const GoodsFields& goods)
{
    QStringList values;
    for (QString GoodsFields::* m : kGoodsMembers)
        values << SqlQuote(goods.*m);
    return values.join(QLatin1Char(','));
}

const QString& GoodsColumns()
{
    static const QString columns = QStringLiteral(
        "TypeNo as 货号,Name as 种类, Brand as 品牌,[Size] as 尺码,Colour as 颜色,Leather as 面料,Grade as 等级,"
        "ProductPlace as 产地");
    return columns;
}

const QString& StockColumns()
{
    static const QString columns = QStringLiteral("Select GUID,") + GoodsColumns();
    return columns;
}

}  // namespace core
