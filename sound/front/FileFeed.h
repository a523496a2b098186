#pragma once

#include "sound/front/SampleRing.h"
#include "sound/front/SoundModule.h"

#include <atomic>
#include <memory>

// The user's file read and decoded ahead, on a thread of its own, into a bounded buffer that
// the sound device's mixer takes from without waiting: a slow or stuck disk delays the reader
// alone, never the mixer or the window. The reader lets go of the file once it has read it
// all or the play was stopped; a reader stuck in a read is left to end on its own.
class FileFeed : public SampleSource
{
public:
    // The stream's module is held as long as the stream is read.
    static std::shared_ptr<FileFeed> start(std::shared_ptr<SoundModule> module, std::unique_ptr<DecodedStream> stream);

    std::size_t take(qint16 *out, std::size_t count) override;
    bool ended() const override { return m_ended; }
    // Its reader stops too: no one would take what it reads.
    void endUnheard() override
    {
        m_ended = true;
        cancel();
    }
    // Ends the reader at its next step; the samples not yet taken are never heard.
    void cancel() { m_cancelled = true; }

private:
    FileFeed(std::shared_ptr<SoundModule> module, std::unique_ptr<DecodedStream> stream);
    static void readAhead(std::shared_ptr<FileFeed> self);

    std::shared_ptr<SoundModule> m_module;
    std::unique_ptr<DecodedStream> m_stream; // the reader's alone
    SampleRing m_ring;
    std::atomic<bool> m_readAll{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_ended{false};
};
