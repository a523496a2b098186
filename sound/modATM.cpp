#include "sound/modATM.h"

#include "sound/AudioOut.h"
#include "sound/Resources.h"

modATM::modATM(const Resources &resources, AudioOut &audio)
    : m_resources(resources)
    , m_audio(audio)
{
}

void modATM::PlayResourceSound(qint16 id)
{
    QByteArray bytes = m_resources.load(id, QStringLiteral("WAVE"));
    QByteArray previous = std::move(soundBytes);
    soundBytes = std::move(bytes);
    // Cuts the previous tone off; only after that may its bytes go, at the end of this scope.
    m_audio.playInBackground(soundBytes);
}

void modATM::StopSound()
{
    m_audio.stop();
}
