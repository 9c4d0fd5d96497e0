#pragma once
// Sale lines to exchange and the goods to exchange them for: besides the sold
// lines' own stock rows, goods at other prices, one with two batches of
// different days, one whose last piece has no batch, and goods no picker offers.

#include "aftersales/frmchange.h"
#include "aftersales/frmclientbackchange.h"
#include "platform/flexgrid.h"
#include "support/soldlines.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <optional>

class ExchangeLines : public SoldLines {
protected:
    static inline const QString K3 = QStringLiteral("{00000000-0000-0000-0000-0000000000D3}");  // K-300 at 120
    static inline const QString K4 = QStringLiteral("{00000000-0000-0000-0000-0000000000D4}");  // K-400 at 80
    static inline const QString K5 = QStringLiteral("{00000000-0000-0000-0000-0000000000D5}");  // k-100 at 99.5

    void SetUp() override
    {
        SoldLines::SetUp();
        goods(K3, "K-300", 5, "120");
        older3 = batch(K3, 70, 2, "2024-01-10");
        newer3 = batch(K3, 75, 4, "2024-02-10");
        goods(K4, "K-400", 1, "80");  // its last piece, with no batch
        goods(K5, "k-100", 3, "99.5");
        batch(K5, 60, 3, "2024-02-01");
        goods("{00000000-0000-0000-0000-0000000000D6}", "K-600", 0, "90");  // sold out
        goods("{00000000-0000-0000-0000-0000000000D7}", "K-100", 4, "85", "{ANOTHER-SHOP}");
        // Sale 0001 of the 4th: three pieces paid 100, 85 at a discount and 60 at a special price.
        l1 = sold({.SellNo = "202403040001", .Day = "2024-03-04", .Amount = "100"});
        l2 = sold({.SellNo = "202403040001", .Day = "2024-03-04", .Abate = "8.5", .Amount = "72"});
        l3 = sold({.SellNo = "202403040001", .Day = "2024-03-04", .Store = K2, .TypeNo = "K'200", .Abate = "特价",
                   .Amount = "60", .Cost = "55"});
    }

    void goods(const QString& key, const QString& typeNo, int quantity, const QString& price,
               const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + key + "','" + (shop.isEmpty() ? gShopNo : shop) + "','" + typeNo +
            "','夹克','Br''and','XL','黑','棉','一等','广州'," + QString::number(quantity) + "," + price +
            ",'690','A-1')");
    }

    std::unique_ptr<frmClientBackChange> open()
    {
        auto w = std::make_unique<frmClientBackChange>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
    static void searchSale(frmClientBackChange& w, const QString& sellNo)
    {
        w.chkDate->setChecked(false);
        w.chkType->setChecked(false);
        w.chkNo->setChecked(true);
        w.txtSellNo->setText(sellNo);
        w.cmdQuery->click();
    }
    static QStringList listed(const frmClientBackChange& w)
    {
        QStringList keys;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            keys << w.VSFlexGrid->text(r, "GUID");
        return keys;
    }
    static QStringList marked(const frmClientBackChange& w)
    {
        QStringList keys;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            if (w.VSFlexGrid->cellBackColor(r, 0) == platform::vbColor(255))
                keys << w.VSFlexGrid->text(r, "GUID");
        return keys;
    }
    // The pending pairs: each replacement's stock row and the line it replaces.
    static QStringList pending(const frmClientBackChange& w)
    {
        QStringList pairs;
        for (int r = 1; r < w.VSChange->rows(); ++r)
            pairs << w.VSChange->text(r, "StoreGUID") + " for " + w.VSChange->text(r, "SellGUID");
        return pairs;
    }
    static QStringList labels(const frmClientBackChange& w)
    {
        return {w.lbHave->text(), w.lbAmount->text(), w.lbBackAdd->text()};
    }

    // Shows the picker over the exchange window as the active window, as its
    // modal run does (a dialog shown without it only shares its parent's).
    static bool showPicker(frmChange* p)
    {
        p->show();
        p->activateWindow();
        return QTest::qWaitFor([p] { return QApplication::activeWindow() == p; });
    }

    struct Choice {
        QString store;  // the stock row chosen
        QString abate = QStringLiteral("全");
        std::optional<QString> special{};   // a special price instead of the discount
        std::optional<bool> answer = true;  // to "确定要调换吗？"; none when it is not asked
    };
    // Pairs the line of that row through the picker with the choice; the
    // picker's messages are left in messages().
    void pair(frmClientBackChange& w, int row, const Choice& c)
    {
        w.VSFlexGrid->setRow(row);
        fakes->modal.on<frmChange>([this, c](frmChange* p) {
            const int r = p->VSFlexGrid->findRow(c.store, 1, 1);
            EXPECT_GE(r, 1) << "the goods are offered";
            p->VSFlexGrid->setRow(r);
            if (c.special) {
                p->OptChangePrice->setChecked(true);
                p->txtChangePrice->setText(*c.special);
            } else {
                p->OptAbate->setChecked(true);
                p->txtAbate->setText(c.abate);
            }
            if (c.answer)
                *c.answer ? messages().answerYes() : messages().answerNo();
            p->cmdOk->click();
            return p->result();
        });
        w.cmdChange->click();
    }

    QString older3, newer3;
    QString l1, l2, l3;
};
