#include "reports/frmbackchangequery.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "reports/histories.h"

#include <QDateEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 850;

// A tab's page: its days and button above its list.
QWidget* HistoryPage(QWidget* parent, QDateEdit* from, QDateEdit* to, QPushButton* query, FlexGrid* grid)
{
    auto* page = new QWidget(parent);
    for (QWidget* w : QList<QWidget*>{from, to, query, grid})
        w->setParent(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(core::DateRangeLine(page, from, to, {query}));
    layout->addWidget(grid, 1);
    return page;
}

}  // namespace

frmBackChangeQuery::frmBackChangeQuery(QWidget* parent)
    : FormBase(parent),
      TabStrip(new QTabBar(this)),
      pages(new QStackedWidget(this)),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      VSChange(new FlexGrid(this)),
      DTB(core::DatePicker(this)),
      DTE(core::DatePicker(this)),
      VSBack(new FlexGrid(this)),
      cmdQuery{new QPushButton(QStringLiteral("查 询(&Q)"), this), new QPushButton(QStringLiteral("查 询(&Q)"), this)}
{
    setWindowTitle(QStringLiteral("客户退换查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {TabStrip, "TabStrip"},     {pages, "pages"},         {DTBeginTime, "DTBeginTime"}, {DTEndTime, "DTEndTime"},
        {VSChange, "VSChange"},     {DTB, "DTB"},             {DTE, "DTE"},                 {VSBack, "VSBack"},
        {cmdQuery[0], "cmdQuery0"}, {cmdQuery[1], "cmdQuery1"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    TabStrip->addTab(QStringLiteral("调换记录"));
    TabStrip->addTab(QStringLiteral("退货记录"));
    TabStrip->setDrawBase(false);
    pages->addWidget(HistoryPage(pages, DTBeginTime, DTEndTime, cmdQuery[0], VSChange));
    pages->addWidget(HistoryPage(pages, DTB, DTE, cmdQuery[1], VSBack));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(0);
    layout->addWidget(TabStrip);
    layout->addWidget(pages, 1);
    resize(1180, 600);

    Form_Load();

    // Connected after the tabs were added, which emits a change of its own.
    connect(TabStrip, &QTabBar::currentChanged, this, [this] { TabStrip_Click(); });
    for (int i = 0; i < int(cmdQuery.size()); ++i)
        connect(cmdQuery[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdQuery_Click(i); });
}

void frmBackChangeQuery::Form_Load()
{
    for (QDateEdit* d : {DTBeginTime, DTEndTime, DTB, DTE})
        d->setDate(ui::today());
    QueryChanges();
}

void frmBackChangeQuery::QueryChanges() { cmdQuery_Click(0); }

void frmBackChangeQuery::cmdQuery_Click(int Index)
{
    FlexGrid* grid = nullptr;
    QString sql;
    if (Index == 0) {
        grid = VSChange;
        sql = reports::ChangeHistorySql(reports::ChangeKind::Exchange, DTBeginTime->date(), DTEndTime->date());
    } else if (Index == 1) {
        grid = VSBack;
        sql = reports::ChangeHistorySql(reports::ChangeKind::Return, DTB->date(), DTE->date());
    } else {
        return;
    }
    if (core::BindQuery(*grid, sql))
        core::SetGridColumns(*grid, kColumnWidth);
}

void frmBackChangeQuery::TabStrip_Click()
{
    pages->setCurrentIndex(TabStrip->currentIndex());
    cmdQuery_Click(TabStrip->currentIndex());
}
