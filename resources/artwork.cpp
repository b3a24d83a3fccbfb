#include "artwork.h"

#include <QBitmap>

namespace tagora::artwork {

QIcon applicationIcon()
{
    return QIcon(applicationIconPixmap());
}

QPixmap applicationIconPixmap()
{
    return QPixmap(QStringLiteral(":/tagora/app_icon.png"));
}

QCursor linkCursor()
{
    const QPixmap image(QStringLiteral(":/tagora/link_cursor.png"));
    return QCursor(image, 5, 0);
}

QPixmap splashPicture()
{
    return QPixmap(QStringLiteral(":/tagora/splash.jpg"));
}

}  // namespace tagora::artwork
