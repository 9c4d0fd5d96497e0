#include "core/rules/clsnewguid.h"

#include <QUuid>

QString clsNewGUID::GUID(bool blReplace) const
{
    QString key = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
    if (blReplace) {
        key.remove(QLatin1Char('{'));
        key.remove(QLatin1Char('}'));
        key.remove(QLatin1Char('-'));
    }
    return key;
}
