#pragma once

#include <QLabel>

// A label that draws its text on one line, cut with an ellipsis where it is longer than the
// label or goes on past a line break. The text itself stays whole, for a screen reader too.
class OneLineLabel : public QLabel
{
public:
    using QLabel::QLabel;

    // What the label draws of its text.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
