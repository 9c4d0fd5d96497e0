// The window base and the window services, driven headless as a clerk would.
#include "platform/formbase.h"
#include "platform/vbkeys.h"
#include "support/fakes.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

class frmChild : public FormBase {
    Q_OBJECT
public:
    QLineEdit* txtName = new QLineEdit(this);
};

// A small window using every service the way the shop's windows do.
class frmSample : public FormBase {
    Q_OBJECT
public:
    frmSample()
    {
        auto* layout = new QVBoxLayout(this);
        txtNo->setObjectName("txtNo");
        txtOther->setObjectName("txtOther");
        cmdOk->setObjectName("cmdOk");
        layout->addWidget(txtNo);
        layout->addWidget(txtOther);
        layout->addWidget(cmdOk);
        cmdOk->setDefault(true);
        connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
        vbkeys::onKeyPress(txtNo, [](int& k) { vbkeys::enterToTab(k); });
        setKeyPreview(true);
    }
    void cmdOk_Click()
    {
        ++clicks;
        if (!ui::msg().ask("确认要入库吗？"))
            return;
        ui::msg().info("入库成功", ui::kTitleTip);
        frmChild child;
        if (child.showModal() == QDialog::Accepted)
            childName = child.txtName->text();
        started = ui::platform().proc->startDetached(ui::platform().proc->findExecutable({"galculator", "xcalc"}));
    }
    bool previewKeyDown(QKeyEvent* e) override
    {
        previewed << e->key();
        return e->key() == Qt::Key_F5;
    }
    QLineEdit* txtNo = new QLineEdit(this);
    QLineEdit* txtOther = new QLineEdit(this);
    QPushButton* cmdOk = new QPushButton("确定(&O)", this);
    int clicks = 0;
    QString childName;
    bool started = false;
    QList<int> previewed;
};

}  // namespace

TEST(FormBase, ServicesAnswerWithoutBlocking)
{
    FakePlatform fakes;
    fakes.proc.available = {"xcalc"};
    fakes.modal.on<frmChild>([](frmChild* c) {
        c->txtName->setText("张三");
        return int(QDialog::Accepted);
    });
    frmSample w;
    fakes.messages.answerYes();
    w.cmdOk->click();
    EXPECT_EQ(fakes.messages.texts(), QStringList({"确认要入库吗？", "入库成功"}));
    EXPECT_EQ(fakes.messages.shown().first().title, "提示");
    EXPECT_EQ(fakes.messages.shown().first().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(w.childName, "张三");
    EXPECT_EQ(fakes.modal.opened(), QStringList({"frmChild"}));
    EXPECT_EQ(fakes.proc.started, QStringList({"xcalc"}));

    // No: nothing further happens.
    fakes.messages.clear();
    fakes.messages.answerNo();
    w.cmdOk->click();
    EXPECT_EQ(fakes.messages.texts(), QStringList({"确认要入库吗？"}));
}

TEST(FormBase, AWindowOrAQuestionTheTestDidNotScriptFailsIt)
{
    FakePlatform fakes;
    frmSample w;
    fakes.messages.answerYes();
    EXPECT_NONFATAL_FAILURE(w.cmdOk->click(), "unexpected window: frmChild");
    EXPECT_EQ(fakes.modal.opened(), QStringList({"frmChild"}));
    EXPECT_TRUE(w.childName.isEmpty()) << "rejected untouched";

    fakes.messages.clear();
    EXPECT_NONFATAL_FAILURE(w.cmdOk->click(), "unexpected question: 确认要入库吗？");
    EXPECT_EQ(fakes.messages.texts(), QStringList({"确认要入库吗？"})) << "answered No";

    // A walk over many windows closes the unscripted ones without failing.
    fakes.modal.dismissAllOthers();
    fakes.messages.answerYes();
    w.cmdOk->click();
    EXPECT_EQ(fakes.modal.opened(), QStringList({"frmChild", "frmChild"}));
}

TEST(FormBase, EnterAndEscapeBelongToTheControls)
{
    FakePlatform fakes;
    frmSample w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtNo->setFocus();
    QTest::keyClick(w.txtNo, Qt::Key_Return);
    EXPECT_EQ(w.clicks, 0) << "Enter in a text box must press no button";
    EXPECT_TRUE(w.txtOther->hasFocus()) << "Enter moves on as Tab does";
    QTest::keyClick(w.txtOther, Qt::Key_Return);
    EXPECT_EQ(w.clicks, 0);
    QTest::keyClick(w.txtOther, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible()) << "Esc closes nothing";

    // Key preview: the window sees each key once and may swallow it.
    w.previewed.clear();
    QTest::keyClick(w.txtOther, Qt::Key_F5);
    QTest::keyClick(w.txtOther, Qt::Key_A);
    QTest::keyClick(w.txtOther, Qt::Key_F6);
    EXPECT_EQ(w.previewed, QList<int>({Qt::Key_F5, Qt::Key_A, Qt::Key_F6}));
    EXPECT_EQ(w.txtOther->text(), "a");
}

TEST(FormBase, AWindowOpensAtItsOwnSizeWhereThatFitsTheScreenElseAtTheScreensFreeSize)
{
    FakePlatform fakes;
    for (const bool fits : {true, false}) {
        SCOPED_TRACE(fits ? "fits" : "too big");
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize own = fits ? free.size() / 2 : free.size() + QSize(200, 100);
        FormBase w;
        w.resize(own);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        if (fits)
            EXPECT_EQ(w.size(), own);
        else
            EXPECT_TRUE(free.contains(w.frameGeometry())) << "frame " << w.frameGeometry().width() << "x"
                                                           << w.frameGeometry().height() << " at "
                                                           << w.frameGeometry().x() << "," << w.frameGeometry().y();
    }
}

#include "test_formbase.moc"
