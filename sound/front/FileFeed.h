#pragma once

#include "sound/front/SampleRing.h"
#include "sound/front/SoundModule.h"

#include <QIODevice>
#include <QString>

#include <atomic>
#include <memory>

// The user's file opened, read and decoded ahead on a thread of its own, into a bounded buffer
// that the sound device's mixer takes from without waiting: a slow, stuck or vanished storage
// delays the reader alone, never the mixer or the window. The reader lets go of the file once it
// has read it all or the play was stopped; a reader stuck in a stat, an open or a read is left
// to end on its own.
class FileFeed : public SampleSource
{
public:
    // Starts the reader on the file at path, read through data where given.
    static std::shared_ptr<FileFeed> start(const QString &path, std::unique_ptr<QIODevice> data);

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

    // The reader has not yet opened the file and decoded its start, nor found it unplayable.
    bool opening() const { return !m_opened && !m_unplayable; }
    // Not a wave file whose start decodes, or not there at all.
    bool unplayable() const { return m_unplayable; }
    // Opened, but nothing more has come for a while and nothing is left to hear: its storage
    // stopped answering mid-way.
    bool stalled() const;
    const QString &path() const { return m_path; }

private:
    FileFeed(const QString &path, std::unique_ptr<QIODevice> data);
    static void readAhead(std::shared_ptr<FileFeed> self);
    void readAll(DecodedStream &stream);

    QString m_path;
    std::unique_ptr<QIODevice> m_data; // the reader's alone
    SampleRing m_ring;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_unplayable{false};
    std::atomic<bool> m_readAll{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_ended{false};
    std::atomic<qint64> m_lastReadMs{0}; // when the reader last got samples, on the steady clock
};
