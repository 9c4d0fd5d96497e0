#pragma once
// The report viewer: the pages of a report as they will print on the default
// printer's paper, one page at a time, with buttons to zoom, to turn the pages
// and to print. A page is laid out and painted only when it is shown, so a
// report of any length opens at once and takes no memory per page.

#include "reports/arprinter.h"

#include <QPrinter>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;
namespace reports {
class ReportPageView;
}  // namespace reports

namespace reports {
class ReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Shows the report in place of the one before, from its first page.
    void setReport(std::shared_ptr<const ARPrinter> report);
    std::shared_ptr<const ARPrinter> report() const { return report_; }
    // The pages shown; empty without a report.
    const std::optional<ReportLayout>& pages() const { return pages_; }

    int pageCount() const { return pages_ ? pages_->pageCount() : 0; }
    int currentPage() const { return page_; }
    void setCurrentPage(int number);
    double zoom() const { return zoom_; }  // 1 is the paper's own size
    void setZoom(double zoom);
    // The paper as the preview shows it: the default printer's, set up by the report.
    const QPrinter& paper() const { return printer_; }

    QPushButton* cmdZoomIn;
    QPushButton* cmdZoomOut;
    QPushButton* cmdFitWidth;
    QPushButton* cmdWholePage;
    QPushButton* cmdFirst;
    QPushButton* cmdPrevious;
    QPushButton* cmdNext;
    QPushButton* cmdLast;
    QLabel* lbPage;
    QPushButton* cmdPrint;

    void fitToWidth();
    void fitInView();
    // Prints the report on a printer the user picks.
    void cmdPrint_Click();

private:
    friend class ReportPageView;
    void refresh();

    QPrinter printer_;
    QScrollArea* area_;
    ReportPageView* view_;
    std::shared_ptr<const ARPrinter> report_;
    std::optional<ReportLayout> pages_;
    int page_ = 0;
    double zoom_ = 1;
};
}  // namespace reports
