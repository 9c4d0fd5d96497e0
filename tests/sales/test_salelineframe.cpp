// The after-sales frame, in a window of its own laid out as the return lays it
// out: the search by sale day, sale number and goods number, the list of the
// lines found, Enter on a line, and what the frame does after a write.
#include "platform/flexgrid.h"
#include "platform/formbase.h"
#include "sales/salelineframe.h"
#include "support/soldlines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

class Host : public FormBase {
public:
    Host()
        : boxes(this),
          frame(this, QStringLiteral("退货原因"), sales::kAmountCaption, {QStringLiteral("等级")})
    {
        lbTip = frame.MakeTip();
        auto* search = new QHBoxLayout;
        boxes.AddTo(search);
        frame.AddTip(search);
        auto* bottom = new QHBoxLayout;
        frame.reason.AddTo(bottom, QStringLiteral("退货原因："));
        bottom->addWidget(frame.MakeOk());
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(search);
        layout->addWidget(frame.VSFlexGrid);
        layout->addLayout(bottom);
        boxes.TabOrder(frame.VSFlexGrid);
        frame.ReasonOnEnter();
        connect(boxes.cmdQuery, &QPushButton::clicked, this, [this] {
            if (const std::optional<jet::RecordSet> rs = boxes.Find(sales::kAmountCaption, lbTip))
                frame.ShowFound(*rs);
        });
        frame.Load();
    }

    sales::SaleLineBoxes boxes;
    sales::SaleLineFrame frame;
    QLabel* lbTip;
};

class Frame : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        const TwoSales t = twoSales();
        a1 = t.a1;
        a2 = t.a2;
        a3 = t.a3;
        b1 = t.b1;
        w = std::make_unique<Host>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void TearDown() override
    {
        w.reset();
        SoldLines::TearDown();
    }

    struct Search {
        std::optional<QDate> day{};
        std::optional<QString> sellNo{};
        std::optional<QString> typeNo{};
    };
    void search(const Search& s)
    {
        const sales::SaleLineBoxes& b = w->boxes;
        b.chkDate->setChecked(bool(s.day));
        b.chkNo->setChecked(bool(s.sellNo));
        b.chkType->setChecked(bool(s.typeNo));
        if (s.day)
            b.DT->setDate(*s.day);
        b.txtSellNo->setText(s.sellNo.value_or(QString()));
        b.txtType->setText(s.typeNo.value_or(QString()));
        b.cmdQuery->click();
    }
    QStringList listed() const
    {
        QStringList keys;
        for (int r = 1; r < grid().rows(); ++r)
            keys << grid().text(r, "GUID");
        return keys;
    }
    FlexGrid& grid() const { return *w->frame.VSFlexGrid; }

    QString a1, a2, a3, b1;
    std::unique_ptr<Host> w;
};

}  // namespace

TEST_F(Frame, FindsLinesByDayNumberAndGoodsNumberTogether)
{
    EXPECT_EQ(w->boxes.DT->date(), QDate(2024, 3, 5));
    ASSERT_EQ(grid().cols(), 22);
    EXPECT_EQ(grid().rows(), 1);
    for (int c = 1; c < grid().cols(); ++c)
        EXPECT_EQ(grid().colHidden(c), c <= 7 || grid().textMatrix(0, c) == "等级") << c;
    EXPECT_EQ(grid().textMatrix(0, 19), "金额");
    EXPECT_EQ(grid().colWidth(9), 860);

    const struct {
        const char* what;
        Search s;
        QStringList found;  // empty: "无记录！" and the list as it was
    } cases[] = {
        {"a sale", {.sellNo = "202403010001"}, {a1, a2, a3}},
        {"a sale and a goods number", {.sellNo = "202403010001", .typeNo = "K-100"}, {a1, a2}},
        {"a day", {.day = QDate(2024, 3, 4)}, {b1}},
        {"a goods number with a quote on a day", {.day = QDate(2024, 3, 1), .typeNo = "K'200"}, {a3}},
        {"a goods number", {.typeNo = "k-100"}, {a1, a2, b1}},
        {"every piece of the day, number and goods", {.day = QDate(2024, 3, 4), .sellNo = "202403040001",
                                                      .typeNo = "K-100"}, {b1}},
        {"another shop's sale", {.sellNo = "202403040002"}, {}},
        {"a day without sales", {.day = QDate(2024, 3, 2)}, {}},
        {"a number that would widen the search", {.sellNo = "x' or State>=2 or ''='"}, {}},
        {"a goods number that would too", {.typeNo = "x' or ''='"}, {}},
    };
    QStringList shown;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        search(c.s);
        EXPECT_TRUE(messages().shown().isEmpty()) << messages().texts().join(" / ").toStdString();
        if (c.found.isEmpty()) {
            EXPECT_EQ(w->lbTip->text(), "无记录！");
            EXPECT_EQ(listed(), shown);
            continue;
        }
        shown = c.found;
        EXPECT_EQ(listed(), c.found);
        EXPECT_TRUE(w->lbTip->text().isEmpty());
        EXPECT_EQ(grid().row(), 1);
        EXPECT_TRUE(grid().hasFocus());
        EXPECT_TRUE(grid().colHidden(grid().colIndex("等级")));
    }

    // Nothing ticked: nothing searched.
    search({});
    EXPECT_EQ(messages().texts(), QStringList({"请选择条件！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(messages().last().title, "VeloraTessaro");
    EXPECT_EQ(listed(), shown);
}

TEST_F(Frame, EnterOnALineMovesOnToTheReason)
{
    grid().setFocus();
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_TRUE(grid().hasFocus()) << "no line yet";
    search({.sellNo = "202403010001"});
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_TRUE(w->frame.reason.comResion->hasFocus());
    EXPECT_EQ(w->frame.reason.comResion->currentText(), "质量问题");
}

TEST_F(Frame, AWrittenLineLeavesTheListAndAChangedOneIsRefused)
{
    const struct {
        core::Outcome outcome;
        QStringList said;
        QStringList left;
    } cases[] = {
        {{core::WriteResult::Written, {}}, {}, {a1, a3}},
        {{core::WriteResult::LineChanged, {}}, {"对不起！该商品已经被作废、退货或调换，请重新查询！"}, {a1, a2, a3}},
        {{core::WriteResult::Failed, "Sell cannot be written"}, {"Sell cannot be written"}, {a1, a2, a3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.outcome.Result));
        search({.sellNo = "202403010001"});
        messages().clear();
        grid().setRow(2);
        w->frame.Settle(c.outcome, 2);
        EXPECT_EQ(messages().texts(), c.said);
        EXPECT_EQ(listed(), c.left);
    }
}
