// The drawn window skin: what it takes over and counts, the pictures it draws
// controls from, and what skinned controls show on screen, read from grabbed
// pixels at known points.
#include "platform/flexgrid.h"
#include "platform/formbase.h"
#include "skin/cskinner.h"
#include "skin/mskinner.h"
#include "skin/skinpainters.h"
#include "skin/skinwndproc.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace {

using mSkinner::AttachCount;
using mSkinner::IsAttached;
using mSkinner::SharedBitmaps;

// A small work window of the kinds of controls the shop's windows have.
struct Form : FormBase {
    Form()
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{cmdOk, comList, comText, txtNo, chkAll})
            layout->addWidget(w);
        comList->addItems({"一", "二"});
        comText->setEditable(true);
        chkAll->setTristate(true);
    }
    QPushButton* cmdOk = new QPushButton("OK", this);
    QComboBox* comList = new QComboBox(this);
    QComboBox* comText = new QComboBox(this);
    QLineEdit* txtNo = new QLineEdit(this);
    QCheckBox* chkAll = new QCheckBox("all", this);
};

int Count(const QWidget& form) { return 1 + int(mSkinner::ChildWindows(&form).size()); }

QRgb PixelAt(QWidget* w, QPoint at) { return w->grab().toImage().pixel(at); }

// The pixel of face f of the push-button picture; a button 21 high shows its
// rows one to one, and any column between the borders shows the middle column.
QRgb FacePixel(int face, int column, int row) { return SharedBitmaps()[0].pixel(column, 21 * face + row); }

// What the screen shows at a point of a widget, read from the window's backing
// store: looking paints nothing, so a fade goes on as it would.
QRgb Shown(QWidget* w, QPoint at)
{
    QWidget* window = w->window();
    const QPoint p = w->mapTo(window, at);
    return window->screen()->grabWindow(window->winId(), p.x(), p.y(), 1, 1).toImage().pixel(0, 0);
}

QList<QAbstractEventDispatcher::TimerInfo> Timers(QObject* o)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(o);
}

// A button's fade as the real timer drives it: the ticks since the last mouse
// event on the button, and the pixels the screen showed at one point meanwhile.
class FadeWatch : public QObject {
public:
    FadeWatch(QPushButton* b, QPoint at) : b_(b), at_(at) { b->installEventFilter(this); }

    // Lets the event loop run until the fade has ended; false when it has not
    // after ten seconds.
    bool waitForEnd()
    {
        const bool ended = QTest::qWaitFor(
            [this] {
                const QRgb now = Shown(b_, at_);
                if (shown.isEmpty() || shown.last() != now)
                    shown << now;
                return skin::GetProp(b_, skinprop::TimerId) == 0;
            },
            10000);
        QTest::qWait(20);
        const QRgb last = Shown(b_, at_);
        if (shown.isEmpty() || shown.last() != last)
            shown << last;
        return ended;
    }

    int ticks = 0;
    QList<QRgb> shown;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            ticks = 0;
            shown.clear();
            break;
        case QEvent::Timer: ++ticks; break;
        default: break;
        }
        return false;
    }

private:
    QPushButton* b_;
    QPoint at_;
};

// Shows the window and makes it the active one, as the desktop does with a new
// window (the offscreen one leaves that to us).
bool ShowActive(QWidget* w)
{
    w->show();
    w->activateWindow();
    for (int i = 0; i < 200 && QApplication::activeWindow() != w; ++i)
        QTest::qWait(10);
    return QApplication::activeWindow() == w;
}

// Every pixel of the image that has the colour.
int Pixels(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == colour;
    return n;
}

std::unique_ptr<Form> SkinnedButtonForm()
{
    auto form = std::make_unique<Form>();
    cSkinner().AttachSkin(form.get());
    form->cmdOk->setFixedSize(80, 21);
    form->cmdOk->grab();  // takes the new size, as showing the window would
    return form;
}

}  // namespace

