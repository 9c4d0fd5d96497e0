#include "core/frmchangeshop.h"

#include "core/frmshopsetting.h"
#include "core/modmain.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

static void initCoreResources() { Q_INIT_RESOURCE(core); }

frmChangeShop::frmChangeShop(QWidget* parent)
    : FormBase(parent), ListView(new QListWidget(this)), cmdEdit(new QPushButton(QStringLiteral("修 改(&I)"), this))
{
    initCoreResources();
    setWindowTitle(QStringLiteral("店面管理"));
    ListView->setObjectName(QStringLiteral("ListView"));
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    ImageList << QIcon(QStringLiteral(":/core/images/tb_changeshop.png"));

    ListView->setViewMode(QListView::IconMode);
    ListView->setIconSize(QSize(32, 32));
    ListView->setGridSize(QSize(110, 76));
    ListView->setMovement(QListView::Static);
    ListView->setResizeMode(QListView::Adjust);
    ListView->setWordWrap(true);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListView, 1);
    layout->addLayout(buttons);
    resize(420, 300);

    connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });

    Form_Load();
}

void frmChangeShop::Form_Load() { LoadShops(); }

void frmChangeShop::LoadShops()
{
    ListView->clear();
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("select * from Shop"));
    for (; !rs.eof(); rs.moveNext()) {
        auto* item = new QListWidgetItem(ImageList.value(0), rs.fieldText(QStringLiteral("ShopName")), ListView);
        item->setData(Qt::UserRole, rs.fieldText(QStringLiteral("GUID")));
    }
    // As a list view does, the first shop starts selected.
    if (ListView->count() > 0)
        ListView->setCurrentRow(0);
}

void frmChangeShop::cmdEdit_Click()
{
    const QList<QListWidgetItem*> selected = ListView->selectedItems();
    if (selected.isEmpty())
        return;  // no shop chosen, nothing to rename
    frmShopSetting dlg(this);
    dlg.LoadIt(2, selected.first()->text());
    dlg.showModal();
}
