#pragma once
// "客户退换查询": the exchanges (tab "调换记录") and the returns (tab "退货记录")
// of the shop recorded within a span of days, each tab with its own days.

#include "platform/formbase.h"

#include <array>

class FlexGrid;
class QDateEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

class frmBackChangeQuery : public FormBase {
    Q_OBJECT
public:
    explicit frmBackChangeQuery(QWidget* parent = nullptr);

    QTabBar* TabStrip;  // 0 "调换记录", 1 "退货记录"
    QStackedWidget* pages;
    QDateEdit* DTBeginTime;  // the exchanges
    QDateEdit* DTEndTime;
    FlexGrid* VSChange;
    QDateEdit* DTB;  // the returns
    QDateEdit* DTE;
    FlexGrid* VSBack;
    std::array<QPushButton*, 2> cmdQuery;  // 0 the exchanges, 1 the returns

    void QueryChanges();
    void cmdQuery_Click(int Index);
    void TabStrip_Click();

private:
    void Form_Load();
};
