#pragma once

#include <QString>

// Makes the text keys of new rows.
class clsNewGUID {
public:
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, or with blReplace
    // the 32 hexadecimal digits alone.
    QString GUID(bool blReplace) const;
};
