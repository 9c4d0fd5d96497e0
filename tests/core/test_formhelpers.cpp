#include "core/modmain.h"
#include "support/shopfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

class FormHelpers : public ShopFixture {};

TEST_F(FormHelpers, PickListsFillInTheirOwnOrder)
{
    QComboBox combo;
    combo.addItem("old");
    core::FillDictionaryCombo("折扣", &combo);
    ASSERT_EQ(combo.count(), 7);
    EXPECT_EQ(combo.itemText(0), "9.5");
    EXPECT_EQ(combo.itemText(6), "5");
    EXPECT_EQ(combo.currentIndex(), 0);

    sql("delete from DataDictionary Where Item='面料'");
    core::FillDictionaryCombo("面料", &combo);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentIndex(), -1);

    core::FillDictionaryComboWithAll("面料", &combo);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), "全部");

    sql("Insert Into DataDictionary (Item,Content) Values ('品牌','Zeta')");
    sql("Insert Into DataDictionary (Item,Content) Values ('品牌','Alpha')");
    core::FillDictionaryComboWithAll("品牌", &combo);
    EXPECT_EQ(combo.itemText(0), "全部");
    EXPECT_EQ(combo.itemText(combo.count() - 2), "Zeta");
    EXPECT_EQ(combo.itemText(combo.count() - 1), "Alpha");
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST_F(FormHelpers, DigitsOnlyBoxes)
{
    QLineEdit box;
    core::SetNumberOnly(&box, true);
    QTest::keyClicks(&box, "1a2.3");
    EXPECT_EQ(box.text(), "123");
    core::SetNumberOnly(&box, false);
    QTest::keyClicks(&box, "x");
    EXPECT_EQ(box.text(), "123x");
}
