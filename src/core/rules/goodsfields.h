#pragma once
// The eight texts that describe a piece of goods. Stock rows, receipt lines, sale
// lines and the after-sales rows all carry them, in this order, and the lists
// show them under these captions.

#include <QString>
#include <QStringList>

namespace core {
struct GoodsFields {
    QString TypeNo;        // 货号
    QString Name;          // 种类
    QString Brand;         // 品牌
    QString Size;          // 尺码
    QString Colour;        // 颜色
    QString Leather;       // 面料
    QString Grade;         // 等级
    QString ProductPlace;  // 产地
};

// "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地".
const QStringList& GoodsCaptions();

// The eight members in caption order.
extern QString GoodsFields::* const kGoodsMembers[8];

// The eight texts as SQL values in their order, each between quotes with its
// quotes doubled: "'K-100','夹克',…,'广州'".
QString GoodsValuesSql(const GoodsFields& goods);

// The eight goods texts under their captions, for the column list of a select.
// Made at the first call, so other files' constants may be built on them.
const QString& GoodsColumns();

// The start of every stock list's select: the stock key and the eight goods
// texts under their captions. The lists add their own columns and conditions.
const QString& StockColumns();
}  // namespace core
