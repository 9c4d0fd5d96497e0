#include "app/frmmain.h"

#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmfactoryback.h"
#include "aftersales/frmquestion.h"
#include "core/rules/datawipe.h"
#include "core/frmabout.h"
#include "core/frmbackup.h"
#include "core/frmchangepwd.h"
#include "core/frmchangeshop.h"
#include "core/frmdatadictionary.h"
#include "core/frmrelogin.h"
#include "core/frmsellrole.h"
#include "core/frmuser.h"
#include "core/modmain.h"
#include "goods/frmbuyin.h"
#include "goods/frmchangeprice.h"
#include "goods/frmputin.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "reports/frmbuyindetail.h"
#include "reports/frmotherout.h"
#include "reports/frmotheroutquery.h"
#include "reports/frmprofit.h"
#include "reports/frmsellgroup.h"
#include "reports/frmsellquery.h"
#include "reports/frmstore.h"
#include "sales/frmamounttotal.h"
#include "sales/frmblankout.h"
#include "sales/frmdayamount.h"
#include "sales/frmsell.h"
#include "platform/base/services.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

static void initCoreResources() { Q_INIT_RESOURCE(core); }

namespace {

frmMain* gMainWindow = nullptr;

// The menu items guarded by a permission flag of the role, in the order they are
// applied, and the toolbar buttons likewise. Everything else stays available.
struct Guard {
    QAction* frmMain::*item;
    const char* flag;
};
const Guard kMenuGuards[] = {
    {&frmMain::UserManage, "UserManage"},
    {&frmMain::SellRole, "SellRole"},
    {&frmMain::ChangeShop, "ChangeShop"},
    {&frmMain::BuyIn, "BuyIn"},
    {&frmMain::SellOut, "Sell"},
    {&frmMain::ClientBack, "ClientBack"},
    {&frmMain::ClientBackChange, "ClientChange"},
    {&frmMain::Question, "Question"},
    {&frmMain::CompanyBack, "FactoryBack"},
    {&frmMain::BlankOut, "SellBlankOut"},
    {&frmMain::ChangePrice, "ChangePrice"},
    {&frmMain::OtherOut, "OtherOut"},
    {&frmMain::StoreQuery, "StoreQuery"},
    {&frmMain::SellQuery, "SellQuery"},
    {&frmMain::SellGroup, "SellGroup"},
    {&frmMain::BuyInDetail, "BuyDetail"},
    {&frmMain::ClientChangeQuery, "ClientChangeQuery"},
    {&frmMain::Back, "FactoryBackQuery"},
    {&frmMain::BlankOutQuery, "BlankOutQuery"},
    {&frmMain::OtherOutQuery, "OtherOurQuery"},
    {&frmMain::DayAmount, "DayAmount"},
    {&frmMain::AmountTotal, "TotalAmount"},
    {&frmMain::Profit, "Profit"},
    {&frmMain::ReStart, "ReStart"},
};
const std::pair<const char*, const char*> kButtonGuards[] = {
    {"BuyIn", "BuyIn"},           {"SellOut", "Sell"},          {"ClientBackChange", "ClientChange"},
    {"ChangeShop", "ChangeShop"}, {"StoreQuery", "StoreQuery"}, {"SellQuery", "SellQuery"},
    {"CompanyBack", "FactoryBack"}, {"ClientBack", "ClientBack"},
};

// The programs tried, in order, for the two tools of the help menu.
const QStringList kCalculators = {QStringLiteral("gnome-calculator"), QStringLiteral("galculator"),
                                  QStringLiteral("kcalc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
const QStringList kEditors = {QStringLiteral("gedit"), QStringLiteral("mousepad"), QStringLiteral("featherpad"),
                              QStringLiteral("kate"),  QStringLiteral("pluma"),    QStringLiteral("xed")};

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    initCoreResources();
    setObjectName(QStringLiteral("frmMain"));
    gMainWindow = this;

    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& caption, void (frmMain::*handler)()) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu* m, const char* name) { m->addSeparator()->setObjectName(QLatin1String(name)); };

