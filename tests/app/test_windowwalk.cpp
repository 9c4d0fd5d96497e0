// Every window of the program, opened as the clerk opens it, at its own size and
// under the skin, on the shop's screen of 1366 x 768 with a panel of 40 pixels:
// no push button, check box or option button shows its caption cut, and every
// window's frame lies on the part of the screen the panel leaves free.
#include "aftersales/frmchange.h"
#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmfactoryback.h"
#include "aftersales/frmquestion.h"
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmabout.h"
#include "core/frmbackup.h"
#include "core/frmchangepwd.h"
#include "core/frmchangeshop.h"
#include "core/frmdatadictionary.h"
#include "core/frmlogin.h"
#include "core/frmrelogin.h"
#include "core/frmrole.h"
#include "core/frmsellrole.h"
#include "core/frmshopsetting.h"
#include "core/frmuser.h"
#include "core/shell.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmbuyin.h"
#include "goods/frmchangeprice.h"
#include "goods/frmedit.h"
#include "goods/frmgoodsproperty.h"
#include "goods/frmputin.h"
#include "platform/base/headless.h"
#include "platform/flexgrid.h"
#include "platform/qtservices.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "reports/frmbuyindetail.h"
#include "reports/frmotherout.h"
#include "reports/frmotheroutquery.h"
#include "reports/frmprint.h"
#include "reports/frmprofit.h"
#include "reports/frmsellgroup.h"
#include "reports/frmsellquery.h"
#include "reports/frmstore.h"
#include "sales/frmamounttotal.h"
#include "sales/frmblankout.h"
#include "sales/frmdayamount.h"
#include "sales/frmsell.h"
#include "skin/mskinner.h"
#include "skin/skinpainters.h"
#include "support/purchases.h"
#include "support/soldlines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The free part of the shop's screen, which the test programs' offscreen
// desktop has.
const QRect kFree = ui::kShopScreenFree;

// The room, in pixels, between a date picker's day and its drop button.
constexpr int kDateMargin = 6;

// The buttons of the window (not of the windows opened from it) whose captions
// do not show whole, each as "class name: caption".
QStringList CutCaptions(QWidget* window)
{
    QStringList cut;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->window() != window || !b->isVisibleTo(window) || b->text().isEmpty())
            continue;
        bool whole = true;
        if (qobject_cast<QPushButton*>(b) && mSkinner::IsAttached(b)) {
            // The skin draws the caption on the button's faces.
            const QFont font = b->font();
            whole = !skin::ButtonCaptionLine(b->size(), {b->text(), &font}).elided;
        } else if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b) || qobject_cast<QPushButton*>(b)) {
            // The style draws it, in the room it leaves for the text.
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const QStyle::SubElement room = qobject_cast<QCheckBox*>(b)      ? QStyle::SE_CheckBoxContents
                                            : qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                                                             : QStyle::SE_PushButtonContents;
            whole = b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width() <=
                    b->style()->subElementRect(room, &option, b).width();
        } else {
            continue;
        }
        // Nor may the window or a box around the button cut it off.
        const QRect inWindow(b->mapTo(window, QPoint(0, 0)), b->size());
        for (QWidget* p = b->parentWidget(); whole && p; p = p == window ? nullptr : p->parentWidget())
            whole = QRect(p->mapTo(window, QPoint(0, 0)), p->size()).contains(inWindow);
        if (!whole)
            cut << QString::fromLatin1(b->metaObject()->className()) + QStringLiteral(": ") + b->text();
    }
    return cut;
}

// Looks at the window on every page of its tabs (a tab widget's or a tab strip's).
void OnEveryPage(QWidget* window, const std::function<void()>& look)
{
    look();
    for (QTabBar* tabs : window->findChildren<QTabBar*>()) {
        if (tabs->window() != window)
            continue;
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            look();
        }
        tabs->setCurrentIndex(shown);
    }
}