TEST(SkinAttachment, EveryChildOfAFormIsTakenOverAndCountedOnce)
{
    {
        Form form;
        auto* extra = new QLineEdit(&form);
        EXPECT_TRUE(cSkinner().AttachSkin(&form));
        EXPECT_FALSE(cSkinner().AttachSkin(&form));
        EXPECT_FALSE(mSkinner::AttachWindow(form.cmdOk));
        EXPECT_EQ(AttachCount(), Count(form));
        for (QWidget* child : mSkinner::ChildWindows(&form))
            EXPECT_TRUE(IsAttached(child)) << child->metaObject()->className();
        // Text boxes are taken over without state of their own.
        EXPECT_FALSE(form.txtNo->property(skinprop::OldState).isValid());
        EXPECT_EQ(skin::GetProp(form.cmdOk, skinprop::OldState), 0);
        EXPECT_EQ(skin::GetProp(form.chkAll, skinprop::MouseFlag), 0);
        // A child that goes detaches itself.
        delete extra;
        EXPECT_EQ(AttachCount(), Count(form));
        // The skin takes no input away from the controls.
        QSignalSpy clicked(form.cmdOk, &QPushButton::clicked);
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        QTest::keyClicks(form.txtNo, "K100");
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_EQ(form.txtNo->text(), "K100");

        EXPECT_TRUE(cSkinner().DetachSkin(&form));
        EXPECT_FALSE(cSkinner().DetachSkin(&form));
        EXPECT_EQ(AttachCount(), 0);
        EXPECT_FALSE(form.cmdOk->property(skinprop::OldState).isValid());
        EXPECT_FALSE(IsAttached(form.comList));
        cSkinner().AttachSkin(&form);
    }
    // A form destroyed while attached leaves nothing counted.
    EXPECT_EQ(AttachCount(), 0);
}

TEST(SkinAttachment, TheLastDetachFreesThePicturesAndTheNextAttachBuildsThemAgain)
{
    Form first, second;
    cSkinner().AttachSkin(&first);
    cSkinner().AttachSkin(&second);
    cSkinner().DetachSkin(&first);
    EXPECT_TRUE(mSkinner::SkinReady());
    cSkinner().DetachSkin(&second);
    EXPECT_FALSE(mSkinner::SkinReady());
    for (const QImage& img : SharedBitmaps())
        EXPECT_TRUE(img.isNull());

    cSkinner().AttachSkin(&first);
    ASSERT_TRUE(mSkinner::SkinReady());
    const QSize sizes[] = {{7, 84}, {15, 18}, {18, 24}, {13, 52}, {9, 20}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SharedBitmaps()[size_t(i)].size(), sizes[i]) << i;
    EXPECT_EQ(SharedBitmaps()[1].pixel(11, 3), skin::ColorRef(0x5F5519));  // the tip of the arrow
    EXPECT_EQ(SharedBitmaps()[1].pixel(11, 7), skin::ColorRef(0xACA584));  // the pale one
    EXPECT_EQ(SharedBitmaps()[1].pixel(14, 17), skincolour::Key);
    EXPECT_EQ(SharedBitmaps()[0].pixel(0, 21 * 3 + 10), skin::ColorRef(0xE8C387));  // the disabled face's side
}

TEST(NineGrid, ADestinationSmallerThanItsBordersGetsItsCornersOnly)
{
    // A 7 x 7 source of 3-pixel borders, each part in a colour of its own.
    enum : QRgb { TL = 0xFF000001, T = 0xFF000002, TR = 0xFF000003, L = 0xFF000004, C = 0xFF000005,
                  R = 0xFF000006, BL = 0xFF000007, B = 0xFF000008, BR = 0xFF000009, Untouched = 0xFFFFFFFF };
    QImage src(7, 7, QImage::Format_RGB32);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            const int col = x < 3 ? 0 : x == 3 ? 1 : 2, row = y < 3 ? 0 : y == 3 ? 1 : 2;
            const QRgb parts[3][3] = {{TL, T, TR}, {L, C, R}, {BL, B, BR}};
            src.setPixel(x, y, parts[row][col]);
        }
    const struct {
        QSize size;
        QList<QRgb> pixels;  // row by row
        int result;
    } cases[] = {
        {{1, 1}, {BR}, 1},
        {{1, 4}, {TR, BR, BR, BR}, 1},
        {{4, 1}, {BL, BR, BR, BR}, 1},
        {{0, 5}, {}, 0},
    };
    for (const auto& c : cases) {
        QImage dest(qMax(c.size.width(), 1), qMax(c.size.height(), 1), QImage::Format_RGB32);
        dest.fill(Untouched);
        EXPECT_EQ(skin::DrawNineGrid(dest, 0, 0, c.size.width(), c.size.height(), src, 0, 0, 7, 7, 3, 3, 3, 3),
                  c.result);
        QList<QRgb> got;
        for (int y = 0; y < c.size.height(); ++y)
            for (int x = 0; x < c.size.width(); ++x)
                got << dest.pixel(x, y);
        EXPECT_EQ(got, c.pixels) << c.size.width() << "x" << c.size.height();
        if (c.result == 0) {
            EXPECT_EQ(dest.pixel(0, 0), QRgb(Untouched));
        }
    }
    // A button of one pixel shows the last corner of its face.
    auto form = SkinnedButtonForm();
    form->cmdOk->setFixedSize(1, 1);
    EXPECT_EQ(PixelAt(form->cmdOk, {0, 0}), FacePixel(0, 6, 20));
}

