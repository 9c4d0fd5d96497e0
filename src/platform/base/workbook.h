#pragma once
// Reading a spreadsheet workbook: the cell texts of its first worksheet. The
// format is chosen by the file's first bytes, not its name: the binary .xls
// (BIFF, read by FreeXL) and the zipped .xlsx (Office Open XML). Formulas are
// not computed: an .xls formula cell reads as empty, an .xlsx one as the value
// last stored with it.

#include <QHash>
#include <QString>

namespace platform::workbook {

// The first worksheet's cells, rows and columns counted from 1 as in the
// spreadsheet. A number reads as its shortest text ("38", "3.7"), a text as it
// stands, a Boolean as "TRUE"/"FALSE"; an empty or missing cell as "".
class Sheet {
public:
    QString cell(int row, int col) const { return cells_.value(key(row, col)); }
    bool isEmpty() const { return cells_.isEmpty(); }
    void setCell(int row, int col, const QString& text);

private:
    static quint64 key(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }
    QHash<quint64, QString> cells_;
};

// Reads the first worksheet of the file. False with a reason when the file is
// missing, of another kind, damaged or protected.
bool ReadFirstSheet(const QString& path, Sheet* sheet, QString* error);

}  // namespace platform::workbook
namespace workbook = platform::workbook;
