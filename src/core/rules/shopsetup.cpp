#include "core/rules/shopsetup.h"

#include "core/rules/sqltext.h"

namespace core {

namespace {
QString bit(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
}  // namespace

Outcome WriteSellRole(const SellRoleRow& r)
{
    return WriteAll({QStringLiteral("Update SellRole Set SellOrder=") + QString::number(r.SellOrder) +
                     QStringLiteral(",BackDays=") + QString::number(r.BackDays) + QStringLiteral(",AbateCannotBack=") +
                     bit(r.AbateCanNotBack) + QStringLiteral(",SpecialCannotBack=") + bit(r.SpecialCanNotBack) +
                     QStringLiteral(",ChangeDays=") + QString::number(r.ChangeDays) +
                     QStringLiteral(",AbateCannotChange=") + bit(r.AbateCanNotChange) +
                     QStringLiteral(",SpecialCannotChange=") + bit(r.SpecialCanNotChange) +
                     QStringLiteral(",SameTypeChange=") + bit(r.SameTypeChange) + QStringLiteral(",DearGoodsChange=") +
                     bit(r.DearGoodsChange) + QStringLiteral(", ChangeOneTime=") + bit(r.ChangeOneTime) +
                     QStringLiteral(",ChangNotToBack=") + bit(r.ChangNotToBack) + QStringLiteral(",IsPrint=") +
                     bit(r.IsPrint) + QStringLiteral(",PrinterType=") + QString::number(r.PrinterType) +
                     QStringLiteral(" Where ShopNo=") + SqlQuote(r.ShopNo)});
}

Outcome WriteBackupSetting(const BackupSetting& s)
{
    return WriteAll({QStringLiteral("Update FileSave set dirpath=") + SqlQuote(s.DirPath) + QStringLiteral(",Drive=") +
                     SqlQuote(s.Drive) + QStringLiteral(",Dir=") + SqlQuote(s.Dir) + QStringLiteral(",FileName=") +
                     SqlQuote(s.FileName) + QStringLiteral(",IsSave=") + bit(s.IsSave)});
}

Outcome RenameShop(const QString& key, const QString& name)
{
    return WriteAll(
        {QStringLiteral("Update Shop Set ShopName=") + SqlQuote(name) + QStringLiteral(" Where GUID=") + SqlQuote(key)});
}

Outcome AddShop(const QString& key, const QString& name)
{
    return WriteAll({QStringLiteral("Insert Into Shop Values(") + SqlQuote(key) + QLatin1Char(',') + SqlQuote(name) +
                     QLatin1Char(')')});
}

Outcome AddPickListEntry(const QString& item, const QString& content)
{
    return WriteAll({QStringLiteral("Insert Into DataDictionary (Item,Content) Values (") + SqlQuote(item) +
                     QLatin1Char(',') + SqlQuote(content) + QLatin1Char(')')});
}

Outcome DeletePickListEntry(const QString& item, const QString& content)
{
    // The column compares without letter case; the delete takes only the
    // entries of the same case.
    return WriteAll({QStringLiteral("Delete from Datadictionary Where Item=") + SqlQuote(item) +
                     QStringLiteral(" And Content =") + SqlQuote(content) + QStringLiteral(" COLLATE BINARY")});
}

}  // namespace core
