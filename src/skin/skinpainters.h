#pragma once
// The painters of the skinned controls. Each draws into a picture of its own (a
// memory picture, Format_RGB32) from the five shared pictures, and the caller
// puts that picture on screen in one piece. Stretching takes the nearest pixel
// and never smooths, so the key colour survives a stretch.

#include "skin/skinbitmaps.h"

#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class QFont;
class QFontMetrics;
class QPainter;

namespace skin {
// A w x h memory picture; a null picture when a size is below 1.
QImage CreateMemDC(int w, int h);

// Draws the source rectangle over the destination rectangle as a nine-grid: the
// four corners (left x top, right x top, left x bottom, right x bottom) copied
// whole, the edges and the centre stretched between them. With all borders 0 or
// less the whole source is stretched. Corners are drawn only when both their
// sizes are 1 or more, edges and the centre only when their sizes come out above
// 0, so a destination smaller than its borders gets its corners only. With a
// transparent colour the pixels of that colour leave the destination as it was.
// Returns 0 (and draws nothing) when a size is 0, else 1.
int DrawNineGrid(QImage& hdcDest, int xDest, int yDest, int wDest, int hDest, const QImage& hdcSrc, int xSrc,
                 int ySrc, int wSrc, int hSrc, int left, int top, int right, int bottom,
                 std::optional<quint32> transparentColour = std::nullopt);

// Copies a w x h block, leaving out the source pixels of the transparent colour.
void TransparentBltEx(QImage& hdcDest, int xDest, int yDest, int w, int h, const QImage& hdcSrc, int xSrc, int ySrc,
                      quint32 transparentColour);

// Fills, or frames with a line of one pixel, the rectangle x, y, w x h.
void FillRectXY(QPainter& hdc, int x, int y, int w, int h, QRgb colour);
void FrameRectXY(QPainter& hdc, int x, int y, int w, int h, QRgb colour);

// One line of text as it shows in a room w wide: the text whole when it fits,
// measured as drawn ("&" marks the access key and takes no room of its own),
// else the text as drawn cut with an ellipsis. Line breaks become spaces.
struct TextLine {
    QString text;
    bool elided = false;
};
TextLine FitTextLine(const QFontMetrics& metrics, const QString& text, int w);

// Draws one line of text centred in the rectangle, fitted as FitTextLine fits it;
// the access key is underlined when mnemonics is true.
void DrawTextRect(QPainter& hdc, const QString& text, int x, int y, int w, int h, bool mnemonics);

// The dotted focus rectangle: every other pixel of its outline inverted.
void DrawFocusRectXY(QImage& hdc, int x, int y, int w, int h);

// What a push button's faces show besides its size.
struct ButtonCaption {
    QString text;
    const QFont* font = nullptr;
    bool focused = false;
    bool mnemonics = true;
};

// The four faces of a push button of the given size (normal, hot, pressed,
// disabled): the nine-grid of its face in picture 0 over the whole button, the
// caption inset by 2 (black, grey-blue 0x968A79 on the disabled face) and, with
// the focus, the focus rectangle inset by 2.
std::array<QImage, 4> RenderButtonFaces(const SkinBitmaps& skin, QSize size, const ButtonCaption& caption);

// The caption line those faces show.
TextLine ButtonCaptionLine(QSize size, const ButtonCaption& caption);

// Blends a face over the picture on screen with the constant alpha 0 to 255
// (source over, no per-pixel alpha); 255 puts the face there whole.
void PaintButton(QImage& screen, const QImage& face, int alpha);

// The drop-down button of a combo box, bw x bh: white in state 0, the hot (1) or
// pressed (2) button of picture 1 otherwise, with the arrow (pale when disabled)
// in its middle.
QImage PaintCombo(const SkinBitmaps& skin, int state, bool enabled, int bw, int bh);

// The box of a check box (normal 0, hot 1, pressed 2), with the check mark or,
// in the grey third state, the square.
QImage PaintCheck(const SkinBitmaps& skin, int state, bool enabled, Qt::CheckState check, QSize box);

// The round box of an option button (normal 0, hot 1, pressed 2), with its dot
// when it is chosen.
QImage PaintOption(const SkinBitmaps& skin, int state, bool enabled, bool checked, QSize box);

// One header item (normal 0, hot 1, pressed 2) without its text.
QImage PaintHeader(const SkinBitmaps& skin, int state, QSize item);

// A progress bar drawn whole: white, framed, the part done filled from the left
// (from the bottom when vertical); no text.
QImage PaintProgress(QSize size, qint64 minimum, qint64 maximum, qint64 value, bool vertical, bool enabled);

// Half-way values rounded to the even neighbour, as positions are centred.
int RoundHalfEven(double v);
}  // namespace skin
