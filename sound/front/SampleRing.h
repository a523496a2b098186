#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

// Samples handed from one thread that writes to one that reads, neither ever waiting on the
// other: the sound device's mixer must not wait, whatever the disk the writer reads does.
class SampleRing
{
public:
    explicit SampleRing(std::size_t capacity)
        : m_samples(capacity)
    {
    }

    std::size_t space() const
    {
        return m_samples.size() - (m_written.load(std::memory_order_acquire) - m_taken.load(std::memory_order_acquire));
    }

    // Writer's side: puts as many of the count samples as there is space for; gives how many.
    std::size_t put(const qint16 *in, std::size_t count)
    {
        const std::size_t written = m_written.load(std::memory_order_relaxed);
        const std::size_t n = std::min(count, space());
        for (std::size_t i = 0; i < n; ++i)
            m_samples[(written + i) % m_samples.size()] = in[i];
        m_written.store(written + n, std::memory_order_release);
        return n;
    }

    // Reader's side: takes up to count samples; gives how many.
    std::size_t take(qint16 *out, std::size_t count)
    {
        const std::size_t taken = m_taken.load(std::memory_order_relaxed);
        const std::size_t n = std::min(count, m_written.load(std::memory_order_acquire) - taken);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = m_samples[(taken + i) % m_samples.size()];
        m_taken.store(taken + n, std::memory_order_release);
        return n;
    }

    bool empty() const { return m_written.load(std::memory_order_acquire) == m_taken.load(std::memory_order_acquire); }

private:
    std::vector<qint16> m_samples;
    std::atomic<std::size_t> m_written{0};
    std::atomic<std::size_t> m_taken{0};
};
