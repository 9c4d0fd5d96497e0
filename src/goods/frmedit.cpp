#include "goods/frmedit.h"

#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "core/picklistwidgets.h"
#include "goods/receiptremoval.h"
#include "goods/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "platform/vb.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmedit::frmedit(QWidget* parent)
    : FormBase(parent),
      tabEdit(new QTabWidget(this)),
      txtNo(new QLineEdit(this)),
      comName(PickListCombo(this)),
      comBrand(PickListCombo(this)),
      comSize(PickListCombo(this)),
      comColour(PickListCombo(this)),
      comLeather(PickListCombo(this)),
      comGrade(PickListCombo(this)),
      comProductPlace(PickListCombo(this)),
      txtPrice(new QLineEdit(this)),
      txtQuantity(new QLineEdit(this)),
      txtMemo(new QLineEdit(this)),
      DT(new QDateEdit(this)),
      cmdOk(new QPushButton(QStringLiteral("确定(&O)"), this)),
      cmdName(PickListButton(this)),
      cmdBrand(PickListButton(this)),
      cmdSize(PickListButton(this)),
      cmdColour(PickListButton(this)),
      cmdLeather(PickListButton(this)),
      cmdGrade(PickListButton(this)),
      cmdProductPlace(PickListButton(this))
{
    setWindowTitle(QStringLiteral("修改"));
    const QList<QPair<QWidget*, const char*>> names = {
        {tabEdit, "tabEdit"},
        {txtNo, "txtNo"},
        {comName, "comName"},
        {comBrand, "comBrand"},
        {comSize, "comSize"},
        {comColour, "comColour"},
        {comLeather, "comLeather"},
        {comGrade, "comGrade"},
        {comProductPlace, "comProductPlace"},
        {txtPrice, "txtPrice"},
        {txtQuantity, "txtQuantity"},
        {txtMemo, "txtMemo"},
        {DT, "DT"},
        {cmdOk, "cmdOk"},
        {cmdName, "cmdName"},
        {cmdBrand, "cmdBrand"},
        {cmdSize, "cmdSize"},
        {cmdColour, "cmdColour"},
        {cmdLeather, "cmdLeather"},
        {cmdGrade, "cmdGrade"},
        {cmdProductPlace, "cmdProductPlace"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    DT->setCalendarPopup(true);
    DT->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));

    // The tab: two columns of fields, each pick list with its "…" button.
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(16, 16, 16, 16);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(10);
    auto field = [&](int row, int col, const QString& label, QWidget* input, QPushButton* button = nullptr) {
        g->addWidget(new QLabel(label, page), row, col * 3);
        g->addWidget(input, row, col * 3 + 1, 1, button ? 1 : 2);
        if (button)
            g->addWidget(button, row, col * 3 + 2);
    };
    field(0, 0, QStringLiteral("货  号"), txtNo);
    field(0, 1, QStringLiteral("进货日期"), DT);
    field(1, 0, QStringLiteral("品  名"), comName, cmdName);
    field(1, 1, QStringLiteral("品  牌"), comBrand, cmdBrand);
    field(2, 0, QStringLiteral("尺  码"), comSize, cmdSize);
    field(2, 1, QStringLiteral("颜  色"), comColour, cmdColour);
    field(3, 0, QStringLiteral("面  料 "), comLeather, cmdLeather);
    field(3, 1, QStringLiteral("等  级"), comGrade, cmdGrade);
    field(4, 0, QStringLiteral("产  地"), comProductPlace, cmdProductPlace);
    field(5, 0, QStringLiteral("进 价"), txtPrice);
    field(5, 1, QStringLiteral("数  量"), txtQuantity);
    g->addWidget(new QLabel(QStringLiteral("备  注"), page), 6, 0);
    g->addWidget(txtMemo, 6, 1, 1, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    g->setColumnMinimumWidth(3, 70);
    g->setRowStretch(7, 1);
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
    const QList<QWidget*> inputs = {
        txtNo,    comName,     comBrand, comSize, comColour, comLeather, comGrade, comProductPlace,
        txtPrice, txtQuantity, txtMemo,  DT,
    };
    for (int i = 0; i + 1 < inputs.size(); ++i)
        setTabOrder(inputs[i], inputs[i + 1]);
    setTabOrder(DT, cmdOk);
    for (QWidget* w : inputs)
        vbkeys::onKeyPress(w, [](int& k) { EnterToTab(k); });

    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdName, &QPushButton::clicked, this, [this] { cmdName_Click(); });
    connect(cmdBrand, &QPushButton::clicked, this, [this] { cmdBrand_Click(); });
    connect(cmdSize, &QPushButton::clicked, this, [this] { cmdSize_Click(); });
    connect(cmdColour, &QPushButton::clicked, this, [this] { cmdColour_Click(); });
    connect(cmdLeather, &QPushButton::clicked, this, [this] { cmdLeather_Click(); });
    connect(cmdGrade, &QPushButton::clicked, this, [this] { cmdGrade_Click(); });
    connect(cmdProductPlace, &QPushButton::clicked, this, [this] { cmdProductPlace_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmedit::Form_Load()
{
    FillDictionaryCombo(QStringLiteral("颜色"), comColour);
    FillDictionaryCombo(QStringLiteral("尺码"), comSize);
    FillDictionaryCombo(QStringLiteral("等级"), comGrade);
    FillDictionaryCombo(QStringLiteral("面料"), comLeather);
    FillDictionaryCombo(QStringLiteral("品牌"), comBrand);
    FillDictionaryCombo(QStringLiteral("种类"), comName);
    FillDictionaryCombo(QStringLiteral("产地"), comProductPlace);
}

void frmedit::LoadIt(FlexGrid* grid)
{
    grid_ = grid;
    const int r = grid->row();
    txtNo->setText(grid->text(r, QStringLiteral("货号")));
    txtPrice->setText(grid->text(r, QStringLiteral("进价")));
    txtQuantity->setText(grid->text(r, QStringLiteral("数量")));
    // Each list selects the entry that is the row's text as a whole, in any
    // letter case; a text the list does not hold leaves it without a selection.
    const QList<QPair<QComboBox*, const char*>> lists = {
        {comColour, "颜色"}, {comGrade, "等级"}, {comLeather, "面料"},      {comName, "种类"},
        {comSize, "尺码"},   {comBrand, "品牌"}, {comProductPlace, "产地"},
    };
    for (const auto& [combo, caption] : lists)
        combo->setCurrentIndex(combo->findText(grid->text(r, QString::fromUtf8(caption)), Qt::MatchFixedString));
    ParentGUID = grid->text(r, QStringLiteral("ParentGUID"));
    GUID = grid->text(r, QStringLiteral("GUID"));
    DT->setDate(QDate::fromString(grid->text(r, QStringLiteral("进货日期")), Qt::ISODate));
    txtMemo->setText(grid->text(r, QStringLiteral("备注")));

    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(
        QStringLiteral("Select Price from Store Where GUID='") + SqlQuote(ParentGUID) + QStringLiteral("'"), isErr);
    if (!isErr && !rs.eof())
        SellPrice = vb::toSingle(rs.field(QStringLiteral("Price")).toDouble());
}

void frmedit::cmdName_Click() { frmDataDictionary::EditList(QStringLiteral("种类"), comName); }
void frmedit::cmdBrand_Click() { frmDataDictionary::EditList(QStringLiteral("品牌"), comBrand); }
void frmedit::cmdSize_Click() { frmDataDictionary::EditList(QStringLiteral("尺码"), comSize); }
void frmedit::cmdColour_Click() { frmDataDictionary::EditList(QStringLiteral("颜色"), comColour); }
void frmedit::cmdLeather_Click() { frmDataDictionary::EditList(QStringLiteral("面料"), comLeather); }
void frmedit::cmdGrade_Click() { frmDataDictionary::EditList(QStringLiteral("等级"), comGrade); }
void frmedit::cmdProductPlace_Click() { frmDataDictionary::EditList(QStringLiteral("产地"), comProductPlace); }

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
    const ReceiptLine line = ReceiptLineOfGridRow(grid, r);
    const std::optional<qint32> storeQuantity = StockQuantity(line.ParentGUID);
    if (!storeQuantity)
        return;
    qint64 LotID = 0;
    bool IsSell = false;
    if (!GetLotInfo(line, LotID, IsSell))
        return;
    if (IsSell) {
        ui::msg().info(QStringLiteral("对不起，这批货已经出售不能再修改！"));
        return;
    }
    SaveGoods(line, LotID, *storeQuantity);
}

void frmedit::SaveGoods(const ReceiptLine& line, qint64 LotID, qint32 storeQuantity)
{
    const QString wrongType = QStringLiteral("数据类型不正确！");
    if (txtNo->text().isEmpty())
        return Refuse(QStringLiteral("货号不能为空！"), txtNo);
    if (comBrand->currentText().isEmpty())
        return Refuse(QStringLiteral("品牌不能为空！"), comBrand);
    const std::optional<float> price = ReadPrice(txtPrice->text());
    if (!price)
        return Refuse(wrongType, txtPrice);
    const std::optional<qint32> quantity = ReadQuantity(txtQuantity->text());
    if (!quantity)
        return Refuse(wrongType, txtQuantity);

    const std::optional<QStringList> removal = ReceiptRemovalSql(line, LotID, storeQuantity);
    if (!removal)
        return;
    // The corrected receipt always goes into a stock row of its own, at the old
    // row's retail price, without bar code or shelf.
    ReceiptValues v;
    v.TypeNo = txtNo->text();
    v.Name = comName->currentText();
    v.Brand = comBrand->currentText();
    v.Size = comSize->currentText();
    v.Colour = comColour->currentText();
    v.Leather = comLeather->currentText();
    v.Grade = comGrade->currentText();
    v.ProductPlace = comProductPlace->currentText();
    v.Price = *price;
    v.Quantity = *quantity;
    v.SellPrice = SellPrice;
    v.Memo = txtMemo->text();
    v.Date = DT->date();
    const ReceiptTriple receipt = NewStockReceipt(v);
    if (!gDbopt.Transact([&] { return gDbopt.ExcuteAll(*removal) && SendReceipt(receipt); }))
        return;  // nothing written; the window keeps the input for another try

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
    SumReceiptQuantity(grid);
    accept();
}