TEST(SkinnedButton, ADisabledButtonShowsItsDisabledFaceAndAGreyBlueCaption)
{
    auto form = SkinnedButtonForm();
    QFont big = form->cmdOk->font();
    big.setPixelSize(16);
    big.setBold(true);
    form->cmdOk->setFont(big);
    for (bool enabled : {true, false}) {
        form->cmdOk->setEnabled(enabled);
        const QImage shown = form->cmdOk->grab().toImage();
        const int face = enabled ? 0 : 3;
        EXPECT_EQ(skin::GetProp(form->cmdOk, skinprop::OldState), face);
        for (int row : {3, 10, 17})
            EXPECT_EQ(shown.pixel(4, row), FacePixel(face, 3, row)) << enabled << " row " << row;
        EXPECT_EQ(shown.pixel(0, 10), FacePixel(face, 0, 10));
        // The rounded top and bottom edges are the same on every face; the
        // sides are paler on the disabled one.
        EXPECT_EQ(shown.pixel(40, 0), skin::ColorRef(0xD58F1B)) << enabled;
        EXPECT_EQ(shown.pixel(40, 20), skin::ColorRef(0xD58F1B)) << enabled;
        EXPECT_EQ(shown.pixel(0, 10), skin::ColorRef(enabled ? 0xD58F1B : 0xE8C387)) << enabled;
        EXPECT_GT(Pixels(shown, enabled ? skincolour::Caption : skincolour::CaptionDisabled), 0) << enabled;
        EXPECT_EQ(Pixels(shown, enabled ? skincolour::CaptionDisabled : skincolour::Caption), 0) << enabled;
    }
    // The rounded outline leaves the corners out.
    EXPECT_FALSE(form->cmdOk->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form->cmdOk->mask().contains(QPoint(1, 0)));
}

TEST(SkinnedButton, ACaptionThatJustFitsIsDrawnWhole)
{
    auto form = SkinnedButtonForm();
    QPushButton* b = form->cmdOk;
    b->setText("同货号调价(&B)");
    // The caption as drawn: the "&" only underlines the access key.
    const int room = QFontMetrics(b->font()).horizontalAdvance("同货号调价(B)");
    auto ink = [b](int width) {
        b->setFixedSize(width, 21);
        const QImage shown = b->grab().toImage();
        QRect dark;  // inside the face's border of one pixel
        for (int y = 1; y < shown.height() - 1; ++y)
            for (int x = 1; x < shown.width() - 1; ++x)
                if (qGray(shown.pixel(x, y)) < 128)
                    dark |= QRect(x, y, 1, 1);
        return dark.size();
    };
    const QSize whole = ink(room + 80);
    EXPECT_EQ(ink(room + 4), whole) << "the caption and the 2-pixel inset on each side";
    EXPECT_NE(ink(room + 3), whole) << "one pixel less and the caption is cut";
}

// A skinned button in a window on screen, the pointer and the focus elsewhere,
// no fade running.
std::unique_ptr<Form> ButtonOnScreen()
{
    auto form = SkinnedButtonForm();
    form->txtNo->setFocus();
    // The window does not open under the pointer.
    QCursor::setPos(form->screen()->geometry().bottomRight());
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseMove(form->txtNo);
    // The window's first paints are over before the test looks.
    QTest::qWait(100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return skin::GetProp(form->cmdOk, skinprop::TimerId) == 0; }, 10000));
    return form;
}

TEST(SkinnedButton, ThePointerOnAButtonFadesItsHotFaceInOnTheFifteenMillisecondTimer)
{
    auto form = ButtonOnScreen();
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10);
    FadeWatch fade(b, at);
    QTest::mouseMove(b, at);
    ASSERT_EQ(Timers(b).size(), 1) << "the fade starts";
    EXPECT_EQ(Timers(b).first().interval, 15);
    const int timer = Timers(b).first().timerId;
    EXPECT_EQ(skin::GetProp(b, skinprop::OldState), 1);
    // Out and in again at once: the one timer runs on.
    QTest::mouseMove(form->txtNo);
    QTest::mouseMove(b, at);
    ASSERT_EQ(Timers(b).size(), 1);
    EXPECT_EQ(Timers(b).first().timerId, timer);

    ASSERT_TRUE(fade.waitForEnd()) << "the fade stops";
    EXPECT_EQ(fade.ticks, 86);  // alpha 0, 3, ..., 255
    EXPECT_GT(fade.shown.size(), 2) << "the faces blend on the way";
    EXPECT_EQ(fade.shown.last(), FacePixel(1, 3, 10));
    EXPECT_EQ(skin::GetProp(b, skinprop::AlphaLevel), 0);
    EXPECT_TRUE(Timers(b).isEmpty());
    QTest::qWait(60);
    EXPECT_EQ(fade.ticks, 86) << "nothing ticks after the last fade";
}

