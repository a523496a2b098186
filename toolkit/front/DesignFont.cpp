#include "toolkit/front/DesignFont.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

QString designFamily(const char *family)
{
    static const QHash<QByteArray, QString> standIns = {{"Arial", QStringLiteral("Liberation Sans")},
                                                        {"Comic Sans MS", QStringLiteral("Comic Neue")},
                                                        {"Tahoma", QStringLiteral("DejaVu Sans")},
                                                        {"Verdana", QStringLiteral("DejaVu Sans")}};
    static const QStringList installed = QFontDatabase::families();
    const QString name = QString::fromLatin1(family);
    const QString standIn = standIns.value(family);
    return standIn.isEmpty() || installed.contains(name) || !installed.contains(standIn) ? name : standIn;
}

QFont designFont(const char *family, double points, Slant slant)
{
    QFont font(designFamily(family));
    font.setPointSizeF(points);
    font.setItalic(slant == Slant::Italic);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
