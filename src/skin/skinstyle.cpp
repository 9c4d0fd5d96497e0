#include "skin/skinstyle.h"

#include "skin/mskinner.h"
#include "skin/skinpainters.h"
#include "skin/skinwndproc.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace skin {

using mSkinner::SkinClass;
using mSkinner::SkinnedWindow;

namespace {

QRgb FrameColour(const QStyleOption* option)
{
    return option->state & QStyle::State_Enabled ? skincolour::Frame : skincolour::FrameDisabled;
}

// A control with a sunken edge: a frame of one pixel, the rest of the border in
// the control's own background.
bool HasSunkenEdge(const QWidget* w)
{
    if (qobject_cast<const QLabel*>(w))
        return false;
    const auto* f = qobject_cast<const QFrame*>(w);
    if (!f)
        return false;
    switch (f->frameShape()) {
    case QFrame::NoFrame:
    case QFrame::HLine:
    case QFrame::VLine: return false;
    case QFrame::StyledPanel: return true;
    default: return f->frameShadow() == QFrame::Sunken;
    }
}

QColor Background(const QWidget* w)
{
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(w))
        w = area->viewport();
    return w->palette().color(w->backgroundRole());
}

void FlatFrame(QPainter* p, const QRect& r, int border, QRgb frame, const QColor& background)
{
    FrameRectXY(*p, r.x(), r.y(), r.width(), r.height(), frame);
    for (int i = 1; i < border; ++i)
        FrameRectXY(*p, r.x() + i, r.y() + i, r.width() - 2 * i, r.height() - 2 * i, background.rgb());
}

}  // namespace

SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    const SkinnedWindow* s = mSkinner::Skinned(widget);
    if (s) {
        const bool enabled = option->state & State_Enabled;
        const int state = GetProp(widget, skinprop::OldState);
        switch (element) {
        case PE_IndicatorCheckBox:
            if (s->group == SkinClass::CheckBox) {
                const Qt::CheckState check = option->state & State_NoChange ? Qt::PartiallyChecked
                                             : option->state & State_On     ? Qt::Checked
                                                                            : Qt::Unchecked;
                painter->drawImage(option->rect.topLeft(),
                                   PaintCheck(mSkinner::SharedBitmaps(), state, enabled, check, option->rect.size()));
                return;
            }
            break;
        case PE_IndicatorRadioButton:
            if (s->group == SkinClass::OptionButton) {
                painter->drawImage(option->rect.topLeft(),
                                   PaintOption(mSkinner::SharedBitmaps(), state, enabled, option->state & State_On,
                                               option->rect.size()));
                return;
            }
            break;
        case PE_FrameLineEdit:
            if (s->group == SkinClass::Other) {
                const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                const int border = frame ? frame->lineWidth : 1;
                FlatFrame(painter, option->rect, qMax(border, 1), FrameColour(option), option->palette.base().color());
                return;
            }
            break;
        default: break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    const SkinnedWindow* s = mSkinner::Skinned(widget);
    if (s) {
        switch (element) {
        case CE_PushButton:
            if (s->group == SkinClass::PushButton && !s->screen.isNull()) {
                painter->drawImage(option->rect.topLeft(), s->screen);
                return;
            }
            break;
        case CE_ShapedFrame:
            if (s->group == SkinClass::ComboList) {
                // The list of a combo box: the frame with a white line inside.
                FlatFrame(painter, option->rect, 2, FrameColour(option), skincolour::White);
                return;
            }
            if (HasSunkenEdge(widget)) {
                FlatFrame(painter, option->rect, static_cast<const QFrame*>(widget)->frameWidth(),
                          FrameColour(option), Background(widget));
                return;
            }
            break;
        case CE_HeaderSection:
            if (s->group == SkinClass::Header) {
                const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
                const int section = header ? header->section : -1;
                const int state = section >= 0 && section == GetProp(widget, skinprop::HdIndex)   ? 2
                                  : section >= 0 && section == GetProp(widget, skinprop::HmIndex) ? 1
                                                                                                  : 0;
                painter->drawImage(option->rect.topLeft(),
                                   PaintHeader(mSkinner::SharedBitmaps(), state, option->rect.size()));
                return;
            }
            break;
        case CE_HeaderLabel:
            if (s->group == SkinClass::Header) {
                if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
                    painter->save();
                    painter->setPen(option->palette.color(QPalette::ButtonText));
                    const QRect& r = option->rect;
                    DrawTextRect(*painter, header->text, r.x(), r.y(), r.width(), r.height(), false);
                    painter->restore();
                }
                return;
            }
            break;
        case CE_ProgressBar:
            if (s->group == SkinClass::ProgressBar) {
                if (const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option)) {
                    const bool vertical = !(bar->state & State_Horizontal);
                    painter->drawImage(option->rect.topLeft(),
                                       PaintProgress(option->rect.size(), bar->minimum, bar->maximum, bar->progress,
                                                     vertical, bar->state & State_Enabled));
                }
                return;
            }
            break;
        default: break;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const
{
    const SkinnedWindow* s = mSkinner::Skinned(widget);
    if (control == CC_ComboBox && s && s->group == SkinClass::Combo) {
        const QRect& r = option->rect;
        const bool enabled = option->state & State_Enabled;
        painter->fillRect(r, option->palette.base());
        FlatFrame(painter, r, 2, FrameColour(option), skincolour::White);
        // The drop-down button, pressed while the list is down.
        const int bw = pixelMetric(PM_ScrollBarExtent, option, widget) + 1;
        const int state = option->state & State_On ? 2 : GetProp(widget, skinprop::OldState);
        painter->drawImage(r.x() + r.width() - bw - 1, r.y() + 1,
                           PaintCombo(mSkinner::SharedBitmaps(), state, enabled, bw, r.height() - 2));
        const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (combo && !combo->editable && (option->state & State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = subControlRect(CC_ComboBox, combo, SC_ComboBoxEditField, widget);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // Date boxes and number boxes: their sunken edge made flat over Fusion's.
    const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
    if (control == CC_SpinBox && s && s->group == SkinClass::Other && spin && spin->frame)
        FlatFrame(painter, option->rect, 1, FrameColour(option), option->palette.base().color());
}

}  // namespace skin
