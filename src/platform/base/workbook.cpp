#include "platform/base/workbook.h"

#include "platform/base/vb.h"

#include <QFile>
#include <QXmlStreamReader>

#include <freexl.h>
#include <minizip/unzip.h>

#include <memory>

namespace platform::workbook {

void Sheet::setCell(int row, int col, const QString& text)
{
    if (!text.isEmpty())
        cells_.insert(key(row, col), text);
}

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// -- .xls ---------------------------------------------------------------------

bool readXls(const QString& path, Sheet* sheet, QString* error)
{
    const void* handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK || !handle) {
        if (handle)
            freexl_close(handle);
        return fail(error, QStringLiteral("文件不是有效的 Excel 工作簿。"));
    }
    const auto closer = std::unique_ptr<const void, int (*)(const void*)>(handle, freexl_close);
    unsigned int locked = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &locked) == FREEXL_OK && locked == FREEXL_BIFF_OBFUSCATED)
        return fail(error, QStringLiteral("工作簿有密码保护。"));
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
        return fail(error, QStringLiteral("工作簿中没有工作表。"));
    for (unsigned int r = 0; r < rows; ++r)
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
                continue;
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT: text = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: text = vb::numberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: text = QString::fromUtf8(v.value.text_value); break;
            default: break;
            }
            sheet->setCell(int(r) + 1, int(c) + 1, text);
        }
    return true;
}

// -- .xlsx --------------------------------------------------------------------

const QString kRelationshipsNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

class Zip {
public:
    explicit Zip(const QString& path) : zip_(unzOpen(QFile::encodeName(path).constData())) {}
    ~Zip()
    {
        if (zip_)
            unzClose(zip_);
    }
    bool isOpen() const { return zip_ != nullptr; }
    // The bytes of one member; false when it is missing or damaged.
    bool read(const QString& name, QByteArray* bytes)
    {
        bytes->clear();
        if (unzLocateFile(zip_, name.toUtf8().constData(), 2) != UNZ_OK || unzOpenCurrentFile(zip_) != UNZ_OK)
            return false;
        char buffer[65536];
        int n;
        while ((n = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0)
            bytes->append(buffer, n);
        return unzCloseCurrentFile(zip_) == UNZ_OK && n == 0;
    }

private:
    unzFile zip_;
};

// A target of a relationship, as a member name: relative to the folder of the
// part that names it, or absolute from the package's root.
QString memberOf(const QString& folder, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QStringList parts = folder.isEmpty() ? QStringList() : folder.split(QLatin1Char('/'));
    for (const QString& p : target.split(QLatin1Char('/'))) {
        if (p == QLatin1String(".."))
            parts.removeLast();
        else if (p != QLatin1String("."))
            parts << p;
    }
    return parts.join(QLatin1Char('/'));
}

QString folderOf(const QString& member)
{
    const qsizetype slash = member.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : member.left(slash);
}

// The target of the relationship with the given id, or of the first of the type
// ending in `type` when id is empty.
QString relationshipTarget(const QByteArray& rels, const QString& id, const QString& type)
{
    QXmlStreamReader x(rels);
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement() || x.name() != QLatin1String("Relationship"))
            continue;
        const auto a = x.attributes();
        if (id.isEmpty() ? a.value(QLatin1String("Type")).endsWith(type) : a.value(QLatin1String("Id")) == id)
            return a.value(QLatin1String("Target")).toString();
    }
    return {};
}

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader x(xml);
    QString current;
    int phonetic = 0;  // inside <rPh>: reading aids, not the text
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("si"))
                current.clear();
            else if (x.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (x.name() == QLatin1String("t") && !phonetic)
                current += x.readElementText();
        } else if (x.isEndElement()) {
            if (x.name() == QLatin1String("si"))
                strings << current;
            else if (x.name() == QLatin1String("rPh"))
                --phonetic;
        }
    }
    return strings;
}

// "AB12" -> column 28, row 12; false when it is no cell reference.
bool cellReference(QStringView ref, int* row, int* col)
{
    int c = 0, i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i)
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || c == 0 || i == 0)
        return false;
    *row = r;
    *col = c;
    return true;
}

QString numberText(const QString& stored)
{
    bool ok = false;
    const double v = stored.toDouble(&ok);
    return ok ? vb::numberText(v) : stored;
}

