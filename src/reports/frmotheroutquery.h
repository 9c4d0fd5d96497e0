#pragma once
// "其他指出查询": the shop's expenses outside the trade of a span of days, with a
// "总合计" row above the list; deletes single entries.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QPushButton;

class frmOtherOutQuery : public FormBase {
    Q_OBJECT
public:
    explicit frmOtherOutQuery(QWidget* parent = nullptr);

    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QPushButton* cmdQuery;
    QPushButton* cmdDel;
    FlexGrid* VSSell;

    void InitGrid();
    void cmdQuery_Click();
    void cmdDel_Click();

private:
    void Form_Load();
    // Binds the list; false when the statement failed.
    bool BindExpenses(const QString& sql);
};
