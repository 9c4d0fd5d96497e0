// Draws the pictures of the login and main windows and the toolbar icons into a
// folder (src/core/images), from which they are compiled into the program.
//   draw_pictures <folder>
#include "toolargs.h"

#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>

namespace {

const QColor kSlate(0x3f, 0x5a, 0x73);
const QColor kTeal(0x4c, 0x8c, 0x8a);
const QColor kSand(0xf2, 0xec, 0xe2);
const QColor kCoral(0xd9, 0x8c, 0x6c);
const QColor kInk(0x2f, 0x3b, 0x47);

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A coat hanger with its hook at top centre, width w.
QPainterPath hanger(QPointF top, qreal w)
{
    QPainterPath p;
    const qreal hookR = w * 0.07;
    p.moveTo(top.x() - hookR, top.y() + hookR);
    p.arcTo(QRectF(top.x() - hookR, top.y(), 2 * hookR, 2 * hookR), 180, -230);
    p.lineTo(top.x(), top.y() + w * 0.2);
    p.lineTo(top.x() + w / 2, top.y() + w * 0.45);
    p.lineTo(top.x() - w / 2, top.y() + w * 0.45);
    p.lineTo(top.x(), top.y() + w * 0.2);
    return p;
}

// A simple shirt hanging below (x, y), width w.
QPainterPath shirt(QPointF at, qreal w)
{
    const qreal x = at.x(), y = at.y();
    QPainterPath p;
    p.moveTo(x - w * 0.12, y);
    p.lineTo(x - w * 0.42, y + w * 0.1);
    p.lineTo(x - w * 0.56, y + w * 0.42);
    p.lineTo(x - w * 0.36, y + w * 0.48);
    p.lineTo(x - w * 0.3, y + w * 0.34);
    p.lineTo(x - w * 0.3, y + w * 0.95);
    p.lineTo(x + w * 0.3, y + w * 0.95);
    p.lineTo(x + w * 0.3, y + w * 0.34);
    p.lineTo(x + w * 0.36, y + w * 0.48);
    p.lineTo(x + w * 0.56, y + w * 0.42);
    p.lineTo(x + w * 0.42, y + w * 0.1);
    p.lineTo(x + w * 0.12, y);
    p.quadTo(x, y + w * 0.12, x - w * 0.12, y);
    p.closeSubpath();
    return p;
}

// A side view of a shoe standing on (x, y) with its toe to the right, length l.
QPainterPath shoe(QPointF at, qreal l)
{
    const qreal x = at.x(), y = at.y();
    QPainterPath p;
    p.moveTo(x, y);
    p.lineTo(x + l, y);
    p.quadTo(x + l * 1.02, y - l * 0.16, x + l * 0.78, y - l * 0.2);
    p.quadTo(x + l * 0.55, y - l * 0.24, x + l * 0.4, y - l * 0.42);
    p.lineTo(x + l * 0.08, y - l * 0.42);
    p.quadTo(x - l * 0.02, y - l * 0.3, x, y);
    p.closeSubpath();
    return p;
}

void calmBackground(QPainter& g, const QRectF& r, QColor from, QColor to)
{
    QLinearGradient bg(r.topLeft(), r.bottomRight());
    bg.setColorAt(0, from);
    bg.setColorAt(1, to);
    g.fillRect(r, bg);
    // Two large soft circles.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 255, 255, 28));
    g.drawEllipse(QPointF(r.width() * 0.85, r.height() * 0.15), r.height() * 0.9, r.height() * 0.9);
    g.setBrush(QColor(255, 255, 255, 18));
    g.drawEllipse(QPointF(r.width() * 0.1, r.height() * 1.1), r.height() * 0.7, r.height() * 0.7);
}

QImage loginBanner()
{
    QImage img = canvas(460, 120);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    calmBackground(g, img.rect(), kSlate, kTeal);
    g.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    g.drawPath(hanger(QPointF(370, 16), 86));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 255, 255, 200));
    g.drawPath(shoe(QPointF(332, 104), 70));
    QFont f(QStringLiteral("Noto Sans"), 24, QFont::Light);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRectF(28, 0, 300, 120), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VeloraTessaro"));
    return img;
}

