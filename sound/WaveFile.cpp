#include "sound/WaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

} // namespace

bool isWholeWaveFile(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    if (size < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;

    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const char *header = bytes.constData() + pos;
        const quint64 chunkSize = le32(header + 4);
        const quint64 available = quint64(size - pos - 8);
        const QByteArray id(header, 4);
        if (id == "fmt ") {
            if (chunkSize < 16 || chunkSize > available)
                return false;
            const quint16 channels = qFromLittleEndian<quint16>(header + 8 + 2);
            const quint32 rate = le32(header + 8 + 4);
            const quint16 blockAlign = qFromLittleEndian<quint16>(header + 8 + 12);
            if (channels == 0 || rate == 0 || blockAlign == 0)
                return false;
            haveFormat = true;
        } else if (id == "data") {
            // The sound itself: there must be some, and all of it must be there.
            return haveFormat && chunkSize > 0 && chunkSize <= available;
        } else if (chunkSize > available) {
            return false;
        }
        pos += qsizetype(8 + chunkSize + (chunkSize & 1));
    }
    return false;
}

std::optional<QByteArray> readWaveFile(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    // Only a regular file: a pipe or a device would block the read or never end.
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || !isWholeWaveFile(bytes))
        return std::nullopt;
    return bytes;
}
