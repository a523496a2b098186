#pragma once

#include <QFont>
#include <QString>

// A font as the windows' layouts name it: a family and a size in points, upright or italic.
// Bold is the controls' own state, set by the binder.
enum class Slant { Upright, Italic };
inline QFont designFont(const char *family, double points, Slant slant = Slant::Upright)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setItalic(slant == Slant::Italic);
    return font;
}
