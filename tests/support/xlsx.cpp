#include "support/xlsx.h"

#include <QFile>

#include <algorithm>

#include <xlsxwriter.h>

bool WriteXlsx(const QString& path, QList<XlsxCell> cells, bool inlineTexts)
{
    lxw_workbook_options options = {};
    options.constant_memory = inlineTexts ? LXW_TRUE : LXW_FALSE;
    // Constant memory takes the rows in order.
    std::stable_sort(cells.begin(), cells.end(), [](const XlsxCell& a, const XlsxCell& b) { return a.row < b.row; });
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(book, "进货单");
    workbook_add_worksheet(book, "其他");
    for (const XlsxCell& c : cells) {
        const auto row = lxw_row_t(c.row - 1);
        const auto col = lxw_col_t(c.col - 1);
        if (c.value.typeId() == QMetaType::Int || c.value.typeId() == QMetaType::Double)
            worksheet_write_number(sheet, row, col, c.value.toDouble(), nullptr);
        else
            worksheet_write_string(sheet, row, col, c.value.toString().toUtf8().constData(), nullptr);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}
