// The code combo box: names shown, keys kept beside them.
#include "core/clscombox.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

QStringList entries(const QComboBox& c)
{
    QStringList l;
    for (int i = 0; i < c.count(); ++i)
        l << c.itemText(i);
    return l;
}

}  // namespace

TEST(CodeCombo, FillsFromTwoListsInMatchingOrder)
{
    const struct {
        const char* codes;
        const char* captions;
        const char* first;
        QStringList shown;
    } cases[] = {
        {"k1,k2,k3", "甲,乙,丙", "", {"甲", "乙", "丙"}},
        {"k1,k2", "甲,乙", "全部", {"全部", "甲", "乙"}},
        {"", "", "", {}},
        {"", "", "全部", {"全部"}},
        {"k1,k2", "甲,乙,丙", "", {}},              // lengths differ
        {"k1,k2", "甲,乙,丙", "全部", {"全部"}},
        {"k1,k2", "收银,员,店长", "", {}},           // a comma inside a caption
        {"k1", "", "", {}},
        {"", "甲", "", {}},
        {"k1,", "甲,", "", {"甲", ""}},              // an empty last item is an item
    };
    QComboBox combo;
    combo.addItem("old");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.codes) + " / " + c.captions + " / " + c.first);
        clsCombox cc;
        cc.Initial(&combo, QString::fromUtf8(c.codes), QString::fromUtf8(c.captions), QString::fromUtf8(c.first));
        EXPECT_EQ(cc.Combox(), &combo);
        EXPECT_EQ(entries(combo), c.shown);
        EXPECT_EQ(cc.ListCount(), c.shown.size());
        EXPECT_EQ(cc.ListIndex(), -1);
        EXPECT_EQ(cc.No(), "");
        EXPECT_EQ(cc.Caption(), "");
    }
}

TEST(CodeCombo, SelectsByCodeAndGivesCodeAndCaption)
{
    QComboBox combo;
    clsCombox cc;
    cc.Initial(&combo, "k1,k2,k1", "甲,乙,丙", "全部");
    const struct {
        const char* code;
        int index;
        const char* caption;
    } cases[] = {
        {"k2", 2, "乙"},
        {"k1", 1, "甲"},     // duplicates: the first
        {"全部", 0, "全部"},  // the first entry's code is its caption
        {"K2", -1, ""},      // codes compare exactly
        {"absent", -1, ""},
        {"", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        cc.setNo("k2");  // something selected before
        cc.setNo(QString::fromUtf8(c.code));
        EXPECT_EQ(cc.ListIndex(), c.index);
        EXPECT_EQ(combo.currentIndex(), c.index);
        EXPECT_EQ(cc.Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(cc.No(), c.index < 0 ? QString() : QString::fromUtf8(c.code));
    }
    cc.setListIndex(3);
    EXPECT_EQ(cc.No(), "k1");
    EXPECT_EQ(cc.Caption(), "丙");
}

TEST(CodeCombo, AddItemTakesAnyTextAndKeepsTheSelection)
{
    QComboBox combo;
    clsCombox cc;
    cc.Initial(&combo, "k1", "甲", "");
    cc.setNo("k1");
    cc.AddItem("k,2", "店长,副店长");
    cc.AddItem("k'3", "");
    EXPECT_EQ(entries(combo), QStringList({"甲", "店长,副店长", ""}));
    EXPECT_EQ(cc.No(), "k1") << "adding keeps what was selected";
    cc.setNo("k,2");
    EXPECT_EQ(cc.ListIndex(), 1);
    EXPECT_EQ(cc.Caption(), "店长,副店长");
    cc.setNo("k'3");
    EXPECT_EQ(cc.ListIndex(), 2);
    EXPECT_EQ(cc.Caption(), "");
    // Refilled, it starts afresh: old codes are gone.
    cc.Initial(&combo, QString(), QString(), QString());
    cc.AddItem("k9", "丁");
    cc.setNo("k1");
    EXPECT_EQ(cc.ListIndex(), -1);
    cc.setNo("k9");
    EXPECT_EQ(cc.Caption(), "丁");
}

TEST(CodeCombo, DropDownRunsBeforeTheListOpens)
{
    core::DropDownComboBox combo;
    QStringList seen;
    combo.DropDown = [&] {
        seen << QString::number(combo.count());
        combo.clear();
        combo.addItem("new");
    };
    combo.addItem("old");
    combo.showPopup();
    combo.hidePopup();
    EXPECT_EQ(seen, QStringList({"1"}));
    EXPECT_EQ(entries(combo), QStringList({"new"}));
}
