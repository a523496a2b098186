#pragma once

#include "sound/WaveFile.h"
#include "sound/front/SoundModule.h"

#include <QIODevice>
#include <SDL_audio.h>

#include <memory>
#include <vector>

// Decodes a whole wave file held in memory with SDL's decoder: its samples as the file's
// encoding gives them (PCM in SDL's format) and that format in spec. False when SDL cannot.
bool decodeWave(const QByteArray &wave, SDL_AudioSpec &spec, std::vector<Uint8> &samples);

// A wave file on disk read, decoded and converted a piece at a time into the device's format,
// so a file of any length, rate or size plays with bounded memory. SDL decodes each piece,
// handed to it as a small wave file of its own (the file's format chunk and a slice of its
// data, whole blocks), so every encoding SDL knows plays, and only those.
class WaveStream : public DecodedStream
{
public:
    // Nothing when the file is not a whole wave file or its start cannot be decoded. The data
    // is read through the file itself, or through the device given in its place.
    static std::unique_ptr<WaveStream> open(const QString &path, const SDL_AudioSpec &device,
                                            std::unique_ptr<QIODevice> data = nullptr);
    ~WaveStream() override;
    WaveStream(const WaveStream &) = delete;
    WaveStream &operator=(const WaveStream &) = delete;

    int read(qint16 *out, int count) override;
    // The whole file has been given out (or the rest of it cannot be decoded).
    bool ended() const override { return m_ended; }

private:
    WaveStream(std::unique_ptr<QIODevice> data, WaveLayout layout, const SDL_AudioSpec &device);
    bool decodeNextSlice();
    bool feedConverter();

    std::unique_ptr<QIODevice> m_data;
    WaveLayout m_layout;
    SDL_AudioSpec m_device;
    qint64 m_consumed = 0; // bytes of the data chunk decoded so far
    SDL_AudioStream *m_converter = nullptr;
    SDL_AudioFormat m_decodedFormat = 0;
    int m_decodedChannels = 0;
    int m_decodedRate = 0;
    std::vector<Uint8> m_decoded; // the current slice, decoded, not yet all in the converter
    std::size_t m_decodedPosition = 0;
    int m_repeat = 1;              // each frame given this many times: a very low rate raised
    std::vector<Uint8> m_repeated; // the frames being put, repeated
    bool m_flushed = false;
    bool m_ended = false;
};