    System = menu("System", QStringLiteral("[系  统(&S)]"));
    UserManage = item(System, "UserManage", QStringLiteral("1-用户管理"), &frmMain::mnuUserManage_Click);
    ChagePassWord = item(System, "ChagePassWord", QStringLiteral("2-修改密码"), &frmMain::mnuChagePassWord_Click);
    SellRole = item(System, "SellRole", QStringLiteral("3-系统参数设置"), &frmMain::mnuSellRole_Click);
    Data = System->addMenu(QStringLiteral("4-数据维护"));
    Data->setObjectName(QStringLiteral("Data"));
    Data->menuAction()->setObjectName(QStringLiteral("Data"));
    auto list = [this](const char* name, const QString& caption) {
        QAction* a = Data->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, a] { mnuData_Click(a); });
        return a;
    };
    Colour = list("Colour", QStringLiteral("颜色"));
    Size = list("Size", QStringLiteral("尺码"));
    Name = list("Name", QStringLiteral("种类"));
    Brand = list("Brand", QStringLiteral("品牌"));
    feather = list("feather", QStringLiteral("面料"));
    Grade = list("Grade", QStringLiteral("等级"));
    Production = list("Production", QStringLiteral("产地"));
    BackResion = list("BackResion", QStringLiteral("退货原因"));
    ChangeResion = list("ChangeResion", QStringLiteral("调换原因"));
    BlankOutResion = list("BlankOutResion", QStringLiteral("作废原因"));
    OtherItem = list("OtherItem", QStringLiteral("其他支出项目"));
    ChangeShop = item(System, "ChangeShop", QStringLiteral("5-店面管理"), &frmMain::mnuChangeShop_Click);
    separator(System, "split");
    putin = item(System, "putin", QStringLiteral("6-进货单数据导入"), &frmMain::mnuputin_Click);
    BackUpDate = item(System, "BackUpDate", QStringLiteral("7-数据备份设置"), &frmMain::mnuBackUpDate_Click);
    ReStart = item(System, "ReStart", QStringLiteral("8-重新开始"), &frmMain::mnuReStart_Click);
    ReLogin = item(System, "ReLogin", QStringLiteral("9-更换用户"), &frmMain::mnuReLogin_Click);
    Exit = item(System, "Exit", QStringLiteral("10-退出"), &frmMain::mnuExit_Click);

    Operator = menu("Operator", QStringLiteral("[功  能(&O)]"));
    BuyIn = item(Operator, "BuyIn", QStringLiteral("1-进货管理"), &frmMain::mnuBuyIn_Click);
    SellOut = item(Operator, "SellOut", QStringLiteral("2-售货管理"), &frmMain::mnuSellOut_Click);
    ClientBackChange =
        item(Operator, "ClientBackChange", QStringLiteral("3-客户调换"), &frmMain::mnuClientBackChange_Click);
    ClientBack = item(Operator, "ClientBack", QStringLiteral("4-客户退货"), &frmMain::mnuClientBack_Click);
    Question = item(Operator, "Question", QStringLiteral("5-问 题 鞋"), &frmMain::mnuQuestion_Click);
    CompanyBack = item(Operator, "CompanyBack", QStringLiteral("6-厂商退货"), &frmMain::mnuCompanyBack_Click);
    separator(Operator, "split1");
    BlankOut = item(Operator, "BlankOut", QStringLiteral("7-售货作废"), &frmMain::mnuBlankOut_Click);
    ChangePrice = item(Operator, "ChangePrice", QStringLiteral("8-价格变动"), &frmMain::mnuChangePrice_Click);
    OtherOut = item(Operator, "OtherOut", QStringLiteral("9-非营业其他支出"), &frmMain::mnuOtherOut_Click);

    Query = menu("Query", QStringLiteral("[查  询(&Q)]"));
    StoreQuery = item(Query, "StoreQuery", QStringLiteral("1-库存查询"), &frmMain::mnuStoreQuery_Click);
    SellQuery = item(Query, "SellQuery", QStringLiteral("2-售货查询"), &frmMain::mnuSellQuery_Click);
    SellGroup = item(Query, "SellGroup", QStringLiteral("3-销售排行"), &frmMain::mnuSellGroup_Click);
    BuyInDetail = item(Query, "BuyInDetail", QStringLiteral("4-进货明细查询"), &frmMain::mnuBuyInDetail_Click);
    ClientChangeQuery =
        item(Query, "ClientChangeQuery", QStringLiteral("5-客户退换查询"), &frmMain::mnuClientChangeQuery_Click);
    Back = item(Query, "Back", QStringLiteral("6-厂商退货查询"), &frmMain::mnuBack_Click);
    BlankOutQuery = item(Query, "BlankOutQuery", QStringLiteral("7-作废记录查询"), &frmMain::mnuBlankOutQuery_Click);
    OtherOutQuery =
        item(Query, "OtherOutQuery", QStringLiteral("8-非营业支出查询"), &frmMain::mnuOtherOutQuery_Click);

    Amount = menu("Amount", QStringLiteral("[结算统计(&A)]"));
    DayAmount = item(Amount, "DayAmount", QStringLiteral("1-日结算"), &frmMain::mnuDayAmount_Click);
    AmountTotal = item(Amount, "AmountTotal", QStringLiteral("2-结算汇总"), &frmMain::mnuAmountTotal_Click);
    Profit = item(Amount, "Profit", QStringLiteral("3-利润分析"), &frmMain::mnuProfit_Click);

    Other = menu("Other", QStringLiteral("[帮  助(&H)]"));
    Calculate = item(Other, "Calculate", QStringLiteral("1-计算器"), &frmMain::mnuCalculate_Click);
    Note = item(Other, "Note", QStringLiteral("2-记事本"), &frmMain::mnuNote_Click);
    About = item(Other, "About", QStringLiteral("3-关于我们"), &frmMain::mnuAbout_Click);

    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setFloatable(false);
    Toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar->setIconSize(QSize(32, 32));
    Toolbar->toggleViewAction()->setEnabled(false);  // no menu that hides it
    setContextMenuPolicy(Qt::NoContextMenu);
    const struct {
        const char* key;
        QString caption;
        const char* image;
    } buttons[] = {
        {"BuyIn", QStringLiteral("进 货"), "tb_buyin"},
        {"SellOut", QStringLiteral("售  货"), "tb_sellout"},
        {"ClientBackChange", QStringLiteral("客户调换"), "tb_clientbackchange"},
        {"ClientBack", QStringLiteral("客户退货"), "tb_clientback"},
        {"CompanyBack", QStringLiteral("厂商退货"), "tb_companyback"},
        {"StoreQuery", QStringLiteral("库存查询"), "tb_storequery"},
        {"SellQuery", QStringLiteral("售货查询"), "tb_sellquery"},
        {"ChangeShop", QStringLiteral("店面管理"), "tb_changeshop"},
        {"Calculate", QStringLiteral("计算器"), "tb_calculate"},
        {"Note", QStringLiteral("记事本"), "tb_note"},
        {"Exit", QStringLiteral("退 出"), "tb_exit"},
    };
    for (const auto& b : buttons) {
        QAction* a = new QAction(
            QIcon(QStringLiteral(":/core/images/%1.png").arg(QLatin1String(b.image))), b.caption, Toolbar);
        a->setObjectName(QLatin1String(b.key));
        a->setData(QLatin1String(b.key));
        Toolbar->addAction(a);
    }
    connect(Toolbar, &QToolBar::actionTriggered, this, &frmMain::Toolbar_ButtonClick);

    auto* central = new QWidget(this);
    Image1 = new QLabel(central);
    Label1 = new QLabel(ui::appTitle(), central);
    Label2 = new QLabel(QStringLiteral("服装鞋帽 · 进货 · 售货 · 库存"), central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/core/images/main_picture.png")));
    QFont big = Label1->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setWeight(QFont::Light);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    Label1->setFont(big);
    Label2->setForegroundRole(QPalette::PlaceholderText);
    // The picture and labels keep their top and stay in the middle across.
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 48, 24, 24);
    layout->setSpacing(10);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addSpacing(14);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addWidget(Label2, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    setCentralWidget(central);

    skin_.AttachSkin(this);
    LoadPopdem();
    ShowShopName();
    resize(1040, 680);
}

