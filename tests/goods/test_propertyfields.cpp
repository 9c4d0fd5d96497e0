// The goods properties the intake windows and the receipt correction share: the
// controls of either kind, the goods read from them and shown in them, their
// place in a window's grid, and the pick-list buttons of every window that
// shows them.
#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmedit.h"
#include "goods/frmgoodsproperty.h"
#include "goods/propertyfields.h"
#include "support/shopfixture.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>
#include <tuple>

using goods::PropertyFields;

namespace {

class Properties : public ShopFixture {
protected:
    static QStringList entries(const QComboBox* combo)
    {
        QStringList t;
        for (int i = 0; i < combo->count(); ++i)
            t << combo->itemText(i);
        return t;
    }
    static QStringList names(const QList<QWidget*>& widgets)
    {
        QStringList t;
        for (const QWidget* w : widgets)
            t << w->objectName();
        return t;
    }

    QWidget window;
};

}  // namespace

TEST_F(Properties, MakeTheControlsOfEitherKindAndFillTheListsFromTheDictionary)
{
    const QStringList all = {"Name", "Brand", "Size", "Colour", "Leather", "Grade", "ProductPlace"};
    const QStringList items = {"种类", "品牌", "尺码", "颜色", "面料", "等级", "产地"};
    const struct {
        PropertyFields::SizeAndColour kind;
        QStringList picked;  // the lists with a button, in Enter order
    } cases[] = {
        {PropertyFields::SizeAndColour::Picked, all},
        {PropertyFields::SizeAndColour::Hidden, {"Name", "Brand", "Leather", "Grade", "ProductPlace"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picked.size());
        QWidget host;
        const PropertyFields p(&host, c.kind);
        p.fillLists();
        EXPECT_EQ(p.txtNo->objectName(), "txtNo");
        EXPECT_EQ(p.txtNo->parentWidget(), &host);
        QStringList inputs = {"txtNo"};
        for (int i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(all[i].toStdString());
            auto* combo = host.findChild<QComboBox*>("com" + all[i]);
            ASSERT_TRUE(combo);
            auto* button = host.findChild<QPushButton*>("cmd" + all[i]);
            QComboBox expected;
            core::FillDictionaryCombo(items[i], &expected);
            ASSERT_GT(expected.count(), 0);
            EXPECT_EQ(entries(combo), entries(&expected));
            EXPECT_EQ(combo->currentIndex(), 0);
            const bool picked = c.picked.contains(all[i]);
            EXPECT_EQ(combo->isEditable(), picked);
            EXPECT_EQ(combo->isHidden(), !picked);
            ASSERT_EQ(button != nullptr, picked);
            if (picked) {
                EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
                EXPECT_EQ(button->text(), "…");
                EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << "Enter never lands on a button";
                inputs << combo->objectName();
            }
        }
        EXPECT_EQ(names(p.inputs()), inputs);
    }
}

TEST_F(Properties, ReadTheGoodsAndShowThemInAnyLetterCase)
{
    const PropertyFields p(&window);
    p.fillLists();
    p.comBrand->setEditText("O'Neal");  // typed, in no list
    p.comSize->setCurrentText("XL");
    p.txtNo->setText(" K-1 ");
    const core::GoodsFields read = p.fields();
    EXPECT_EQ(read.TypeNo, " K-1 ");
    EXPECT_EQ(read.Name, "男鞋");
    EXPECT_EQ(read.Brand, "O'Neal");
    EXPECT_EQ(read.Size, "XL");
    EXPECT_EQ(read.Colour, "黑色");

    core::GoodsFields shown;
    shown.TypeNo = "K-7";
    shown.Name = "女鞋";
    shown.Size = "xl";        // the list holds "XL"
    shown.Leather = "pu革";   // the list holds "PU革"
    shown.Colour = "藏青";    // not in the list
    shown.Brand = "青";       // a part of an entry is not the entry
    p.showFields(shown);
    EXPECT_EQ(p.txtNo->text(), "K-7");
    const struct {
        QComboBox* combo;
        QString text;  // "" for no selection
    } cases[] = {{p.comName, "女鞋"}, {p.comSize, "XL"},   {p.comLeather, "PU革"},
                 {p.comColour, ""},   {p.comBrand, ""},    {p.comGrade, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.combo->objectName().toStdString());
        EXPECT_EQ(c.combo->currentText(), c.text);
        EXPECT_EQ(c.combo->currentIndex(), c.text.isEmpty() ? -1 : c.combo->findText(c.text));
    }
    EXPECT_EQ(p.fields().Size, "XL");
}

TEST_F(Properties, LayAPickListWithItsButtonAndOtherInputsOverTheButtonsPlace)
{
    const PropertyFields p(&window);
    auto* other = new QLineEdit(&window);
    auto* memo = new QLineEdit(&window);
    auto* page = new QWidget(&window);
    auto* laid = new QGridLayout(page);
    auto* loose = new QGridLayout;  // not laid into a widget yet
    p.addField(laid, 2, 1, "品  牌", p.comBrand);
    p.addField(laid, 3, 0, "货  号", p.txtNo);
    p.addField(loose, 1, 0, "进 价", other);
    p.addWideField(loose, 4, "备  注", memo);
    // Where each control lies: row, column, row span, column span.
    using Place = std::tuple<int, int, int, int>;
    auto placeOf = [](QGridLayout* g, QWidget* w) {
        int r = -1, c = -1, rs = 0, cs = 0;
        const int i = g->indexOf(w);
        if (i >= 0)
            g->getItemPosition(i, &r, &c, &rs, &cs);
        return Place{r, c, rs, cs};
    };
    auto labelAt = [](QGridLayout* g, int row, int col) {
        QLayoutItem* item = g->itemAtPosition(row, col);
        return item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    };
    EXPECT_EQ(placeOf(laid, p.comBrand), Place(2, 4, 1, 1));
    EXPECT_EQ(placeOf(laid, p.cmdBrand), Place(2, 5, 1, 1));
    EXPECT_EQ(placeOf(laid, p.txtNo), Place(3, 1, 1, 2));
    EXPECT_EQ(placeOf(loose, other), Place(1, 1, 1, 2));
    EXPECT_EQ(placeOf(loose, memo), Place(4, 1, 1, 5));
    const struct {
        QGridLayout* grid;
        int row, col;
        QString text;
        QWidget* owner;
    } labels[] = {{laid, 2, 3, "品  牌", page},
                  {laid, 3, 0, "货  号", page},
                  {loose, 1, 0, "进 价", &window},
                  {loose, 4, 0, "备  注", &window}};
    for (const auto& l : labels) {
        SCOPED_TRACE(l.text.toStdString());
        const QLabel* label = labelAt(l.grid, l.row, l.col);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text(), l.text);
        EXPECT_EQ(label->parentWidget(), l.owner);
    }
    delete loose;

    // The rows the windows that pick the sizes and colours open with.
    auto* date = new QLineEdit(&window);
    auto* rows = new QGridLayout(new QWidget(&window));
    p.addGoodsRows(rows, "品  名", date);
    const struct {
        QWidget* input;
        int row, col;
        QString caption;
    } fields[] = {{p.txtNo, 0, 0, "货  号"},          {date, 0, 1, "进货日期"},      {p.comName, 1, 0, "品  名"},
                  {p.comBrand, 1, 1, "品  牌"},       {p.comSize, 2, 0, "尺  码"},   {p.comColour, 2, 1, "颜  色"},
                  {p.comLeather, 3, 0, "面  料 "},    {p.comGrade, 3, 1, "等  级"},  {p.comProductPlace, 4, 0, "产  地"}};
    for (const auto& f : fields) {
        SCOPED_TRACE(f.caption.toStdString());
        EXPECT_EQ(std::get<0>(placeOf(rows, f.input)), f.row);
        EXPECT_EQ(std::get<1>(placeOf(rows, f.input)), f.col * 3 + 1);
        const QLabel* label = labelAt(rows, f.row, f.col * 3);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text(), f.caption);
    }
    EXPECT_FALSE(rows->itemAtPosition(4, 3)) << "the second column of row 4 is the window's";

    PropertyFields::finishGrid(laid, 70, 8);
    EXPECT_EQ(laid->columnStretch(1), 1);
    EXPECT_EQ(laid->columnStretch(4), 1);
    EXPECT_EQ(laid->columnStretch(3), 0);
    EXPECT_EQ(laid->columnMinimumWidth(3), 70);
    EXPECT_EQ(laid->rowStretch(8), 1);
    EXPECT_EQ(laid->rowStretch(7), 0);
}

