#pragma once
// "问题服装处理": takes faulty pieces out of saleable stock into problem stock.
// The clerk finds a stock line, types how many pieces are faulty and picks the
// problem; each becomes a pending line, and confirming moves all pending lines
// at once.

#include "platform/formbase.h"
#include "sales/salelineframe.h"

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmQuestion : public FormBase {
    Q_OBJECT
public:
    explicit frmQuestion(QWidget* parent = nullptr);

    QLineEdit* txtNo;
    FlexGrid* VSFlexGrid;  // the stock list
    QLineEdit* txtQuatity;

private:
    // The problem and its pick list: made after the controls above and before
    // the ones below, which are its, in the order of the window's focus chain.
    sales::ReasonBox reason_;

public:
    QComboBox* comResion;
    QPushButton* cmdLeather;  // "…": the pick list of problems
    QPushButton* cmdAddQuestion;
    FlexGrid* VSQuestion;  // the pending lines
    QPushButton* cmdOk;
    QLabel* lbTitle;

    void LoadStockList();
    void InitPendingGrid();
    void AddPendingLine(const QString& GUID);

    void txtNo_KeyPress(int& KeyAscii);
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void txtQuatity_GotFocus();
    void txtQuatity_KeyPress(int& KeyAscii);
    void comResion_KeyPress(int& KeyAscii);
    void cmdAddQuestion_Click();
    void cmdOk_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Load();
    // Binds the stock list to a query of the shop's stock and lays it out.
    void BindStock(const QString& sql);
    QString stockSql_;  // of the stock list as last bound
    bool hasStockRow() const;
    // The checks before a line is added; false after the check's message.
    bool CheckPendingLine();
};
