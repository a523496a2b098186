#include "tray/TrayIconRecord.h"

QString TrayIconRecord::shownTip() const
{
    const qsizetype end = szTip.indexOf(QChar(0));
    QString tip = end < 0 ? szTip : szTip.left(end);
    tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return tip;
}