// The same, on every page of the window's tabs.
QStringList CutCaptionsOnEveryPage(QWidget* window)
{
    QStringList cut;
    OnEveryPage(window, [window, &cut] {
        for (const QString& c : CutCaptions(window))
            if (!cut.contains(c))
                cut << c;
    });
    return cut;
}

// How the window's date pickers, shown, answer the keys and show the day: each
// as "picker: fault". Names the pickers looked at in seen.
QStringList DatePickerFaults(QWidget* window, QSet<QDateEdit*>& seen)
{
    QStringList faults;
    OnEveryPage(window, [&] {
        for (QDateEdit* d : window->findChildren<QDateEdit*>()) {
            if (d->window() != window || !d->isVisible() || seen.contains(d))
                continue;
            seen << d;
            const auto fault = [&faults, d](const char* what) {
                faults << d->objectName() + QStringLiteral(": ") + QString::fromLatin1(what);
            };
            // The day's last figure, as drawn, stands clear of the drop button.
            auto* edit = d->findChild<QLineEdit*>();
            edit->deselect();
            const QImage drawn = edit->grab().toImage();
            int ink = -1;
            for (int x = 0; x < drawn.width(); ++x)
                for (int y = 0; y < drawn.height(); ++y)
                    if (qGray(drawn.pixel(x, y)) < 128)
                        ink = x;
            QStyleOptionComboBox box;
            box.initFrom(d);
            box.editable = true;
            const QRect button = d->style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxArrow, d);
            if (ink < 0 || button.left() - (edit->mapTo(d, QPoint(ink, 0)).x() + 1) < kDateMargin)
                fault("the day touches the drop button");
            // Tab and Shift+Tab leave the box in one press.
            for (const bool back : {false, true}) {
                d->setFocus(Qt::OtherFocusReason);
                if (back)
                    QTest::keyClick(d, Qt::Key_Backtab, Qt::ShiftModifier);
                else
                    QTest::keyClick(d, Qt::Key_Tab);
                if (d->hasFocus())
                    fault(back ? "Shift+Tab stays in the box" : "Tab stays in the box");
            }
            // The arrow keys walk over the year, the month and the day.
            d->setFocus(Qt::OtherFocusReason);
            d->setCurrentSection(QDateTimeEdit::YearSection);
            QList<QDateTimeEdit::Section> walked = {d->currentSection()};
            for (qsizetype i = 0; i < d->text().size(); ++i) {
                QTest::keyClick(d, Qt::Key_Right);
                if (d->currentSection() != walked.last())
                    walked << d->currentSection();
            }
            if (!d->hasFocus() || walked != QList<QDateTimeEdit::Section>({QDateTimeEdit::YearSection,
                                                                          QDateTimeEdit::MonthSection,
                                                                          QDateTimeEdit::DaySection}))
                fault("the arrows do not walk over the day's parts");
        }
    });
    return faults;
}

