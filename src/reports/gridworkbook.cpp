#include "reports/gridworkbook.h"

#include "platform/flexgrid.h"

#include <QFile>
#include <QLocale>

#include <xlsxwriter.h>

#include <cmath>

namespace reports {

namespace {

// A number in a cell of the default width shows in at most eleven characters.
constexpr int kLongestNumber = 11;
// The longest text a cell holds.
constexpr int kLongestText = 32767;

}  // namespace

bool WorkbookNumber(const QString& text, double* value)
{
    if (text.isEmpty() || text.size() > kLongestNumber)
        return false;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v) || QString::number(v, 'f', QLocale::FloatingPointShortest) != text)
        return false;
    if (value)
        *value = v;
    return true;
}

bool WriteGridWorkbook(const FlexGrid& grid, const QString& path, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    int shown = 0;
    for (int c = 0; c < grid.cols(); ++c)
        shown += grid.colHidden(c) ? 0 : 1;
    if (grid.rows() > LXW_ROW_MAX || shown > LXW_COL_MAX)
        return fail(QStringLiteral("%1 x %2 cells do not fit on one sheet").arg(grid.rows()).arg(shown));

    // Constant memory: each row goes to the file as soon as the next begins.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book)
        return fail(QStringLiteral("cannot start a workbook"));
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* border = workbook_add_format(book);
    format_set_border(border, LXW_BORDER_THIN);

    lxw_error failed = LXW_NO_ERROR;
    QByteArray utf8;
    for (int r = 0; r < grid.rows() && failed == LXW_NO_ERROR; ++r) {
        lxw_col_t out = 0;
        for (int c = 0; c < grid.cols(); ++c) {
            if (grid.colHidden(c))
                continue;
            const QString text = grid.textMatrix(r, c);
            double number = 0;
            lxw_error e;
            if (text.isEmpty()) {
                e = LXW_NO_ERROR;  // boxed through its column
            } else if (WorkbookNumber(text, &number)) {
                e = worksheet_write_number(sheet, lxw_row_t(r), out, number, border);
            } else {
                utf8 = text.left(kLongestText).toUtf8();
                e = worksheet_write_string(sheet, lxw_row_t(r), out, utf8.constData(), border);
            }
            if (e != LXW_NO_ERROR && failed == LXW_NO_ERROR)
                failed = e;
            ++out;
        }
    }
    // Every other cell of the sheet, the empty ones of the list too, through the
    // columns' format. Given last: a formatted column counts towards the sheet's
    // extent, and every row written after it would be gone through to the last
    // column of the sheet.
    worksheet_set_column(sheet, 0, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH, border);
    const lxw_error closed = workbook_close(book);
    if (failed != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(failed)));
    if (closed != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(closed)));
    return true;
}

}  // namespace reports
