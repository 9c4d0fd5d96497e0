// The pick-list editor: what the clerk sees and what the table holds after.
#include "core/frmdatadictionary.h"
#include "support/staff.h"
#include "support/shopfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class PickList : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        sql("delete from DataDictionary Where Item='颜色'");
    }
    static QStringList shown(const frmDataDictionary& w)
    {
        QStringList entries;
        for (int i = 0; i < w.List->count(); ++i)
            entries << w.List->item(i)->text();
        return entries;
    }
    QStringList stored(const QString& item)
    {
        QStringList entries;
        for (jet::RecordSet rs = sql("select Content from DataDictionary Where Item='" + item + "'"); !rs.eof();
             rs.moveNext())
            entries << rs.fieldText("Content");
        return entries;
    }
    void add(const QString& item, const QString& content)
    {
        sql("Insert Into DataDictionary (Item,Content) Values ('" + item + "'," + core::SqlQuote(content) + ")");
    }
    static void type(frmDataDictionary& w, const QString& text)
    {
        w.txtItem->setText(text);
        w.cmdAdd->click();
    }
};

}  // namespace

TEST_F(PickList, AddsCaseDistinctEntriesAndRefusesExactRepeats)
{
    frmDataDictionary w;
    w.LoadIt("颜色");
    EXPECT_EQ(w.windowTitle(), "数据字典--颜色");
    EXPECT_TRUE(shown(w).isEmpty());

    struct Step {
        const char* typed;
        const char* message;  // nullptr: added
    };
    const Step steps[] = {
        {"Red", nullptr},
        {"red", nullptr},  // letter case makes another entry
        {"Red", "该内容已经存在！"},
        {" Red", nullptr},  // and so does a space
        {"", "内容不能为空！"},
        {"O'Neil", nullptr},
        {"O'Neil", "该内容已经存在！"},
    };
    QStringList expected;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.typed);
        messages().clear();
        type(w, s.typed);
        if (s.message) {
            ASSERT_EQ(messages().shown().size(), 1);
            EXPECT_EQ(messages().last().text, s.message);
            EXPECT_EQ(messages().last().title, "VeloraTessaro");
            EXPECT_EQ(messages().last().icon, ui::Icon::Information);
            EXPECT_EQ(w.txtItem->text(), s.typed) << "a refused entry stays in the box";
        } else {
            expected << s.typed;
            EXPECT_TRUE(messages().shown().isEmpty());
            EXPECT_TRUE(w.txtItem->text().isEmpty());
            EXPECT_EQ(w.List->currentRow(), w.List->count() - 1);
            EXPECT_TRUE(w.List->currentItem()->isSelected());
        }
        EXPECT_EQ(shown(w), expected);
        EXPECT_EQ(stored("颜色"), expected);
    }

    // Reopened, the editor shows what was written, the quote included.
    frmDataDictionary again;
    again.LoadIt("颜色");
    EXPECT_EQ(shown(again), expected);
}

TEST_F(PickList, EnterInTheBoxAdds)
{
    frmDataDictionary w;
    w.LoadIt("颜色");
    staff::showActive(&w);
    w.txtItem->setFocus();
    QTest::keyClicks(w.txtItem, "Navy");
    QTest::keyClick(w.txtItem, Qt::Key_Return);
    EXPECT_EQ(stored("颜色"), QStringList({"Navy"}));
    EXPECT_TRUE(w.isVisible()) << "Enter adds and closes nothing";
}

TEST_F(PickList, DeleteMovesTheSelectionOn)
{
    for (const char* e : {"a", "b", "c"})
        add("颜色", e);
    frmDataDictionary w;
    w.LoadIt("颜色");
    struct Step {
        int select;
        QStringList left;
        int selectedAfter;
    };
    const Step steps[] = {
        {1, {"a", "c"}, 1},  // the entry that took its place
        {1, {"a"}, 0},       // the last one gone: the one before
        {0, {}, -1},         // the list empty: none
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.left.join(',').toStdString());
        w.List->setCurrentRow(s.select);
        w.cmdDel->click();
        EXPECT_EQ(shown(w), s.left);
        EXPECT_EQ(stored("颜色"), s.left);
        EXPECT_EQ(w.List->currentRow(), s.selectedAfter);
    }
    EXPECT_TRUE(messages().shown().isEmpty()) << "deletes ask nothing";
}

