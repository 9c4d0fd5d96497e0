#include "reports/reportviewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace reports {

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr int kGap = 12;  // pixels of desk round the paper
constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8;

}  // namespace

// The paper of the current page, drawn at the viewer's zoom.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(ReportViewer* viewer) : QWidget(viewer), viewer_(viewer) {}

    // Pixels per twip at zoom 1.
    double baseScale() const { return logicalDpiX() / (72.0 * kTwipsPerPoint); }
    QSizeF paperTwips() const
    {
        return viewer_->printer_.pageLayout().fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
    }
    QSize paperPixels() const
    {
        const double s = baseScale() * viewer_->zoom_;
        return QSizeF(paperTwips() * s).toSize();
    }
    void resizeToPaper()
    {
        const QSize paper = paperPixels();
        setFixedSize(paper.width() + 2 * kGap, paper.height() + 2 * kGap);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().dark());
        const QRect paper(QPoint(kGap, kGap), paperPixels());
        p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 80));
        p.fillRect(paper, Qt::white);
        if (!viewer_->pages_ || viewer_->page_ < 1)
            return;
        p.setClipRect(paper);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QPointF printable =
            viewer_->printer_.pageLayout().paintRect(QPageLayout::Point).topLeft() * kTwipsPerPoint;
        const double s = baseScale();
        p.translate(paper.topLeft());
        p.scale(viewer_->zoom_, viewer_->zoom_);
        p.translate(printable * s);
        viewer_->report_->paintPage(p, viewer_->pages_->page(viewer_->page_), s);
    }

private:
    ReportViewer* viewer_;
};

ReportViewer::ReportViewer(QWidget* parent)
    : QWidget(parent),
      cmdZoomIn(new QPushButton(QStringLiteral("放大"), this)),
      cmdZoomOut(new QPushButton(QStringLiteral("缩小"), this)),
      cmdFitWidth(new QPushButton(QStringLiteral("适合宽度"), this)),
      cmdWholePage(new QPushButton(QStringLiteral("整页"), this)),
      cmdFirst(new QPushButton(QStringLiteral("首页"), this)),
      cmdPrevious(new QPushButton(QStringLiteral("上一页"), this)),
      cmdNext(new QPushButton(QStringLiteral("下一页"), this)),
      cmdLast(new QPushButton(QStringLiteral("末页"), this)),
      lbPage(new QLabel(this)),
      cmdPrint(new QPushButton(QStringLiteral("打印"), this)),
      printer_(QPrinter::HighResolution),
      area_(new QScrollArea(this)),
      view_(new ReportPageView(this))
{
    cmdZoomIn->setObjectName(QStringLiteral("cmdZoomIn"));
    cmdZoomOut->setObjectName(QStringLiteral("cmdZoomOut"));
    cmdFitWidth->setObjectName(QStringLiteral("cmdFitWidth"));
    cmdWholePage->setObjectName(QStringLiteral("cmdWholePage"));
    cmdFirst->setObjectName(QStringLiteral("cmdFirst"));
    cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdLast->setObjectName(QStringLiteral("cmdLast"));
    lbPage->setObjectName(QStringLiteral("lbPage"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));

    auto* bar = new QHBoxLayout;
    for (QPushButton* b : {cmdZoomIn, cmdZoomOut, cmdFitWidth, cmdWholePage})
        bar->addWidget(b);
    bar->addSpacing(16);
    for (QPushButton* b : {cmdFirst, cmdPrevious})
        bar->addWidget(b);
    bar->addWidget(lbPage);
    for (QPushButton* b : {cmdNext, cmdLast})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(cmdPrint);
    lbPage->setMinimumWidth(90);
    lbPage->setAlignment(Qt::AlignCenter);

    area_->setWidget(view_);
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);

    connect(cmdZoomIn, &QPushButton::clicked, this, [this] { setZoom(zoom_ * kZoomStep); });
    connect(cmdZoomOut, &QPushButton::clicked, this, [this] { setZoom(zoom_ / kZoomStep); });
    connect(cmdFitWidth, &QPushButton::clicked, this, [this] { fitToWidth(); });
    connect(cmdWholePage, &QPushButton::clicked, this, [this] { fitInView(); });
    connect(cmdFirst, &QPushButton::clicked, this, [this] { setCurrentPage(1); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { setCurrentPage(page_ - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { setCurrentPage(page_ + 1); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { setCurrentPage(pageCount()); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    view_->resizeToPaper();
    refresh();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setReport(std::shared_ptr<const ARPrinter> report)
{
    const bool first = !report_;
    pages_.reset();
    report_ = std::move(report);
    if (report_) {
        report_->setUpPage(printer_);
        pages_.emplace(report_->layout(ARPrinter::printableArea(printer_)));
    }
    page_ = pages_ ? 1 : 0;
    view_->resizeToPaper();
    if (first)
        fitToWidth();  // later reports keep the zoom the user chose
    area_->verticalScrollBar()->setValue(0);
    refresh();
}

void ReportViewer::setCurrentPage(int number)
{
    if (!pages_)
        return;
    const int n = std::clamp(number, 1, pageCount());
    if (n == page_)
        return;
    page_ = n;
    area_->verticalScrollBar()->setValue(0);
    refresh();
}

void ReportViewer::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    view_->resizeToPaper();
    refresh();
}

void ReportViewer::fitToWidth()
{
    const double paper = view_->paperTwips().width() * view_->baseScale();
    const int room = area_->viewport()->width() - 2 * kGap;
    if (paper > 0 && room > 0)
        setZoom(room / paper);
}

void ReportViewer::fitInView()
{
    const QSizeF paper = view_->paperTwips() * view_->baseScale();
    const QSize room = area_->viewport()->size() - QSize(2 * kGap, 2 * kGap);
    if (!paper.isEmpty() && room.width() > 0 && room.height() > 0)
        setZoom(std::min(room.width() / paper.width(), room.height() / paper.height()));
}

void ReportViewer::refresh()
{
    const int count = pageCount();
    lbPage->setText(count > 0 ? QStringLiteral("%1 / %2").arg(page_).arg(count) : QString());
    cmdFirst->setEnabled(page_ > 1);
    cmdPrevious->setEnabled(page_ > 1);
    cmdNext->setEnabled(page_ < count);
    cmdLast->setEnabled(page_ < count);
    cmdPrint->setEnabled(report_ != nullptr);
    view_->update();
}

void ReportViewer::cmdPrint_Click()
{
    if (!report_)
        return;
    if (ui::platform().reports->print(report_, window()) == ui::PrintOutcome::Failed)
        ui::msg().exclaim(QStringLiteral("打印失败！"));
}

}  // namespace reports
