#include "skin/skinbitmaps.h"

namespace skin {

namespace {

// Step i of n (0 .. n - 1) from one colour value to another.
QRgb Ramp(quint32 from, quint32 to, int i, int n)
{
    const QRgb a = ColorRef(from);
    const QRgb b = ColorRef(to);
    if (n <= 1)
        return a;
    auto channel = [i, n](int x, int y) { return x + ((y - x) * i + (n - 1) / 2) / (n - 1); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(skincolour::Key);
    return img;
}

// The four push-button faces, 7 x 21 each.
QImage ButtonFaces()
{
    QImage img = Blank(7, 84);
    for (int s = 0; s < 4; ++s) {
        const int top = 21 * s;
        // The rounded top and bottom edges are alike on every face; the sides
        // of the disabled one are paler.
        const quint32 edge = 0xD58F1B;
        const quint32 border = s == 3 ? 0xE8C387 : edge;
        auto set = [&](int x, int y, QRgb c) { img.setPixel(x, top + y, c); };
        for (int x = 1; x <= 5; ++x) {
            set(x, 0, ColorRef(edge));
            set(x, 20, ColorRef(edge));
        }
        set(0, 0, ColorRef(0xF9E1BF));
        set(6, 0, ColorRef(0xF9E1BF));
        set(0, 20, ColorRef(0xFBE7CA));
        set(6, 20, ColorRef(0xFBE7CA));
        for (int y = 1; y <= 19; ++y) {
            set(0, y, ColorRef(border));
            set(6, y, ColorRef(border));
            const int i = y - 1;
            for (int x = 1; x <= 5; ++x) {
                const bool ring = x == 1 || x == 5 || y == 1 || y == 19;
                QRgb c;
                switch (s) {
                case 0: c = Ramp(0xFFFFFF, 0xEAD0B1, i, 19); break;
                case 1:
                    c = ring ? Ramp(0xFBC34C, 0xF8BA39, i, 19) : Ramp(0xFCEED2, 0xF2D4A7, i, 19);
                    break;
                case 2:
                    c = ring ? Ramp(0xFBC34C, 0xF8BA39, i, 19) : Ramp(0xF3CC86, 0xFCEED6, i, 19);
                    break;
                default: c = Ramp(0xFDFBF8, 0xF3E3D2, i, 19); break;
                }
                set(x, y, c);
            }
        }
    }
    return img;
}

// The drop-down button of a combo box, hot and pressed, and its arrow.
QImage ComboButton()
{
    QImage img = Blank(15, 18);
    const quint32 border = 0xD1A04E;
    auto cell = [&](int left, quint32 from, quint32 to) {
        for (int y = 0; y < 18; ++y)
            for (int x = left; x < left + 4; ++x) {
                const bool edge = x == left || y == 0 || y == 17;
                img.setPixel(x, y, edge ? ColorRef(border) : Ramp(from, to, y - 1, 16));
            }
    };
    cell(0, 0xFFF9E8, 0xF3E1C0);
    cell(4, 0xF3E1BE, 0xFEF8E6);
    for (int r = 0; r < 4; ++r)
        for (int x = 8 + r; x <= 14 - r; ++x) {
            img.setPixel(x, r, ColorRef(0x5F5519));
            img.setPixel(x, 4 + r, ColorRef(0xACA584));
        }
    return img;
}

// The check mark, the grey square and the option dot, enabled and disabled.
QImage Marks()
{
    static const char* const tick[8] = {
        "........#", ".......##", "#.....###", "##...###.", "###.###..", ".#####...", "..###....", "...#.....",
    };
    static const char* const dot[5] = {".###.", "#####", "#####", "#####", ".###."};
    QImage img = Blank(18, 24);
    for (int c = 0; c < 2; ++c) {
        const int left = 9 * c;
        const quint32 from = c == 0 ? 0x1DB754 : 0x8CDAA8;
        const quint32 to = c == 0 ? 0x029135 : 0x7EC798;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 9; ++x)
                if (tick[y][x] == '#')
                    img.setPixel(left + x, y, Ramp(from, to, y, 8));
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                img.setPixel(left + 1 + x, 9 + y, Ramp(from, to, y, 7));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                if (dot[y][x] == '#')
                    img.setPixel(left + 2 + x, 18 + y, Ramp(from, to, y, 5));
    }
    return img;
}

// The four option circles, 13 x 13 each.
QImage Circles()
{
    QImage img = Blank(13, 52);
    auto inside = [](int x, int y) {
        if (x < 0 || y < 0 || x > 12 || y > 12)
            return false;
        return (x - 6) * (x - 6) + (y - 6) * (y - 6) <= 42;  // radius 6.5
    };
    for (int s = 0; s < 4; ++s)
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                if (!inside(x, y))
                    continue;
                const bool outline = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                QRgb c;
                if (outline)
                    c = Ramp(0xD2A683, 0xE7CFBC, y, 13);
                else if (s == 1 || s == 2)
                    c = Ramp(0xF8EAC3, 0xFDF5E0, x + y, 25);
                else
                    c = skincolour::White;
                img.setPixel(x, 13 * s + y, c);
            }
    return img;
}

// The header item in its three states, 3 x 20 each.
QImage HeaderItems()
{
    QImage img = Blank(9, 20);
    for (int y = 0; y < 19; ++y) {
        // normal: a near-white fade, with a short separator on its right
        for (int x = 0; x < 3; ++x)
            img.setPixel(x, y, Ramp(0xFEF5EA, 0xF6E5D3, y, 19));
        if (y >= 3 && y <= 15)
            img.setPixel(2, y, ColorRef(0xF2DAC0));
        // hot: a warm centre between orange edges
        img.setPixel(3, y, ColorRef(0xFAC25E));
        img.setPixel(4, y, Ramp(0xFFEFD6, 0xFDE1AF, y, 19));
        img.setPixel(5, y, ColorRef(0xFAC25E));
        // pressed: the same edges, a darker top and a lighter centre towards the bottom
        img.setPixel(6, y, ColorRef(0xFAC25E));
        img.setPixel(7, y, Ramp(0xFFDC9F, 0xFFF2C8, y, 19));
        img.setPixel(8, y, ColorRef(0xFAC25E));
    }
    for (int x = 6; x < 9; ++x)
        img.setPixel(x, 0, ColorRef(0xFBD797));
    for (int x = 0; x < 9; ++x)
        img.setPixel(x, 19, ColorRef(0xF2DAC0));
    return img;
}

}  // namespace

SkinBitmaps BuildSkinBitmaps() { return {ButtonFaces(), ComboButton(), Marks(), Circles(), HeaderItems()}; }

}  // namespace skin
