#include "reports/frmprofit.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The first row of a sum's result; nothing when the statement failed.
jet::RecordSet SumRow(const QString& sql)
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    return isErr ? jet::RecordSet() : rs;
}

// A sum of the row by its alias; Null (nothing summed) is 0.
qint64 WholeOf(const jet::RecordSet& rs, const QString& alias)
{
    return qint64(vb::roundHalfEven(rs.field(alias).toDouble()));
}
float MoneyOf(const jet::RecordSet& rs, const QString& alias) { return vb::toSingle(rs.field(alias).toDouble()); }

QString WholeText(qint64 v) { return QString::number(v); }
QString MoneyText(float v) { return vb::singleText(v); }

}  // namespace

frmProfit::frmProfit(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      lbInQuantity(new QLabel(this)),
      lbInAmount(new QLabel(this)),
      lbSellQuantity(new QLabel(this)),
      lbSellAmount(new QLabel(this)),
      lbBackQuantity(new QLabel(this)),
      lbBackAmount(new QLabel(this)),
      lbStoreQuantity(new QLabel(this)),
      lbQuestionQuantity(new QLabel(this)),
      lbStorePrice(new QLabel(this)),
      lbProfit(new QLabel(this)),
      lbOtherAmount(new QLabel(this)),
      lbProfitEx(new QLabel(this))
{
    setWindowTitle(QStringLiteral("利润分析"));
    const QList<QPair<QWidget*, const char*>> names = {
        {DTBeginTime, "DTBeginTime"},
        {DTEndTime, "DTEndTime"},
        {cmdQuery, "cmdQuery"},
        {lbInQuantity, "lbInQuantity"},
        {lbInAmount, "lbInAmount"},
        {lbSellQuantity, "lbSellQuantity"},
        {lbSellAmount, "lbSellAmount"},
        {lbBackQuantity, "lbBackQuantity"},
        {lbBackAmount, "lbBackAmount"},
        {lbStoreQuantity, "lbStoreQuantity"},
        {lbQuestionQuantity, "lbQuestionQuantity"},
        {lbStorePrice, "lbStorePrice"},
        {lbProfit, "lbProfit"},
        {lbOtherAmount, "lbOtherAmount"},
        {lbProfitEx, "lbProfitEx"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    // One heading with its captions and value labels.
    auto group = [this](const QString& heading, const QList<QPair<QString, QLabel*>>& values) {
        auto* box = new QGroupBox(heading, this);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(8);
        for (int i = 0; i < values.size(); ++i) {
            grid->addWidget(new QLabel(values[i].first, box), i, 0, Qt::AlignRight);
            values[i].second->setMinimumWidth(110);
            values[i].second->setParent(box);
            grid->addWidget(values[i].second, i, 1);
        }
        grid->setColumnStretch(1, 1);
        return box;
    };
    auto* buyIn = group(QStringLiteral("支出项目(进货)"), {{QStringLiteral("进货数量："), lbInQuantity},
                                                         {QStringLiteral("进货金额："), lbInAmount}});
    auto* sold = group(QStringLiteral("收入项目(售货)"), {{QStringLiteral("售货数量："), lbSellQuantity},
                                                        {QStringLiteral("售货金额："), lbSellAmount}});
    auto* factory = group(QStringLiteral("厂家退货"), {{QStringLiteral("退货数量："), lbBackQuantity},
                                                      {QStringLiteral("退货金额："), lbBackAmount}});
    auto* remains = group(QStringLiteral("   库存剩余(含问题库存)"),
                          {{QStringLiteral("可售库存数量："), lbStoreQuantity},
                           {QStringLiteral("问题库存数量："), lbQuestionQuantity},
                           {QStringLiteral("库存成本价："), lbStorePrice},
                           {QStringLiteral("销售毛利润："), lbProfit},
                           {QStringLiteral("非盈利性支出"), lbOtherAmount},
                           {QStringLiteral("净利润："), lbProfitEx}});

    auto* groups = new QGridLayout;
    groups->setSpacing(12);
    groups->addWidget(buyIn, 0, 0);
    groups->addWidget(sold, 0, 1);
    groups->addWidget(factory, 1, 0);
    groups->addWidget(remains, 1, 1, 2, 1);

    auto* notes = new QVBoxLayout;
    notes->addWidget(new QLabel(QStringLiteral("说明：   销售毛利润是指每销售一件服装产生的利润(销售价格-成本价格)"),
                                this));
    notes->addWidget(new QLabel(QStringLiteral("销售净利润是指(毛利润-非盈利支出)"), this));
    groups->addLayout(notes, 2, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addLayout(core::DateRangeLine(this, DTBeginTime, DTEndTime, {cmdQuery}));
    layout->addLayout(groups, 1);
    resize(720, 420);

    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, cmdQuery);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
}

void frmProfit::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
}

QString frmProfit::PeriodOfShop() const
{
    return QStringLiteral("DateTime>=#") + ui::dayText(DTBeginTime->date()) + QStringLiteral("# And DateTime<=#") +
           ui::dayText(DTEndTime->date()) + QStringLiteral("# And ShopNo=") + core::SqlQuote(gShopNo);
}

frmProfit::Sums frmProfit::QueryBuyIn() const
{
    Sums s;
    const jet::RecordSet rs = SumRow(
        QStringLiteral("Select Sum(Quantity) as 数量,Sum(Price*Quantity) as 价格 From StoreDetail Where ") +
        PeriodOfShop());
    if (!rs.eof()) {
        s.Quantity = WholeOf(rs, QStringLiteral("数量"));
        s.Amount = MoneyOf(rs, QStringLiteral("价格"));
    }
    return s;
}

frmProfit::Sums frmProfit::QuerySell() const
{
    Sums s;
    const jet::RecordSet rs =
        SumRow(QStringLiteral("Select Sum(Quantity) as 数量,Sum(Amount) as 金额,Sum(Amount-BuyPrice) as 利润 "
                              "From Sell Where ") +
               PeriodOfShop() + QStringLiteral(" And State<2"));
    if (!rs.eof()) {
        s.Quantity = WholeOf(rs, QStringLiteral("数量"));
        s.Amount = MoneyOf(rs, QStringLiteral("金额"));
        s.Profit = MoneyOf(rs, QStringLiteral("利润"));
    }
    return s;
}

frmProfit::Sums frmProfit::QueryFactoryBack() const
{
    Sums s;
    const jet::RecordSet rs = SumRow(
        QStringLiteral("Select Sum(Quantity) as 数量,Sum(Amount) as 金额 From FactoryBackTotal Where ") +
        PeriodOfShop());
    if (!rs.eof()) {
        s.Quantity = WholeOf(rs, QStringLiteral("数量"));
        s.Amount = MoneyOf(rs, QStringLiteral("金额"));
    }
    return s;
}

frmProfit::Sums frmProfit::QueryStore() const
{
    Sums s;
    const jet::RecordSet rs =
        SumRow(QStringLiteral("Select Sum(Quantity) as 数量,Sum(Price*Quantity) as 金额 From BuyPrice Where ShopNo=") +
               core::SqlQuote(gShopNo));
    if (!rs.eof()) {
        s.Quantity = WholeOf(rs, QStringLiteral("数量"));
        s.Amount = MoneyOf(rs, QStringLiteral("金额"));
    }
    return s;
}

frmProfit::Sums frmProfit::QueryQuestionStore() const
{
    Sums s;
    const jet::RecordSet rs =
        SumRow(QStringLiteral("Select Sum(Quantity) as 数量,Sum(BuyPrice) as 金额 From BackStore Where ShopNo=") +
               core::SqlQuote(gShopNo) + QStringLiteral(" And IsBackFactory=0"));
    if (!rs.eof()) {
        s.Quantity = WholeOf(rs, QStringLiteral("数量"));
        s.Amount = MoneyOf(rs, QStringLiteral("金额"));
    }
    return s;
}

float frmProfit::QueryOtherOut() const
{
    const jet::RecordSet rs =
        SumRow(QStringLiteral("Select Sum(Amount) as 金额 From OtherOut Where ") + PeriodOfShop());
    return rs.eof() ? 0 : MoneyOf(rs, QStringLiteral("金额"));
}

void frmProfit::cmdQuery_Click()
{
    const Sums in = QueryBuyIn();
    lbInQuantity->setText(WholeText(in.Quantity));
    lbInAmount->setText(MoneyText(in.Amount));

    const Sums sold = QuerySell();
    lbSellQuantity->setText(WholeText(sold.Quantity));
    lbSellAmount->setText(MoneyText(sold.Amount));
    lbProfit->setText(MoneyText(sold.Profit));

    const Sums back = QueryFactoryBack();
    lbBackQuantity->setText(WholeText(back.Quantity));
    lbBackAmount->setText(MoneyText(back.Amount));

    // The stock as it stands now, whatever the days chosen.
    const Sums store = QueryStore();
    lbStoreQuantity->setText(WholeText(store.Quantity));
    const Sums question = QueryQuestionStore();
    lbQuestionQuantity->setText(WholeText(question.Quantity));
    lbStorePrice->setText(MoneyText(store.Amount + question.Amount));

    const float other = QueryOtherOut();
    lbOtherAmount->setText(MoneyText(other));
    // Purchases and factory returns are shown but do not enter the net profit.
    lbProfitEx->setText(MoneyText(sold.Profit - other));
}