frmMain::~frmMain()
{
    skin_.DetachSkin(this);
    if (gMainWindow == this)
        gMainWindow = nullptr;
}

frmMain* frmMain::current() { return gMainWindow; }

QAction* frmMain::Buttons(const QString& key) const
{
    for (QAction* a : Toolbar->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

void frmMain::LoadPopdem()
{
    clsRole* role = gUser.Role.get();
    auto allowed = [role](const char* flag) {
        const bool* f = role ? role->flag(QLatin1String(flag)) : nullptr;
        return f && *f;
    };
    for (const Guard& g : kMenuGuards)
        (this->*g.item)->setEnabled(allowed(g.flag));
    for (const auto& [key, flag] : kButtonGuards)
        Buttons(QLatin1String(key))->setEnabled(allowed(flag));
}

void frmMain::ShowShopName() { setWindowTitle(ui::appTitle() + QStringLiteral("-") + gShopName); }

void frmMain::Toolbar_ButtonClick(QAction* Button)
{
    const QString key = Button->data().toString();
    static const std::pair<const char*, void (frmMain::*)()> dispatch[] = {
        {"BuyIn", &frmMain::mnuBuyIn_Click},
        {"SellOut", &frmMain::mnuSellOut_Click},
        {"ClientBackChange", &frmMain::mnuClientBackChange_Click},
        {"ClientBack", &frmMain::mnuClientBack_Click},
        {"CompanyBack", &frmMain::mnuCompanyBack_Click},
        {"StoreQuery", &frmMain::mnuStoreQuery_Click},
        {"SellQuery", &frmMain::mnuSellQuery_Click},
        {"ChangeShop", &frmMain::mnuChangeShop_Click},
        {"Calculate", &frmMain::mnuCalculate_Click},
        {"Note", &frmMain::mnuNote_Click},
        {"Exit", &frmMain::mnuExit_Click},
    };
    for (const auto& [k, handler] : dispatch)
        if (key == QLatin1String(k)) {
            (this->*handler)();
            return;
        }
}

void frmMain::closeEvent(QCloseEvent* e)
{
    if (!ui::msg().ask(QStringLiteral("确认要退出系统吗？"))) {
        e->ignore();
        return;
    }
    QString path;
    bool isSave = false;
    ReadBackupSetting(path, isSave);
    if (isSave) {
        // The connection goes first; nothing is sent after this. The copy is a
        // snapshot of everything committed, also by another program that still
        // has the file open.
        gDbopt.Release();
        QString why;
        if (!jet::backupDatabase(clsDbopt::DatabasePath(), path, &why))
            ui::msg().exclaim(QStringLiteral("数据库备份失败！\n") + why, ui::kTitleTip);
    }
    // The program ends whether the copy was made or not.
    e->accept();
}

void frmMain::ReadBackupSetting(QString& Path, bool& IsSave)
{
    Path.clear();
    IsSave = false;
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("Select * from FileSave"), isErr);
    if (isErr)
        return;
    if (rs.eof()) {
        ui::msg().info(QStringLiteral("数据库被修改，请联系软件商！"));
        return;
    }
    try {
        auto text = [&rs](const QString& column) {
            const QVariant v = rs.field(column);
            return v.isNull() ? QStringLiteral("0") : v.toString();
        };
        const QString folder = text(QStringLiteral("dirpath"));
        const QString path = folder + (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) +
                             text(QStringLiteral("FileName")) + QStringLiteral(".mdb");
        const QVariant flag = rs.field(QStringLiteral("IsSave"));
        Path = path;
        IsSave = !flag.isNull() && flag.toInt() != 0;
    } catch (const jet::Error&) {
        // A table without one of the columns: no copy.
    }
}

void frmMain::StartTool(const QStringList& candidates)
{
    ui::ProcessLauncher& proc = *ui::platform().proc;
    const QString program = proc.findExecutable(candidates);
    if (program.isEmpty() || !proc.startDetached(program))
        ui::msg().info(QStringLiteral("该工具可能已被系统删除！"));
}

// --- System ---

void frmMain::mnuUserManage_Click()
{
    frmUser w(this);
    w.showModal();
}

void frmMain::mnuChagePassWord_Click()
{
    frmChangePwd dlg(this);
    dlg.showModal();
}

void frmMain::mnuSellRole_Click()
{
    frmSellRole w(this);
    w.showModal();
}

void frmMain::mnuData_Click(QAction* item) { frmDataDictionary::EditList(item->text(), nullptr); }

void frmMain::mnuChangeShop_Click()
{
    // A rename shows in the caption at once (through the shell).
    frmChangeShop w(this);
    w.showModal();
}

void frmMain::mnuputin_Click()
{
    frmPutIn w(this);
    w.showModal();
}

void frmMain::mnuBackUpDate_Click()
{
    frmBackup w(this);
    w.showModal();
}

void frmMain::mnuReStart_Click()
{
    if (!ui::msg().askBeforeLoss(QStringLiteral("如果重新开始了后 所有数据将丢失！慎重哦！")))
        return;
    // A failure has shown the engine's words and emptied nothing; success says
    // nothing.
    core::Written(core::DeleteBusinessData());
}

void frmMain::mnuReLogin_Click()
{
    // A successful switch has the main window follow the new user's permissions.
    frmReLogin dlg(this);
    dlg.showModal();
}

void frmMain::mnuExit_Click() { close(); }

// --- Operations ---

void frmMain::mnuBuyIn_Click()
{
    frmBuyIn w(this);
    w.showModal();
}

void frmMain::mnuSellOut_Click()
{
    frmSell w(this);
    w.showModal();
}

void frmMain::mnuClientBackChange_Click()
{
    frmClientBackChange w(this);
    w.showModal();
}

void frmMain::mnuClientBack_Click()
{
    frmClientBack w(this);
    w.showModal();
}

void frmMain::mnuQuestion_Click()
{
    frmQuestion w(this);
    w.showModal();
}

void frmMain::mnuCompanyBack_Click()
{
    frmFactoryBack w(this);
    w.showModal();
}

void frmMain::mnuBlankOut_Click()
{
    frmBlankout w(this);
    w.showModal();
}

void frmMain::mnuChangePrice_Click()
{
    frmChangePrice w(this);
    w.showModal();
}

void frmMain::mnuOtherOut_Click()
{
    frmOtherOut w(this);
    w.showModal();
}

// --- Queries ---

void frmMain::mnuStoreQuery_Click()
{
    frmStore w(this);
    w.showModal();
}

void frmMain::mnuSellQuery_Click()
{
    frmSellQuery w(this);
    w.showModal();
}

void frmMain::mnuSellGroup_Click()
{
    frmSellGroup w(this);
    w.showModal();
}

void frmMain::mnuBuyInDetail_Click()
{
    frmbuyInDetail w(this);
    w.showModal();
}

void frmMain::mnuClientChangeQuery_Click()
{
    frmBackChangeQuery w(this);
    w.showModal();
}

void frmMain::mnuBack_Click()
{
    frmBackFactoryQuery w(this);
    w.showModal();
}

void frmMain::mnuBlankOutQuery_Click()
{
    frmBlankOutQuery w(this);
    w.showModal();
}

void frmMain::mnuOtherOutQuery_Click()
{
    frmOtherOutQuery w(this);
    w.showModal();
}

// --- Settlement ---

void frmMain::mnuDayAmount_Click()
{
    frmDayAmount w(this);
    w.showModal();
}

void frmMain::mnuAmountTotal_Click()
{
    frmAmountTotal w(this);
    w.showModal();
}

void frmMain::mnuProfit_Click()
{
    frmProfit w(this);
    w.showModal();
}

// --- Help ---

void frmMain::mnuCalculate_Click() { StartTool(kCalculators); }

void frmMain::mnuNote_Click() { StartTool(kEditors); }

void frmMain::mnuAbout_Click()
{
    frmAbout w(this);
    w.showModal();
}
