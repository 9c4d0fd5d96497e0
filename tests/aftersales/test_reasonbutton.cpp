// The "…" button beside the reason of the void, the return, the exchange and the
// problem goods: each edits its own list of the data dictionary and refills the
// window's reason box from it.
#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmquestion.h"
#include "core/frmdatadictionary.h"
#include "sales/frmblankout.h"
#include "support/shopfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

class ReasonButton : public ShopFixture {};

}  // namespace

TEST_F(ReasonButton, EditsTheWindowsListAndRefillsTheBox)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<QWidget>()> open;
        QString caption;  // the editor's, naming the list
        QString added;
        int count;  // the entries of the box afterwards, the added one last
    } cases[] = {
        {"void", [] { return std::make_unique<frmBlankout>(); }, "数据字典--作废原因", "重复结帐", 3},
        {"return", [] { return std::make_unique<frmClientBack>(); }, "数据字典--退货原因", "掉色", 6},
        {"exchange", [] { return std::make_unique<frmClientBackChange>(); }, "数据字典--调换原因", "掉色", 5},
        {"problem goods", [] { return std::make_unique<frmQuestion>(); }, "数据字典--退货原因", "掉色", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<QWidget> w = c.open();
        QString caption;
        fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
            caption = d->windowTitle();
            d->txtItem->setText(c.added);
            d->cmdAdd_Click();
            return int(QDialog::Accepted);
        });
        w->findChild<QPushButton*>("cmdLeather")->click();
        EXPECT_EQ(caption, c.caption);
        const auto* box = w->findChild<QComboBox*>("comResion");
        EXPECT_EQ(box->count(), c.count);
        EXPECT_EQ(box->itemText(c.count - 1), c.added);
        sql("delete from DataDictionary Where Content='" + c.added + "'");
    }
}
