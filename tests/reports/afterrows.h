#pragma once
// The rows the counter and the after-sales windows leave behind, written with
// their own statements: sale lines, the history row of an exchange, a return or
// a void with the sale line's new state, problem stock set aside and its return
// to the factory. For the windows that read them.

#include "core/modmain.h"
#include "platform/base/vb.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace afterrows {

inline jet::RecordSet run(const QString& statement)
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(statement, isErr);
    EXPECT_FALSE(isErr) << statement.toStdString();
    return rs;
}

inline QString q(const QString& text) { return core::SqlQuote(text); }

struct Goods {
    QString TypeNo = QStringLiteral("K-100");
    QString Name = QStringLiteral("夹克");
    QString Brand = QStringLiteral("青禾");
    QString Size = QStringLiteral("XL");
    QString Colour = QStringLiteral("黑色");
    QString Leather = QStringLiteral("纯棉");
    QString Grade = QStringLiteral("一等品");
    QString ProductPlace = QStringLiteral("广州");

    QString values() const
    {
        return QStringList({q(TypeNo), q(Name), q(Brand), q(Size), q(Colour), q(Leather), q(Grade), q(ProductPlace)})
            .join(QLatin1Char(','));
    }
};

struct Sale {
    Goods goods{};
    QString Day = QStringLiteral("2024-03-01");
    QString SellNo = QStringLiteral("202403010001");
    QString Abate = QStringLiteral("全");
    float Price = 100;
    float Amount = 100;
    float Cost = 60;
    QString Store = QStringLiteral("{STORE-1}");
    qint64 Batch = 1;
    int State = 0;
    QString Shop{};  // gShopNo when empty
};

// One piece sold, as the checkout writes it; the sale line's key.
inline QString sell(const Sale& s)
{
    const QString key = gNewGUID.GUID(false);
    run(QStringLiteral("Insert Into Sell Values(") + q(key) + ',' + q(s.Store) + ',' +
        q(s.Shop.isEmpty() ? gShopNo : s.Shop) + ',' + s.goods.values() + ",1," + vb::singleText(s.Price) + ',' +
        q(s.Abate) + ',' + vb::singleText(s.Amount) + ',' + vb::singleText(s.Cost) + ",'s01'," + q(s.Day) + ',' +
        q(s.SellNo) + ',' + QString::number(s.Batch) + ",'张售货'," + QString::number(s.State) + ",200,0)");
    return key;
}

// The history row of a change of the sale line as it stands, recorded on `day` by
// the operator gUser: State 1 exchange, 2 return, 3 void.
inline void history(const QString& sellGUID, int state, const QString& day, const QString& reason,
                    float addAmount, const QString& storeGUID = QString())
{
    const jet::RecordSet l = run(QStringLiteral("select * from Sell Where GUID=") + q(sellGUID));
    ASSERT_FALSE(l.eof());
    auto t = [&](const char* f) { return l.fieldText(QString::fromLatin1(f)); };
    QStringList goods;
    for (const char* f : {"TypeNo", "Name", "Brand", "Size", "Colour", "Leather", "Grade", "ProductPlace"})
        goods << q(t(f));
    run(QStringLiteral("Insert Into SellChange Values(") + q(gNewGUID.GUID(false)) + ',' + q(storeGUID) + ',' +
        q(gShopNo) + ',' + goods.join(',') + ',' + t("Quantity") + ',' + t("Price") + ',' + q(t("Abate")) + ',' +
        t("Amount") + ',' + t("BuyPrice") + ',' + q(gUser.No) + ',' + q(t("DateTime")) + ',' + t("BuyPriceID") +
        ',' + q(gUser.Name) + ',' + vb::singleText(addAmount) + ',' + q(sellGUID) + ',' + q(t("SellNo")) + ',' +
        q(day) + ',' + QString::number(state) + ',' + q(reason) + ')');
}

inline float amountOf(const QString& sellGUID)
{
    const jet::RecordSet rs = run(QStringLiteral("select Amount from Sell Where GUID=") + q(sellGUID));
    return rs.eof() ? 0 : vb::toSingle(rs.value(0, 0).toDouble());
}

// The line exchanged for other goods: the history row of the old piece, then
// the line rewritten with the replacement.
inline void exchange(const QString& sellGUID, const Goods& to, float amount, float cost, const QString& day,
                     const QString& reason = QStringLiteral("尺码不合适"))
{
    const jet::RecordSet l = run(QStringLiteral("select StoreGUID from Sell Where GUID=") + q(sellGUID));
    history(sellGUID, 1, day, reason, amount - amountOf(sellGUID), l.eof() ? QString() : l.text(0, 0));
    run(QStringLiteral("Update Sell Set StoreGUID='{STORE-2}', TypeNo=") + q(to.TypeNo) + ", Name=" + q(to.Name) +
        ", Brand=" + q(to.Brand) + ", [Size]=" + q(to.Size) + ", Colour=" + q(to.Colour) + ", Leather=" +
        q(to.Leather) + ", Grade=" + q(to.Grade) + ", ProductPlace=" + q(to.ProductPlace) +
        ", Price=" + vb::singleText(amount) + ", Abate='全', Amount=" + vb::singleText(amount) +
        ", BuyPrice=" + vb::singleText(cost) + ", BuyPriceID=2, State=1 Where GUID=" + q(sellGUID));
}

// The line taken back (into normal stock: the stock moves are no concern here).
inline void giveBack(const QString& sellGUID, const QString& day, const QString& reason = QStringLiteral("质量问题"))
{
    history(sellGUID, 2, day, reason, amountOf(sellGUID));
    run(QStringLiteral("Update Sell Set State=2 Where GUID=") + q(sellGUID));
}

inline void voidLine(const QString& sellGUID, const QString& day, const QString& reason = QStringLiteral("录入错误"))
{
    history(sellGUID, 3, day, reason, amountOf(sellGUID));
    run(QStringLiteral("Update Sell Set State=3  Where GUID=") + q(sellGUID));
}

// Pieces set aside as problem stock, costing `cost` in all; the row's ID.
inline qint64 setAside(const Goods& g, int quantity, float cost, const QString& shop = QString(),
                       const QString& reason = QStringLiteral("开胶"))
{
    run(QStringLiteral("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,"
                       "ProductPlace,Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) "
                       "Values('{STORE-1}',") +
        q(shop.isEmpty() ? gShopNo : shop) + ',' + g.values() + ',' + QString::number(quantity) + ',' +
        vb::singleText(cost) + ',' + q(reason) + ',' + q(gUser.No) + ',' + q(gUser.Name) + ",0,Null)");
    return run(QStringLiteral("select max(ID) from BackStore")).value(0, 0).toLongLong();
}

// Problem stock sent back to the factory on `day` for the amount typed.
inline void toFactory(const QList<qint64>& ids, int quantity, const QString& amount, const QString& day,
                      const QString& shop = QString())
{
    run(QStringLiteral("Insert Into FactoryBackTotal ([DateTime],Seller,SellerNo,Quantity,Amount,ShopNo) values(") +
        q(day) + ',' + q(gUser.No) + ',' + q(gUser.Name) + ',' + QString::number(quantity) + ',' + amount + ',' +
        q(shop.isEmpty() ? gShopNo : shop) + ')');
    for (qint64 id : ids)
        run(QStringLiteral("Update BackStore Set IsBackFactory=1,BackFactoryDate=") + q(day) +
            QStringLiteral(" Where ID=") + QString::number(id));
}

}  // namespace afterrows