class WindowWalk : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), kFree) << "tried on a desktop of its own";
        app::InstallSkin();
        // A receipt line to correct and a sale line to exchange.
        purchases::receive(QStringLiteral("K-300"), 3, 50, QDate(2024, 3, 5));
        sold({});
    }
    void TearDown() override
    {
        shell::installSkin({});
        SoldLines::TearDown();
    }

    // Opens every window of the program as the clerk opens it and hands each,
    // shown at its own size and active, to look; returns the class names of the
    // windows looked at.
    QStringList walk(const std::function<void(QWidget*)>& look)
    {
        look_ = look;
        seen_.clear();
        {
            frmLogin login;
            see(&login);
        }
        frmMain w;
        see(&w);

        openAndSee<frmBuyIn>([](frmBuyIn& buyIn) {
            buyIn.cmdNewGoods->click();
            buyIn.Command1->click();
        });
        openAndSee<frmUser>([](frmUser& users) { users.cmdRole->click(); });
        openAndSee<frmChangeShop>([](frmChangeShop& shops) { shops.cmdEdit->click(); });
        openAndSee<frmStore>([](frmStore& store) { store.cmdPrint->click(); });
        openAndSee<frmPrint>([this](frmPrint& print) {
            // The window again with its preview.
            print.cmdPreview->click();
            see(&print);
        });
        openAndSee<frmbuyInDetail>([](frmbuyInDetail& details) {
            details.cmdQuery->click();
            ASSERT_GT(details.VSFlexGrid->rows(), 1);
            details.VSFlexGrid->setRow(1);
            details.cmdedit->click();
        });
        openAndSee<frmClientBackChange>([](frmClientBackChange& exchange) {
            if (!exchange.chkNo->isChecked())
                exchange.chkNo->click();
            exchange.txtSellNo->setText(QStringLiteral("202403010001"));
            exchange.cmdQuery->click();
            ASSERT_GT(exchange.VSFlexGrid->rows(), 1);
            exchange.VSFlexGrid->setRow(1);
            exchange.cmdChange->click();
        });
        seeEveryOther();

        // The menu opens the rest; the items that ask or tell something first
        // are left to the message boxes below.
        const QStringList askOrTell = {QStringLiteral("ReStart"), QStringLiteral("Exit"),
                                       QStringLiteral("Calculate"), QStringLiteral("Note")};
        for (QAction* menu : w.menuBar()->actions())
            for (QAction* a : menu->menu()->actions()) {
                const QList<QAction*> items = a->menu() ? a->menu()->actions() : QList<QAction*>{a};
                for (QAction* item : items)
                    if (!item->isSeparator() && !askOrTell.contains(item->objectName()))
                        item->trigger();
            }

        // A message box and a question, shown by the real message service.
        const ui::Platform faked = ui::platform();
        ui::Platform real = faked;
        real.msg = ui::realPlatform().msg;
        ui::setPlatform(real);
        for (QAction* item : {w.Calculate, w.Exit}) {
            activate(&w);
            QTimer::singleShot(0, [this] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                see(box);
                // The answer that leaves the session as it was.
                (box->escapeButton() ? static_cast<QAbstractButton*>(box->escapeButton()) : box->buttons().first())
                    ->click();
            });
            item->trigger();
        }
        ui::setPlatform(faked);
        EXPECT_TRUE(w.isVisible());
        return seen_;
    }

private:
    // Makes the window the active one, as the desktop does with a window shown
    // or given back the activation (the offscreen one leaves that to us).
    static void activate(QWidget* window)
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            << window->metaObject()->className();
    }

    // Shows the window as the program does, active, and looks at it.
    void see(QWidget* window)
    {
        if (!window->isVisible())
            window->show();
        activate(window);
        QCoreApplication::processEvents();
        const QString name = QString::fromLatin1(window->metaObject()->className());
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(mSkinner::IsAttached(window)) << "under the skin";
        look_(window);
        if (!seen_.contains(name))
            seen_ << name;
    }

    // The window, when the program opens it, is looked at; then the windows it
    // opens itself are.
    template <typename Window>
    void openAndSee(std::function<void(Window&)> thenOpen = {})
    {
        fakes->modal.on<Window>([this, thenOpen](Window* w) {
            QWidget* opener = QApplication::activeWindow();
            see(w);
            if (thenOpen)
                thenOpen(*w);
            w->hide();
            // The desktop gives the activation back to the window that opened it.
            if (opener)
                activate(opener);
            return int(QDialog::Rejected);
        });
    }
    void seeEveryOther();

    std::function<void(QWidget*)> look_;
    QStringList seen_;
};

