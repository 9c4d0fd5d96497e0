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

// The pieces and the amount of one sum.
bool readTotal(const QString& sql, qint32& Quantity, float& Amount)
{
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    if (isErr)
        return false;
    Quantity = 0;
    Amount = 0;
    // A sum over no rows is Null, and counts as 0.
    if (!rs.eof()) {
        Quantity = static_cast<qint32>(rs.field(QStringLiteral("数量")).toLongLong());
        Amount = vb::toSingle(rs.field(QStringLiteral("金额")).toDouble());
    }
    return true;
}

}  // namespace

// -- the statements -------------------------------------------------------------------

QString sales::SellTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(Amount) as 金额 from Sell Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And   DateTime=#") + ui::dayText(day) +
           QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString sales::BackTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(Amount) as 金额 from SellChange Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And State=2  ") + QStringLiteral(" And ChangeDate=#") +
           ui::dayText(day) + QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString sales::ChangeTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(AddAmount) as 金额 from SellChange Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And State=1  ") + QStringLiteral(" And ChangeDate=#") +
           ui::dayText(day) + QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString sales::DayAmountRowSql(const QDate& day, const QString& sellerName)
{
    return QStringLiteral("Select  * from  DayAmount Where DateTime=#") + ui::dayText(day) +
           QStringLiteral("# And ShopNo=") + core::SqlQuote(gShopNo) + QStringLiteral("  And Seller=") +
           core::SqlQuote(sellerName);
}

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

bool frmDayAmount::GetSellTotal(qint32& Quantity, float& Amount)
{
    return readTotal(sales::SellTotalSql(DTDate->date(), gUser.No), Quantity, Amount);
}

bool frmDayAmount::GetBackTotal(qint32& Quantity, float& Amount)
{
    return readTotal(sales::BackTotalSql(DTDate->date(), gUser.No), Quantity, Amount);
}

bool frmDayAmount::GetChangeTotal(qint32& Quantity, float& Amount)
{
    return readTotal(sales::ChangeTotalSql(DTDate->date(), gUser.No), Quantity, Amount);
}

bool frmDayAmount::ShowDayTotals()
{
    // All three sums are read before anything is shown: a sum that cannot be
    // read leaves no figure half computed.
    qint32 sellQuantity = 0, backQuantity = 0, changeQuantity = 0;
    float sellAmount = 0, backAmount = 0, changeAmount = 0;
    if (!GetSellTotal(sellQuantity, sellAmount) || !GetBackTotal(backQuantity, backAmount) ||
        !GetChangeTotal(changeQuantity, changeAmount))
        return false;

    SellQuantity = sellQuantity;
    SellAmount = sellAmount;
    lbSellCount->setText(countText(SellQuantity));
    lbSellMny->setText(moneyLabel(SellAmount));
    BackQuantity = backQuantity;
    BackAmount = backAmount;
    lbBackCount->setText(countText(BackQuantity));
    lbBackAmount->setText(moneyLabel(BackAmount));
    ChangeQuantity = changeQuantity;
    ChangeAmount = changeAmount;
    lbChangeCount->setText(countText(ChangeQuantity));
    lbChangeAmount->setText(moneyLabel(ChangeAmount));

    // Worked out in double, then taken through a single's text, which leaves
    // the subtraction's rounding noise behind.
    const double due = double(SellAmount) - double(BackAmount) + double(ChangeAmount);
    ReciveAmount = vb::toSingle(vb::val(vb::singleText(vb::toSingle(due))));
    lbRecive->setText(moneyLabel(ReciveAmount));

    LbSeller->setText(gUser.Name);
    lbDate->setText(ui::dayText(DTDate->date()));
    return true;
}

bool frmDayAmount::StoreDayTotals()
{
    const QDate day = DTDate->date();
    const QString comma = QStringLiteral(",");
    // The look-up and the write as one, so that two counters settling the same
    // seller's day at once still leave one row.
    return gDbopt.Transact([&] {
        bool isErr = false;
        const jet::RecordSet rs = gDbopt.Excute(sales::DayAmountRowSql(day, gUser.Name), isErr);
        if (isErr)
            return false;
        QString sql;
        if (rs.eof()) {
            sql = QStringLiteral("Insert Into DayAmount Values(") + core::SqlQuote(gNewGUID.GUID(false)) + comma +
                  countText(SellQuantity) + comma + vb::singleText(SellAmount) + comma + countText(BackQuantity) +
                  comma + vb::singleText(BackAmount) + comma + countText(ChangeQuantity) + comma +
                  vb::singleText(ChangeAmount) + comma + vb::singleText(ReciveAmount) + comma +
                  core::SqlQuote(gUser.Name) + comma + core::SqlQuote(ui::dayText(day)) + comma +
                  core::SqlQuote(gShopNo) + comma + core::SqlQuote(gShopName) + QStringLiteral(")");
        } else {
            // Only the figures change: seller, day and shop stay as first written.
            sql = QStringLiteral("Update DayAmount Set SellQuantity=") + countText(SellQuantity) +
                  QStringLiteral(", SellAmount=") + vb::singleText(SellAmount) + QStringLiteral(", BackQuantity=") +
                  countText(BackQuantity) + QStringLiteral(", BackAmount=") + vb::singleText(BackAmount) +
                  QStringLiteral(", ChangeQuantity=") + countText(ChangeQuantity) + QStringLiteral(", ChangeAmount=") +
                  vb::singleText(ChangeAmount) + QStringLiteral(", ReciveAmount=") + vb::singleText(ReciveAmount) +
                  QStringLiteral(" Where GUID=") + core::SqlQuote(rs.fieldText(QStringLiteral("GUID")));
        }
        gDbopt.Excute(sql, isErr);
        return !isErr;
    });
}

void frmDayAmount::cmdCheckOut_Click()
{
    // A failure has shown the engine's words and written nothing; the date stays
    // chosen for another try.
    if (!ShowDayTotals())
        return;
    StoreDayTotals();
}
