#include "toolkit/front/OneLineLabel.h"

#include <QPainter>
#include <QRegularExpression>

QString OneLineLabel::shownText() const
{
    QString line = text();
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    const qsizetype lineBreak = line.indexOf(lineEnd);
    if (lineBreak >= 0)
        line = line.left(lineBreak) + QChar(0x2026);
    return fontMetrics().elidedText(line, Qt::ElideRight, contentsRect().width());
}

void OneLineLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shownText());
}