void WindowWalk::seeEveryOther()
{
    openAndSee<frmGoodsProperty>();
    openAndSee<frmbatchbuyIn>();
    openAndSee<frmRole>();
    openAndSee<frmShopSetting>();
    openAndSee<frmedit>();
    openAndSee<frmChange>();
    openAndSee<frmChangePwd>();
    openAndSee<frmSellRole>();
    openAndSee<frmDataDictionary>();
    openAndSee<frmPutIn>();
    openAndSee<frmBackup>();
    openAndSee<frmReLogin>();
    openAndSee<frmSell>();
    openAndSee<frmClientBack>();
    openAndSee<frmQuestion>();
    openAndSee<frmFactoryBack>();
    openAndSee<frmBlankout>();
    openAndSee<frmChangePrice>();
    openAndSee<frmOtherOut>();
    openAndSee<frmSellQuery>();
    openAndSee<frmSellGroup>();
    openAndSee<frmBackChangeQuery>();
    openAndSee<frmBackFactoryQuery>();
    openAndSee<frmBlankOutQuery>();
    openAndSee<frmOtherOutQuery>();
    openAndSee<frmDayAmount>();
    openAndSee<frmAmountTotal>();
    openAndSee<frmProfit>();
    openAndSee<frmAbout>();
}

// Every window class of the program.
const QStringList kWindows = {
    "frmLogin",         "frmMain",         "frmBuyIn",       "frmGoodsProperty",    "frmbatchbuyIn",
    "frmUser",          "frmRole",         "frmChangeShop",  "frmShopSetting",      "frmStore",
    "frmPrint",         "frmbuyInDetail",  "frmedit",        "frmClientBackChange", "frmChange",
    "frmChangePwd",     "frmSellRole",     "frmDataDictionary", "frmPutIn",         "frmBackup",
    "frmReLogin",       "frmSell",         "frmClientBack",  "frmQuestion",         "frmFactoryBack",
    "frmBlankout",      "frmChangePrice",  "frmOtherOut",    "frmSellQuery",        "frmSellGroup",
    "frmBackChangeQuery", "frmBackFactoryQuery", "frmBlankOutQuery", "frmOtherOutQuery", "frmDayAmount",
    "frmAmountTotal",   "frmProfit",       "frmAbout",       "QMessageBox",
};

}  // namespace

TEST_F(WindowWalk, NoWindowShowsAButtonCaptionCut)
{
    const QStringList seen = walk([](QWidget* window) { EXPECT_EQ(CutCaptionsOnEveryPage(window), QStringList()); });
    QStringList missed = kWindows;
    for (const QString& name : seen)
        missed.removeAll(name);
    EXPECT_EQ(missed, QStringList()) << "every window is looked at";
}

TEST_F(WindowWalk, EveryWindowFitsTheScreen)
{
    walk([](QWidget* window) {
        EXPECT_TRUE(kFree.contains(window->frameGeometry()))
            << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    });
}

// Every date picker, on every page of its window: Tab and Shift+Tab leave it in
// one press, the arrow keys walk over its parts, and its day does not run into
// its drop button.
TEST_F(WindowWalk, EveryDatePickerIsLeftWithOneTabAndShowsItsDayClearOfTheButton)
{
    const QStringList withPickers = {
        "frmPutIn",         "frmBuyIn",       "frmGoodsProperty",   "frmbatchbuyIn",       "frmClientBackChange",
        "frmClientBack",    "frmFactoryBack", "frmOtherOut",        "frmSellQuery",        "frmSellGroup",
        "frmbuyInDetail",   "frmedit",        "frmBackChangeQuery", "frmBackFactoryQuery", "frmBlankOutQuery",
        "frmOtherOutQuery", "frmDayAmount",   "frmAmountTotal",     "frmProfit",
    };
    QStringList found;
    walk([&found](QWidget* window) {
        const QString name = QString::fromLatin1(window->metaObject()->className());
        SCOPED_TRACE(name.toStdString());
        QSet<QDateEdit*> seen;
        EXPECT_EQ(DatePickerFaults(window, seen), QStringList());
        if (!seen.isEmpty() && !found.contains(name))
            found << name;
    });
    QStringList expected = withPickers;
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected) << "the windows with date pickers";
}
