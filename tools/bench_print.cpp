// Times the print service on long result lists, headless:
//   bench_print [--rows N[,N...]] [--runs N]
//
// A stock list as the stock query hands it over (twelve columns 1,160 twips
// wide, a "合计" row after every goods number, the "总合计" row on top) goes
// through the print window: loading the copy, the preview with record numbers
// (until the first page is painted), turning to the next page, the export into
// a workbook and printing the whole report into a PDF file. Message boxes and
// the spreadsheet program are stood in for; the workbooks are deleted after.
// Each action runs once to warm up, then --runs times (5 by default); the table
// gives the median and the slowest run, and the memory the process holds after
// the preview and after the export. The targets (checked at the end): the
// preview of 10,000 rows under 2 s, the export of 100,000 rows under 3 s (the
// median).
#include "platform/base/headless.h"
#include "platform/flexgrid.h"
#include "platform/qtservices.h"
#include "reports/arprinter.h"
#include "reports/frmprint.h"
#include "reports/reportviewer.h"
#include "toolargs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

class QuietMessages : public ui::MessageService {
public:
    bool show(const ui::Message& m) override
    {
        shown << m.text;
        return true;
    }
    QStringList shown;
};

class Workbooks : public ui::ReportOutput {
public:
    ui::PrintOutcome print(std::shared_ptr<const ui::PagedDocument>, QWidget*) override
    {
        return ui::PrintOutcome::Cancelled;
    }
    bool openWorkbook(const QString& path) override
    {
        written << path;
        return true;
    }
    QStringList written;
};

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void settle() { QApplication::processEvents(); }

// A stock list of about `rows` rows in goods numbers of four receipts each.
void stockList(FlexGrid& g, int rows)
{
    const QStringList captions = {"",     "货号", "种类", "品牌",   "尺码", "颜色", "面料",
                                  "等级", "产地", "数量", "零售价", "条码", "柜层"};
    g.setCols(int(captions.size()));
    for (int c = 0; c < captions.size(); ++c) {
        g.setTextMatrix(0, c, captions[c]);
        g.setColWidth(c, c == 0 ? 200 : 1160);
    }
    const int data = rows * 4 / 5;  // a "合计" row to every four
    g.setRows(data + 1);
    const QStringList kinds = {"夹克", "衬衫", "男鞋", "女鞋", "T恤"};
    const QStringList sizes = {"S", "M", "L", "XL", "40", "41", "42"};
    for (int r = 1; r <= data; ++r) {
        const int goods = (r - 1) / 4;
        const QStringList cells = {QString(),
                                   QStringLiteral("K-%1").arg(goods, 5, 10, QLatin1Char('0')),
                                   kinds[goods % kinds.size()],
                                   QStringLiteral("青禾"),
                                   sizes[r % sizes.size()],
                                   QStringLiteral("黑"),
                                   QStringLiteral("棉"),
                                   QStringLiteral("一等"),
                                   QStringLiteral("广州"),
                                   QString::number(r % 7),
                                   QString::number(60 + goods % 90) + QStringLiteral(".5"),
                                   QStringLiteral("69%1").arg(r, 11, 10, QLatin1Char('0')),
                                   QStringLiteral("A-%1").arg(goods % 12)};
        for (int c = 1; c < cells.size(); ++c)
            g.setTextMatrix(r, c, cells[c]);
    }
    g.subtotalSum(1, 9, QStringLiteral("合计"));
    g.subtotalSum(FlexGrid::WholeListAbove, 9, QStringLiteral("总合计"));
}

QString note;  // what the action left, set by its done()

struct Figure {
    QString action;
    std::vector<double> ms;
    QString note;
    double target = 0;  // ms the median must stay under; 0: none
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int runs = 5;

// setup (untimed), act (timed, with the events it causes), done (untimed).
Figure measure(const QString& action, const std::function<void()>& setup, const std::function<void()>& act,
               const std::function<void()>& done, int times)
{
    Figure f{action, {}, {}};
    note.clear();
    for (int i = 0; i <= times; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        act();
        settle();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (i > 0)
            f.ms.push_back(ms);
        done();
    }
    f.note = note;
    std::fprintf(stderr, "  %-40s %9.1f ms\n", action.toUtf8().constData(), median(f.ms));
    return f;
}

}  // namespace