QImage loginKey()
{
    QImage img = canvas(72, 72);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(kSand);
    g.drawEllipse(QRectF(2, 2, 68, 68));
    // A padlock.
    g.setPen(QPen(kSlate, 5, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawArc(QRectF(24, 14, 24, 26), 0, 180 * 16);
    g.drawLine(QPointF(24, 27), QPointF(24, 32));
    g.drawLine(QPointF(48, 27), QPointF(48, 32));
    g.setPen(Qt::NoPen);
    g.setBrush(kSlate);
    g.drawRoundedRect(QRectF(18, 31, 36, 26), 5, 5);
    g.setBrush(kSand);
    g.drawEllipse(QRectF(32.5, 38, 7, 7));
    g.drawRect(QRectF(34.5, 43, 3, 7));
    return img;
}

QImage mainPicture()
{
    QImage img = canvas(560, 300);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0, 0, 560, 300), 18, 18);
    g.setClipPath(frame);
    calmBackground(g, img.rect(), QColor(0xe4, 0xee, 0xf0), QColor(0xf4, 0xee, 0xe4));
    // A rail with three hangers and garments.
    g.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(70, 60), QPointF(490, 60));
    const QColor garments[] = {kTeal, kCoral, kSlate};
    for (int i = 0; i < 3; ++i) {
        const qreal cx = 150 + i * 130;
        g.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.setBrush(Qt::NoBrush);
        g.drawPath(hanger(QPointF(cx, 50), 90));
        g.setPen(Qt::NoPen);
        g.setBrush(garments[i]);
        g.drawPath(shirt(QPointF(cx, 88), 100));
    }
    // A floor line with two pairs of shoes.
    g.setPen(QPen(QColor(0, 0, 0, 40), 2));
    g.drawLine(QPointF(40, 262), QPointF(520, 262));
    g.setPen(Qt::NoPen);
    g.setBrush(kInk);
    g.drawPath(shoe(QPointF(96, 260), 72));
    g.drawPath(shoe(QPointF(126, 260), 72));
    g.setBrush(kCoral.darker(115));
    g.drawPath(shoe(QPointF(360, 260), 68));
    g.drawPath(shoe(QPointF(390, 260), 68));
    return img;
}

// The toolbar icons, 48 pixels square, one drawing each.
using Drawer = std::function<void(QPainter&)>;

QImage icon(const Drawer& draw)
{
    QImage img = canvas(48, 48);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    draw(g);
    return img;
}

QPen line(QColor c, qreal w = 3) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void arrowHead(QPainter& g, QPointF tip, qreal angleDeg, qreal size)
{
    QPainterPath p;
    p.moveTo(0, 0);
    p.lineTo(-size, -size * 0.6);
    p.lineTo(-size, size * 0.6);
    p.closeSubpath();
    g.save();
    g.translate(tip);
    g.rotate(angleDeg);
    g.setPen(Qt::NoPen);
    g.drawPath(p);
    g.restore();
}

void drawBuyIn(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xc9, 0xa2, 0x6b));
    g.drawRoundedRect(QRectF(8, 22, 32, 22), 3, 3);
    g.setBrush(QColor(0xb0, 0x88, 0x55));
    g.drawRect(QRectF(8, 22, 32, 5));
    g.setPen(line(kTeal, 4));
    g.drawLine(QPointF(24, 3), QPointF(24, 15));
    g.setBrush(kTeal);
    arrowHead(g, QPointF(24, 21), 90, 8);
}

