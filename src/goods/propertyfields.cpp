#include "goods/propertyfields.h"

#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "core/picklistwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace goods {

namespace {

QComboBox* listOf(QWidget* window, PropertyFields::SizeAndColour sizeAndColour)
{
    if (sizeAndColour == PropertyFields::SizeAndColour::Picked)
        return core::PickListCombo(window);
    auto* hidden = new QComboBox(window);
    hidden->hide();
    return hidden;
}

QPushButton* buttonFor(QWidget* window, PropertyFields::SizeAndColour sizeAndColour)
{
    return sizeAndColour == PropertyFields::SizeAndColour::Picked ? core::PickListButton(window) : nullptr;
}

}  // namespace

PropertyFields::PropertyFields(QWidget* window, SizeAndColour sizeAndColour)
    : txtNo(new QLineEdit(window)),
      comName(core::PickListCombo(window)),
      comBrand(core::PickListCombo(window)),
      comSize(listOf(window, sizeAndColour)),
      comColour(listOf(window, sizeAndColour)),
      comLeather(core::PickListCombo(window)),
      comGrade(core::PickListCombo(window)),
      comProductPlace(core::PickListCombo(window)),
      cmdName(core::PickListButton(window)),
      cmdBrand(core::PickListButton(window)),
      cmdSize(buttonFor(window, sizeAndColour)),
      cmdColour(buttonFor(window, sizeAndColour)),
      cmdLeather(core::PickListButton(window)),
      cmdGrade(core::PickListButton(window)),
      cmdProductPlace(core::PickListButton(window)),
      window_(window),
      lists_{
          {QStringLiteral("种类"), &core::GoodsFields::Name, comName, cmdName},
          {QStringLiteral("品牌"), &core::GoodsFields::Brand, comBrand, cmdBrand},
          {QStringLiteral("尺码"), &core::GoodsFields::Size, comSize, cmdSize},
          {QStringLiteral("颜色"), &core::GoodsFields::Colour, comColour, cmdColour},
          {QStringLiteral("面料"), &core::GoodsFields::Leather, comLeather, cmdLeather},
          {QStringLiteral("等级"), &core::GoodsFields::Grade, comGrade, cmdGrade},
          {QStringLiteral("产地"), &core::GoodsFields::ProductPlace, comProductPlace, cmdProductPlace},
      }
{
    const QList<QPair<QWidget*, const char*>> names = {
        {txtNo, "txtNo"},
        {comName, "comName"},     {comBrand, "comBrand"},     {comSize, "comSize"},   {comColour, "comColour"},
        {comLeather, "comLeather"}, {comGrade, "comGrade"},   {comProductPlace, "comProductPlace"},
        {cmdName, "cmdName"},     {cmdBrand, "cmdBrand"},     {cmdSize, "cmdSize"},   {cmdColour, "cmdColour"},
        {cmdLeather, "cmdLeather"}, {cmdGrade, "cmdGrade"},   {cmdProductPlace, "cmdProductPlace"},
    };
    for (const auto& [w, name] : names)
        if (w)
            w->setObjectName(QString::fromLatin1(name));

    for (const PickList& list : std::as_const(lists_))
        if (list.button)
            QObject::connect(list.button, &QPushButton::clicked, window,
                             [item = list.item, combo = list.combo] { frmDataDictionary::EditList(item, combo); });
}

void PropertyFields::fillLists() const
{
    for (const PickList& list : lists_)
        core::FillDictionaryCombo(list.item, list.combo);
}

QList<QWidget*> PropertyFields::inputs() const
{
    QList<QWidget*> inputs = {txtNo};
    for (const PickList& list : lists_)
        if (list.button)
            inputs << list.combo;
    return inputs;
}

core::GoodsFields PropertyFields::fields() const
{
    core::GoodsFields goods;
    goods.TypeNo = txtNo->text();
    for (const PickList& list : lists_)
        goods.*list.field = list.combo->currentText();
    return goods;
}

void PropertyFields::showFields(const core::GoodsFields& goods) const
{
    txtNo->setText(goods.TypeNo);
    for (const PickList& list : lists_)
        list.combo->setCurrentIndex(list.combo->findText(goods.*list.field, Qt::MatchFixedString));
}

QPushButton* PropertyFields::buttonOf(const QWidget* input) const
{
    for (const PickList& list : lists_)
        if (list.combo == input)
            return list.button;
    return nullptr;
}

QWidget* PropertyFields::labelOwner(const QGridLayout* grid) const
{
    return grid->parentWidget() ? grid->parentWidget() : window_;
}

void PropertyFields::addField(QGridLayout* grid, int row, int col, const QString& label, QWidget* input) const
{
    QPushButton* button = buttonOf(input);
    grid->addWidget(new QLabel(label, labelOwner(grid)), row, col * 3);
    grid->addWidget(input, row, col * 3 + 1, 1, button ? 1 : 2);
    if (button)
        grid->addWidget(button, row, col * 3 + 2);
}

void PropertyFields::addGoodsRows(QGridLayout* grid, const QString& nameCaption, QWidget* date) const
{
    addField(grid, 0, 0, QStringLiteral("货  号"), txtNo);
    addField(grid, 0, 1, QStringLiteral("进货日期"), date);
    addField(grid, 1, 0, nameCaption, comName);
    addField(grid, 1, 1, QStringLiteral("品  牌"), comBrand);
    addField(grid, 2, 0, QStringLiteral("尺  码"), comSize);
    addField(grid, 2, 1, QStringLiteral("颜  色"), comColour);
    addField(grid, 3, 0, QStringLiteral("面  料 "), comLeather);
    addField(grid, 3, 1, QStringLiteral("等  级"), comGrade);
    addField(grid, 4, 0, QStringLiteral("产  地"), comProductPlace);
}

void PropertyFields::addWideField(QGridLayout* grid, int row, const QString& label, QWidget* input) const
{
    grid->addWidget(new QLabel(label, labelOwner(grid)), row, 0);
    grid->addWidget(input, row, 1, 1, 5);
}

void PropertyFields::finishGrid(QGridLayout* grid, int labelWidth, int rows)
{
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(3, labelWidth);
    grid->setRowStretch(rows, 1);
}

}  // namespace goods
