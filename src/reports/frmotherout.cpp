#include "reports/frmotherout.h"

#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "core/picklistwidgets.h"
#include "core/queryparts.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"
#include "reports/rules/expenses.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kItems = QStringLiteral("其他支出项目");

}  // namespace

frmOtherOut::frmOtherOut(QWidget* parent)
    : FormBase(parent),
      comItem(core::PickListCombo(this)),
      cmdColour(core::PickListButton(this)),
      txtAmount(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      txtMemo(new QLineEdit(this)),
      cmdQuery(new QPushButton(QStringLiteral("确 定(&O)"), this))
{
    setWindowTitle(QStringLiteral("其他支出"));
    const QList<QPair<QWidget*, const char*>> names = {
        {comItem, "comItem"}, {cmdColour, "cmdColour"}, {txtAmount, "txtAmount"},
        {DT, "DT"},           {txtMemo, "txtMemo"},     {cmdQuery, "cmdQuery"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));
    comItem->setMinimumWidth(200);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(10);
    fields->addWidget(new QLabel(QStringLiteral("支出项目："), this), 0, 0);
    fields->addWidget(comItem, 0, 1);
    fields->addWidget(cmdColour, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("支出金额："), this), 1, 0);
    fields->addWidget(txtAmount, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("支出日期："), this), 2, 0);
    fields->addWidget(DT, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("备    注："), this), 3, 0);
    fields->addWidget(txtMemo, 3, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdQuery);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(420, 240);

    // Enter moves on through the fields in this order.
    setTabOrder(comItem, txtAmount);
    setTabOrder(txtAmount, DT);
    setTabOrder(DT, txtMemo);
    setTabOrder(txtMemo, cmdQuery);
    for (QWidget* w : QList<QWidget*>{comItem, DT, txtAmount, txtMemo})
        vbkeys::onKeyPress(w, [](int& k) { core::EnterToTab(k); });

    connect(cmdColour, &QPushButton::clicked, this, [this] { cmdColour_Click(); });
    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
    comItem->setFocus();
}

void frmOtherOut::Form_Load()
{
    core::FillDictionaryCombo(kItems, comItem);
    DT->setDate(ui::today());
}

void frmOtherOut::cmdColour_Click() { frmDataDictionary::EditList(kItems, comItem); }

void frmOtherOut::cmdQuery_Click()
{
    const QString key = gNewGUID.GUID(false);
    const reports::ExpenseAmount typed = reports::ReadExpenseAmount(txtAmount->text());
    if (typed.Verdict == reports::AmountVerdict::Negative) {
        ui::msg().info(QStringLiteral("不能作弊"));
        return;
    }
    if (typed.Verdict != reports::AmountVerdict::Taken) {
        ui::msg().info(QStringLiteral("请按规矩办事！"));
        return;
    }
    const reports::Expense expense{key,        gShopNo,         gShopName, comItem->currentText(),
                                   typed.Amount, DT->date(), txtMemo->text(), gUser.Name};
    // The engine says why a save failed; the entry stays for another try.
    if (!core::Written(reports::WriteExpense(expense)))
        return;
    ui::msg().info(QStringLiteral("保存成功！"));
    txtAmount->clear();
    txtMemo->clear();
}
