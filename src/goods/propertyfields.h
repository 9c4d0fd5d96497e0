#pragma once
// The goods properties of the windows that take goods into stock or correct a
// receipt line: the goods-number box and the seven pick lists (kind, brand,
// size, colour, fabric, grade, place), each filled from its list of the data
// dictionary and with its "…" button beside it, which opens the pick-list
// editor on that list and fills the pick list anew. Each window lays the fields
// into its own grid of two columns (label, input, "…" | label, input, "…") and
// takes them into its own Enter order; the part makes the controls and does
// what the windows do alike.

#include "core/goodsfields.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace goods {

class PropertyFields {
public:
    // How the window takes the sizes and the colours.
    enum class SizeAndColour {
        Picked,  // from pick lists with their buttons, like the other properties
        Hidden,  // hidden lists without buttons, that the window's own controls are filled from
    };

    // The controls become the window's, named as the windows name them (txtNo,
    // comName, cmdName, …).
    explicit PropertyFields(QWidget* window, SizeAndColour sizeAndColour = SizeAndColour::Picked);
    Q_DISABLE_COPY(PropertyFields)

    QLineEdit* const txtNo;
    QComboBox* const comName;
    QComboBox* const comBrand;
    QComboBox* const comSize;
    QComboBox* const comColour;
    QComboBox* const comLeather;
    QComboBox* const comGrade;
    QComboBox* const comProductPlace;
    QPushButton* const cmdName;
    QPushButton* const cmdBrand;
    QPushButton* const cmdSize;    // none with hidden sizes and colours
    QPushButton* const cmdColour;  // none with hidden sizes and colours
    QPushButton* const cmdLeather;
    QPushButton* const cmdGrade;
    QPushButton* const cmdProductPlace;

    // Fills the seven lists from the data dictionary, each at its first entry.
    void fillLists() const;
    // The goods-number box, then the pick lists the clerk picks from, in the
    // order Enter moves on through them.
    QList<QWidget*> inputs() const;

    // The goods number and the texts of the seven lists.
    core::GoodsFields fields() const;
    // Shows the goods: the number in its box; each list selects the entry that
    // is the text as a whole, in any letter case, and a text the list does not
    // hold leaves it without a selection.
    void showFields(const core::GoodsFields& goods) const;

    // Lays a field into the grid, in column col (0 or 1) of its row: the label,
    // then a pick list with its button, or any other input over the button's
    // place too. The labels belong to the grid's widget, or to the window while
    // the grid is not laid into one yet.
    void addField(QGridLayout* grid, int row, int col, const QString& label, QWidget* input) const;
    // The fields the windows that pick the sizes and colours open with: the
    // goods number with the date beside it in row 0, then the seven pick lists
    // two by two in rows 1 to 4, the kind captioned nameCaption; the second
    // column of row 4 is left to the window.
    void addGoodsRows(QGridLayout* grid, const QString& nameCaption, QWidget* date) const;
    // A field over the whole row.
    void addWideField(QGridLayout* grid, int row, const QString& label, QWidget* input) const;
    // The inputs share the spare width, the second column's labels are at
    // least labelWidth wide, and the empty row below the `rows` rows of fields
    // takes the spare height.
    static void finishGrid(QGridLayout* grid, int labelWidth, int rows);

private:
    struct PickList {
        QString item;                  // its list in the data dictionary
        QString core::GoodsFields::*field;  // the goods text it holds
        QComboBox* combo;
        QPushButton* button;  // none for a hidden list
    };
    QPushButton* buttonOf(const QWidget* input) const;
    QWidget* labelOwner(const QGridLayout* grid) const;

    QWidget* const window_;
    QList<PickList> lists_;  // in Enter order
};

}  // namespace goods
