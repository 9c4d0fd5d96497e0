#include "goods/frmedit.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "goods/receiptremoval.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kSoldRefusal = QStringLiteral("对不起，这批货已经出售不能再修改！");

}  // namespace

frmedit::frmedit(QWidget* parent)
    : FormBase(parent),
      goods_(this),
      tabEdit(new QTabWidget(this)),
      txtNo(goods_.txtNo),
      comName(goods_.comName),
      comBrand(goods_.comBrand),
      comSize(goods_.comSize),
      comColour(goods_.comColour),
      comLeather(goods_.comLeather),
      comGrade(goods_.comGrade),
      comProductPlace(goods_.comProductPlace),
      txtPrice(new QLineEdit(this)),
      txtQuantity(new QLineEdit(this)),
      txtMemo(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      cmdOk(new QPushButton(QStringLiteral("确定(&O)"), this)),
      cmdName(goods_.cmdName),
      cmdBrand(goods_.cmdBrand),
      cmdSize(goods_.cmdSize),
      cmdColour(goods_.cmdColour),
      cmdLeather(goods_.cmdLeather),
      cmdGrade(goods_.cmdGrade),
      cmdProductPlace(goods_.cmdProductPlace)
{
    setWindowTitle(QStringLiteral("修改"));
    const QList<QPair<QWidget*, const char*>> names = {
        {tabEdit, "tabEdit"},         {txtPrice, "txtPrice"}, {txtQuantity, "txtQuantity"},
        {txtMemo, "txtMemo"},         {DT, "DT"},             {cmdOk, "cmdOk"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));


    // The tab: two columns of fields, each pick list with its "…" button.
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(16, 16, 16, 16);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(10);
    goods_.addGoodsRows(g, QStringLiteral("品  名"), DT);
    goods_.addField(g, 5, 0, QStringLiteral("进 价"), txtPrice);
    goods_.addField(g, 5, 1, QStringLiteral("数  量"), txtQuantity);
    goods_.addWideField(g, 6, QStringLiteral("备  注"), txtMemo);
    goods::PropertyFields::finishGrid(g, 70, 7);
    tabEdit->addTab(page, QStringLiteral("修改信息"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(tabEdit, 1);
    layout->addLayout(buttons);
    resize(600, 400);

    // Enter moves on through the fields in this order.
    const QList<QWidget*> inputs = goods_.inputs() + QList<QWidget*>{txtPrice, txtQuantity, txtMemo, DT};
    for (int i = 0; i + 1 < inputs.size(); ++i)
        setTabOrder(inputs[i], inputs[i + 1]);
    setTabOrder(DT, cmdOk);
    for (QWidget* w : inputs)
        vbkeys::onKeyPress(w, [](int& k) { core::EnterToTab(k); });

    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmedit::Form_Load() { goods_.fillLists(); }

void frmedit::LoadIt(FlexGrid* grid)
{
    grid_ = grid;
    const int r = grid->row();
    // Each list selects the entry that is the row's text as a whole, in any
    // letter case; a text the list does not hold leaves it without a selection.
    goods_.showFields(core::GoodsOfGridRow(*grid, r));
    txtPrice->setText(grid->text(r, QStringLiteral("进价")));
    txtQuantity->setText(grid->text(r, QStringLiteral("数量")));
    ParentGUID = grid->text(r, QStringLiteral("ParentGUID"));
    GUID = grid->text(r, QStringLiteral("GUID"));
    DT->setDate(QDate::fromString(grid->text(r, QStringLiteral("进货日期")), Qt::ISODate));
    txtMemo->setText(grid->text(r, QStringLiteral("备注")));

    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(
        QStringLiteral("Select Price from Store Where GUID=") + core::SqlQuote(ParentGUID),
        isErr);
    if (!isErr && !rs.eof())
        SellPrice = vb::toSingle(rs.field(QStringLiteral("Price")).toDouble());
}

void frmedit::Refuse(const QString& text, QWidget* field)
{
    ui::msg().info(text);
    field->setFocus();
}

void frmedit::cmdOk_Click()
{
    if (!grid_)
        return;
    FlexGrid& grid = *grid_;
    const int r = grid.row();
    if (r < 1 || grid.isSubtotal(r))
        return;  // the caption row or the total row
    const goods::ReceiptLine line = goods::ReceiptLineOfGridRow(grid, r);
    const std::optional<qint32> storeQuantity = goods::StockQuantity(line.ParentGUID);
    if (!storeQuantity)
        return;
    qint64 LotID = 0;
    bool IsSell = false;
    if (!goods::GetLotInfo(line, LotID, IsSell))
        return;
    if (IsSell) {
        ui::msg().info(kSoldRefusal);
        return;
    }
    SaveGoods(line, LotID, *storeQuantity);
}

void frmedit::SaveGoods(const goods::ReceiptLine& line, qint64 LotID, qint32 storeQuantity)
{
    const QString wrongType = QStringLiteral("数据类型不正确！");
    if (txtNo->text().isEmpty())
        return Refuse(QStringLiteral("货号不能为空！"), txtNo);
    if (comBrand->currentText().isEmpty())
        return Refuse(QStringLiteral("品牌不能为空！"), comBrand);
    const std::optional<float> price = goods::ReadPrice(txtPrice->text());
    if (!price)
        return Refuse(wrongType, txtPrice);
    const std::optional<qint32> quantity = goods::ReadQuantity(txtQuantity->text());
    if (!quantity)
        return Refuse(wrongType, txtQuantity);

    const std::optional<goods::ReceiptRemoval> removal = goods::ReceiptRemovalSql(line, LotID, storeQuantity);
    if (!removal)
        return;
    // The corrected receipt always goes into a stock row of its own, at the old
    // row's retail price, without bar code or shelf.
    goods::ReceiptValues v;
    static_cast<core::GoodsFields&>(v) = goods_.fields();
    v.Price = *price;
    v.Quantity = *quantity;
    v.SellPrice = SellPrice;
    v.Memo = txtMemo->text();
    v.Date = DT->date();
    const goods::ReceiptTriple receipt = goods::NewStockReceipt(v);
    // Nothing is written unless all of it is: the window keeps the input for
    // another try. Another program may have sold from the batch, or changed the
    // stock row, since they were read.
    const core::Outcome outcome = goods::WriteReceiptCorrection(*removal, receipt);
    if (!core::Written(outcome)) {
        const core::WriteResult result = outcome.Result;
        if (result == core::WriteResult::BatchSold || result == core::WriteResult::ReceiptChanged) {
            listOutdated_ = true;
            ui::msg().info(result == core::WriteResult::BatchSold ? kSoldRefusal : goods::kReceiptChangedRefusal);
        }
        return;
    }

    FlexGrid& grid = *grid_;
    grid.removeItem(grid.row());
    grid.clearSubtotals();
    const QStringList fields = {QString(),
                                v.TypeNo,
                                v.Name,
                                v.Brand,
                                v.Size,
                                v.Colour,
                                v.Leather,
                                v.Grade,
                                v.ProductPlace,
                                vb::numberText(v.Quantity),
                                vb::singleText(v.Price),
                                v.Memo,
                                ui::dayText(v.Date),
                                receipt.StoreGUID,
                                receipt.LineGUID};
    grid.addItem(fields.join(QLatin1Char('\t')));
    goods::SumReceiptQuantity(grid);
    accept();
}
