#include "sales/frmdayamount.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString countText(qint32 n) { return vb::numberText(n); }
QString moneyLabel(float amount) { return QStringLiteral("￥") + vb::singleText(amount); }

}  // namespace

// -- the window -----------------------------------------------------------------------

frmDayAmount::frmDayAmount(QWidget* parent)
    : FormBase(parent),
      DTDate(core::DatePicker(this)),
      lbDate(new QLabel(this)),
      LbSeller(new QLabel(this)),
      lbSellCount(new QLabel(this)),
      lbSellMny(new QLabel(this)),
      lbBackCount(new QLabel(this)),
      lbBackAmount(new QLabel(this)),
      lbChangeCount(new QLabel(this)),
      lbChangeAmount(new QLabel(this)),
      lbRecive(new QLabel(this)),
      cmdCheckOut(new QPushButton(QStringLiteral("结 算(&C)"), this)),
      lbTitle(new QLabel(QStringLiteral("  使用帮助：日结算是指当前登陆销售员今天售货，退货，调换的情况。"
                                        "可选择结算日期点击结算即可。本功能是下班前使用主要是为了方便销售员的盘账。"),
                         this)),
      lbExplain(new QLabel(QStringLiteral("说明 ：如果调换金额为正的则表示调换收入，否则则表示调换支出"), this))
{
    setWindowTitle(QStringLiteral("日结算"));
    const QList<QPair<QWidget*, const char*>> names = {
        {DTDate, "DTDate"},
        {lbDate, "lbDate"},
        {LbSeller, "LbSeller"},
        {lbSellCount, "lbSellCount"},
        {lbSellMny, "lbSellMny"},
        {lbBackCount, "lbBackCount"},
        {lbBackAmount, "lbBackAmount"},
        {lbChangeCount, "lbChangeCount"},
        {lbChangeAmount, "lbChangeAmount"},
        {lbRecive, "lbRecive"},
        {cmdCheckOut, "cmdCheckOut"},
        {lbTitle, "lbTitle"},
        {lbExplain, "lbExplain"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);
    lbExplain->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(DTDate);
    top->addStretch(1);
    top->addWidget(cmdCheckOut);

    // The figures in pairs, a caption before each.
    const struct {
        const char* caption;
        QLabel* value;
        int row;
        int col;
    } figures[] = {
        {"结算日期：", lbDate, 0, 0},        {"销售员：", LbSeller, 0, 1},         {"当日售货：", lbSellCount, 1, 0},
        {"售货金额：", lbSellMny, 1, 1},     {"当日退货：", lbBackCount, 2, 0},    {"退货金额：", lbBackAmount, 2, 1},
        {"当日调换：", lbChangeCount, 3, 0}, {"调换金额：", lbChangeAmount, 3, 1}, {"应交金额：", lbRecive, 4, 1},
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    for (const auto& f : figures) {
        f.value->setMinimumWidth(120);
        f.value->setFrameShape(QFrame::StyledPanel);
        grid->addWidget(new QLabel(QString::fromUtf8(f.caption), this), f.row, f.col * 2, Qt::AlignRight);
        grid->addWidget(f.value, f.row, f.col * 2 + 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(lbExplain);
    layout->addStretch(1);
    layout->addWidget(lbTitle);
    resize(520, 360);

    setTabOrder(DTDate, cmdCheckOut);
    connect(cmdCheckOut, &QPushButton::clicked, this, [this] { cmdCheckOut_Click(); });

    Form_Load();
}

void frmDayAmount::Form_Load() { DTDate->setDate(ui::today()); }

bool frmDayAmount::ShowDayTotals()
{
    if (const core::Outcome read = sales::ReadDayTotals(DTDate->date(), gUser.No, totals_); !read.written()) {
        ui::msg().plain(read.Error);
        return false;
    }
    lbSellCount->setText(countText(totals_.SellQuantity));
    lbSellMny->setText(moneyLabel(totals_.SellAmount));
    lbBackCount->setText(countText(totals_.BackQuantity));
    lbBackAmount->setText(moneyLabel(totals_.BackAmount));
    lbChangeCount->setText(countText(totals_.ChangeQuantity));
    lbChangeAmount->setText(moneyLabel(totals_.ChangeAmount));
    lbRecive->setText(moneyLabel(totals_.ReciveAmount));

    LbSeller->setText(gUser.Name);
    lbDate->setText(ui::dayText(DTDate->date()));
    return true;
}

bool frmDayAmount::StoreDayTotals()
{
    return core::Written(sales::WriteDayAmount(DTDate->date(), gUser.Name, totals_));
}

void frmDayAmount::cmdCheckOut_Click()
{
    // A failure has shown the engine's words and written nothing; the date stays
    // chosen for another try.
    if (!ShowDayTotals())
        return;
    StoreDayTotals();
}