void drawSellOut(QPainter& g)
{
    QPainterPath tag;
    tag.moveTo(6, 20);
    tag.lineTo(20, 6);
    tag.lineTo(42, 6);
    tag.lineTo(42, 28);
    tag.lineTo(28, 42);
    tag.closeSubpath();
    g.setPen(Qt::NoPen);
    g.setBrush(kCoral);
    g.drawPath(tag);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(34, 14), 3.5, 3.5);
    g.setPen(line(Qt::white, 2.5));
    g.drawLine(QPointF(17, 27), QPointF(27, 17));
}

void drawChange(QPainter& g)
{
    g.setBrush(Qt::NoBrush);
    g.setPen(line(kTeal, 4));
    g.drawArc(QRectF(8, 8, 32, 32), 30 * 16, 150 * 16);
    g.setPen(line(kCoral, 4));
    g.drawArc(QRectF(8, 8, 32, 32), 210 * 16, 150 * 16);
    g.setBrush(kTeal);
    arrowHead(g, QPointF(8.5, 27), 100, 8);
    g.setBrush(kCoral);
    arrowHead(g, QPointF(39.5, 21), -80, 8);
}

void drawClientBack(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kSlate);
    g.drawRoundedRect(QRectF(14, 18, 28, 26), 4, 4);
    g.setPen(line(kSlate, 3));
    g.setBrush(Qt::NoBrush);
    g.drawArc(QRectF(21, 9, 14, 16), 0, 180 * 16);
    g.setPen(line(kCoral, 4));
    g.drawLine(QPointF(30, 31), QPointF(10, 31));
    g.setBrush(kCoral);
    arrowHead(g, QPointF(3, 31), 180, 8);
}

void drawCompanyBack(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kSlate);
    g.drawRoundedRect(QRectF(4, 14, 26, 20), 2, 2);
    g.drawRoundedRect(QRectF(30, 20, 14, 14), 3, 3);
    g.setBrush(QColor(0xe4, 0xee, 0xf0));
    g.drawRect(QRectF(33, 23, 7, 5));
    g.setBrush(kInk);
    g.drawEllipse(QPointF(13, 36), 5, 5);
    g.drawEllipse(QPointF(36, 36), 5, 5);
    g.setPen(line(Qt::white, 2.5));
    g.drawLine(QPointF(24, 24), QPointF(11, 24));
    g.setBrush(Qt::white);
    arrowHead(g, QPointF(8, 24), 180, 5);
}

void drawStoreQuery(QPainter& g)
{
    g.setPen(line(kInk, 3));
    g.drawLine(QPointF(6, 4), QPointF(6, 44));
    g.drawLine(QPointF(42, 4), QPointF(42, 44));
    g.drawLine(QPointF(6, 22), QPointF(42, 22));
    g.drawLine(QPointF(6, 42), QPointF(42, 42));
    g.setPen(Qt::NoPen);
    g.setBrush(kTeal);
    g.drawRect(QRectF(10, 10, 10, 11));
    g.setBrush(kCoral);
    g.drawRect(QRectF(22, 13, 9, 8));
    g.setBrush(QColor(0xc9, 0xa2, 0x6b));
    g.drawRect(QRectF(11, 29, 14, 12));
    g.setBrush(kSlate);
    g.drawRect(QRectF(27, 32, 11, 9));
}

void drawSellQuery(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xf7, 0xf4, 0xee));
    g.drawRoundedRect(QRectF(6, 4, 26, 36), 2, 2);
    g.setPen(line(QColor(0xa0, 0xa8, 0xb0), 2));
    for (int y = 12; y <= 28; y += 6)
        g.drawLine(QPointF(11, y), QPointF(27, y));
    g.setPen(line(kSlate, 4));
    g.setBrush(QColor(255, 255, 255, 160));
    g.drawEllipse(QPointF(29, 27), 9, 9);
    g.drawLine(QPointF(36, 34), QPointF(44, 43));
}

