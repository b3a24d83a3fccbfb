// The program's artwork, built into the executable.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace tagora::artwork {

// The application icon, 32 x 32 pixels in 16 colours.
QIcon applicationIcon();
QPixmap applicationIconPixmap();

// The hand cursor of the link labels: 32 x 32, monochrome, hot spot (5, 0).
QCursor linkCursor();

// The splash window's background, 313 x 240 pixels.
QPixmap splashPicture();

}  // namespace tagora::artwork