TEST_F(PickList, DeleteWithNothingSelectedDeletesNothing)
{
    // An empty entry in the table: nothing selected must not reach it.
    add("颜色", "");
    add("颜色", "Red");
    frmDataDictionary w;
    w.LoadIt("颜色");
    EXPECT_EQ(shown(w), QStringList({"", "Red"}));
    ASSERT_EQ(w.List->currentRow(), -1);
    w.cmdDel->click();
    EXPECT_EQ(shown(w), QStringList({"", "Red"}));
    EXPECT_EQ(stored("颜色"), QStringList({"", "Red"}));
    // A current row without a selection (the list took the focus) is no choice either.
    w.List->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    w.cmdDel->click();
    EXPECT_EQ(stored("颜色"), QStringList({"", "Red"}));
}

TEST_F(PickList, OneDeleteRemovesEveryEqualEntry)
{
    // Other windows may have written the same text twice.
    for (const char* e : {"Blue", "O'Neil", "Blue", "O'Neil", "Green"})
        add("颜色", e);
    add("尺码", "Blue");
    frmDataDictionary w;
    w.LoadIt("颜色");
    w.List->setCurrentRow(2);
    w.cmdDel->click();
    EXPECT_EQ(stored("颜色"), QStringList({"O'Neil", "O'Neil", "Green"}));
    EXPECT_EQ(shown(w), QStringList({"O'Neil", "O'Neil", "Green"}));
    EXPECT_EQ(w.List->currentRow(), 1) << "the entry that followed the deleted one";
    EXPECT_TRUE(stored("尺码").contains("Blue")) << "another list keeps its own";

    w.List->setCurrentRow(0);
    w.cmdDel->click();
    EXPECT_EQ(stored("颜色"), QStringList({"Green"}));
    EXPECT_EQ(shown(w), QStringList({"Green"}));
    EXPECT_EQ(w.List->currentRow(), 0);
    // Gone from the table, so it can be added again at once.
    type(w, "Blue");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(stored("颜色"), QStringList({"Green", "Blue"}));
}

TEST_F(PickList, DeleteKeepsTheEntryThatDiffersOnlyInLetterCase)
{
    for (const char* e : {"Red", "red", "Red"})
        add("颜色", e);
    frmDataDictionary w;
    w.LoadIt("颜色");
    w.List->setCurrentRow(0);
    w.cmdDel->click();
    EXPECT_EQ(stored("颜色"), QStringList({"red"}));
    EXPECT_EQ(shown(w), QStringList({"red"}));
    EXPECT_EQ(w.List->currentRow(), 0);
}

TEST_F(PickList, EditListShowsOnlyItsOwnListAndRefillsTheCaller)
{
    add("颜色", "Red");
    QStringList seen;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
        seen = shown(*d);
        if (d->windowTitle() == "数据字典--颜色")
            type(*d, "Teal");
        return int(QDialog::Accepted);
    });
    QComboBox combo;
    combo.addItem("stale");
    frmDataDictionary::EditList("颜色", &combo);
    EXPECT_EQ(seen, QStringList({"Red"}));
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    EXPECT_EQ(items, QStringList({"Red", "Teal"}));
    EXPECT_EQ(combo.currentIndex(), 0);

    frmDataDictionary::EditList("尺码", nullptr);
    EXPECT_EQ(seen, stored("尺码"));
    EXPECT_FALSE(seen.contains("Red"));
    EXPECT_FALSE(seen.contains("Teal"));
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmDataDictionary", "frmDataDictionary"}));
}

TEST_F(PickList, NullEntryShowsAsAnEmptyLine)
{
    sql("Insert Into DataDictionary (Item,Content) Values ('颜色',Null)");
    add("颜色", "Red");
    frmDataDictionary w;
    w.LoadIt("颜色");
    EXPECT_EQ(shown(w), QStringList({"", "Red"}));
}
