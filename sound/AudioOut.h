#pragma once

#include <QByteArray>

// Sound output for whole wave files held in memory.
class AudioOut
{
public:
    virtual ~AudioOut() = default;
    // Starts a built-in tone in the background and returns at once; a tone still sounding is
    // cut off. Bytes that cannot be played give silence, never a substitute sound.
    virtual void playInBackground(const QByteArray &wave) = 0;
    // Silences the built-in tone, if one sounds.
    virtual void stop() = 0;
    // Plays a wave file to its end and returns only then; false when it cannot be played.
    virtual bool playToEnd(const QByteArray &wave) = 0;
};
