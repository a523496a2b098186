#pragma once

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <QString>

// The design's font family where it is installed, else the metric-compatible one Debian's font
// packages give, which fontconfig would pick too. Named directly it is found at once: asked for
// a family that is not there, Qt has fontconfig work out its fallbacks for every style the
// window draws, the most of the start-up's work.
inline QString designFamily(const char *family)
{
    static const QHash<QByteArray, QString> standIns = {{"Arial", QStringLiteral("Liberation Sans")},
                                                        {"Comic Sans MS", QStringLiteral("Comic Neue")},
                                                        {"Tahoma", QStringLiteral("DejaVu Sans")},
                                                        {"Verdana", QStringLiteral("DejaVu Sans")}};
    static QHash<QByteArray, QString> resolved;
    const auto known = resolved.constFind(family);
    if (known != resolved.constEnd())
        return *known;
    const QString name = QString::fromLatin1(family);
    const QString standIn = standIns.value(family);
    const QStringList installed = QFontDatabase::families();
    return resolved[family] = standIn.isEmpty() || installed.contains(name) || !installed.contains(standIn) ? name : standIn;
}

// A font as the windows' layouts name it: a family and a size in points, upright or italic.
// Bold is the controls' own state, set by the binder.
enum class Slant { Upright, Italic };
inline QFont designFont(const char *family, double points, Slant slant = Slant::Upright)
{
    QFont font(designFamily(family));
    font.setPointSizeF(points);
    font.setItalic(slant == Slant::Italic);
    return font;
}
