// Draws the README's pictures anew. Starts the program on a fresh delivered
// database in a temporary folder, logs the administrator in through the login
// window and takes the main window; then receives a few goods, turns receipt
// printing on in the shop's rules, sells at the counter (full price, a discount
// and a special price) and takes the counter with its sale list, checks the sale
// out on the receipt printer aimed at a PDF file, and takes the stock query with
// its totals. The receipt's page becomes a picture through pdftoppm, cut down to
// the printed part.
//   shoot_screens <folder>
// writes main-window.png, counter.png, stock-query.png and receipt.png there.
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmlogin.h"
#include "core/frmsellrole.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "goods/rules/receipttriple.h"
#include "platform/base/headless.h"
#include "platform/chineseface.h"
#include "platform/qtservices.h"
#include "platform/receiptprinter.h"
#include "reports/frmstore.h"
#include "sales/frmsell.h"
#include "toolargs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

// Lets a window lay itself out and paint.
void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

bool save(QWidget* w, const QString& file)
{
    settle();
    if (w->grab().save(file))
        return true;
    std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    return false;
}

// Answers every question with yes and prints every message; a warning means
// something went wrong on the way.
class Messages : public ui::MessageService {
public:
    bool warned = false;
    bool show(const ui::Message& m) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        if (m.icon == ui::Icon::Exclamation)
            warned = true;
        return true;
    }
};

// Plays the user's part in each window the main window opens modally: the
// script for the window's class runs once the window is shown.
class Scripted : public ui::ModalRunner {
public:
    std::function<void(frmLogin*)> login;
    std::function<void(frmSellRole*)> rules;
    std::function<void(frmSell*)> counter;
    std::function<void(frmStore*)> stock;
    bool unexpected = false;

    int exec(QDialog* dlg) override
    {
        dlg->show();
        dlg->activateWindow();
        settle();
        if (auto* w = qobject_cast<frmLogin*>(dlg); w && login)
            login(w);
        else if (auto* w = qobject_cast<frmSellRole*>(dlg); w && rules)
            rules(w);
        else if (auto* w = qobject_cast<frmSell*>(dlg); w && counter)
            counter(w);
        else if (auto* w = qobject_cast<frmStore*>(dlg); w && stock)
            stock(w);
        else {
            std::fprintf(stderr, "unexpected window %s\n", qPrintable(dlg->windowTitle()));
            unexpected = true;
        }
        if (dlg->isVisible())
            dlg->reject();
        return dlg->result();
    }
};

goods::ReceiptValues goods(const char* typeNo, const char* name, const char* brand, const char* size,
                           const char* colour, const char* leather, const char* place, qint32 quantity, float price,
                           float sellPrice, const char* idCode)
{
    goods::ReceiptValues v;
    v.TypeNo = QString::fromUtf8(typeNo);
    v.Name = QString::fromUtf8(name);
    v.Brand = QString::fromUtf8(brand);
    v.Size = QString::fromUtf8(size);
    v.Colour = QString::fromUtf8(colour);
    v.Leather = QString::fromUtf8(leather);
    v.Grade = QStringLiteral("一等品");
    v.ProductPlace = QString::fromUtf8(place);
    v.Price = price;
    v.Quantity = quantity;
    v.SellPrice = sellPrice;
    v.IDCode = QString::fromUtf8(idCode);
    v.GoodsFloor = QStringLiteral("A-1");
    v.Date = ui::today();
    return v;
}

// A few clothes and shoes into stock, each through the receipt triple as the
// intake windows write it.
bool receiveGoods()
{
    const goods::ReceiptValues received[] = {
        goods("J-2101", "夹克", "青禾", "XL", "黑色", "棉", "广州", 6, 120, 268, "6901001"),
        goods("J-2101", "夹克", "青禾", "L", "黑色", "棉", "广州", 4, 120, 268, "6901002"),
        goods("T-3305", "T恤", "远山", "M", "白色", "棉", "杭州", 12, 35, 89, "6901003"),
        goods("Q-5120", "连衣裙", "木棉", "S", "红色", "真丝", "杭州", 3, 160, 359, "6901004"),
        goods("X-8802", "男鞋", "远山", "41", "棕色", "真皮", "温州", 5, 150, 399, "6901005"),
        goods("X-8802", "男鞋", "远山", "42", "棕色", "真皮", "温州", 3, 150, 399, "6901006"),
        goods("N-6610", "女鞋", "木棉", "37", "米色", "羊皮", "温州", 4, 130, 329, "6901007"),
    };
    for (const goods::ReceiptValues& v : received)
        if (!goods::WriteReceipt(goods::NewStockReceipt(v)).written())
            return false;
    return true;
}

