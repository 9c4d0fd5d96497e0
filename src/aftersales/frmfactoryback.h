#pragma once
// "厂家退货": sends problem stock back to the factory. The clerk ticks the rows of
// problem stock that go back, the amount proposed is what they cost, and one
// return records the amount the factory refunds and marks the rows returned.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class frmFactoryBack : public FormBase {
    Q_OBJECT
public:
    explicit frmFactoryBack(QWidget* parent = nullptr);

    FlexGrid* VSFlexGrid;  // problem stock not yet returned, with the tick column "选中"
    QPushButton* cmdAll;
    QLineEdit* txtAmount;
    QDateEdit* DT;
    QPushButton* cmdRegist;
    QLabel* lbTitle;

    void LoadProblemStock();
    void SumTickedCost();

    bool VSFlexGrid_BeforeEdit(int Row, int Col);  // true cancels
    void VSFlexGrid_AfterEdit(int Row, int Col);
    void cmdAll_Click();
    void cmdRegist_Click();

private:
    void Form_Load();
    int tickCol() const;
    bool ticked(int row) const;
};
