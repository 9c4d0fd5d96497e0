#pragma once
// The goods a clerk takes a piece from: the list of the shop's stock rows in
// stock, narrowed with every key typed into the goods-number box to the goods
// numbers that hold the text, and the discount and special-price boxes that
// price the piece. The counter and the exchange's replacement picker show it,
// each in its own layout and with its own Enter keys and refusals; the part
// makes the controls and does what the two do alike.

#include "sales/rules/pricing.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class FlexGrid;
class QBoxLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace sales {

// Binds a list anew with bind, keeping its current row on the row of the same
// key (column 1) where that is still listed.
void RebindKeepingRow(FlexGrid& list, const std::function<void()>& bind);

class StockPicker : public QObject {
    Q_OBJECT
public:
    // The controls become the window's. The list shows the stock key (hidden),
    // the eight goods texts, "数量" and "零售价", then moreColumns of the Store
    // table (",IDCode as 条码"), laid out at width.
    StockPicker(QWidget* window, const QString& moreColumns, double width);

    FlexGrid* const VSFlexGrid;  // the stock list
    QLineEdit* const txtNo;      // its goods-number filter
    QRadioButton* const OptAbate;
    QLineEdit* const txtAbate;  // the discount, at first full price
    QRadioButton* const OptChangePrice;
    QLineEdit* const txtChangePrice;

    // Lays the goods-number box with its caption into a row of the window.
    void AddGoodsNumber(QBoxLayout* row) const;
    // Lays the discount and the special price, each option before its box,
    // into a row of the window.
    void AddPriceBoxes(QBoxLayout* row) const;

    // The shop's stock rows in stock.
    void LoadStockList();
    // Binds the list to the stock rows of the condition and lays it out.
    void BindStock(const QString& where);
    // Reads the list again as it was last bound, after another program changed
    // the stock under it.
    void Reread();
    // The condition of the shop's stock rows in stock.
    static QString InStock();
    bool hasStockRow() const;
    // The text of the current stock row under the caption.
    QString Current(const QString& caption) const;

    // The discount box for a piece at the retail price; an amount the program
    // cannot hold is a discount out of range.
    pricing::AbateCheck CheckDiscount(const QString& retail) const;
    // The special-price box against the retail price.
    pricing::SpecialCheck CheckSpecialPrice(const QString& retail) const;

    // What one piece at the retail price is charged by the chosen box: the
    // discount text of its line and the amount, nullopt when it does not fit.
    struct Charge {
        QString Abate;
        std::optional<qint32> Amount;
    };
    Charge PieceCharge(const QString& retail) const;

    void txtNo_Change();
    void txtAbate_GotFocus();
    void txtChangePrice_GotFocus();
    void txtAbate_Change();
    bool txtAbate_KeyDown(int KeyCode);
    bool txtChangePrice_KeyDown(int KeyCode);
    void OptAbate_Click();
    void OptChangePrice_Click();

signals:
    // The goods-number filter has bound the list anew, row 1 current where
    // there is one.
    void filtered();

private:
    QWidget* const window_;
    const QString select_;  // up to and with "Where "
    const double width_;
    QString where_;  // of the list as last bound
};

}  // namespace sales