void drawChangeShop(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xf7, 0xf4, 0xee));
    g.drawRect(QRectF(8, 20, 32, 24));
    // An awning in stripes.
    for (int i = 0; i < 4; ++i) {
        g.setBrush(i % 2 ? Qt::white : kCoral);
        QPainterPath p;
        p.moveTo(4 + i * 10, 8);
        p.lineTo(14 + i * 10, 8);
        p.lineTo(14 + i * 10, 20);
        p.arcTo(QRectF(4 + i * 10, 15, 10, 10), 0, -180);
        p.closeSubpath();
        g.drawPath(p);
    }
    g.setBrush(kSlate);
    g.drawRect(QRectF(13, 28, 9, 16));
    g.setBrush(kTeal);
    g.drawRect(QRectF(26, 28, 10, 8));
    g.setPen(line(kInk, 2));
    g.setBrush(Qt::NoBrush);
    g.drawRect(QRectF(8, 20, 32, 24));
}

void drawCalculate(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kSlate);
    g.drawRoundedRect(QRectF(9, 3, 30, 42), 5, 5);
    g.setBrush(QColor(0xe4, 0xee, 0xf0));
    g.drawRoundedRect(QRectF(13, 7, 22, 9), 2, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            g.setBrush(r == 2 && c == 2 ? kCoral : QColor(255, 255, 255, 210));
            g.drawRoundedRect(QRectF(13 + c * 8, 20 + r * 8, 6, 6), 1.5, 1.5);
        }
}

void drawNote(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xf7, 0xf4, 0xee));
    g.drawRoundedRect(QRectF(8, 5, 30, 39), 3, 3);
    g.setBrush(kTeal);
    g.drawRect(QRectF(8, 5, 30, 7));
    g.setPen(line(QColor(0xa0, 0xa8, 0xb0), 2));
    for (int y = 19; y <= 37; y += 6)
        g.drawLine(QPointF(13, y), QPointF(33, y));
    g.setPen(line(kCoral, 4));
    g.drawLine(QPointF(26, 40), QPointF(42, 22));
}

void drawExit(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kSlate);
    g.drawRect(QRectF(8, 4, 22, 40));
    g.setBrush(QColor(0xe4, 0xee, 0xf0));
    g.drawRect(QRectF(12, 8, 14, 32));
    g.setBrush(kSlate);
    g.drawEllipse(QPointF(22, 25), 1.8, 1.8);
    g.setPen(line(kCoral, 4));
    g.drawLine(QPointF(24, 24), QPointF(38, 24));
    g.setBrush(kCoral);
    arrowHead(g, QPointF(45, 24), 0, 8);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tools::Arguments args(QStringLiteral("Draws the windows' pictures and icons into <folder>."), {QStringLiteral("<folder>")});
    if (const auto end = args.read(app.arguments()))
        return *end;
    const QDir out(args.positional(0));
    QDir().mkpath(out.path());
    struct Picture {
        const char* name;
        QImage image;
    };
    const Picture pictures[] = {
        {"login_banner.png", loginBanner()},
        {"login_lock.png", loginKey()},
        {"main_picture.png", mainPicture()},
        {"tb_buyin.png", icon(drawBuyIn)},
        {"tb_sellout.png", icon(drawSellOut)},
        {"tb_clientbackchange.png", icon(drawChange)},
        {"tb_clientback.png", icon(drawClientBack)},
        {"tb_companyback.png", icon(drawCompanyBack)},
        {"tb_storequery.png", icon(drawStoreQuery)},
        {"tb_sellquery.png", icon(drawSellQuery)},
        {"tb_changeshop.png", icon(drawChangeShop)},
        {"tb_calculate.png", icon(drawCalculate)},
        {"tb_note.png", icon(drawNote)},
        {"tb_exit.png", icon(drawExit)},
    };
    for (const Picture& p : pictures) {
        const QString path = out.filePath(QString::fromLatin1(p.name));
        if (!p.image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