TEST(SkinnedButton, APressShowsThePressedFaceAtOnceAndAfterTheClickThePointerKeepsTheHotFace)
{
    auto form = ButtonOnScreen();
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10);
    QSignalSpy clicked(b, &QPushButton::clicked);
    FadeWatch fade(b, at);
    QTest::mouseMove(b, at);
    QTest::qWait(60);
    ASSERT_FALSE(Timers(b).isEmpty());
    QTest::mousePress(b, Qt::LeftButton, {}, at);
    EXPECT_TRUE(Timers(b).isEmpty());
    QTest::qWait(30);
    EXPECT_EQ(Shown(b, at), FacePixel(2, 3, 10));

    // The release clicks; the pointer still rests on the button, whose hot face
    // fades in again.
    QTest::mouseRelease(b, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(Timers(b).size(), 1);
    ASSERT_TRUE(fade.waitForEnd());
    EXPECT_GT(fade.shown.size(), 2);
    EXPECT_EQ(fade.shown.last(), FacePixel(1, 3, 10));
    EXPECT_TRUE(Timers(b).isEmpty());

    // The pointer goes: the hot face once at 140, then the normal face fades in.
    QTest::mouseMove(form->txtNo);
    ASSERT_TRUE(fade.waitForEnd());
    EXPECT_EQ(fade.ticks, 86);
    EXPECT_GT(fade.shown.size(), 2);
    EXPECT_EQ(fade.shown.last(), FacePixel(0, 3, 10));
    EXPECT_TRUE(Timers(b).isEmpty());
}

TEST(SkinnedButton, APaintFromOutsideEndsAFadeWithTheFaceWhole)
{
    auto form = ButtonOnScreen();
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10);
    QTest::mouseMove(b, at);
    QTest::qWait(60);
    ASSERT_FALSE(Timers(b).isEmpty());
    // The first may still be the paint a tick asked for.
    b->repaint();
    b->repaint();
    EXPECT_TRUE(Timers(b).isEmpty());
    QTest::qWait(30);
    EXPECT_EQ(Shown(b, at), FacePixel(1, 3, 10));
}

TEST(SkinnedButton, TheSpaceBarShowsThePressedFaceAtOnceAndItsReleaseFadesTheNormalFaceIn)
{
    auto form = ButtonOnScreen();
    ASSERT_TRUE(ShowActive(form.get()));
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10);
    b->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([b] { return Timers(b).isEmpty(); }, 10000));
    QSignalSpy clicked(b, &QPushButton::clicked);
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(Timers(b).isEmpty());
    QTest::qWait(30);
    EXPECT_EQ(Shown(b, at), FacePixel(2, 3, 10));

    FadeWatch fade(b, at);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
    ASSERT_EQ(Timers(b).size(), 1);
    ASSERT_TRUE(fade.waitForEnd());
    EXPECT_EQ(fade.ticks, 86);  // from alpha 0
    EXPECT_GT(fade.shown.size(), 2);
    EXPECT_EQ(fade.shown.last(), FacePixel(0, 3, 10));
}

TEST(SkinnedButton, APressDraggedOffKeepsThePressedFaceAndTheReleaseThereFadesTheNormalFaceIn)
{
    auto form = ButtonOnScreen();
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10), off(4, b->height() + 10);
    QSignalSpy clicked(b, &QPushButton::clicked);
    QTest::mouseMove(b, at);
    QTest::mousePress(b, Qt::LeftButton, {}, at);
    // While the left button is down the moves off the button still come to it.
    QTest::mouseMove(b, off);
    EXPECT_TRUE(Timers(b).isEmpty());
    QTest::qWait(30);
    EXPECT_EQ(Shown(b, at), FacePixel(2, 3, 10));

    FadeWatch fade(b, at);
    QTest::mouseRelease(b, Qt::LeftButton, {}, off);
    EXPECT_EQ(clicked.count(), 0);
    ASSERT_TRUE(fade.waitForEnd());
    EXPECT_EQ(fade.ticks, 66);  // from alpha 60
    EXPECT_EQ(fade.shown.last(), FacePixel(0, 3, 10));
    EXPECT_EQ(skin::GetProp(b, skinprop::MouseFlag), 0);
}