void readCells(const QByteArray& xml, const QStringList& strings, Sheet* sheet)
{
    QXmlStreamReader x(xml);
    int row = 0, col = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = x.attributes().value(QLatin1String("r")).toInt(&ok);
            row = ok ? r : row + 1;
            col = 0;
            continue;
        }
        if (x.name() != QLatin1String("c"))
            continue;
        const auto a = x.attributes();
        const QString type = a.value(QLatin1String("t")).toString();
        int r = row, c = col + 1;
        if (a.hasAttribute(QLatin1String("r")))
            cellReference(a.value(QLatin1String("r")), &r, &c);
        row = r;
        col = c;
        QString value;
        bool inline_ = false;
        while (x.readNextStartElement()) {
            if (x.name() == QLatin1String("v")) {
                value = x.readElementText();
            } else if (x.name() == QLatin1String("is")) {
                inline_ = true;
                while (x.readNextStartElement()) {
                    if (x.name() == QLatin1String("t"))
                        value += x.readElementText();
                    else if (x.name() == QLatin1String("r")) {
                        while (x.readNextStartElement())
                            if (x.name() == QLatin1String("t"))
                                value += x.readElementText();
                            else
                                x.skipCurrentElement();
                    } else
                        x.skipCurrentElement();
                }
            } else {
                x.skipCurrentElement();
            }
        }
        QString text;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = value.toInt(&ok);
            text = ok ? strings.value(i) : QString();
        } else if (type == QLatin1String("b")) {
            text = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type == QLatin1String("str") || type == QLatin1String("e") || inline_) {
            text = value;
        } else {
            text = numberText(value);
        }
        sheet->setCell(row, col, text);
    }
}

bool readXlsx(const QString& path, Sheet* sheet, QString* error)
{
    Zip zip(path);
    if (!zip.isOpen())
        return fail(error, QStringLiteral("文件不是有效的 Excel 工作簿。"));
    QByteArray bytes;
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    if (zip.read(QStringLiteral("_rels/.rels"), &bytes)) {
        const QString target = relationshipTarget(bytes, QString(), QStringLiteral("/officeDocument"));
        if (!target.isEmpty())
            workbookPart = memberOf(QString(), target);
    }
    if (!zip.read(workbookPart, &bytes))
        return fail(error, QStringLiteral("文件不是有效的 Excel 工作簿。"));
    QString sheetId;
    {
        QXmlStreamReader x(bytes);
        while (!x.atEnd() && sheetId.isEmpty()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("sheet"))
                sheetId = x.attributes().value(kRelationshipsNs, QLatin1String("id")).toString();
        }
    }
    if (sheetId.isEmpty())
        return fail(error, QStringLiteral("工作簿中没有工作表。"));
    const QString folder = folderOf(workbookPart);
    const QString relsPart = memberOf(folder, QStringLiteral("_rels/") + workbookPart.mid(folder.size() + 1) +
                                                  QStringLiteral(".rels"));
    QByteArray rels;
    if (!zip.read(relsPart, &rels))
        return fail(error, QStringLiteral("文件不是有效的 Excel 工作簿。"));
    const QString sheetTarget = relationshipTarget(rels, sheetId, QString());
    QStringList strings;
    const QString stringsTarget = relationshipTarget(rels, QString(), QStringLiteral("/sharedStrings"));
    if (!stringsTarget.isEmpty() && zip.read(memberOf(folder, stringsTarget), &bytes))
        strings = sharedStrings(bytes);
    if (sheetTarget.isEmpty() || !zip.read(memberOf(folder, sheetTarget), &bytes))
        return fail(error, QStringLiteral("工作簿中没有工作表。"));
    readCells(bytes, strings, sheet);
    return true;
}

}  // namespace

bool ReadFirstSheet(const QString& path, Sheet* sheet, QString* error)
{
    *sheet = Sheet();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(error, f.errorString());
    const QByteArray head = f.read(8);
    f.close();
    if (head == QByteArray::fromHex("D0CF11E0A1B11AE1"))
        return readXls(path, sheet, error);
    if (head.startsWith("PK\x03\x04"))
        return readXlsx(path, sheet, error);
    return fail(error, QStringLiteral("文件不是有效的 Excel 工作簿。"));
}

}  // namespace platform::workbook
