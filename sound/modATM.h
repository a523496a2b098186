#pragma once

#include <QByteArray>
#include <QtGlobal>

class AudioOut;
class Resources;

// The built-in tones: started from memory in the background, stopped on request.
class modATM
{
public:
    modATM(const Resources &resources, AudioOut &audio);

    // Starts wave resource id; a tone still sounding is cut off. Never waits.
    void PlayResourceSound(qint16 id);
    void StopSound();

    // The whole wave file of the tone last started. It is replaced only once the tone it
    // held has been cut off, so the bytes of a sounding tone are never released.
    QByteArray soundBytes;

private:
    const Resources &m_resources;
    AudioOut &m_audio;
};
