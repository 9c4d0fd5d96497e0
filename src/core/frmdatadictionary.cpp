#include "core/frmdatadictionary.h"

#include "core/modmain.h"
#include "core/rules/shopsetup.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

frmDataDictionary::frmDataDictionary(QWidget* parent)
    : FormBase(parent),
      List(new QListWidget(this)),
      txtItem(new QLineEdit(this)),
      cmdAdd(new QPushButton(QStringLiteral("增 加(&A)"), this)),
      cmdDel(new QPushButton(QStringLiteral("删 除(&D)"), this)),
      LbInfo(new QLabel(QStringLiteral("  单击增加可以给该数据字典增加一个条目，在使用该字典的时候就会自动显示出来，"
                                       "不用再手工输入"),
                        this))
{
    List->setObjectName(QStringLiteral("List"));
    txtItem->setObjectName(QStringLiteral("txtItem"));
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdDel->setObjectName(QStringLiteral("cmdDel"));
    LbInfo->setObjectName(QStringLiteral("LbInfo"));
    LbInfo->setWordWrap(true);
    LbInfo->setForegroundRole(QPalette::PlaceholderText);

    auto* grid = new QGridLayout(this);
    grid->addWidget(List, 0, 0, 3, 1);
    grid->addWidget(txtItem, 0, 1);
    grid->addWidget(cmdAdd, 1, 1);
    grid->addWidget(cmdDel, 2, 1, Qt::AlignTop);
    grid->addWidget(LbInfo, 3, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(2, 1);

    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    vbkeys::onKeyPress(txtItem, [this](int& k) { txtItem_KeyPress(k); });

    resize(420, 340);
}

void frmDataDictionary::EditList(const QString& item, QComboBox* refill)
{
    // Over the window that asked for it.
    frmDataDictionary editor(refill ? refill->window() : QApplication::activeWindow());
    editor.LoadIt(item);
    editor.showModal();
    if (refill)
        core::FillDictionaryCombo(item, refill);
}

void frmDataDictionary::LoadIt(const QString& item)
{
    Item = item;
    LoadList();
    setWindowTitle(QStringLiteral("数据字典--") + Item);
}

void frmDataDictionary::LoadList()
{
    List->clear();
    jet::RecordSet rs =
        gDbopt.Excute(QStringLiteral("Select Content from Datadictionary Where Item='") + Item + QStringLiteral("'"));
    for (; !rs.eof(); rs.moveNext())
        List->addItem(rs.fieldText(QStringLiteral("Content")));
}

bool frmDataDictionary::ListContains(const QString& text) const
{
    for (int i = 0; i < List->count(); ++i)
        if (List->item(i)->text() == text)
            return true;
    return false;
}

void frmDataDictionary::cmdAdd_Click()
{
    const QString text = txtItem->text();
    if (text.isEmpty()) {
        ui::msg().info(QStringLiteral("内容不能为空！"));
        txtItem->setFocus();
        return;
    }
    if (ListContains(text)) {
        ui::msg().info(QStringLiteral("该内容已经存在！"));
        txtItem->setFocus();
        return;
    }
    // A failed insert shows the engine's words; the entry stays in the list for
    // this session all the same.
    core::Written(core::AddPickListEntry(Item, text));
    List->addItem(text);
    List->setCurrentRow(List->count() - 1);
    txtItem->clear();
}

void frmDataDictionary::cmdDel_Click()
{
    // With nothing selected there is nothing to delete, and no statement goes
    // out: with an empty text it would delete the list's empty entries.
    if (List->currentRow() < 0 || !List->currentItem()->isSelected())
        return;
    const QString text = List->currentItem()->text();
    // The list takes "Misc" and "misc" as two entries, so the delete takes only
    // the one of the same case.
    core::Written(core::DeletePickListEntry(Item, text));
    RemoveSelected(text);
}

void frmDataDictionary::RemoveSelected(const QString& text)
{
    // The statement deleted every row of the list with this text, so every line
    // showing it goes, not only the selected one; the selection moves to the
    // entry that took the selected one's place, or the one before it at the end.
    int row = List->currentRow();
    if (row < 0)
        return;
    int next = row;
    for (int i = List->count() - 1; i >= 0; --i) {
        if (List->item(i)->text() != text)
            continue;
        delete List->takeItem(i);
        if (i < row)
            --next;
    }
    if (List->count() == 0) {
        List->setCurrentRow(-1);
        return;
    }
    List->setCurrentRow(qMin(next, List->count() - 1));
}

void frmDataDictionary::txtItem_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdAdd_Click();
    }
}
