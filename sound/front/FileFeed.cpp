#include "sound/front/FileFeed.h"

#include "sound/AudioOut.h"

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Two seconds of the device's samples: reads that stall for less are never heard.
constexpr std::size_t AheadSamples = 2 * DeviceFormat::Rate * DeviceFormat::Channels;
// What the reader decodes at a time, about a tenth of a second.
constexpr std::size_t PieceSamples = 8192;
// When the buffer is full, the reader rests while the mixer plays a quarter of it.
constexpr auto RestWhenFull = 500ms;

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

FileFeed::FileFeed(const QString &path, std::unique_ptr<QIODevice> data)
    : m_path(path)
    , m_data(std::move(data))
    , m_ring(AheadSamples)
{
}

std::shared_ptr<FileFeed> FileFeed::start(const QString &path, std::unique_ptr<QIODevice> data)
{
    std::shared_ptr<FileFeed> feed(new FileFeed(path, std::move(data)));
    // The reader holds the feed until it ends, so a stat or a read that never returns harms nobody.
    std::thread(&FileFeed::readAhead, feed).detach();
    return feed;
}

void FileFeed::readAhead(std::shared_ptr<FileFeed> self)
{
    const std::shared_ptr<SoundModule> module = soundModule();
    std::unique_ptr<DecodedStream> stream =
        module ? module->openStream(self->m_path, std::move(self->m_data)) : nullptr;
    if (stream) {
        self->m_lastReadMs = steadyMs();
        self->m_opened = true;
        self->readAll(*stream);
        stream.reset();
    } else {
        self->m_unplayable = true;
        self->m_ended = true;
    }
    if (module)
        module->threadEnds();
    self->m_readAll = true;
}

void FileFeed::readAll(DecodedStream &stream)
{
    std::vector<qint16> piece(PieceSamples);
    std::size_t have = 0;
    std::size_t put = 0;
    while (!m_cancelled) {
        if (put == have) {
            if (stream.ended())
                break;
            have = std::size_t(stream.read(piece.data(), int(piece.size())));
            put = 0;
            m_lastReadMs = steadyMs();
        }
        put += m_ring.put(piece.data() + put, have - put);
        if (put < have)
            std::this_thread::sleep_for(RestWhenFull);
    }
}

bool FileFeed::stalled() const
{
    return m_opened && !m_readAll && m_ring.empty() && steadyMs() - m_lastReadMs > AudioOut::StorageAnswersWithinMs;
}

std::size_t FileFeed::take(qint16 *out, std::size_t count)
{
    // Read before the ring: once the reader is done, an empty ring is the file's end.
    const bool readAll = m_readAll;
    const std::size_t n = m_ring.take(out, count);
    if (readAll && m_ring.empty())
        m_ended = true;
    return n;
}
