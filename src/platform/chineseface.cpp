#include "platform/chineseface.h"

#include <QApplication>

namespace platform::ui {

QFont withChineseFace(QFont font, const QString& face)
{
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    families.removeAll(face);
    families.prepend(face);
    font.setFamilies(families);
    return font;
}

void useChineseFace() { QApplication::setFont(withChineseFace(QApplication::font())); }

}  // namespace platform::ui
