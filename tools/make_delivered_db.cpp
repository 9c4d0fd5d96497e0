// Writes the delivered shop database: make_delivered_db <path>
// Refuses to touch an existing file, which may hold a shop's data.
#include "core/rules/schema.h"
#include "toolargs.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tools::Arguments args(QStringLiteral("Writes the delivered shop database at <path>, which must not exist yet."),
                          {QStringLiteral("<path>")});
    if (const auto end = args.read(app.arguments()))
        return *end;
    QString error;
    if (!schema::createDeliveredDatabase(args.positional(0), &error)) {
        std::fprintf(stderr, "make_delivered_db: %s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
