#pragma once
// A combo box that shows names and works with keys: beside each entry it keeps
// a code the user never sees. Codes and captions come as two comma-separated
// texts in matching order, or one entry at a time through AddItem.

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <functional>

namespace core {
// A combo box that tells its window when its list is about to open.
class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // Runs before the list opens; it may refill the entries.
    std::function<void()> DropDown;

    void showPopup() override;
};
}  // namespace core

class clsCombox {
public:
    // Binds cmb and refills it: FiledFirst (when not empty) as the first entry,
    // with itself as its code, then the captions with their codes. Two lists of
    // different lengths, or an empty code list, add nothing after the first entry.
    void Initial(QComboBox* cmb, const QString& NoValues, const QString& CaptionValues, const QString& FiledFirst);

    int ListIndex() const;  // -1 when none is selected
    void setListIndex(int index);
    int ListCount() const;

    // Appends one entry with its code.
    void AddItem(const QString& No, const QString& Caption);

    // The selected entry's text and code; "" when none is selected.
    QString Caption() const;
    QString No() const;
    // Selects the first entry whose code equals Newval exactly; none when no
    // entry has it or Newval is empty.
    void setNo(const QString& Newval);

    QComboBox* Combox() const { return cmb_; }

private:
    static int FindNo(const QStringList& codes, const QString& No);

    QComboBox* cmb_ = nullptr;
    QStringList codes_;  // one per entry, in the combo's order
};
