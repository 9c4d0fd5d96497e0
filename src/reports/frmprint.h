#pragma once
// The print service of result grids: takes a copy of a query's grid, lets the
// user choose the columns, a title, record numbers, the totals row, cell borders,
// the orientation and fitted column widths, and shows the copy as a paged report
// (printed from the viewer) or writes it into a workbook opened in the
// spreadsheet program.

#include "platform/formbase.h"
#include "reports/arprinter.h"

#include <array>
#include <memory>

class FlexGrid;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
namespace reports {
class ReportViewer;
}  // namespace reports

class frmPrint : public FormBase {
    Q_OBJECT
public:
    explicit frmPrint(QWidget* parent = nullptr);

    // Copies the grid, whose row 1 is a totals row when IsTotal is true; the
    // grid itself is left as it is.
    void LoadIt(const FlexGrid& grid, bool IsTotal);

    FlexGrid* VSFlexGrid;  // the working copy: everything here reads and changes it only
    QLabel* lbFields;
    QListWidget* listField;  // one entry per printable column, ticked = printed
    QCheckBox* chkIsTableHead;
    QLineEdit* txtTable;
    QCheckBox* chkRecordIndex;
    QCheckBox* chkisTotal;
    QCheckBox* chkIsSwag;
    QGroupBox* fraOrientation;      // "打印方向"
    std::array<QRadioButton*, 2> Opt;  // 0 "横向", 1 "纵向"
    QPushButton* comAutoSize;
    QPushButton* cmdPreview;
    QPushButton* cmdExcel;
    QLabel* lbPreview;
    reports::ReportViewer* arv;

    void FillFieldList();
    void FillRecordIndex();

    void listField_ItemCheck(int Item);
    void chkIsTableHead_Click();
    void chkisTotal_Click();
    void comAutoSize_Click();
    void cmdPreview_Click();
    void cmdExcel_Click();

    // The report of the last preview; null before the first.
    std::shared_ptr<const reports::ARPrinter> report() const { return report_; }
    // The copy holds the totals row at row 1.
    bool totalsPresent() const { return totalsPresent_; }
    // The first row that gets a record number.
    int firstDataRow() const { return firstDataRow_; }
    // The workbook the last export wrote; "" before the first.
    QString exportedWorkbook() const { return exported_; }

private:
    bool IsTotal_ = false;
    bool totalsPresent_ = false;
    QString savedTotal_;
    int firstDataRow_ = 1;
    std::shared_ptr<reports::ARPrinter> report_;
    QString exported_;
};
