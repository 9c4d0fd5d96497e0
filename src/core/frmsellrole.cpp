#include "core/frmsellrole.h"

#include "core/modmain.h"
#include "core/rules/shopsetup.h"
#include "platform/base/services.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

// An explanation under a tab's rules, wrapped to the page.
QLabel* explanation(const QString& text, QWidget* page)
{
    auto* l = new QLabel(text, page);
    l->setWordWrap(true);
    l->setForegroundRole(QPalette::PlaceholderText);
    return l;
}

// The most days a rule holds.
constexpr int kMostDays = std::numeric_limits<int>::max();

// "自售出之日起" [box] "天内可以…", the box wide enough for any number of days.
QHBoxLayout* dayRow(QLineEdit* box, const QString& after, QWidget* page)
{
    const QString widest(QString::number(kMostDays).size(), QLatin1Char('0'));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widest) + 16);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("自售出之日起"), page));
    row->addWidget(box);
    row->addWidget(new QLabel(after, page));
    row->addStretch(1);
    return row;
}

// The number in a day box: an empty box gives 0 and "007" gives 7; false when
// the number is more than the rules' day fields hold.
bool dayNumber(const QLineEdit* box, int* days)
{
    bool ok = true;
    *days = box->text().isEmpty() ? 0 : box->text().toInt(&ok);
    return ok;
}

}  // namespace

frmSellRole::frmSellRole(QWidget* parent) : FormBase(parent), SSTab(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("系统设置"));
    SSTab->setObjectName(QStringLiteral("SSTab"));

    auto* sellPage = new QWidget(SSTab);
    OptA = new QRadioButton(QStringLiteral("先进先出"), sellPage);
    OptB = new QRadioButton(QStringLiteral("后进先出"), sellPage);
    {
        auto* v = new QVBoxLayout(sellPage);
        v->addWidget(OptA);
        v->addWidget(OptB);
        v->addSpacing(8);
        v->addWidget(explanation(
            QStringLiteral("   说明：先进先出是指先进的货物先出售,后进先出是指最后进的货物先卖。这个规则是主要针对同一型号的"
                           "商品，比如型号为ZMN0001的货物现在库存还有5件，进价为50，现在又进同样的货5件，价格为60元。如果"
                           "是先进先出，那么系统会自动先把进价为50的卖完后 再销售进价为60的货物。这样主要是为了利润分析！"
                           "操作员可以不用考虑这些问题！"),
            sellPage));
        v->addStretch(1);
    }

    auto* backPage = new QWidget(SSTab);
    txtBackdays = new QLineEdit(backPage);
    chkBackAbate = new QCheckBox(QStringLiteral("  折扣商品不可以退货"), backPage);
    chkBackSpecial = new QCheckBox(QStringLiteral("  特价商品不可以退货"), backPage);
    chkChangeNotToBack = new QCheckBox(QStringLiteral("  调换过的商品不可以退货"), backPage);
    {
        auto* v = new QVBoxLayout(backPage);
        v->addLayout(dayRow(txtBackdays, QStringLiteral("天内可以退货"), backPage));
        v->addWidget(chkBackAbate);
        v->addWidget(chkBackSpecial);
        v->addWidget(chkChangeNotToBack);
        v->addSpacing(8);
        v->addWidget(explanation(
            QStringLiteral("    说明：退货天数是指自售出商品之日起开始计算，在规定的天数内该商品可以退货，超出了该规定的大系统"
                           "将无法退货！如果该该参数为0或没有设置，系统将不限制退货天数！"),
            backPage));
        v->addStretch(1);
    }

    auto* changePage = new QWidget(SSTab);
    txtChangeDays = new QLineEdit(changePage);
    chkChangeAbate = new QCheckBox(QStringLiteral("  折扣商品不可以调换"), changePage);
    chkChangeSpecial = new QCheckBox(QStringLiteral("  特价商品不可以调换"), changePage);
    chkSameType = new QCheckBox(QStringLiteral("  仅可以调换同类型商品"), changePage);
    chkHightPrice = new QCheckBox(QStringLiteral("  仅可以调换等价格商品或者价格高的商品"), changePage);
    chkIsMany = new QCheckBox(QStringLiteral("  不可以调换多次"), changePage);
    {
        auto* v = new QVBoxLayout(changePage);
        v->addLayout(dayRow(txtChangeDays, QStringLiteral("天内可以调换"), changePage));
        for (QCheckBox* c : {chkChangeAbate, chkChangeSpecial, chkSameType, chkHightPrice, chkIsMany})
            v->addWidget(c);
        v->addSpacing(8);
        v->addWidget(explanation(QStringLiteral("    说明：调换天数量如同退货天数，这里不再说明"), changePage));
        v->addStretch(1);
    }

    auto* printPage = new QWidget(SSTab);
    chkIsPrint = new QCheckBox(QStringLiteral("是否对结算单据进行打印"), printPage);
    optBig = new QRadioButton(QStringLiteral("针式打印机"), printPage);
    optSmall = new QRadioButton(QStringLiteral("Pos小票打印机"), printPage);
    {
        auto* v = new QVBoxLayout(printPage);
        v->addWidget(chkIsPrint);
        v->addSpacing(8);
        v->addWidget(optBig);
        v->addWidget(optSmall);
        v->addStretch(1);
    }

    SSTab->addTab(sellPage, QStringLiteral("出货规则"));
    SSTab->addTab(backPage, QStringLiteral("退货规则"));
    SSTab->addTab(changePage, QStringLiteral("调换规则"));
    SSTab->addTab(printPage, QStringLiteral("打印设置"));

    cmdSetting = new QPushButton(QStringLiteral("确 定(&O)"), this);

    const std::pair<QWidget*, const char*> names[] = {
        {OptA, "OptA"},
        {OptB, "OptB"},
        {txtBackdays, "txtBackdays"},
        {chkBackAbate, "chkBackAbate"},
        {chkBackSpecial, "chkBackSpecial"},
        {chkChangeNotToBack, "chkChangeNotToBack"},
        {txtChangeDays, "txtChangeDays"},
        {chkChangeAbate, "chkChangeAbate"},
        {chkChangeSpecial, "chkChangeSpecial"},
        {chkSameType, "chkSameType"},
        {chkHightPrice, "chkHightPrice"},
        {chkIsMany, "chkIsMany"},
        {chkIsPrint, "chkIsPrint"},
        {optBig, "optBig"},
        {optSmall, "optSmall"},
        {cmdSetting, "cmdSetting"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QLatin1String(name));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSetting);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->addWidget(SSTab, 1);
    layout->addLayout(buttons);
    resize(520, 360);

    connect(SSTab, &QTabWidget::currentChanged, this, [this] { SSTab_Click(); });
    connect(cmdSetting, &QPushButton::clicked, this, [this] { cmdSetting_Click(); });

    Form_Load();
}

