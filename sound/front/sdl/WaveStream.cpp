#include "sound/front/sdl/WaveStream.h"

#include <QFile>
#include <QtEndian>

#include <SDL.h>

#include <algorithm>

namespace {

// About 128 KiB of the file's data a slice, in whole blocks: at CD quality most of a second of
// sound a read, so a disk that answers slowly still keeps ahead of the play.
constexpr qint64 SliceBytes = 131072;
// At most a quarter of a second of the file's frames goes into the converter at once, so a
// file at a very low rate cannot make it produce hours of samples in one go.
constexpr int PutSecondsDivisor = 4;
// SDL's resampler holds back hundreds of frames before it gives out the first: at a very low
// rate that is minutes of sound in memory. Below this rate each frame is repeated first, up to
// it; above the other, no real recording exists and the resampler's work would have no bound.
constexpr int LowestConvertedRate = 8000;
constexpr quint32 HighestRate = 384000;

void appendLe32(QByteArray &bytes, quint32 value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

} // namespace

bool decodeWave(const QByteArray &wave, SDL_AudioSpec &spec, std::vector<Uint8> &samples)
{
    SDL_RWops *rw = SDL_RWFromConstMem(wave.constData(), int(wave.size()));
    if (!rw)
        return false;
    Uint8 *buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length))
        return false;
    samples.assign(buffer, buffer + length);
    SDL_FreeWAV(buffer);
    return true;
}

std::unique_ptr<WaveStream> WaveStream::open(const QString &path, const SDL_AudioSpec &device,
                                             std::unique_ptr<QIODevice> data)
{
    if (!data)
        data = openWaveFile(path);
    else if (!data->isOpen() && !data->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return nullptr;
    if (!data)
        return nullptr;
    const std::optional<WaveLayout> layout = readWaveLayout(*data);
    if (!layout || layout->rate > HighestRate)
        return nullptr;
    std::unique_ptr<WaveStream> stream(new WaveStream(std::move(data), *layout, device));
    // Playable means its start decodes and converts: the check at choice and the play agree.
    if (!stream->decodeNextSlice() || !stream->feedConverter())
        return nullptr;
    return stream;
}

WaveStream::WaveStream(std::unique_ptr<QIODevice> data, WaveLayout layout, const SDL_AudioSpec &device)
    : m_data(std::move(data))
    , m_layout(std::move(layout))
    , m_device(device)
{
}

WaveStream::~WaveStream()
{
    if (m_converter)
        SDL_FreeAudioStream(m_converter);
}

bool WaveStream::decodeNextSlice()
{
    const qint64 block = m_layout.blockAlign;
    const qint64 left = (m_layout.dataSize - m_consumed) / block * block; // a last partial block is dropped
    if (left <= 0)
        return false;
    const qint64 length = std::min(left, std::max<qint64>(1, SliceBytes / block) * block);

    QByteArray wave("RIFF");
    const qint64 formatSize = m_layout.format.size();
    appendLe32(wave, quint32(4 + 8 + formatSize + (formatSize & 1) + 8 + length));
    wave.append("WAVEfmt ");
    appendLe32(wave, quint32(formatSize));
    wave.append(m_layout.format);
    if (formatSize & 1)
        wave.append('\0');
    wave.append("data");
    appendLe32(wave, quint32(length));
    const qsizetype header = wave.size();
    wave.resize(header + length);
    if (!m_data->seek(m_layout.dataOffset + m_consumed))
        return false;
    for (qint64 got = 0; got < length;) {
        const qint64 n = m_data->read(wave.data() + header + got, length - got);
        if (n <= 0)
            return false; // the file shrank or cannot be read: what is left is silence
        got += n;
    }
    m_consumed += length;

    SDL_AudioSpec spec{};
    if (!decodeWave(wave, spec, m_decoded))
        return false;
    m_decodedPosition = 0;
    if (!m_converter) {
        m_repeat = spec.freq < LowestConvertedRate ? (LowestConvertedRate + spec.freq - 1) / spec.freq : 1;
        m_converter = SDL_NewAudioStream(spec.format, spec.channels, spec.freq * m_repeat, m_device.format,
                                         m_device.channels, m_device.freq);
        if (!m_converter)
            return false;
        m_decodedFormat = spec.format;
        m_decodedChannels = spec.channels;
        m_decodedRate = spec.freq;
    } else if (spec.format != m_decodedFormat || spec.channels != m_decodedChannels || spec.freq != m_decodedRate) {
        return false;
    }
    return !m_decoded.empty();
}

bool WaveStream::feedConverter()
{
    if (m_decodedPosition >= m_decoded.size() && !decodeNextSlice()) {
        if (!m_flushed && m_converter)
            SDL_AudioStreamFlush(m_converter);
        m_flushed = true;
        return false;
    }
    const std::size_t frameBytes = std::size_t(SDL_AUDIO_BITSIZE(m_decodedFormat) / 8) * std::size_t(m_decodedChannels);
    const std::size_t put =
        std::min(m_decoded.size() - m_decodedPosition,
                 std::max<std::size_t>(1, std::size_t(m_decodedRate / PutSecondsDivisor)) * frameBytes);
    const Uint8 *frames = m_decoded.data() + m_decodedPosition;
    std::size_t length = put;
    if (m_repeat > 1) {
        m_repeated.clear();
        for (std::size_t at = 0; at + frameBytes <= put; at += frameBytes)
            for (int i = 0; i < m_repeat; ++i)
                m_repeated.insert(m_repeated.end(), frames + at, frames + at + frameBytes);
        frames = m_repeated.data();
        length = m_repeated.size();
    }
    if (SDL_AudioStreamPut(m_converter, frames, int(length)) != 0) {
        m_decoded.clear(); // what the converter cannot take ends the file
        m_decodedPosition = 0;
        m_consumed = m_layout.dataSize;
        return false;
    }
    m_decodedPosition += put;
    return true;
}

int WaveStream::read(qint16 *out, int count)
{
    const int wanted = count * int(sizeof(Sint16));
    while (!m_flushed && SDL_AudioStreamAvailable(m_converter) < wanted)
        feedConverter();
    const int got = SDL_AudioStreamGet(m_converter, out, wanted);
    if (got <= 0) {
        m_ended = m_flushed;
        return 0;
    }
    if (m_flushed && SDL_AudioStreamAvailable(m_converter) == 0)
        m_ended = true;
    return got / int(sizeof(Sint16));
}
