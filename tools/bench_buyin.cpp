// Times the intake desk's live filter on a shop-sized stock:
// bench_buyin <database folder> [--runs N]
//
// The folder holds a shop database written by make_shop_data (named as the
// program names its database). The desk is opened on it, shown, and the goods
// number "ZM01234" is typed one key at a time and erased again, each keystroke
// rebinding the list; prints the time of opening the desk and, per keystroke,
// median and maximum, with the rows shown after each, and the median of the
// same query run alone (the rest is the binding and the repaint).
#include "core/modmain.h"
#include "core/schema.h"
#include "goods/frmbuyin.h"
#include "platform/flexgrid.h"
#include "platform/services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_buyin <database folder> [--runs N]\n");
        return 2;
    }
    int runs = 5;
    for (int i = 2; i + 1 < argc; i += 2)
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(folder + QLatin1Char('/') + schema::kDatabaseFileName)) {
        std::fprintf(stderr, "bench_buyin: no %s in %s (make_shop_data writes one)\n",
                     schema::kDatabaseFileName.toUtf8().constData(), argv[1]);
        return 1;
    }
    ui::setProgramFolder(folder);
    if (!gDbopt.ConnectionToDB()) {
        std::fprintf(stderr, "bench_buyin: the database does not open\n");
        return 1;
    }
    gShopNo = schema::kShopKey;

    QElapsedTimer clock;
    clock.start();
    frmBuyIn desk;
    desk.show();
    app.processEvents();
    std::printf("open desk        %8.1f ms  (%d rows)\n", clock.nsecsElapsed() / 1e6, desk.VSFlexGrid->rows() - 1);

    const QString typed = QStringLiteral("ZM01234");
    std::vector<std::vector<double>> times(typed.size() * 2);
    std::vector<std::vector<double>> queryTimes(typed.size() * 2);
    std::vector<int> shown(typed.size() * 2);
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < int(times.size()); ++k) {
            const int len = k < typed.size() ? k + 1 : int(times.size()) - k - 1;
            clock.restart();
            desk.txtNo->setText(typed.left(len));
            app.processEvents();
            times[k].push_back(clock.nsecsElapsed() / 1e6);
            shown[k] = desk.VSFlexGrid->rows() - 1;
            const QString t = SqlQuote(typed.left(len));
            const QString query =
                QStringLiteral("Select GUID,TypeNo as 货号,Name as 种类, Brand as 品牌,[Size] as 尺码,Colour as 颜色,"
                               "Leather as 面料,Grade as 等级,ProductPlace as 产地,Quantity as 数量,IDCode as 条码,"
                               "GoodsFloor as 柜层 from Store Where ") +
                (t.isEmpty() ? QString() : QStringLiteral("Typeno like'%") + t + QStringLiteral("%' And ")) +
                QStringLiteral("ShopNo='") + gShopNo + QStringLiteral("'");
            clock.restart();
            const jet::RecordSet rs = gDbopt.Excute(query);
            queryTimes[k].push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    for (int k = 0; k < int(times.size()); ++k) {
        std::vector<double>& t = times[k];
        std::sort(t.begin(), t.end());
        std::vector<double>& q = queryTimes[k];
        std::sort(q.begin(), q.end());
        const int len = k < typed.size() ? k + 1 : int(times.size()) - k - 1;
        const QString text = typed.left(len);
        std::printf("type %-9s   median %7.1f ms  max %7.1f ms  (%d rows; query alone %.1f ms)\n",
                    ('"' + text + '"').toUtf8().constData(), t[t.size() / 2], t.back(), shown[k], q[q.size() / 2]);
    }
    return 0;
}
