#include "sound/WaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <functional>

namespace {

// The largest format chunk an encoding that can be played has: MS ADPCM's, with its most
// coefficient pairs, is about a kilobyte.
constexpr qint64 MaxFormatBytes = 4096;
// Real files carry a handful of chunks before their sound (fact, LIST, bext, cue, JUNK); a file
// of thousands would be walked at every start of its play.
constexpr int MaxChunksBeforeData = 256;

// Walks the chunks of a wave file of `size` bytes, read through readAt(offset, length), which
// gives fewer bytes than asked only past the end.
std::optional<WaveLayout> walkChunks(qint64 size, const std::function<QByteArray(qint64, qint64)> &readAt)
{
    const QByteArray riff = readAt(0, 12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<WaveLayout> layout;
    qint64 pos = 12;
    for (int chunks = 0; chunks < MaxChunksBeforeData && pos + 8 <= size; ++chunks) {
        const QByteArray header = readAt(pos, 8);
        if (header.size() < 8)
            return std::nullopt;
        const qint64 chunkSize = qFromLittleEndian<quint32>(header.constData() + 4);
        const qint64 available = size - pos - 8;
        const QByteArray id = header.left(4);
        if (id == "fmt ") {
            if (chunkSize < 16 || chunkSize > MaxFormatBytes || chunkSize > available)
                return std::nullopt;
            WaveLayout found;
            found.format = readAt(pos + 8, chunkSize);
            if (found.format.size() != chunkSize)
                return std::nullopt;
            const char *f = found.format.constData();
            found.channels = qFromLittleEndian<quint16>(f + 2);
            found.rate = qFromLittleEndian<quint32>(f + 4);
            found.blockAlign = qFromLittleEndian<quint16>(f + 12);
            if (found.channels == 0 || found.rate == 0 || found.blockAlign == 0)
                return std::nullopt;
            layout = found;
        } else if (id == "data") {
            // The sound itself: there must be some, and all of it must be there.
            if (!layout || chunkSize == 0 || chunkSize > available)
                return std::nullopt;
            layout->dataOffset = pos + 8;
            layout->dataSize = chunkSize;
            return layout;
        } else if (chunkSize > available) {
            return std::nullopt;
        }
        pos += 8 + chunkSize + (chunkSize & 1);
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<QFile> openWaveFile(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return nullptr;
    return file;
}

std::optional<WaveLayout> readWaveLayout(QIODevice &data)
{
    // A read that fails gives fewer bytes than asked, which the walk refuses as a file cut short.
    return walkChunks(data.size(), [&](qint64 offset, qint64 length) {
        return data.seek(offset) ? data.read(length) : QByteArray();
    });
}

std::optional<WaveLayout> readWaveLayout(const QString &path)
{
    const std::unique_ptr<QFile> file = openWaveFile(path);
    if (!file)
        return std::nullopt;
    const std::optional<WaveLayout> layout = readWaveLayout(*file);
    if (file->error() != QFileDevice::NoError)
        return std::nullopt;
    return layout;
}