// Every window's "…" buttons open the pick-list editor on their own list over
// the window, and an entry added there is in the list at once.
TEST_F(Properties, PickListButtonsEditTheirListsAndFillThemAnew)
{
    using Buttons = QList<std::pair<QString, QString>>;  // the property, its list
    const Buttons all = {{"Brand", "品牌"},   {"Name", "种类"},    {"ProductPlace", "产地"}, {"Colour", "颜色"},
                         {"Leather", "面料"}, {"Grade", "等级"},   {"Size", "尺码"}};
    const struct {
        const char* window;
        std::function<std::unique_ptr<QWidget>()> open;
        Buttons buttons;
    } cases[] = {
        {"frmGoodsProperty", [] { return std::make_unique<frmGoodsProperty>(nullptr); }, all},
        {"frmbatchbuyIn",
         [] { return std::make_unique<frmbatchbuyIn>(nullptr); },
         {{"Brand", "品牌"}, {"Name", "种类"}, {"Leather", "面料"}, {"Grade", "等级"}, {"ProductPlace", "产地"}}},
        {"frmedit", [] { return std::make_unique<frmedit>(); }, all},
    };
    QString entry, editing;
    const QWidget* over = nullptr;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* editor) {
        editing = editor->windowTitle();
        over = editor->parentWidget();
        editor->txtItem->setText(entry);
        editor->cmdAdd_Click();
        return int(QDialog::Accepted);
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        entry = QString("新条目") + c.window;
        const std::unique_ptr<QWidget> w = c.open();
        for (const auto& [property, list] : c.buttons) {
            SCOPED_TRACE(list.toStdString());
            auto* button = w->findChild<QPushButton*>("cmd" + property);
            auto* combo = w->findChild<QComboBox*>("com" + property);
            ASSERT_TRUE(button && combo);
            EXPECT_EQ(combo->findText(entry), -1);
            button->click();
            EXPECT_EQ(editing, "数据字典--" + list);
            EXPECT_EQ(over, w.get()) << "the editor opens over the window";
            EXPECT_EQ(combo->itemText(combo->count() - 1), entry);
        }
        EXPECT_EQ(scalar("select count(*) from DataDictionary Where Content='" + entry + "'").toInt(),
                  c.buttons.size());
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}
