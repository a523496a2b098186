#pragma once

#include "sound/front/SampleRing.h"
#include "sound/front/WaveStream.h"

#include <atomic>
#include <memory>

// The user's file read and decoded ahead, on a thread of its own, into a bounded buffer that
// the sound device's mixer takes from without waiting: a slow or stuck disk delays the reader
// alone, never the mixer or the window. The reader lets go of the file once it has read it
// all or the play was stopped; a reader stuck in a read is left to end on its own.
class FileFeed
{
public:
    static std::shared_ptr<FileFeed> start(std::unique_ptr<WaveStream> stream);

    // The mixer's side: up to count samples, fewer when the reader is behind. Never waits.
    std::size_t take(Sint16 *out, std::size_t count);
    // Every sample of the file has been taken, or nothing more of it can be heard.
    bool ended() const { return m_ended; }
    void endUnheard() { m_ended = true; }
    // Ends the reader at its next step; the samples not yet taken are never heard.
    void cancel() { m_cancelled = true; }

private:
    explicit FileFeed(std::unique_ptr<WaveStream> stream);
    static void readAhead(std::shared_ptr<FileFeed> self);

    std::unique_ptr<WaveStream> m_stream; // the reader's alone
    SampleRing m_ring;
    std::atomic<bool> m_readAll{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_ended{false};
};
