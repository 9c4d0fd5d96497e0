#include "skin/skinpainters.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace skin {

namespace {

// Copies the source rectangle over the destination rectangle, each destination
// pixel taking the source pixel under its centre. Pixels outside either picture
// are left out; nothing is drawn when a size is 0 or less.
void Stretch(QImage& dest, int dx, int dy, int dw, int dh, const QImage& src, int sx, int sy, int sw, int sh)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dest.isNull() || src.isNull())
        return;
    for (int j = 0; j < dh; ++j) {
        const int y = dy + j;
        const int srcY = sy + int((2LL * j + 1) * sh / (2LL * dh));
        if (y < 0 || y >= dest.height() || srcY < 0 || srcY >= src.height())
            continue;
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(srcY));
        for (int i = 0; i < dw; ++i) {
            const int x = dx + i;
            const int srcX = sx + int((2LL * i + 1) * sw / (2LL * dw));
            if (x >= 0 && x < dest.width() && srcX >= 0 && srcX < src.width())
                out[x] = in[srcX];
        }
    }
}

void Blt(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy)
{
    Stretch(dest, dx, dy, w, h, src, sx, sy, w, h);
}

// A push button's caption and focus rectangle: the button inset by 2.
QRect CaptionRoom(QSize button) { return QRect(QPoint(0, 0), button).adjusted(2, 2, -2, -2); }

QPoint Centred(QSize outer, int w, int h)
{
    return {RoundHalfEven((outer.width() - w) / 2.0), RoundHalfEven((outer.height() - h) / 2.0)};
}

}  // namespace

int RoundHalfEven(double v) { return int(std::nearbyint(v)); }

QImage CreateMemDC(int w, int h)
{
    if (w < 1 || h < 1)
        return {};
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

int DrawNineGrid(QImage& hdcDest, int xDest, int yDest, int wDest, int hDest, const QImage& hdcSrc, int xSrc,
                 int ySrc, int wSrc, int hSrc, int left, int top, int right, int bottom,
                 std::optional<quint32> transparentColour)
{
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return 0;
    QImage mem = CreateMemDC(wDest, hDest);
    if (left <= 0 && top <= 0 && right <= 0 && bottom <= 0) {
        Stretch(mem, 0, 0, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc);
    } else {
        if (left >= 1 && top >= 1)
            Blt(mem, 0, 0, left, top, hdcSrc, xSrc, ySrc);
        if (right >= 1 && top >= 1)
            Blt(mem, wDest - right, 0, right, top, hdcSrc, xSrc + wSrc - right, ySrc);
        if (left >= 1 && bottom >= 1)
            Blt(mem, 0, hDest - bottom, left, bottom, hdcSrc, xSrc, ySrc + hSrc - bottom);
        if (right >= 1 && bottom >= 1)
            Blt(mem, wDest - right, hDest - bottom, right, bottom, hdcSrc, xSrc + wSrc - right, ySrc + hSrc - bottom);
        const int midW = wDest - left - right, midH = hDest - top - bottom;
        const int srcMidW = wSrc - left - right, srcMidH = hSrc - top - bottom;
        Stretch(mem, 0, top, left, midH, hdcSrc, xSrc, ySrc + top, left, srcMidH);
        Stretch(mem, wDest - right, top, right, midH, hdcSrc, xSrc + wSrc - right, ySrc + top, right, srcMidH);
        Stretch(mem, left, 0, midW, top, hdcSrc, xSrc + left, ySrc, srcMidW, top);
        Stretch(mem, left, hDest - bottom, midW, bottom, hdcSrc, xSrc + left, ySrc + hSrc - bottom, srcMidW, bottom);
        Stretch(mem, left, top, midW, midH, hdcSrc, xSrc + left, ySrc + top, srcMidW, srcMidH);
    }
    if (transparentColour)
        TransparentBltEx(hdcDest, xDest, yDest, wDest, hDest, mem, 0, 0, *transparentColour);
    else
        Blt(hdcDest, xDest, yDest, wDest, hDest, mem, 0, 0);
    return 1;
}

void TransparentBltEx(QImage& hdcDest, int xDest, int yDest, int w, int h, const QImage& hdcSrc, int xSrc, int ySrc,
                      quint32 transparentColour)
{
    if (hdcDest.isNull() || hdcSrc.isNull())
        return;
    const QRgb key = ColorRef(transparentColour);
    for (int j = 0; j < h; ++j) {
        const int y = yDest + j, sy = ySrc + j;
        if (y < 0 || y >= hdcDest.height() || sy < 0 || sy >= hdcSrc.height())
            continue;
        auto* out = reinterpret_cast<QRgb*>(hdcDest.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(hdcSrc.constScanLine(sy));
        for (int i = 0; i < w; ++i) {
            const int x = xDest + i, sx = xSrc + i;
            if (x >= 0 && x < hdcDest.width() && sx >= 0 && sx < hdcSrc.width() && in[sx] != key)
                out[x] = in[sx];
        }
    }
}

void FillRectXY(QPainter& hdc, int x, int y, int w, int h, QRgb colour)
{
    if (w > 0 && h > 0)
        hdc.fillRect(x, y, w, h, QColor(colour));
}

void FrameRectXY(QPainter& hdc, int x, int y, int w, int h, QRgb colour)
{
    if (w <= 0 || h <= 0)
        return;
    FillRectXY(hdc, x, y, w, 1, colour);
    FillRectXY(hdc, x, y + h - 1, w, 1, colour);
    FillRectXY(hdc, x, y, 1, h, colour);
    FillRectXY(hdc, x + w - 1, y, 1, h, colour);
}

TextLine FitTextLine(const QFontMetrics& metrics, const QString& text, int w)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // As drawn: an "&" goes and the character after it stays ("&&" is one "&").
    QString drawn;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('&') && ++i == line.size())
            break;
        drawn += line[i];
    }
    if (drawn.isEmpty() || metrics.horizontalAdvance(drawn) <= w)
        return {line, false};
    return {metrics.elidedText(drawn, Qt::ElideRight, w), true};
}

