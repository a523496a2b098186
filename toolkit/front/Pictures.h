#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's own pictures, each a PNG in its resources (":/pictures/…", ":/info/pictures/…").
// Read by Qt's own PNG reader, named as such: asked to guess, Qt first loads every image plugin
// it has (JPEG, GIF, ICO…) to ask each whether it reads the file better.
QPixmap pngPicture(const QString &path);
QIcon pngIcon(const QString &path);
