#include "toolkit/front/OneLineLabel.h"

#include <QPainter>
#include <algorithm>

QString OneLineLabel::shownText() const
{
    QString line = text();
    const auto lineBreak = std::find_if(line.cbegin(), line.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (lineBreak != line.cend())
        line = line.left(lineBreak - line.cbegin()) + QChar(0x2026);
    return fontMetrics().elidedText(line, Qt::ElideRight, contentsRect().width());
}

void OneLineLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shownText());
}