TEST(SkinnedButton, TheFocusFadesInADottedRectangleInsetByTwoAndItsLossFadesItOut)
{
    auto form = ButtonOnScreen();
    ASSERT_TRUE(ShowActive(form.get()));
    QPushButton* b = form->cmdOk;
    // 1 where the button shows the pixel of its normal face inverted, 0 where it
    // shows it as it is, -1 for anything else.
    auto inverted = [b](QPoint at, int column, int row) {
        const QRgb shown = Shown(b, at), face = FacePixel(0, column, row);
        return shown == face ? 0 : shown == (face ^ 0x00FFFFFF) ? 1 : -1;
    };
    b->setFocus();
    ASSERT_EQ(Timers(b).size(), 1) << "the faces with the rectangle fade in";
    ASSERT_TRUE(QTest::qWaitFor([b] { return Timers(b).isEmpty(); }, 10000));
    // Every other pixel of the outline: one of two neighbours on the left side
    // and on the top side; nothing beside the outline.
    EXPECT_EQ(inverted({2, 10}, 2, 10) + inverted({2, 11}, 2, 11), 1);
    EXPECT_EQ(inverted({40, 2}, 3, 2) + inverted({41, 2}, 3, 2), 1);
    for (const QPoint& at : {QPoint(1, 10), QPoint(1, 11), QPoint(3, 10), QPoint(3, 11)})
        EXPECT_EQ(inverted(at, at.x(), at.y()), 0) << at.x() << "," << at.y();

    form->txtNo->setFocus();
    ASSERT_EQ(Timers(b).size(), 1) << "the faces without it fade in";
    ASSERT_TRUE(QTest::qWaitFor([b] { return Timers(b).isEmpty(); }, 10000));
    for (int row : {10, 11})
        EXPECT_EQ(inverted({2, row}, 2, row), 0) << row;
}

TEST(SkinAttachment, DetachingAButtonDuringItsFadeStopsTheTimer)
{
    auto form = ButtonOnScreen();
    QPushButton* b = form->cmdOk;
    const QPoint at(4, 10);
    QTest::mouseMove(b, at);
    ASSERT_EQ(Timers(b).size(), 1);
    EXPECT_TRUE(cSkinner().DetachSkin(form.get()));
    EXPECT_TRUE(Timers(b).isEmpty());
    EXPECT_FALSE(b->property(skinprop::TimerId).isValid());
    EXPECT_TRUE(b->mask().isEmpty());
    // The button draws itself again: none of the skin's faces.
    QTest::qWait(60);
    for (int face : {0, 1})
        EXPECT_NE(Shown(b, at), FacePixel(face, 3, 10)) << face;
}

TEST(SkinnedCheckBox, TheGreyStateShowsTheSquareAndTheTickShowsTheMark)
{
    auto form = SkinnedButtonForm();
    QCheckBox* chk = form->chkAll;
    chk->resize(chk->sizeHint());
    auto centre = [](const QImage& shown) {
        // The box is framed in the skin's frame colour; its centre 7 x 7.
        QRect box;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) == skincolour::Frame)
                    box |= QRect(x, y, 1, 1);
        const QPoint at(skin::RoundHalfEven((box.width() - 7) / 2.0), skin::RoundHalfEven((box.height() - 7) / 2.0));
        return shown.copy(QRect(box.topLeft() + at, QSize(7, 7)));
    };
    const struct {
        Qt::CheckState check;
        int white;  // pixels of the 7 x 7 middle left white
    } cases[] = {{Qt::Unchecked, 49}, {Qt::PartiallyChecked, 0}};
    for (const auto& c : cases) {
        chk->setCheckState(c.check);
        EXPECT_EQ(Pixels(centre(chk->grab().toImage()), skincolour::White), c.white) << c.check;
    }
    chk->setCheckState(Qt::Checked);
    const int white = Pixels(centre(chk->grab().toImage()), skincolour::White);
    EXPECT_GT(white, 0);
    EXPECT_LT(white, 49);
}

namespace {

// A pixel of one of the five shared pictures, as the painters address them.
QRgb Pic(size_t picture, int x, int y) { return SharedBitmaps()[picture].pixel(x, y); }

// A colour as #rrggbb, for readable failures.
std::string Hex(QRgb colour) { return QColor(colour).name().toStdString(); }

// Where a w x h picture sits centred in a room of the given size.
QPoint Centred(QSize room, int w, int h)
{
    return {skin::RoundHalfEven((room.width() - w) / 2.0), skin::RoundHalfEven((room.height() - h) / 2.0)};
}

// The work window with option buttons and a list with a header of two items.
struct BoxesForm : Form {
    BoxesForm()
    {
        tree->setHeaderLabels({"货号", "品名"});
        for (QWidget* w : std::initializer_list<QWidget*>{optOne, optTwo, tree})
            layout()->addWidget(w);
    }
    QRadioButton* optOne = new QRadioButton("现金", this);
    QRadioButton* optTwo = new QRadioButton("刷卡", this);
    QTreeWidget* tree = new QTreeWidget(this);
};

// The form skinned and on screen, the pointer on the text box.
std::unique_ptr<BoxesForm> BoxesOnScreen()
{
    auto form = std::make_unique<BoxesForm>();
    cSkinner().AttachSkin(form.get());
    form->tree->setFixedHeight(80);
    form->tree->header()->resizeSection(0, 60);
    QCursor::setPos(form->screen()->geometry().bottomRight());
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseMove(form->txtNo);
    return form;
}

QRect Indicator(QWidget* w, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(w);
    return w->style()->subElementRect(element, &option, w);
}

// A point of a control and the colour it shows there; no colour: not looked at.
struct Look {
    QPoint at;
    std::optional<QRgb> colour;
    std::string what;
};

enum class Painter { CheckBox, OptionButton, Combo, Header };

}  // namespace