int main(int argc, char** argv)
{
    ui::useHeadlessShopScreen();
    QApplication app(argc, argv);
    tools::Arguments args(QStringLiteral("Times the print service on long lists."), {});
    const auto rowsOption =
        args.option(QStringLiteral("rows"), QStringLiteral("the lists' lengths (10000,100000)"), QStringLiteral("N[,N...]"));
    const auto runsOption = args.option(QStringLiteral("runs"), QStringLiteral("timed runs of each action (5)"), QStringLiteral("N"));
    if (const auto end = args.read(app.arguments()))
        return *end;
    const auto runsGiven = args.whole(runsOption, runs, 1);
    if (!runsGiven)
        return 2;
    runs = *runsGiven;
    QList<int> sizes = {10000, 100000};
    if (args.isSet(rowsOption)) {
        sizes.clear();
        for (const QString& n : args.value(rowsOption).split(QLatin1Char(','))) {
            bool ok = false;
            sizes << n.toInt(&ok);
            if (!ok || sizes.last() < 1)
                return args.wrong(QStringLiteral("--rows takes whole numbers of at least 1, not \"%1\"").arg(n));
        }
    }

    QuietMessages messages;
    Workbooks workbooks;
    ui::Platform p = ui::realPlatform();
    p.msg = &messages;
    p.reports = &workbooks;
    ui::setPlatform(p);

    std::vector<Figure> figures;
    for (int rows : sizes) {
        std::fprintf(stderr, "%d rows:\n", rows);
        FlexGrid list;
        stockList(list, rows);
        const QString size = QStringLiteral("%L1 rows: ").arg(list.rows() - 1);
        std::unique_ptr<frmPrint> w;
        const auto openWindow = [&] {
            w = std::make_unique<frmPrint>();
            w->resize(1180, 780);
            w->show();
            w->LoadIt(list, true);
        };
        const auto nothing = [] {};

        figures.push_back(measure(
            size + QStringLiteral("open, copy the list"), [&] { w.reset(); }, openWindow, nothing, runs));
        const double before = residentMiB();
        figures.push_back(measure(
            size + QStringLiteral("preview, numbered"), nothing,
            [&] {
                w->chkRecordIndex->setChecked(true);
                w->cmdPreview->click();
                w->arv->repaint();
            },
            nothing, runs));
        if (rows == 10000)
            figures.back().target = 2000;
        figures.back().note =
            QStringLiteral("%1 pages; %2 MiB held, %3 more than before")
                .arg(w->arv->pageCount())
                .arg(residentMiB(), 0, 'f', 0)
                .arg(residentMiB() - before, 0, 'f', 0);
        figures.push_back(measure(
            size + QStringLiteral("next page"), [&] { w->arv->setCurrentPage(1); },
            [&] {
                w->arv->cmdNext->click();
                w->arv->repaint();
            },
            nothing, runs));
        figures.push_back(measure(
            size + QStringLiteral("export to a workbook"), nothing, [&] { w->cmdExcel->click(); },
            [&] {
                for (const QString& book : std::as_const(workbooks.written)) {
                    note = QStringLiteral("%1 MiB file; %2 MiB held")
                                              .arg(QFileInfo(book).size() / 1048576.0, 0, 'f', 1)
                                              .arg(residentMiB(), 0, 'f', 0);
                    QDir(QFileInfo(book).absolutePath()).removeRecursively();
                }
                workbooks.written.clear();
            },
            runs));
        if (rows == 100000)
            figures.back().target = 3000;
        QTemporaryDir pdf;
        figures.push_back(measure(
            size + QStringLiteral("print everything to a PDF"), nothing,
            [&] {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf.filePath(QStringLiteral("report.pdf")));
                w->report()->setUpPage(printer);
                w->report()->print(printer);
            },
            [&] {
                note = QStringLiteral("%1 MiB file")
                                          .arg(QFileInfo(pdf.filePath(QStringLiteral("report.pdf"))).size() /
                                                   1048576.0,
                                               0, 'f', 1);
            },
            1));
        w.reset();
    }
    if (!messages.shown.isEmpty()) {
        std::fprintf(stderr, "the program said: %s\n", messages.shown.join(QStringLiteral(" / ")).toUtf8().constData());
        return 1;
    }

    std::printf("| action | median ms | slowest ms | runs | |\n|---|---:|---:|---:|---|\n");
    for (const Figure& f : figures)
        std::printf("| %s | %.1f | %.1f | %zu | %s |\n", f.action.toUtf8().constData(), median(f.ms),
                    f.ms.empty() ? 0 : *std::max_element(f.ms.begin(), f.ms.end()), f.ms.size(),
                    f.note.toUtf8().constData());
    std::printf("\ntargets (median):\n");
    int missed = 0;
    for (const Figure& f : figures)
        if (f.target > 0) {
            const bool met = median(f.ms) < f.target;
            missed += met ? 0 : 1;
            std::printf("  %-40s under %.0f ms: %s\n", f.action.toUtf8().constData(), f.target,
                        met ? "met" : "MISSED");
        }
    if (!missed)
        std::printf("  all met\n");
    return 0;
}
