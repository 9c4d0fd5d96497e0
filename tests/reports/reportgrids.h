#pragma once
// Result grids as the queries hand them to the print service, and a PDF reader.

#include "platform/flexgrid.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace reportgrids {

// Captions in row 0 (column 0 first), then one row per list.
inline void fill(FlexGrid& g, const QStringList& captions, const QList<QStringList>& rows)
{
    g.setCols(int(captions.size()));
    for (int c = 0; c < captions.size(); ++c) {
        g.setTextMatrix(0, c, captions[c]);
        g.setColKey(c, captions[c]);
    }
    for (const QStringList& r : rows)
        g.addItem(r.join(QLatin1Char('\t')));
}

// A stock list: a hidden key column, five shown columns 1,160 twips wide, a
// "合计" row after each goods number and the "总合计" row standing as row 1.
//   0 |GUID|货号 |种类|数量|零售价|条码
//   1  总合计          12
//   2  {A} A-1   夹克   5   99.5  0012
//   3  {B} A-1   夹克   3   99.5  6901234567890
//   4      合计         8
//   5  {C} B-2   男鞋   4   120   0013
//   6      合计         4
inline void stockList(FlexGrid& g)
{
    fill(g, {"", "GUID", "货号", "种类", "数量", "零售价", "条码"},
         {{"", "{A}", "A-1", "夹克", "5", "99.5", "0012"},
          {"", "{B}", "A-1", "夹克", "3", "99.5", "6901234567890"},
          {"", "{C}", "B-2", "男鞋", "4", "120", "0013"}});
    g.setColHidden(1, true);
    for (int c = 0; c < g.cols(); ++c)
        g.setColWidth(c, c == 0 ? 200 : 1160);
    g.subtotalSum(2, 4, QStringLiteral("合计"));
    g.subtotalSum(FlexGrid::WholeListAbove, 4, QStringLiteral("总合计"));
}

// Every row's texts, cells joined by "|".
inline QStringList texts(const FlexGrid& g)
{
    QStringList out;
    for (int r = 0; r < g.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.cols(); ++c)
            cells << g.textMatrix(r, c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The words of a PDF file, pages separated by form feeds.
inline QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.errorString().toStdString()
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace reportgrids
