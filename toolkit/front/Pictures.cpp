#include "toolkit/front/Pictures.h"

#include <QImageReader>

QPixmap pngPicture(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon pngIcon(const QString &path)
{
    return QIcon(pngPicture(path));
}
