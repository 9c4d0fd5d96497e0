#pragma once
// The report of a result grid. Each shown column of the grid becomes one field,
// the fields standing side by side from the left edge at their columns' widths;
// each grid row becomes one detail line, the caption row first, so the column
// captions head the first page only. Every page carries the title in its header
// and "n of m" in its footer. Measures are twips (1,440 to the inch), counted from
// the top left corner of the page's printable area.
//
// The layout is worked out without painting: ReportLayout gives the page count
// and the content of any one page, which paintPage then draws with Qt.

#include "platform/base/services.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

class FlexGrid;
class QPainter;

namespace reports {
// One field of the detail line: the grid column it prints (its tag) and its place.
struct ReportField {
    int column = 0;
    int left = 0;
    int width = 0;
    bool leftBorder = false;
    bool rightBorder = false;
    bool topBorder = false;
    bool bottomBorder = false;
};

// What one page shows, ready to paint.
struct ReportPage {
    enum class Kind { Title, Cell, Footer };
    struct Text {
        QRectF box;
        QString text;
        Kind kind = Kind::Cell;
    };
    int number = 0;     // from 1
    int firstLine = 0;  // the first detail line on the page
    int lineCount = 0;
    QList<Text> texts;
    QList<QLineF> borders;
};
}  // namespace reports

namespace reports {
class ARPrinter;
}  // namespace reports

namespace reports {
// The pages of one report on one size of printable area.
class ReportLayout {
public:
    ReportLayout(const ARPrinter& report, const QSizeF& printable);

    QSizeF printable() const { return printable_; }
    int linesPerPage() const { return linesPerPage_; }
    int pageCount() const { return pageCount_; }
    // The content of page `number` (1 to pageCount()).
    ReportPage page(int number) const;

private:
    const ARPrinter& report_;
    QSizeF printable_;
    int linesPerPage_ = 1;
    int pageCount_ = 1;
};

class ARPrinter : public ui::PagedDocument {
public:
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    static constexpr int kRowHeight = 300;     // a detail line
    static constexpr int kHeaderHeight = 720;  // the title band
    static constexpr int kFooterHeight = 420;  // the page-number band
    static constexpr int kBorderWidth = 15;    // a cell border line
    static constexpr double kMarginMillimetres = 10;

    // Set these before the grid.
    bool IsSwag = false;         // borders round every printed cell
    bool IsRecordIndex = false;  // print column 0, the record numbers

    QString lbInfo;  // the title in every page's header; "" for none
    int Orientation = kPortrait;

    // Builds the fields from the grid's shown columns and takes the texts of
    // every row for them.
    void setGrid(const FlexGrid& Grid);

    const QList<ReportField>& fields() const { return fields_; }
    int PrintWidth() const { return printWidth_; }
    // Detail lines: every grid row, or none when no column is printed.
    int lineCount() const { return fields_.isEmpty() ? 0 : rowCount_; }
    QString value(int line, int field) const;

    ReportLayout layout(const QSizeF& printable) const { return ReportLayout(*this, printable); }

    static QFont fieldFont();
    static QFont titleFont();
    static QFont footerFont();
    // Draws the page; unitsPerTwip scales twips to the painter's device.
    void paintPage(QPainter& painter, const ReportPage& page, double unitsPerTwip) const;

    // The printable area of the printer's page, in twips.
    static QSizeF printableArea(const QPrinter& printer);

    void setUpPage(QPrinter& printer) const override;
    bool print(QPrinter& printer) const override;

private:
    QList<ReportField> fields_;
    int printWidth_ = 0;
    int rowCount_ = 0;
    QVector<QString> cells_;  // row by row, one text per field
};
}  // namespace reports
