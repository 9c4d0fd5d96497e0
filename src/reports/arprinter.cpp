#include "reports/arprinter.h"

#include "platform/flexgrid.h"

#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace reports {

namespace {

constexpr double kTwipsPerPoint = 20;

QFont reportFont(int pointSize, bool bold)
{
    // 宋体 where it is installed; the serif Chinese face of the Noto family elsewhere.
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC")});
    f.setStyleHint(QFont::Serif);
    // Unshaped, every glyph is the font's own for its character, so the text of a
    // PDF printout reads back: shaped, the Noto faces give digits after Latin
    // letters glyphs that a PDF cannot map back to their characters.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

}  // namespace

// -- the fields and the rows -----------------------------------------------------

void ARPrinter::setGrid(const FlexGrid& Grid)
{
    fields_.clear();
    printWidth_ = 0;
    const int first = IsRecordIndex ? 0 : 1;
    for (int c = first; c < Grid.cols(); ++c) {
        if (Grid.colHidden(c))
            continue;
        ReportField f;
        f.column = c;
        f.left = printWidth_;
        f.width = Grid.colWidth(c);
        if (IsSwag) {
            f.leftBorder = fields_.isEmpty();
            f.rightBorder = f.topBorder = f.bottomBorder = true;
        }
        fields_.append(f);
        printWidth_ += f.width;
    }

    rowCount_ = Grid.rows();
    const int n = int(fields_.size());
    cells_.clear();
    cells_.reserve(qsizetype(rowCount_) * n);
    for (int r = 0; r < rowCount_; ++r)
        for (const ReportField& f : std::as_const(fields_))
            cells_.append(Grid.textMatrix(r, f.column));
}

QString ARPrinter::value(int line, int field) const
{
    const int n = int(fields_.size());
    if (line < 0 || line >= lineCount() || field < 0 || field >= n)
        return {};
    return cells_[qsizetype(line) * n + field];
}

// -- pages -----------------------------------------------------------------------

ReportLayout::ReportLayout(const ARPrinter& report, const QSizeF& printable) : report_(report), printable_(printable)
{
    const double body = printable.height() - ARPrinter::kHeaderHeight - ARPrinter::kFooterHeight;
    linesPerPage_ = std::max(1, int(body / ARPrinter::kRowHeight));
    const int lines = report.lineCount();
    pageCount_ = std::max(1, (lines + linesPerPage_ - 1) / linesPerPage_);
}

ReportPage ReportLayout::page(int number) const
{
    ReportPage p;
    if (number < 1 || number > pageCount_)
        return p;
    p.number = number;
    p.firstLine = (number - 1) * linesPerPage_;
    p.lineCount = std::clamp(report_.lineCount() - p.firstLine, 0, linesPerPage_);

    const double width = printable_.width();
    if (!report_.lbInfo.isEmpty())
        p.texts.append({QRectF(0, 0, width, ARPrinter::kHeaderHeight), report_.lbInfo, ReportPage::Kind::Title});

    // Fields that would stand beyond the printable width are cut there.
    struct Box {
        int field;
        double left, right;
    };
    QList<Box> boxes;
    const QList<ReportField>& fields = report_.fields();
    for (int i = 0; i < fields.size(); ++i) {
        const double left = fields[i].left;
        if (left >= width)
            break;
        boxes.append({i, left, std::min<double>(left + fields[i].width, width)});
    }

    for (int l = 0; l < p.lineCount; ++l) {
        const int line = p.firstLine + l;
        const double top = ARPrinter::kHeaderHeight + double(l) * ARPrinter::kRowHeight;
        const double bottom = top + ARPrinter::kRowHeight;
        for (const Box& b : std::as_const(boxes)) {
            const ReportField& f = fields[b.field];
            const QString text = report_.value(line, b.field);
            if (!text.isEmpty())
                p.texts.append({QRectF(b.left, top, b.right - b.left, ARPrinter::kRowHeight), text,
                                ReportPage::Kind::Cell});
            if (f.leftBorder)
                p.borders.append(QLineF(b.left, top, b.left, bottom));
            if (f.rightBorder)
                p.borders.append(QLineF(b.right, top, b.right, bottom));
            if (f.topBorder)
                p.borders.append(QLineF(b.left, top, b.right, top));
            if (f.bottomBorder)
                p.borders.append(QLineF(b.left, bottom, b.right, bottom));
        }
    }

    p.texts.append({QRectF(0, printable_.height() - ARPrinter::kFooterHeight, width, ARPrinter::kFooterHeight),
                    QStringLiteral("%1 of %2").arg(number).arg(pageCount_), ReportPage::Kind::Footer});
    return p;
}

// -- painting --------------------------------------------------------------------

QFont ARPrinter::fieldFont() { return reportFont(10, false); }
QFont ARPrinter::titleFont() { return reportFont(16, true); }
QFont ARPrinter::footerFont() { return reportFont(9, false); }

void ARPrinter::paintPage(QPainter& painter, const ReportPage& page, double unitsPerTwip) const
{
    const double k = unitsPerTwip;
    const auto scaled = [k](const QRectF& r) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); };
    painter.save();
    painter.setPen(QPen(Qt::black));
    const QFont fonts[] = {titleFont(), fieldFont(), footerFont()};
    ReportPage::Kind current = ReportPage::Kind::Cell;
    painter.setFont(fonts[int(current)]);
    for (const ReportPage::Text& t : page.texts) {
        if (t.kind != current) {
            current = t.kind;
            painter.setFont(fonts[int(current)]);
        }
        painter.drawText(scaled(t.box), Qt::AlignCenter | Qt::TextSingleLine, t.text);
    }
    if (!page.borders.isEmpty()) {
        QVector<QLineF> lines;
        lines.reserve(page.borders.size());
        for (const QLineF& l : page.borders)
            lines.append(QLineF(l.p1() * k, l.p2() * k));
        painter.setPen(QPen(Qt::black, kBorderWidth * k, Qt::SolidLine, Qt::SquareCap));
        painter.drawLines(lines);
    }
    painter.restore();
}

QSizeF ARPrinter::printableArea(const QPrinter& printer)
{
    return printer.pageLayout().paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

void ARPrinter::setUpPage(QPrinter& printer) const
{
    printer.setPageOrientation(Orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QMarginsF wanted(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
    if (!printer.setPageMargins(wanted, QPageLayout::Millimeter)) {
        // A printer that cannot print that close to the edge gets its own least margins.
        QPageLayout now = printer.pageLayout();
        now.setUnits(QPageLayout::Millimeter);
        const QMarginsF least = now.minimumMargins();
        printer.setPageMargins(QMarginsF(std::max(wanted.left(), least.left()), std::max(wanted.top(), least.top()),
                                         std::max(wanted.right(), least.right()),
                                         std::max(wanted.bottom(), least.bottom())),
                               QPageLayout::Millimeter);
    }
    printer.setDocName(lbInfo.isEmpty() ? ui::appTitle() : lbInfo);
}

bool ARPrinter::print(QPrinter& printer) const
{
    const ReportLayout pages = layout(printableArea(printer));
    int from = 1, to = pages.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        if (printer.toPage() > 0)
            to = std::min(to, printer.toPage());
    }
    if (from > to)
        return true;  // nothing of the report lies in the range asked for
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double k = printer.resolution() / (72.0 * kTwipsPerPoint);
    for (int n = from; n <= to; ++n) {
        if (n > from && !printer.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, pages.page(n), k);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace reports
