#include "goods/frmputin.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "goods/rules/receipttriple.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

namespace {

// A setting: the box's number to the nearest whole number; empty or no number is 0.
int setting(const QLineEdit* box)
{
    const double v = vb::roundHalfEven(vb::val(box->text()));
    return int(qBound<double>(INT_MIN, v, INT_MAX));
}

}  // namespace

frmPutIn::frmPutIn(QWidget* parent)
    : FormBase(parent),
      fraSetting(new QGroupBox(QStringLiteral("设 置"), this)),
      txtBeginRow(new QLineEdit(QStringLiteral("4"), this)),
      txtEndrow(new QLineEdit(this)),
      txtColourRow(new QLineEdit(QStringLiteral("3"), this)),
      txtSizeBCol(new QLineEdit(QStringLiteral("6"), this)),
      txtSizeECol(new QLineEdit(QStringLiteral("15"), this)),
      txtTypeNoCol(new QLineEdit(QStringLiteral("2"), this)),
      txtBrandCol(new QLineEdit(QStringLiteral("1"), this)),
      txtNameCol(new QLineEdit(QStringLiteral("3"), this)),
      txtColourCol(new QLineEdit(QStringLiteral("5"), this)),
      txtLeatherCol(new QLineEdit(this)),
      txtLevelCol(new QLineEdit(this)),
      txtProductCol(new QLineEdit(this)),
      txtPriceCol(new QLineEdit(QStringLiteral("17"), this)),
      txtSellPriceCol(new QLineEdit(QStringLiteral("18"), this)),
      txtFileName(new QLineEdit(this)),
      cmdSelect(new QPushButton(QStringLiteral("…"), this)),
      cmdPutIn(new QPushButton(QStringLiteral("开始导入"), this)),
      DT(core::DatePicker(this)),
      ProgressBar(new QProgressBar(this))
{
    setWindowTitle(QStringLiteral("数据导入"));
    const QList<QPair<QWidget*, const char*>> names = {
        {fraSetting, "fraSetting"},       {txtBeginRow, "txtBeginRow"},     {txtEndrow, "txtEndrow"},
        {txtColourRow, "txtColourRow"},   {txtSizeBCol, "txtSizeBCol"},     {txtSizeECol, "txtSizeECol"},
        {txtTypeNoCol, "txtTypeNoCol"},   {txtBrandCol, "txtBrandCol"},     {txtNameCol, "txtNameCol"},
        {txtColourCol, "txtColourCol"},   {txtLeatherCol, "txtLeatherCol"}, {txtLevelCol, "txtLevelCol"},
        {txtProductCol, "txtProductCol"}, {txtPriceCol, "txtPriceCol"},     {txtSellPriceCol, "txtSellPriceCol"},
        {txtFileName, "txtFileName"},     {cmdSelect, "cmdSelect"},         {cmdPutIn, "cmdPutIn"},
        {DT, "DT"},                       {ProgressBar, "ProgressBar"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    // The settings in two columns of label and box.
    const QList<QPair<QString, QLineEdit*>> settings = {
        {QStringLiteral("数据开始行："), txtBeginRow},   {QStringLiteral("数据结束行："), txtEndrow},
        {QStringLiteral("尺码行号："), txtColourRow},    {QStringLiteral("尺码开始列："), txtSizeBCol},
        {QStringLiteral("尺码结束列："), txtSizeECol},   {QStringLiteral("货号列号："), txtTypeNoCol},
        {QStringLiteral("品牌列号："), txtBrandCol},     {QStringLiteral("种类列号："), txtNameCol},
        {QStringLiteral("颜色列号："), txtColourCol},    {QStringLiteral("面料列号："), txtLeatherCol},
        {QStringLiteral("等级列号："), txtLevelCol},     {QStringLiteral("产地列号："), txtProductCol},
        {QStringLiteral("进价列号："), txtPriceCol},     {QStringLiteral("零售价列号："), txtSellPriceCol},
    };
    auto* grid = new QGridLayout(fraSetting);
    for (int i = 0; i < settings.size(); ++i) {
        grid->addWidget(new QLabel(settings[i].first, fraSetting), i / 2, (i % 2) * 2, Qt::AlignRight);
        grid->addWidget(settings[i].second, i / 2, (i % 2) * 2 + 1);
        settings[i].second->setFixedWidth(80);
    }
    grid->setColumnMinimumWidth(2, 110);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("Excel文件"), this));
    file->addWidget(txtFileName, 1);
    file->addWidget(cmdSelect);
    txtFileName->setReadOnly(true);
    cmdSelect->setFixedWidth(32);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("进货日期："), this));
    bottom->addWidget(DT);
    bottom->addStretch(1);
    bottom->addWidget(cmdPutIn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(file);
    layout->addWidget(fraSetting);
    layout->addLayout(bottom);
    layout->addWidget(ProgressBar);
    ProgressBar->hide();
    cmdPutIn->setEnabled(false);

    connect(cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(cmdPutIn, &QPushButton::clicked, this, [this] { cmdPutIn_Click(); });
    Form_Load();
}

void frmPutIn::Form_Load() { DT->setDate(ui::today()); }

void frmPutIn::cmdSelect_Click()
{
    const QString path = ui::platform().files->openFile(this, QStringLiteral("(*.xls *.xlsx)"));
    if (path.isEmpty())
        return;
    txtFileName->setText(path);
    workbook::Sheet sheet;
    QString why;
    if (!workbook::ReadFirstSheet(path, &sheet, &why)) {
        sheet_.reset();
        cmdPutIn->setEnabled(false);
        ui::msg().info(QStringLiteral("不能打开这个工作簿：") + path + QStringLiteral("\n") + why);
        return;
    }
    sheet_ = std::move(sheet);
    cmdPutIn->setEnabled(true);
}

void frmPutIn::cmdPutIn_Click()
{
    if (!sheet_ || !cmdPutIn->isEnabled())
        return;
    const workbook::Sheet& sheet = *sheet_;
    const int beginRow = setting(txtBeginRow), endRow = setting(txtEndrow);
    const int sizeRow = setting(txtColourRow);
    const int firstSize = setting(txtSizeBCol), lastSize = setting(txtSizeECol);
    const int typeNoCol = setting(txtTypeNoCol), brandCol = setting(txtBrandCol), nameCol = setting(txtNameCol);
    const int colourCol = setting(txtColourCol), leatherCol = setting(txtLeatherCol);
    const int gradeCol = setting(txtLevelCol), placeCol = setting(txtProductCol);
    const int priceCol = setting(txtPriceCol), sellPriceCol = setting(txtSellPriceCol);
    if (endRow == 0) {
        ui::msg().info(QStringLiteral("请输入结束行！"));
        return;
    }
    // Columns of number 0 or below leave their texts empty.
    const auto text = [&sheet](int row, int col) { return col > 0 ? sheet.cell(row, col) : QString(); };

    // The receipts first, one per cell of the size block (none where no pieces are).
    QList<std::optional<goods::ReceiptTriple>> cells;
    for (int row = beginRow; row <= endRow; ++row) {
        goods::ReceiptValues v;
        v.TypeNo = text(row, typeNoCol);
        v.Brand = text(row, brandCol);
        v.Name = text(row, nameCol);
        v.Colour = text(row, colourCol);
        v.Leather = text(row, leatherCol);
        v.Grade = text(row, gradeCol);
        v.ProductPlace = text(row, placeCol);
        v.Date = DT->date();
        for (int col = firstSize; col <= lastSize; ++col) {
            const std::optional<qint32> pieces = goods::ReadQuantity(text(row, col));
            if (!pieces || *pieces <= 0) {
                cells << std::nullopt;
                continue;
            }
            for (const auto& [priceColumn, price] : {std::pair{priceCol, &v.Price}, {sellPriceCol, &v.SellPrice}}) {
                const std::optional<float> read = goods::ReadPrice(text(row, priceColumn));
                if (!read) {
                    ui::msg().info(QStringLiteral("第%1行第%2列的价格不正确，没有导入任何数据！")
                                       .arg(row)
                                       .arg(priceColumn));
                    return;
                }
                *price = *read;
            }
            v.Size = text(sizeRow, col);
            v.Quantity = *pieces;
            cells << goods::NewStockReceipt(v);
        }
    }

    // Then all of them in one transaction, the bar moving with every cell. The
    // bar is repainted at once, without taking any input meanwhile, whenever the
    // percentage it shows moves on (a repaint per cell would take longer than
    // the writing of a large list).
    ProgressBar->setRange(1, int(qBound<qsizetype>(1, cells.size(), qsizetype(INT_MAX))));
    ProgressBar->setValue(1);
    ProgressBar->show();
    ProgressBar->repaint();
    cmdPutIn->setEnabled(false);
    const auto percent = [this](qint64 value) {
        const qint64 span = qMax<qint64>(1, qint64(ProgressBar->maximum()) - ProgressBar->minimum());
        return (value - ProgressBar->minimum()) * 100 / span;
    };
    // The bar stands at a cell once everything before it is sent.
    QList<goods::ReceiptTriple> receipts;
    QList<qsizetype> cellOf;  // the place among the cells of each receipt
    for (qsizetype i = 0; i < cells.size(); ++i)
        if (cells[i]) {
            receipts << *cells[i];
            cellOf << i;
        }
    const auto moveTo = [&](qsizetype cell) {
        const qint64 shown = percent(ProgressBar->value());
        ProgressBar->setValue(int(qMin<qsizetype>(cell, ProgressBar->maximum())));
        if (percent(ProgressBar->value()) != shown)
            ProgressBar->repaint();
    };
    moveTo(receipts.isEmpty() ? cells.size() : cellOf.first());
    const bool written = core::Written(goods::WriteReceipts(
        receipts, [&](qsizetype i) { moveTo(i + 1 < receipts.size() ? cellOf[i + 1] : cells.size()); }));
    if (!written) {
        // Nothing is stored; the workbook stays chosen for another try.
        cmdPutIn->setEnabled(true);
        return;
    }
    ui::msg().exclaim(QStringLiteral("导入成功!"));
    ProgressBar->hide();
    // Imported: a second click must not receive the same list again.
    sheet_.reset();
}
