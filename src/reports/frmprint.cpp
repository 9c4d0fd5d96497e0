#include "reports/frmprint.h"

#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "reports/gridworkbook.h"
#include "reports/reportviewer.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

const QString kTotal = QStringLiteral("合计");
constexpr int kFixedColumnWidth = 420;

}  // namespace

frmPrint::frmPrint(QWidget* parent)
    : FormBase(parent),
      VSFlexGrid(new FlexGrid(this)),
      lbFields(new QLabel(QStringLiteral("————可打印字段————"), this)),
      listField(new QListWidget(this)),
      chkIsTableHead(new QCheckBox(QStringLiteral("是否打印表头"), this)),
      txtTable(new QLineEdit(QStringLiteral("服装店数据报表"), this)),
      chkRecordIndex(new QCheckBox(QStringLiteral("是否打印记录编号"), this)),
      chkisTotal(new QCheckBox(QStringLiteral("是否打印合计行"), this)),
      chkIsSwag(new QCheckBox(QStringLiteral("是否打印网格"), this)),
      fraOrientation(new QGroupBox(QStringLiteral("打印方向"), this)),
      Opt{new QRadioButton(QStringLiteral("横向"), fraOrientation),
          new QRadioButton(QStringLiteral("纵向"), fraOrientation)},
      comAutoSize(new QPushButton(QStringLiteral("自动尺寸"), this)),
      cmdPreview(new QPushButton(QStringLiteral("打印预览"), this)),
      cmdExcel(new QPushButton(QStringLiteral("导出Excel"), this)),
      lbPreview(new QLabel(QStringLiteral("————————————————————————打 印 预 览 区——————————————————————————"), this)),
      arv(new reports::ReportViewer(this))
{
    setWindowTitle(QStringLiteral("打印"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    lbFields->setObjectName(QStringLiteral("lbFields"));
    listField->setObjectName(QStringLiteral("listField"));
    chkIsTableHead->setObjectName(QStringLiteral("chkIsTableHead"));
    txtTable->setObjectName(QStringLiteral("txtTable"));
    chkRecordIndex->setObjectName(QStringLiteral("chkRecordIndex"));
    chkisTotal->setObjectName(QStringLiteral("chkisTotal"));
    chkIsSwag->setObjectName(QStringLiteral("chkIsSwag"));
    fraOrientation->setObjectName(QStringLiteral("fraOrientation"));
    Opt[0]->setObjectName(QStringLiteral("Opt0"));
    Opt[1]->setObjectName(QStringLiteral("Opt1"));
    comAutoSize->setObjectName(QStringLiteral("comAutoSize"));
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdExcel->setObjectName(QStringLiteral("cmdExcel"));
    lbPreview->setObjectName(QStringLiteral("lbPreview"));
    arv->setObjectName(QStringLiteral("arv"));

    // The copy is worked on, never shown.
    VSFlexGrid->hide();
    chkIsTableHead->setChecked(true);
    chkisTotal->setChecked(true);
    chkIsSwag->setChecked(true);
    Opt[1]->setChecked(true);

    auto* orientation = new QHBoxLayout(fraOrientation);
    orientation->addWidget(Opt[0]);
    orientation->addWidget(Opt[1]);

    auto* options = new QVBoxLayout;
    options->addWidget(lbFields);
    options->addWidget(listField, 1);
    options->addWidget(chkIsTableHead);
    options->addWidget(txtTable);
    options->addWidget(chkRecordIndex);
    options->addWidget(chkisTotal);
    options->addWidget(chkIsSwag);
    options->addWidget(fraOrientation);
    options->addSpacing(8);
    options->addWidget(comAutoSize);
    options->addWidget(cmdPreview);
    options->addWidget(cmdExcel);
    lbFields->setAlignment(Qt::AlignCenter);

    auto* previewArea = new QVBoxLayout;
    previewArea->addWidget(lbPreview);
    previewArea->addWidget(arv, 1);
    lbPreview->setAlignment(Qt::AlignCenter);
    lbPreview->setMinimumWidth(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addLayout(options);
    layout->addLayout(previewArea, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{lbFields, listField, txtTable, fraOrientation})
        w->setFixedWidth(200);
    resize(1180, 780);

    connect(listField, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { listField_ItemCheck(listField->row(item)); });
    connect(chkIsTableHead, &QCheckBox::toggled, this, [this] { chkIsTableHead_Click(); });
    connect(chkisTotal, &QCheckBox::toggled, this, [this] { chkisTotal_Click(); });
    connect(comAutoSize, &QPushButton::clicked, this, [this] { comAutoSize_Click(); });
    connect(cmdPreview, &QPushButton::clicked, this, [this] { cmdPreview_Click(); });
    connect(cmdExcel, &QPushButton::clicked, this, [this] { cmdExcel_Click(); });
}

// -- loading ----------------------------------------------------------------------

void frmPrint::LoadIt(const FlexGrid& grid, bool IsTotal)
{
    IsTotal_ = IsTotal;
    totalsPresent_ = IsTotal;
    firstDataRow_ = IsTotal ? 2 : 1;
    if (IsTotal)
        chkisTotal->setChecked(true);
    else
        chkisTotal->setEnabled(false);

    VSFlexGrid->copyFrom(grid);
    for (int c = 0; c < VSFlexGrid->cols(); ++c)
        VSFlexGrid->setColAlignment(c, Qt::AlignCenter);
    VSFlexGrid->setColWidth(0, kFixedColumnWidth);
    FillFieldList();
}

void frmPrint::FillFieldList()
{
    const QSignalBlocker quiet(listField);
    listField->clear();
    for (int c = 1; c < VSFlexGrid->cols(); ++c) {
        if (VSFlexGrid->colHidden(c))
            continue;
        auto* item = new QListWidgetItem(VSFlexGrid->textMatrix(0, c), listField);
        item->setData(Qt::UserRole, c);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

// -- the options ------------------------------------------------------------------

void frmPrint::listField_ItemCheck(int Item)
{
    const QListWidgetItem* item = listField->item(Item);
    if (!item)
        return;
    VSFlexGrid->setColHidden(item->data(Qt::UserRole).toInt(), item->checkState() != Qt::Checked);
}

void frmPrint::chkIsTableHead_Click()
{
    if (chkIsTableHead->isChecked()) {
        txtTable->setEnabled(true);
    } else {
        txtTable->setEnabled(false);
        txtTable->clear();
    }
}

void frmPrint::chkisTotal_Click()
{
    // A copy left with its caption row alone after the totals row went out can
    // still take it back.
    if (!IsTotal_ || (VSFlexGrid->rows() <= 1 && totalsPresent_)) {
        firstDataRow_ = 1;
        return;
    }
    if (chkisTotal->isChecked()) {
        if (!totalsPresent_) {
            VSFlexGrid->addItem(savedTotal_, 1);
            totalsPresent_ = true;
        }
        firstDataRow_ = 2;
    } else {
        if (totalsPresent_) {
            VSFlexGrid->select(1, 0, 1, VSFlexGrid->cols() - 1);
            savedTotal_ = VSFlexGrid->clip();
            VSFlexGrid->removeItem(1);
            totalsPresent_ = false;
        }
        firstDataRow_ = 1;
    }
}

void frmPrint::comAutoSize_Click() { VSFlexGrid->autoSize(1, VSFlexGrid->cols() - 1); }

void frmPrint::FillRecordIndex()
{
    const bool numbered = chkRecordIndex->isChecked();
    // The copy is never shown: its view need not hear of each of a hundred
    // thousand texts (the texts change, the shape does not).
    const QSignalBlocker quiet(VSFlexGrid->model());
    int n = 0;
    for (int r = firstDataRow_; r < VSFlexGrid->rows(); ++r)
        VSFlexGrid->setTextMatrix(r, 0, numbered ? QString::number(++n) : QString());
    if (VSFlexGrid->rows() > 1 && totalsPresent_)
        VSFlexGrid->setTextMatrix(1, 0, kTotal);
}

// -- preview and export ------------------------------------------------------------

void frmPrint::cmdPreview_Click()
{
    if (chkIsTableHead->isChecked() && txtTable->text().isEmpty()) {
        ui::msg().exclaim(QStringLiteral("请输入表头！"));
        return;
    }
    FillRecordIndex();
    const platform::WaitCursor wait;
    auto report = std::make_shared<reports::ARPrinter>();
    report->IsSwag = chkIsSwag->isChecked();
    report->IsRecordIndex = chkRecordIndex->isChecked();
    report->lbInfo = txtTable->text();
    report->setGrid(*VSFlexGrid);
    report->Orientation = Opt[0]->isChecked() ? reports::ARPrinter::kLandscape : reports::ARPrinter::kPortrait;
    report_ = report;
    arv->setReport(report_);
}

void frmPrint::cmdExcel_Click()
{
    QString path, error;
    {
        const platform::WaitCursor wait;
        // A folder of its own each time: a workbook still open from the last
        // export is never written over.
        QTemporaryDir folder(QDir::tempPath() + QLatin1Char('/') + ui::appTitle() + QStringLiteral("-XXXXXX"));
        if (!folder.isValid()) {
            error = folder.errorString();
        } else {
            path = folder.filePath(QStringLiteral("QueryData.xlsx"));
            if (reports::WriteGridWorkbook(*VSFlexGrid, path, &error))
                folder.setAutoRemove(false);
            else
                path.clear();
        }
    }
    if (path.isEmpty()) {
        ui::msg().exclaim(QStringLiteral("数据导出失败：") + error);
        return;
    }
    exported_ = path;
    if (!ui::platform().reports->openWorkbook(path))
        ui::msg().info(QStringLiteral("没有找到电子表格程序，数据已导出到：") + QDir::toNativeSeparators(path));
}