TEST(SkinnedControls, EachPainterShowsTheFaceOfItsStateWhetherEnabledOrNot)
{
    auto form = BoxesOnScreen();
    QCheckBox* chk = form->chkAll;
    QRadioButton* opt = form->optTwo;
    QComboBox* combo = form->comList;
    QHeaderView* header = form->tree->header();
    // A pixel of the check mark, in its cell of picture 2.
    QPoint mark(-1, -1);
    for (int y = 0; y < 8 && mark.x() < 0; ++y)
        for (int x = 0; x < 9 && mark.x() < 0; ++x)
            if (Pic(2, x, y) != skincolour::Key)
                mark = {x, y};

    struct Case {
        Painter painter;
        int state;  // 0 normal, 1 the pointer on it, 2 the left button down on it
        bool enabled;
        bool checked;
    };
    QList<Case> cases;
    for (Painter painter : {Painter::CheckBox, Painter::OptionButton, Painter::Combo, Painter::Header})
        for (int state : {0, 1, 2})
            for (bool enabled : {true, false})
                for (bool checked : {false, true}) {
                    const bool boxes = painter == Painter::CheckBox || painter == Painter::OptionButton;
                    if ((checked && !boxes) || (!enabled && painter == Painter::Header))
                        continue;
                    cases << Case{painter, state, enabled, checked};
                }

    for (const Case& c : cases) {
        QWidget* control = nullptr;  // the control that is drawn
        QWidget* target = nullptr;   // the window the mouse is on
        QPoint point;                // where, in the target
        QList<Look> looks;
        switch (c.painter) {
        case Painter::CheckBox: {
            control = target = chk;
            chk->setCheckState(c.checked ? Qt::Checked : Qt::Unchecked);
            const QRect box = Indicator(chk, QStyle::SE_CheckBoxIndicator);
            point = box.center();
            const int state = c.enabled ? c.state : 0;
            const QPoint markAt = box.topLeft() + Centred(box.size(), 9, 8) + mark;
            looks = {
                {box.topLeft(),
                 !c.enabled ? skincolour::FrameDisabled : state == 2 ? skincolour::FramePressed : skincolour::Frame,
                 "frame"},
                // The middle of the hot or pressed circle stretched over the inside.
                {box.topLeft() + QPoint(1, 1),
                 state == 1   ? Pic(3, 1, 17)
                 : state == 2 ? Pic(3, 1, 30)
                              : skincolour::White,
                 "inside"},
                {markAt,
                 c.checked    ? std::optional(Pic(2, mark.x() + (c.enabled ? 0 : 9), mark.y()))
                 : state == 0 ? std::optional(skincolour::White)
                              : std::nullopt,
                 "mark"},
            };
            break;
        }
        case Painter::OptionButton: {
            control = target = opt;
            form->optOne->setChecked(!c.checked);
            opt->setChecked(c.checked);
            const QRect box = Indicator(opt, QStyle::SE_RadioButtonIndicator);
            point = box.center();
            const int face = c.enabled ? c.state : 3;
            const QPoint dotAt = box.topLeft() + Centred(box.size(), 5, 5) + QPoint(2, 2);
            looks = {
                {box.topLeft(), skincolour::White, "corner, left out of the circle"},
                {box.topLeft() + QPoint(4, 0), Pic(3, 4, 13 * face), "outline"},
                {box.topLeft() + QPoint(2, 2), Pic(3, 2, 13 * face + 2), "inside"},
                {dotAt, c.checked ? Pic(2, 4 + (c.enabled ? 0 : 9), 20) : Pic(3, 6, 13 * face + 6), "dot"},
            };
            break;
        }
        case Painter::Combo: {
            control = target = combo;
            point = {4, combo->height() / 2};
            const int bw = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo) + 1;
            const QPoint button(combo->width() - bw - 1, 1);
            const int state = c.enabled ? c.state : 0;
            looks = {
                {{0, combo->height() / 2}, c.enabled ? skincolour::Frame : skincolour::FrameDisabled, "frame"},
                {button + QPoint(1, 1), state == 0 ? skincolour::White : Pic(1, state == 1 ? 1 : 5, 1), "button"},
                {button + Centred({bw, combo->height() - 2}, 7, 4) + QPoint(3, 3), Pic(1, 11, c.enabled ? 3 : 7),
                 "arrow"},
            };
            break;
        }
        case Painter::Header: {
            control = header;
            target = header->viewport();
            point = {header->sectionViewportPosition(0) + 10, header->height() / 2};
            // The item under the pointer shows the state, the other stays normal.
            for (int item : {0, 1}) {
                const int state = item == 0 ? c.state : 0;
                const int x = header->sectionViewportPosition(item);
                const std::string name = item == 0 ? "first item" : "second item";
                looks << Look{{x, 1}, Pic(4, 3 * state, 1), name + ", left edge"}
                      << Look{{x + 1, 0}, Pic(4, 3 * state + 1, 0), name + ", top"}
                      << Look{{x + 1, 1}, Pic(4, 3 * state + 1, 1), name};
            }
            break;
        }
        }
        control->setEnabled(c.enabled);
        QTest::mouseMove(form->txtNo);
        if (c.state >= 1)
            QTest::mouseMove(target, point);
        if (c.state == 2)
            QTest::mousePress(target, Qt::LeftButton, {}, point);
        const QImage shown = control->grab().toImage();
        for (const Look& look : looks) {
            if (!look.colour)
                continue;
            EXPECT_EQ(Hex(shown.pixel(look.at)), Hex(*look.colour))
                << control->metaObject()->className() << " state " << c.state << (c.enabled ? "" : " disabled")
                << (c.checked ? " checked" : "") << ": " << look.what;
        }
        if (c.state == 2) {
            if (c.painter == Painter::Combo)
                combo->hidePopup();
            QTest::mouseRelease(target, Qt::LeftButton, {}, point);
        }
        control->setEnabled(true);
    }
}

