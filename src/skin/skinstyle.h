#pragma once
// The program's style: Fusion, with the windows attached to the skin drawn in
// the skin's look. It is set once for the whole program; windows that are not
// attached keep Fusion's look.
//
// What the skin draws: push buttons (the face the skin keeps for each, fade
// included), combo boxes and their lists, check boxes, option buttons, header
// items (not those of the grid, which draws its own captions), progress bars,
// and the frames of sunken controls (text boxes, lists, grids), which become
// flat frames of one pixel.

#include <QProxyStyle>

namespace skin {
class SkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    SkinStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};
}  // namespace skin
