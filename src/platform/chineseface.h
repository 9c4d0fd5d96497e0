#pragma once
// The faces the shop's Chinese texts are drawn in. fontconfig picks the face for
// Han characters by the locale: outside a Chinese one (a fresh system runs in
// C.UTF-8) it takes them from the Japanese face of the CJK fonts, some of whose
// characters have other forms. The windows, the receipts and anything else
// drawn in our fonts name the Simplified Chinese faces outright.

#include <QFont>
#include <QString>

namespace platform::ui {

inline const QString kChineseFace = QStringLiteral("Noto Sans CJK SC");
// Fixed pitch, each Chinese character exactly two cells wide.
inline const QString kChineseMonoFace = QStringLiteral("Noto Sans Mono CJK SC");

// `font` drawn in `face` first; its own families follow for what the face lacks.
QFont withChineseFace(QFont font, const QString& face = kChineseFace);

// Makes the application's font, and with it every window's, the Chinese face at
// the size the desktop gives. Call once the QApplication is made, before the
// first window.
void useChineseFace();

}  // namespace platform::ui
namespace ui = platform::ui;
