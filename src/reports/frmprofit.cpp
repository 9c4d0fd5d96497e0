#include "reports/frmprofit.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "reports/rules/profit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

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

void frmProfit::cmdQuery_Click()
{
    const reports::ProfitFigures f = reports::ComputeProfit(gShopNo, DTBeginTime->date(), DTEndTime->date());
    for (const QString& error : f.Errors)
        ui::msg().plain(error);

    lbInQuantity->setText(WholeText(f.BoughtIn.Quantity));
    lbInAmount->setText(MoneyText(f.BoughtIn.Amount));

    lbSellQuantity->setText(WholeText(f.Sold.Quantity));
    lbSellAmount->setText(MoneyText(f.Sold.Amount));
    lbProfit->setText(MoneyText(f.Sold.Profit));

    lbBackQuantity->setText(WholeText(f.BackToFactory.Quantity));
    lbBackAmount->setText(MoneyText(f.BackToFactory.Amount));

    lbStoreQuantity->setText(WholeText(f.Stock.Quantity));
    lbQuestionQuantity->setText(WholeText(f.ProblemStock.Quantity));
    lbStorePrice->setText(MoneyText(f.StockCost()));

    lbOtherAmount->setText(MoneyText(f.Expenses));
    lbProfitEx->setText(MoneyText(f.NetProfit()));
}
