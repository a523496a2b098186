#pragma once

#include "alarm/RingNotice.h"

#include <QStringList>

// The desktop's notifications as a test sees them: what was posted, and whether one is up.
class FakeRingNotice : public RingNotice
{
public:
    void post(const QString &reminder) override
    {
        posted << reminder;
        up = true;
    }
    void withdraw() override { up = false; }
    void tellMissed(const QString &reminder, const QString &due) override { missed << reminder + u'|' + due; }

    QStringList posted;
    QStringList missed; // reminder|due
    bool up = false;
};
