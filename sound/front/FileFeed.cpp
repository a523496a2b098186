#include "sound/front/FileFeed.h"

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

} // namespace

FileFeed::FileFeed(std::shared_ptr<SoundModule> module, std::unique_ptr<DecodedStream> stream)
    : m_module(std::move(module))
    , m_stream(std::move(stream))
    , m_ring(AheadSamples)
{
}

std::shared_ptr<FileFeed> FileFeed::start(std::shared_ptr<SoundModule> module, std::unique_ptr<DecodedStream> stream)
{
    if (!stream)
        return nullptr;
    std::shared_ptr<FileFeed> feed(new FileFeed(std::move(module), std::move(stream)));
    // The reader holds the feed until it ends, so a read that never returns harms nobody.
    std::thread(&FileFeed::readAhead, feed).detach();
    return feed;
}

void FileFeed::readAhead(std::shared_ptr<FileFeed> self)
{
    std::vector<qint16> piece(PieceSamples);
    std::size_t have = 0;
    std::size_t put = 0;
    while (!self->m_cancelled) {
        if (put == have) {
            if (self->m_stream->ended())
                break;
            have = std::size_t(self->m_stream->read(piece.data(), int(piece.size())));
            put = 0;
        }
        put += self->m_ring.put(piece.data() + put, have - put);
        if (put < have)
            std::this_thread::sleep_for(RestWhenFull);
    }
    self->m_stream.reset();
    self->m_module->threadEnds();
    self->m_readAll = true;
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