void DrawTextRect(QPainter& hdc, const QString& text, int x, int y, int w, int h, bool mnemonics)
{
    if (w <= 0 || h <= 0)
        return;
    const TextLine line = FitTextLine(hdc.fontMetrics(), text, w);
    int flags = int(Qt::AlignCenter) | Qt::TextSingleLine;
    // A cut line is the text as drawn already: its "&" are plain characters.
    if (!line.elided)
        flags |= mnemonics ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    hdc.drawText(QRect(x, y, w, h), flags, line.text);
}

void DrawFocusRectXY(QImage& hdc, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    auto invert = [&hdc](int px, int py) {
        if (px < 0 || py < 0 || px >= hdc.width() || py >= hdc.height() || (px + py) % 2)
            return;
        hdc.setPixel(px, py, hdc.pixel(px, py) ^ 0x00FFFFFF);
    };
    for (int i = 0; i < w; ++i) {
        invert(x + i, y);
        if (h > 1)
            invert(x + i, y + h - 1);
    }
    for (int j = 1; j < h - 1; ++j) {
        invert(x, y + j);
        if (w > 1)
            invert(x + w - 1, y + j);
    }
}

std::array<QImage, 4> RenderButtonFaces(const SkinBitmaps& skin, QSize size, const ButtonCaption& caption)
{
    std::array<QImage, 4> faces;
    const QRect room = CaptionRoom(size);
    for (int i = 0; i < 4; ++i) {
        QImage face = CreateMemDC(size.width(), size.height());
        if (face.isNull())
            continue;
        DrawNineGrid(face, 0, 0, size.width(), size.height(), skin[0], 0, 21 * i, 7, 21, 3, 3, 3, 3);
        {
            QPainter p(&face);
            if (caption.font)
                p.setFont(*caption.font);
            p.setPen(QColor(i == 3 ? skincolour::CaptionDisabled : skincolour::Caption));
            DrawTextRect(p, caption.text, room.x(), room.y(), room.width(), room.height(), caption.mnemonics);
        }
        if (caption.focused)
            DrawFocusRectXY(face, room.x(), room.y(), room.width(), room.height());
        faces[size_t(i)] = face;
    }
    return faces;
}

TextLine ButtonCaptionLine(QSize size, const ButtonCaption& caption)
{
    // Measured on a picture, as the faces are drawn.
    const QImage face = CreateMemDC(1, 1);
    const QFontMetrics metrics(caption.font ? *caption.font : QFont(), &face);
    return FitTextLine(metrics, caption.text, CaptionRoom(size).width());
}

