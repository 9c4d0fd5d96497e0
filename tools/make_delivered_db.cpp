// Writes the delivered shop database: make_delivered_db <path>
// Refuses to touch an existing file, which may hold a shop's data.
#include "core/schema.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_delivered_db <path>\n");
        return 2;
    }
    QString error;
    if (!schema::createDeliveredDatabase(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "make_delivered_db: %s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
