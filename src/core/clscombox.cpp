#include "core/clscombox.h"

void core::DropDownComboBox::showPopup()
{
    if (DropDown)
        DropDown();
    QComboBox::showPopup();
}

namespace {
// An empty text holds no items at all (not one empty item).
QStringList splitList(const QString& values)
{
    return values.isEmpty() ? QStringList() : values.split(QLatin1Char(','));
}
}  // namespace

void clsCombox::Initial(QComboBox* cmb, const QString& NoValues, const QString& CaptionValues,
                        const QString& FiledFirst)
{
    cmb_ = cmb;
    codes_.clear();
    if (!cmb_)
        return;
    cmb_->clear();
    if (!FiledFirst.isEmpty()) {
        cmb_->addItem(FiledFirst);
        codes_ << FiledFirst;
    }
    const QStringList codes = splitList(NoValues);
    const QStringList captions = splitList(CaptionValues);
    if (codes.size() != captions.size() || codes.isEmpty()) {
        cmb_->setCurrentIndex(-1);
        return;
    }
    for (qsizetype i = 0; i < codes.size(); ++i) {
        cmb_->addItem(captions[i]);
        codes_ << codes[i];
    }
    cmb_->setCurrentIndex(-1);
}

int clsCombox::ListIndex() const { return cmb_ ? cmb_->currentIndex() : -1; }

void clsCombox::setListIndex(int index)
{
    if (cmb_)
        cmb_->setCurrentIndex(index);
}

int clsCombox::ListCount() const { return cmb_ ? cmb_->count() : 0; }

void clsCombox::AddItem(const QString& No, const QString& Caption)
{
    if (!cmb_)
        return;
    // A selection made before stays as it was.
    const int selected = cmb_->currentIndex();
    cmb_->addItem(Caption);
    cmb_->setCurrentIndex(selected);
    codes_ << No;
}

QString clsCombox::Caption() const
{
    const int i = ListIndex();
    return i >= 0 ? cmb_->itemText(i) : QString();
}

QString clsCombox::No() const
{
    const int i = ListIndex();
    return i >= 0 && i < codes_.size() ? codes_[i] : QString();
}

void clsCombox::setNo(const QString& Newval) { setListIndex(FindNo(codes_, Newval)); }

int clsCombox::FindNo(const QStringList& codes, const QString& No)
{
    if (No.isEmpty())
        return -1;
    return int(codes.indexOf(No));  // the first entry with the code, compared exactly
}
