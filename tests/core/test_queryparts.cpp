// The pieces of the query windows: a grid bound to a select, and the line of
// the span of days.
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

class QueryParts : public ShopFixture {};

TEST_F(QueryParts, AFailedSelectKeepsTheListItHad)
{
    FlexGrid g;
    ASSERT_TRUE(core::BindQuery(g, "Select GUID as 店面, ShopName as 名称 from Shop"));
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(0, 2), "名称");
    EXPECT_EQ(g.textMatrix(1, 2), "我的店铺");
    EXPECT_FALSE(core::BindQuery(g, "Select Nothing from NoSuchTable"));
    EXPECT_EQ(messages().shown().size(), 1) << "the engine's words";
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(1, 2), "我的店铺");
}

TEST_F(QueryParts, TheDateRangeLineShowsBothDaysThenTheButtons)
{
    QWidget window;
    QDateEdit* begin = core::DatePicker(&window);
    QDateEdit* end = core::DatePicker(&window);
    auto* query = new QPushButton("查 询(&Q)", &window);
    auto* print = new QPushButton("打印(&P)", &window);
    QHBoxLayout* line = core::DateRangeLine(&window, begin, end, {query, print});
    window.setLayout(line);

    for (QDateEdit* d : {begin, end}) {
        EXPECT_TRUE(d->calendarPopup());
        d->setDate(QDate(2024, 3, 5));
        EXPECT_EQ(d->text(), "2024-03-05");
    }
    QStringList items;
    for (int i = 0; i < line->count(); ++i) {
        QLayoutItem* item = line->itemAt(i);
        if (auto* label = qobject_cast<QLabel*>(item->widget()))
            items << label->text();
        else if (item->widget() == begin || item->widget() == end)
            items << (item->widget() == begin ? "begin" : "end");
        else if (auto* button = qobject_cast<QPushButton*>(item->widget()))
            items << button->text();
        else
            items << (item->spacerItem()->expandingDirections() ? "stretch" : "space");
    }
    EXPECT_EQ(items, QStringList({"开始日期", "begin", "space", "结束日期", "end", "space", "查 询(&Q)", "打印(&P)",
                                  "stretch"}));
}