TEST(SkinnedOptionButton, AClickMovesTheDotAndRepaintsEveryBoxOfItsWindowNormal)
{
    auto form = BoxesOnScreen();
    QRadioButton* one = form->optOne;
    QRadioButton* two = form->optTwo;
    QCheckBox* chk = form->chkAll;
    one->setChecked(true);
    // Boxes of the same window left hot and pressed.
    skin::SetProp(one, skinprop::OldState, 1);
    skin::SetProp(chk, skinprop::OldState, 2);

    const QRect box = Indicator(two, QStyle::SE_RadioButtonIndicator);
    QTest::mouseMove(two, box.center());
    QTest::mousePress(two, Qt::LeftButton, {}, box.center());
    QTest::mouseRelease(two, Qt::LeftButton, {}, box.center());
    ASSERT_TRUE(two->isChecked());
    ASSERT_FALSE(one->isChecked());
    for (QRadioButton* opt : {one, two}) {
        const QImage shown = opt->grab().toImage();
        const QPoint corner = Indicator(opt, QStyle::SE_RadioButtonIndicator).topLeft();
        const QPoint dotAt = corner + Centred(box.size(), 5, 5) + QPoint(2, 2);
        const char* name = opt == two ? "the clicked one" : "the other";
        EXPECT_EQ(Hex(shown.pixel(corner + QPoint(2, 2))), Hex(Pic(3, 2, 2))) << name << ": the normal circle";
        EXPECT_EQ(Hex(shown.pixel(dotAt)), Hex(opt == two ? Pic(2, 4, 20) : Pic(3, 6, 6)))
            << name << ": the dot or none";
    }
    EXPECT_EQ(Hex(PixelAt(chk, Indicator(chk, QStyle::SE_CheckBoxIndicator).topLeft())), Hex(skincolour::Frame))
        << "the check box's frame, not pressed";
}

TEST(SkinnedComboBox, ADroppedListShowsThePressedButtonAndIsTakenOverOnce)
{
    auto form = SkinnedButtonForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QComboBox* combo = form->comList;
    const int bw = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo) + 1;
    const QPoint inButton(combo->width() - bw, 2);  // its second column, second row
    EXPECT_EQ(PixelAt(combo, inButton), skincolour::White);
    EXPECT_EQ(PixelAt(combo, {0, combo->height() / 2}), skincolour::Frame);

    const int before = AttachCount();
    combo->showPopup();
    QWidget* list = combo->view()->window();
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(IsAttached(list));
    EXPECT_EQ(AttachCount(), before + 1);
    EXPECT_EQ(PixelAt(combo, inButton), SharedBitmaps()[1].pixel(5, 1));
    combo->hidePopup();
    combo->showPopup();
    EXPECT_EQ(AttachCount(), before + 1);
    combo->hidePopup();
    EXPECT_NE(PixelAt(combo, inButton), SharedBitmaps()[1].pixel(5, 1));
}

