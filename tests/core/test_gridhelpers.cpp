// The module's grid helpers: the standard column layout and clearing the rows.
#include "core/modmain.h"
#include "platform/flexgrid.h"

#include <gtest/gtest.h>

namespace {

void shape(FlexGrid& g, int cols, int rows)
{
    g.setCols(cols);
    for (int c = 1; c < cols; ++c)
        g.setTextMatrix(0, c, QString::number(c));
    for (int r = 1; r < rows; ++r)
        g.addItem(QStringLiteral("\tA%1").arg(r));
}

}  // namespace

TEST(GridHelpers, SetGridColumnsLaysOutEveryColumn)
{
    FlexGrid g;
    shape(g, 5, 2);
    g.setColHidden(2, true);
    core::SetGridColumns(g, 1160);
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(g.colWidth(c), c == 0 ? 200 : 1160);
        EXPECT_EQ(g.colAlignment(c), c == 2 ? Qt::Alignment() : Qt::AlignCenter);
    }
    EXPECT_TRUE(g.colHidden(2));  // stays hidden with its width

    const struct {
        double width;
        int twips;
    } rounding[] = {{1148.5, 1148}, {1149.5, 1150}, {960.4, 960}, {859.6, 860}};
    for (const auto& r : rounding) {
        core::SetGridColumns(g, r.width);
        EXPECT_EQ(g.colWidth(3), r.twips) << r.width;
    }

    FlexGrid empty;
    core::SetGridColumns(empty, 1000);  // only the fixed column
    EXPECT_EQ(empty.colWidth(0), 200);
}

TEST(GridHelpers, ClearGridRowsKeepsTheCaptionRow)
{
    FlexGrid g;
    shape(g, 3, 4);
    g.subtotalSum(FlexGrid::WholeListAbove, 2, QStringLiteral("总合计"));
    core::ClearGridRows(g);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.textMatrix(0, 2), "2");
    EXPECT_EQ(g.row(), 0);
    core::ClearGridRows(g);  // nothing left to remove
    EXPECT_EQ(g.rows(), 1);
}
