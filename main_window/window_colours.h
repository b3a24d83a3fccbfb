// The main window's colours, each made as dark or light as it must be to
// stay readable on the palette in use (setReadableColour).
#pragma once

#include <QColor>

namespace tagora::colours {

inline const QColor kScriptBlue(0, 0, 192);
inline const QColor kLinkBlue(0, 0, 255);
inline const QColor kStaleGrey(128, 128, 128);
inline const QColor kErrorRed(192, 0, 0);

}  // namespace tagora::colours