TEST(SkinnedComboBox, TheDropButtonTurnsHotUnderThePointer)
{
    auto form = SkinnedButtonForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QComboBox* text = form->comText;
    QComboBox* list = form->comList;
    auto inButton = [](QComboBox* c) {
        const int bw = c->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, c) + 1;
        return QPoint(c->width() - bw, 2);  // the button's second column, second row
    };
    const QRgb hot = SharedBitmaps()[1].pixel(1, 1);
    // The pointer moves on, and the button of the box shows white or hot.
    const struct {
        QWidget* to;
        QPoint at;
        QComboBox* box;
        QRgb button;
    } moves[] = {
        {text->lineEdit(), text->lineEdit()->rect().center(), text, skincolour::White},
        {text, inButton(text), text, hot},  // from the text part onto the button
        {text->lineEdit(), text->lineEdit()->rect().center(), text, skincolour::White},
        {list, QPoint(4, list->height() / 2), list, hot},  // a list that cannot be typed in: anywhere
        {form->txtNo, form->txtNo->rect().center(), list, skincolour::White},
    };
    for (size_t i = 0; i < std::size(moves); ++i) {
        QTest::mouseMove(moves[i].to, moves[i].at);
        EXPECT_EQ(PixelAt(moves[i].box, inButton(moves[i].box)), moves[i].button) << "move " << i;
    }
}

TEST(SkinnedProgressBar, ShowsItsFrameAndThePartDoneFromTheLeftOrFromTheBottomAndNoText)
{
    Form form;
    auto* bar = new QProgressBar(&form);
    form.layout()->addWidget(bar);
    bar->setRange(0, 100);
    bar->setValue(50);
    cSkinner().AttachSkin(&form);
    for (bool vertical : {false, true})
        for (bool enabled : {true, false}) {
            bar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
            bar->setEnabled(enabled);
            bar->setFixedSize(vertical ? QSize(22, 200) : QSize(200, 22));
            const QImage shown = bar->grab().toImage();
            const int fill = Pixels(shown, skincolour::ProgressFill);
            const QRgb frame = enabled ? skincolour::Frame : skincolour::FrameDisabled;
            EXPECT_EQ(Pixels(shown, skincolour::White) + Pixels(shown, frame) + fill, 200 * 22) << vertical << enabled;
            EXPECT_EQ(fill, 98 * 18) << vertical;  // half of the inside of the frame and its white line
            EXPECT_EQ(shown.pixel(vertical ? QPoint(11, 197) : QPoint(2, 11)), skincolour::ProgressFill) << vertical;
            EXPECT_EQ(shown.pixel(vertical ? QPoint(11, 2) : QPoint(197, 11)), skincolour::White) << vertical;
        }
}

TEST(SkinSpreading, AMessageBoxOrFormActivatedFromASkinnedFormIsSkinned)
{
    auto form = SkinnedButtonForm();
    ASSERT_TRUE(ShowActive(form.get()));
    {
        QMessageBox box(QMessageBox::Information, "提示", "已保存", QMessageBox::NoButton, form.get());
        QPushButton* ok = box.addButton("确定", QMessageBox::AcceptRole);
        ASSERT_TRUE(ShowActive(&box));
        EXPECT_TRUE(IsAttached(&box));
        EXPECT_TRUE(IsAttached(ok));
        EXPECT_EQ(PixelAt(ok, {0, ok->height() / 2}), FacePixel(0, 0, 10));
        box.hide();
    }
    ASSERT_TRUE(ShowActive(form.get()));
    Form other;  // not owned by the skinned form
    ASSERT_TRUE(ShowActive(&other));
    EXPECT_TRUE(IsAttached(&other));
    EXPECT_TRUE(IsAttached(other.cmdOk));
}

TEST(SkinMapping, SunkenControlsGetAFlatFrameAndTheGridKeepsItsCaptions)
{
    Form form;
    auto* grid = new FlexGrid(&form);
    auto* tree = new QTreeWidget(&form);
    auto* date = new QDateEdit(&form);
    tree->setHeaderLabels({"权限"});
    for (QWidget* w : std::initializer_list<QWidget*>{grid, tree, date})
        form.layout()->addWidget(w);
    cSkinner().AttachSkin(&form);
    form.resize(form.sizeHint());

    for (QWidget* w : std::initializer_list<QWidget*>{form.txtNo, grid, date})
        EXPECT_EQ(PixelAt(w, {0, w->height() / 2}), skincolour::Frame) << w->metaObject()->className();
    form.txtNo->setEnabled(false);
    EXPECT_EQ(PixelAt(form.txtNo, {0, form.txtNo->height() / 2}), skincolour::FrameDisabled);
    // Headers outside the grid are drawn by the skin; the grid's own are not.
    EXPECT_EQ(skin::GetProp(tree->header(), skinprop::HdIndex), -1);
    EXPECT_FALSE(grid->horizontalHeader()->property(skinprop::HdIndex).isValid());
    EXPECT_TRUE(IsAttached(grid->horizontalHeader()));
}
