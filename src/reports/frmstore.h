#pragma once
// "库存查询": the shop's stock on two tabs. The saleable stock, filtered by kind
// and brand or live by goods number, with a "合计" row per goods number and a
// "总合计" row above the list, printed through the print service; and the
// problem stock not yet sent back to the factory.

#include "platform/formbase.h"

class FlexGrid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

class frmStore : public FormBase {
    Q_OBJECT
public:
    explicit frmStore(QWidget* parent = nullptr);

    QTabBar* TabStrip;  // 0 "可售库存", 1 "问题库存"
    QStackedWidget* pages;
    FlexGrid* VSFlexGrid;  // the saleable stock
    FlexGrid* VSQuestion;  // the problem stock
    QComboBox* comName;
    QComboBox* comBrand;
    QLineEdit* txtNo;
    QCheckBox* chkZero;
    QPushButton* cmdQuery;
    QPushButton* cmdPrint;
    QLabel* lbTitle;

    void LoadAllStock();
    void LoadProblemStock();

    void TabStrip_Click();
    void cmdQuery_Click();
    void txtNo_Change();
    void cmdPrint_Click();

private:
    void Form_Load();
    // " And Quantity>0" when sold-out rows are left out, else nothing.
    QString StockTail() const;
    // Binds the saleable list; false when the statement failed.
    bool BindStock(const QString& sql);
    // The "合计" rows per goods number and the "总合计" row of the saleable list.
    void AddStockTotals();
};