void frmSellRole::Form_Load()
{
    // Digits only, of any length: a stored number shows whole, and one the
    // rules cannot hold is refused on saving.
    for (QLineEdit* box : {txtBackdays, txtChangeDays})
        core::SetNumberOnly(box, true);
    (gSellRole.SellOrder != 0 ? OptB : OptA)->setChecked(true);
    chkBackAbate->setChecked(gSellRole.AbateCanNotBack);
    chkBackSpecial->setChecked(gSellRole.SpecialCanNotBack);
    chkChangeNotToBack->setChecked(gSellRole.ChangNotToBack);
    chkChangeAbate->setChecked(gSellRole.AbateCanNotChange);
    chkChangeSpecial->setChecked(gSellRole.SpecialCanNotChange);
    chkSameType->setChecked(gSellRole.SameTypeChange);
    chkHightPrice->setChecked(gSellRole.DearGoodsChange);
    chkIsMany->setChecked(gSellRole.ChangeOneTime);
    chkIsPrint->setChecked(gSellRole.IsPrint);
    txtBackdays->setText(QString::number(gSellRole.BackDays));
    txtChangeDays->setText(QString::number(gSellRole.ChangeDays));
    (gSellRole.PrinterType != 0 ? optSmall : optBig)->setChecked(true);
}

void frmSellRole::SSTab_Click()
{
    QLineEdit* box = nullptr;
    if (SSTab->currentIndex() == 1)
        box = txtBackdays;
    else if (SSTab->currentIndex() == 2)
        box = txtChangeDays;
    if (!box)
        return;
    box->setFocus();
    box->selectAll();
}

void frmSellRole::cmdSetting_Click()
{
    if (SaveRules())
        ui::msg().info(QStringLiteral("设置成功！"));
}

bool frmSellRole::SaveRules()
{
    const int sellOrder = OptB->isChecked() ? 1 : 0;
    const int printerType = optSmall->isChecked() ? 1 : 0;
    int backDays = 0;
    int changeDays = 0;
    const struct {
        QLineEdit* box;
        int* days;
        const char* what;
    } dayBoxes[] = {{txtBackdays, &backDays, "退货"}, {txtChangeDays, &changeDays, "调换"}};
    for (const auto& d : dayBoxes)
        if (!dayNumber(d.box, d.days)) {
            ui::msg().exclaim(QString::fromUtf8(d.what) + QStringLiteral("天数最多为") +
                                  QString::number(kMostDays) + QStringLiteral("天，请重新输入！"),
                              ui::kTitleTip);
            SSTab->setCurrentWidget(d.box->parentWidget());
            SSTab_Click();
            return false;
        }
    core::SellRoleRow rules = gSellRole;
    rules.SellOrder = sellOrder;
    rules.AbateCanNotBack = chkBackAbate->isChecked();
    rules.AbateCanNotChange = chkChangeAbate->isChecked();
    rules.SpecialCanNotBack = chkBackSpecial->isChecked();
    rules.SpecialCanNotChange = chkChangeSpecial->isChecked();
    rules.BackDays = backDays;
    rules.ChangeDays = changeDays;
    rules.SameTypeChange = chkSameType->isChecked();
    rules.DearGoodsChange = chkHightPrice->isChecked();
    rules.ChangeOneTime = chkIsMany->isChecked();
    rules.ChangNotToBack = chkChangeNotToBack->isChecked();
    rules.IsPrint = chkIsPrint->isChecked();
    rules.PrinterType = printerType;
    if (!core::Written(core::WriteSellRole(rules)))
        return false;  // the row is as it was, and so are the rules in memory
    gSellRole = rules;
    return true;
}
