#include "support/xlsxreader.h"

#include <QFile>
#include <QXmlStreamReader>

#include <unzip.h>

namespace {

// One member of the zip file; "" and *found false when it is not there.
QByteArray member(unzFile zip, const char* name, bool* found)
{
    *found = false;
    QByteArray data;
    if (unzLocateFile(zip, name, 0) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        return data;
    char buffer[65536];
    int n;
    while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
        data.append(buffer, n);
    *found = unzCloseCurrentFile(zip) == UNZ_OK && n == 0;
    return data;
}

// "B12" as (11, 1).
QPair<int, int> cellRef(QStringView ref)
{
    int col = 0, i = 0;
    while (i < ref.size() && ref[i].isLetter())
        col = col * 26 + (ref[i++].toUpper().unicode() - 'A' + 1);
    return {ref.mid(i).toInt() - 1, col - 1};
}

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList out;
    QXmlStreamReader x(xml);
    QString current;
    bool inSi = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"si") {
            inSi = true;
            current.clear();
        } else if (x.isStartElement() && x.name() == u"t" && inSi) {
            current += x.readElementText();
        } else if (x.isEndElement() && x.name() == u"si") {
            inSi = false;
            out << current;
        }
    }
    return out;
}

QList<bool> thinBoxes(const QByteArray& xml)
{
    QList<bool> borders;  // by border id: all four sides thin
    QList<bool> formats;
    QXmlStreamReader x(xml);
    bool inBorders = false, inCellXfs = false;
    int sides = 0;
    while (!x.atEnd()) {
        x.readNext();
        const auto name = x.name();
        if (x.isStartElement()) {
            if (name == u"borders")
                inBorders = true;
            else if (name == u"cellXfs")
                inCellXfs = true;
            else if (inBorders && name == u"border")
                sides = 0;
            else if (inBorders && (name == u"left" || name == u"right" || name == u"top" || name == u"bottom") &&
                     x.attributes().value(QLatin1String("style")) == u"thin")
                ++sides;
            else if (inCellXfs && name == u"xf") {
                const int id = x.attributes().value(QLatin1String("borderId")).toInt();
                formats << (id >= 0 && id < borders.size() && borders[id]);
            }
        } else if (x.isEndElement()) {
            if (name == u"borders")
                inBorders = false;
            else if (name == u"cellXfs")
                inCellXfs = false;
            else if (inBorders && name == u"border")
                borders << (sides == 4);
        }
    }
    return formats;
}

}  // namespace

bool XlsxSheet::boxed(int r, int c) const
{
    const auto at = cells.constFind({r, c});
    int style = -1;
    if (at != cells.constEnd()) {
        style = at->style;
    } else {
        for (const Columns& cs : columns)
            if (c >= cs.first && c <= cs.last)
                style = cs.style;
    }
    return style >= 0 && style < thinBox.size() && thinBox[style];
}

QStringList XlsxSheet::row(int r) const
{
    QStringList out;
    for (int c = 0; c < cols; ++c)
        out << text(r, c);
    return out;
}

XlsxSheet ReadXlsx(const QString& path)
{
    XlsxSheet sheet;
    unzFile zip = unzOpen(QFile::encodeName(path).constData());
    if (!zip) {
        sheet.error = QStringLiteral("not a zip file: ") + path;
        return sheet;
    }
    bool found = false;
    const QByteArray xml = member(zip, "xl/worksheets/sheet1.xml", &found);
    if (!found)
        sheet.error = QStringLiteral("no first sheet");
    bool haveStrings = false, haveStyles = false;
    const QStringList strings = sharedStrings(member(zip, "xl/sharedStrings.xml", &haveStrings));
    sheet.thinBox = thinBoxes(member(zip, "xl/styles.xml", &haveStyles));
    unzClose(zip);
    if (!found)
        return sheet;

    QXmlStreamReader x(xml);
    QPair<int, int> at;
    XlsxReadCell cell;
    QString type;
    bool inCell = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            const auto a = x.attributes();
            if (x.name() == u"col") {
                sheet.columns.append(
                    {a.value(QLatin1String("min")).toInt() - 1, a.value(QLatin1String("max")).toInt() - 1, a.value(QLatin1String("style")).toInt()});
            } else if (x.name() == u"c") {
                inCell = true;
                at = cellRef(a.value(QLatin1String("r")));
                type = a.value(QLatin1String("t")).toString();
                cell = XlsxReadCell();
                cell.style = a.value(QLatin1String("s")).toInt();
                cell.number = type.isEmpty() || type == u"n";
            } else if (inCell && x.name() == u"v") {
                const QString v = x.readElementText();
                cell.text = type == u"s" ? strings.value(v.toInt()) : v;
            } else if (inCell && x.name() == u"t") {  // an inline string
                cell.text += x.readElementText();
            }
        } else if (x.isEndElement() && x.name() == u"c") {
            inCell = false;
            if (cell.text.isEmpty())
                cell.number = false;  // a blank cell with a format
            sheet.cells.insert(at, cell);
            sheet.rows = std::max(sheet.rows, at.first + 1);
            sheet.cols = std::max(sheet.cols, at.second + 1);
        }
    }
    if (x.hasError())
        sheet.error = x.errorString();
    else if (!haveStyles)
        sheet.error = QStringLiteral("no styles");
    return sheet;
}
