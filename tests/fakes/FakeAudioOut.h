#pragma once

#include "sound/AudioOut.h"

#include <QList>

// Sound output that remembers what it was asked to play instead of playing it.
class FakeAudioOut : public AudioOut
{
public:
    void playInBackground(const QByteArray &wave) override;
    void stop() override;
    bool playToEnd(const QByteArray &wave) override;

    QList<QByteArray> tones;  // each built-in tone started, in order
    QList<QByteArray> files;  // each file played to its end
    int stops = 0;
    bool sounding = false;    // a built-in tone was started and not stopped since
    bool deviceAvailable = true;
};
