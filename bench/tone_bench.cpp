// How long PlayResourceSound takes to hand a tone to the sound device, per tone (it must not
// grow with the tone's length), and how much the tone buffer holds after a thousand plays.
#include "sound/Resources.h"
#include "sound/front/SdlAudioOut.h"
#include "sound/modATM.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

struct Sound
{
    Sound()
    {
        // The dummy driver consumes samples in real time without a sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        audio.open();
    }
    SdlAudioOut audio;
    EmbeddedResources resources;
    modATM atm{resources, audio};
};

Sound &sound()
{
    static Sound s;
    return s;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

static void PlayResourceSound(benchmark::State &state)
{
    const auto id = static_cast<qint16>(state.range(0));
    for (auto _ : state)
        sound().atm.PlayResourceSound(id);
    state.counters["tone_bytes"] = double(sound().atm.soundBytes.size());
}
BENCHMARK(PlayResourceSound)->DenseRange(100, 106)->Unit(benchmark::kMicrosecond);

static void ThousandPlaysHoldOneTone(benchmark::State &state)
{
    qsizetype largest = 0;
    long rssBefore = 0, rssAfter = 0;
    for (auto _ : state) {
        rssBefore = residentKiB();
        for (int i = 0; i < 1000; ++i) {
            sound().atm.PlayResourceSound(qint16(100 + i % 7));
            largest = std::max(largest, sound().atm.soundBytes.capacity());
        }
        rssAfter = residentKiB();
    }
    state.counters["soundBytes_after"] = double(sound().atm.soundBytes.size());
    state.counters["soundBytes_peak"] = double(largest);
    state.counters["rss_growth_KiB"] = double(rssAfter - rssBefore);
}
BENCHMARK(ThousandPlaysHoldOneTone)->Iterations(1)->Unit(benchmark::kMillisecond);