void PaintButton(QImage& screen, const QImage& face, int alpha)
{
    if (face.isNull() || alpha <= 0)
        return;
    if (alpha >= 255 || screen.size() != face.size()) {
        screen = face.copy();
        return;
    }
    for (int y = 0; y < face.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(screen.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(face.constScanLine(y));
        for (int x = 0; x < face.width(); ++x) {
            auto mix = [alpha](int s, int d) { return (s * alpha + d * (255 - alpha) + 127) / 255; };
            out[x] = qRgb(mix(qRed(in[x]), qRed(out[x])), mix(qGreen(in[x]), qGreen(out[x])),
                          mix(qBlue(in[x]), qBlue(out[x])));
        }
    }
}

QImage PaintCombo(const SkinBitmaps& skin, int state, bool enabled, int bw, int bh)
{
    QImage button = CreateMemDC(bw, bh);
    if (button.isNull())
        return button;
    if (state == 1 || state == 2)
        DrawNineGrid(button, 0, 0, bw, bh, skin[1], state == 1 ? 0 : 4, 0, 4, 18, 2, 1, 1, 1);
    else
        button.fill(skincolour::White);
    const QPoint at = Centred(button.size(), 7, 4);
    TransparentBltEx(button, at.x(), at.y(), 7, 4, skin[1], 8, enabled ? 0 : 4, kKeyColour);
    return button;
}

QImage PaintCheck(const SkinBitmaps& skin, int state, bool enabled, Qt::CheckState check, QSize box)
{
    QImage img = CreateMemDC(box.width(), box.height());
    if (img.isNull())
        return img;
    img.fill(skincolour::White);
    {
        QPainter p(&img);
        if (enabled)
            FrameRectXY(p, 0, 0, box.width(), box.height(),
                        state == 2 ? skincolour::FramePressed : skincolour::Frame);
        else
            FrameRectXY(p, 0, 0, box.width(), box.height(), skincolour::FrameDisabled);
    }
    if (enabled && (state == 1 || state == 2))
        DrawNineGrid(img, 1, 1, box.width() - 2, box.height() - 2, skin[3], 1, state == 1 ? 17 : 30, 11, 5, 0, 0, 0, 0);
    if (check == Qt::Checked) {
        const QPoint at = Centred(box, 9, 8);
        TransparentBltEx(img, at.x(), at.y(), 9, 8, skin[2], enabled ? 0 : 9, 0, kKeyColour);
    } else if (check == Qt::PartiallyChecked) {
        const QPoint at = Centred(box, 7, 7);
        TransparentBltEx(img, at.x(), at.y(), 7, 7, skin[2], enabled ? 1 : 10, 9, kKeyColour);
    }
    return img;
}

QImage PaintOption(const SkinBitmaps& skin, int state, bool enabled, bool checked, QSize box)
{
    QImage img = CreateMemDC(box.width(), box.height());
    if (img.isNull())
        return img;
    img.fill(skincolour::White);
    const int face = enabled ? qBound(0, state, 2) : 3;
    DrawNineGrid(img, 0, 0, box.width(), box.height(), skin[3], 0, 13 * face, 13, 13, 5, 5, 5, 5, kKeyColour);
    if (checked) {
        const QPoint at = Centred(box, 5, 5);
        TransparentBltEx(img, at.x(), at.y(), 5, 5, skin[2], enabled ? 2 : 11, 18, kKeyColour);
    }
    return img;
}

QImage PaintHeader(const SkinBitmaps& skin, int state, QSize item)
{
    QImage img = CreateMemDC(item.width(), item.height());
    if (!img.isNull())
        DrawNineGrid(img, 0, 0, item.width(), item.height(), skin[4], 3 * qBound(0, state, 2), 0, 3, 20, 1, 1, 1, 1);
    return img;
}

QImage PaintProgress(QSize size, qint64 minimum, qint64 maximum, qint64 value, bool vertical, bool enabled)
{
    QImage img = CreateMemDC(size.width(), size.height());
    if (img.isNull())
        return img;
    img.fill(skincolour::White);
    QPainter p(&img);
    FrameRectXY(p, 0, 0, size.width(), size.height(), enabled ? skincolour::Frame : skincolour::FrameDisabled);
    // Inside the frame and its white inner line.
    const int w = size.width() - 4, h = size.height() - 4;
    if (maximum > minimum && w > 0 && h > 0) {
        const qint64 done = qBound(minimum, value, maximum) - minimum;
        const qint64 range = maximum - minimum;
        if (vertical) {
            const int filled = int(done * h / range);
            FillRectXY(p, 2, 2 + h - filled, w, filled, skincolour::ProgressFill);
        } else {
            FillRectXY(p, 2, 2, int(done * w / range), h, skincolour::ProgressFill);
        }
    }
    return img;
}

}  // namespace skin
