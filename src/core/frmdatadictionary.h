#pragma once
// The pick-list editor: shows the entries of one list of DataDictionary, adds
// one, deletes the selected one. Every change is written at once.

#include "platform/formbase.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmDataDictionary : public FormBase {
    Q_OBJECT
public:
    explicit frmDataDictionary(QWidget* parent = nullptr);

    // Edits the list named item modally; afterwards refills refill (when given)
    // from the same list. This is how the work windows' small list buttons and
    // the main window's data maintenance menu open the editor.
    static void EditList(const QString& item, QComboBox* refill);

    // Remembers the list, shows its entries and names it in the caption.
    void LoadIt(const QString& Item);

    QListWidget* List;
    QLineEdit* txtItem;
    QPushButton* cmdAdd;
    QPushButton* cmdDel;
    QLabel* LbInfo;

    void cmdAdd_Click();
    void cmdDel_Click();
    void txtItem_KeyPress(int& KeyAscii);

private:
    void LoadList();
    bool ListContains(const QString& text) const;
    void RemoveSelected(const QString& text);

    QString Item;
};
