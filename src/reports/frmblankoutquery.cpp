#include "reports/frmblankoutquery.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "reports/histories.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmBlankOutQuery::frmBlankOutQuery(QWidget* parent)
    : FormBase(parent),
      TabStrip(new QTabWidget(this)),
      DTBlankOutB(core::DatePicker(this)),
      DTBlankOutE(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      VSBlankOut(new FlexGrid(this))
{
    setWindowTitle(QStringLiteral("销售作废查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {TabStrip, "TabStrip"}, {DTBlankOutB, "DTBlankOutB"}, {DTBlankOutE, "DTBlankOutE"},
        {cmdQuery, "cmdQuery"}, {VSBlankOut, "VSBlankOut"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    auto* page = new QWidget(TabStrip);
    auto* inner = new QVBoxLayout(page);
    inner->setSpacing(10);
    inner->addLayout(core::DateRangeLine(page, DTBlankOutB, DTBlankOutE, {cmdQuery}));
    inner->addWidget(VSBlankOut, 1);
    TabStrip->addTab(page, QStringLiteral("销售作废"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(TabStrip);
    resize(1180, 600);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
}

void frmBlankOutQuery::Form_Load()
{
    DTBlankOutB->setDate(ui::today());
    DTBlankOutE->setDate(ui::today());
    QueryVoids();
}

void frmBlankOutQuery::cmdQuery_Click() { QueryVoids(); }

void frmBlankOutQuery::QueryVoids()
{
    if (core::BindQuery(*VSBlankOut,
                        reports::ChangeHistorySql(reports::ChangeKind::Void, DTBlankOutB->date(), DTBlankOutE->date())))
        core::SetGridColumns(*VSBlankOut, 850);
}