// The goods number chosen and its quantity added at a discount ("全" for full
// price) or, with a special price given, at that price.
void addToSale(frmSell* w, const QString& typeNo, const QString& quantity, const QString& abate,
               const QString& specialPrice = QString())
{
    w->txtNo->setText(typeNo);
    w->txtQuatity->setText(quantity);
    if (specialPrice.isEmpty()) {
        w->OptAbate->setChecked(true);
        w->txtAbate->setText(abate);
    } else {
        w->OptChangePrice->setChecked(true);
        w->txtChangePrice->setText(specialPrice);
    }
    w->cmdAdd->click();
}

// The printed part of a page: the page cut to its ink with a white margin.
QImage cropToInk(const QImage& page, int margin)
{
    const QImage img = page.convertToFormat(QImage::Format_RGB32);
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(line[x]) > 240)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0)
        return img;
    const QRect ink(QPoint(left, top), QPoint(right, bottom));
    QImage out(ink.size() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(QPoint(margin, margin), img, ink);
    return out;
}

// The PDF's first page as a picture, cut to the receipt.
bool receiptPicture(const QString& pdf, const QString& png, const QString& workFolder)
{
    const QString page = QDir(workFolder).filePath(QStringLiteral("receipt-page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
             QStringLiteral("-f"), QStringLiteral("1"), pdf, page});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "pdftoppm failed: %s %s\n", qPrintable(p.errorString()),
                     p.readAllStandardError().constData());
        return false;
    }
    const QImage image(page + QStringLiteral(".png"));
    if (image.isNull() || !cropToInk(image, 24).convertToFormat(QImage::Format_Grayscale8).save(png)) {
        std::fprintf(stderr, "could not turn the receipt into %s\n", qPrintable(png));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    ui::useHeadlessShopScreen();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    ui::useChineseFace();
    tools::Arguments args(QStringLiteral("Draws the README's pictures anew into <folder>: main-window.png, counter.png, "
                                         "stock-query.png and receipt.png."),
                          {QStringLiteral("<folder>")});
    if (const auto end = args.read(app.arguments()))
        return *end;
    const QDir out(args.positional(0));
    if (!out.exists())
        return args.wrong(QStringLiteral("no folder %1").arg(out.path()));
    QTemporaryDir dir;
    ui::setProgramFolder(dir.path());
    QString error;
    if (!schema::createDeliveredDatabase(clsDbopt::DatabasePath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    Messages messages;
    Scripted modal;
    const QString receiptPdf = dir.filePath(QStringLiteral("receipt.pdf"));
    ui::QtReceiptPrinter printer(receiptPdf);
    ui::Platform p = ui::realPlatform();
    p.msg = &messages;
    p.modal = &modal;
    p.receipts = &printer;
    ui::setPlatform(p);

    bool ok = true;
    modal.login = [](frmLogin* w) {
        w->txtUserNo->setText(QStringLiteral("admin"));
        w->txtUserPassWord->setText(QStringLiteral("admin"));
        w->cmdLogin->click();
    };
    // The receipts go to the small receipt printer.
    modal.rules = [](frmSellRole* w) {
        w->chkIsPrint->setChecked(true);
        w->optSmall->setChecked(true);
        w->cmdSetting->click();
    };
    modal.counter = [&](frmSell* w) {
        addToSale(w, QStringLiteral("J-2101"), QStringLiteral("1"), QStringLiteral("全"));
        addToSale(w, QStringLiteral("T-3305"), QStringLiteral("2"), QStringLiteral("8"));
        addToSale(w, QStringLiteral("X-8802"), QStringLiteral("1"), QString(), QStringLiteral("350"));
        w->txtNo->clear();  // the whole stock list again
        w->txtReciveAmout->setText(QStringLiteral("800"));
        ok = save(w, out.filePath(QStringLiteral("counter.png"))) && ok;
        w->cmdCheckOut->click();
    };
    modal.stock = [&](frmStore* w) { ok = save(w, out.filePath(QStringLiteral("stock-query.png"))) && ok; };

    app::InstallSkin();
    app::InstallMainWindow();
    if (!core::Main() || !frmMain::current()) {
        std::fprintf(stderr, "the login did not open the main window\n");
        return 1;
    }
    frmMain* w = frmMain::current();
    w->resize(1100, 680);
    ok = save(w, out.filePath(QStringLiteral("main-window.png"))) && ok;

    ok = receiveGoods() && ok;
    // Each window is opened from the active main window, as the user opens it
    // (the skin goes with the activation to the new window).
    for (void (frmMain::*open)() : {&frmMain::mnuSellRole_Click, &frmMain::mnuSellOut_Click,
                                     &frmMain::mnuStoreQuery_Click}) {
        w->activateWindow();
        settle();
        (w->*open)();
    }
    ok = ok && QFile::exists(receiptPdf) && receiptPicture(receiptPdf, out.filePath(QStringLiteral("receipt.png")), dir.path());

    delete w;
    gDbopt.Release();
    if (messages.warned || modal.unexpected)
        ok = false;
    return ok ? 0 : 1;
}
